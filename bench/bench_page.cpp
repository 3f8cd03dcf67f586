#include "ModuleMain.h"
#include "PageText.h"
#include "TestSeams.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {
// Items of ordinary length; at 32,767 the list is full and the page about 15 MB.
void FillList(int count)
{
    ResetGlobals();
    ModuleMain &g = Globals();
    g.itemTable.Recreate(count);
    QList<ItemList::Entry> entries;
    for (int slot = 1; slot <= count; ++slot) {
        const QString n = QString::number(slot).rightJustified(5, u'0');
        g.itemTable.Slot(slot) = ItemRecord{
            true, QStringLiteral("http://intranet.example.com/projects/tasks/view?id=") + n,
            QStringLiteral("Ask about the budget figures before the meeting on Friday, item ") + n,
            qint16(slot % 3 + 1)};
        entries.append({QStringLiteral("Task %1 on the quarterly report").arg(n), slot});
    }
    g.itemList->Fill(std::move(entries));
}

// The page's bytes alone, dropped as they come: no file, no message.
void BM_PageText(benchmark::State &state)
{
    FillList(int(state.range(0))); // first, as it resets the program's folder too
    const QTemporaryDir programDir;
    SetProgramDirForTests(programDir.path());
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
    state.SetBytesProcessed(int64_t(state.iterations()) * size);
    state.counters["page_MB"] = double(size) / 1e6;
}
} // namespace

BENCHMARK(BM_PageText)->Arg(1000)->Arg(ItemTable::MaxSlots)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const RunItemList items;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
