#include "ModuleMain.h"
#include "PageText.h"
#include "PageWriter.h"
#include "ProgramLayout.h"
#include "TestSeams.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <fstream>
#include <malloc.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {
// A full list: 32,767 items of ordinary length, about 15 MB of page.
void FillList()
{
    ResetGlobals();
    ModuleMain &g = Globals();
    g.itemTable.Recreate(ItemTable::MaxSlots);
    QList<ItemList::Entry> entries;
    for (int slot = 1; slot <= ItemTable::MaxSlots; ++slot) {
        const QString n = QString::number(slot).rightJustified(5, u'0');
        g.itemTable.Slot(slot) = ItemRecord{
            true, QStringLiteral("http://intranet.example.com/projects/tasks/view?id=") + n,
            QStringLiteral("Ask about the budget figures before the meeting on Friday, item ") + n,
            qint16(slot % 3 + 1)};
        entries.append({QStringLiteral("Task %1 on the quarterly report").arg(n), slot});
    }
    g.itemList->Fill(std::move(entries));
}

QByteArray Page()
{
    const ModuleMain &g = Globals();
    return PageText(*g.itemList, g.itemTable, g.pageOptions, ProgramPictures());
}

bool WriteThePage()
{
    QString reason;
    return WritePage(reason);
}

struct Setup
{
    QTemporaryDir dir;
    Setup()
    {
        FillList(); // first, as it resets the program's folder too
        SetProgramDirForTests(dir.path());
    }
};
Setup &Shared()
{
    static Setup setup;
    return setup;
}

// A figure of /proc/self/status in kB (VmHWM: the peak since ResetPeak()); 0 when missing.
long StatusKb(const char *field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0)
            return std::stol(line.substr(std::string(field).size()));
    }
    return 0;
}
void ResetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

void SetPageCounters(benchmark::State &state, qsizetype pageBytes)
{
    state.SetBytesProcessed(int64_t(state.iterations()) * pageBytes);
    state.counters["page_MB"] = double(pageBytes) / 1e6;
}

// Building the page alone, its pieces dropped as they come.
void BM_PageText(benchmark::State &state)
{
    Shared();
    const ModuleMain &g = Globals();
    const PagePictures pictures = ProgramPictures();
    qsizetype size = 0;
    for (auto _ : state) {
        size = 0;
        WritePageText(*g.itemList, g.itemTable, g.pageOptions, pictures,
                      [&size](QByteArrayView piece) {
                          size += piece.size();
                          benchmark::DoNotOptimize(piece.data());
                          return true;
                      });
    }
    SetPageCounters(state, size);
}

void BM_GeneratePage(benchmark::State &state)
{
    Shared();
    for (auto _ : state) {
        if (!WriteThePage())
            state.SkipWithError("the page could not be written");
    }
    SetPageCounters(state, QFile(PagePath()).size());
}

// The yardstick: the same bytes, ready in memory, in one write to a plain file.
bool PlainWrite(const QString &path, const QByteArray &page, bool sync)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered) ||
        file.write(page) != page.size()) {
        return false;
    }
    return !sync || ::fsync(file.handle()) == 0;
}

void BM_PlainWrite(benchmark::State &state, bool sync)
{
    const QString path = Shared().dir.filePath(QStringLiteral("plain.htm"));
    const QByteArray page = Page();
    for (auto _ : state) {
        if (!PlainWrite(path, page, sync))
            state.SkipWithError("the plain file could not be written");
    }
    SetPageCounters(state, page.size());
}

// Generation and the plain write taken in turns, so that both meet the same load on the machine;
// the ratio is the median of the pairs.
void BM_GenerateAgainstPlainWrite(benchmark::State &state)
{
    const QString path = Shared().dir.filePath(QStringLiteral("plain.htm"));
    const QByteArray page = Page();
    std::vector<double> generate, plain, ratio;
    QElapsedTimer timer;
    for (auto _ : state) {
        timer.start();
        const bool generated = WriteThePage();
        generate.push_back(double(timer.nsecsElapsed()) / 1e6);
        timer.start();
        const bool written = PlainWrite(path, page, false);
        plain.push_back(double(timer.nsecsElapsed()) / 1e6);
        ratio.push_back(generate.back() / plain.back());
        if (!generated || !written)
            state.SkipWithError("a page could not be written");
    }
    const auto median = [](std::vector<double> v) {
        std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
        return v[v.size() / 2];
    };
    state.counters["generate_ms"] = median(generate);
    state.counters["plain_ms"] = median(plain);
    state.counters["ratio"] = median(ratio);
}

// Memory that one generation needs beyond the list itself: the peak over the resident size
// before it.
void BM_GeneratePageMemory(benchmark::State &state)
{
    Shared();
    long extraKb = 0;
    for (auto _ : state) {
        // Memory freed earlier stays with the process unless handed back; without this the
        // page's room could reuse it unseen.
        malloc_trim(0);
        ResetPeak();
        const long before = StatusKb("VmRSS:");
        WriteThePage();
        extraKb = StatusKb("VmHWM:") - before;
    }
    const double pageMb = double(QFile(PagePath()).size()) / 1e6;
    state.counters["page_MB"] = pageMb;
    state.counters["peak_extra_MB"] = double(extraKb) * 1024 / 1e6;
    state.counters["peak_per_page"] = double(extraKb) * 1024 / 1e6 / pageMb;
}
} // namespace

BENCHMARK(BM_GeneratePageMemory)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(BM_PlainWrite, no_sync, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PlainWrite, and_sync, true)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PageText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GeneratePage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GenerateAgainstPlainWrite)->Unit(benchmark::kMillisecond)->Iterations(40);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const RunItemList items;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
