// The list at its largest, 32,767 items: start-up to the first item shown, the close-time
// save, and one add, delete and selection, each beside what QSettings alone needs to read
// or write the same values.
#include "ItemList.h"
#include "ItemTable.h"
#include "ModuleMain.h"
#include "PageOptions.h"
#include "Persistence.h"
#include "ScratchUser.h"
#include "SettingsStore.h"
#include "TestSeams.h"
#include "frmMain.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSettings>
#include <QTest>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int Items = ItemTable::MaxSlots;

QString Section(int i)
{
    return u' ' + QString::number(i);
}

QString Key(int i, const char *name)
{
    return Section(i) + u'/' + QLatin1String(name);
}

// A full store, written the way the program writes it.
void WriteFullStore()
{
    SettingsStore store;
    store.WriteSetting(QStringLiteral("Main"), QStringLiteral("RunBefore"), QStringLiteral("Yes"));
    store.WriteSetting(QStringLiteral("Main"), QStringLiteral("GenerateOnClose"),
                       QStringLiteral("False"));
    store.WriteSetting(QStringLiteral("Main"), QStringLiteral("NumEntries"),
                       u' ' + QString::number(Items));
    for (int i = 1; i <= Items; ++i) {
        store.WriteSetting(Section(i), QStringLiteral("Name"),
                           QStringLiteral("Task %1").arg(i * 7919 % Items));
        store.WriteSetting(Section(i), QStringLiteral("Description"),
                           QStringLiteral("Something to do on the web, number %1").arg(i));
        store.WriteSetting(Section(i), QStringLiteral("URL"),
                           QStringLiteral("http://www.example.org/page/%1").arg(i));
        store.WriteSetting(Section(i), QStringLiteral("Priority"), QString::number(i % 3 + 1));
    }
    if (!store.Sync())
        qFatal("could not write the benchmark store");
}

QSettings *OpenStore()
{
    auto *settings = new QSettings(QSettings::NativeFormat, QSettings::UserScope,
                                   QStringLiteral("Tavrel"), QStringLiteral("Tavrel"));
    settings->setFallbacksEnabled(false);
    return settings;
}

void BM_QSettingsReadAlone(benchmark::State &state)
{
    for (auto _ : state) {
        std::unique_ptr<QSettings> settings(OpenStore());
        const int count = settings->value(QStringLiteral("Main/NumEntries")).toString().toInt();
        for (int i = 1; i <= count; ++i) {
            for (const char *key : {"Name", "Description", "URL", "Priority"})
                benchmark::DoNotOptimize(settings->value(Key(i, key)).toString());
        }
    }
}

void BM_StartUpToFirstItemShown(benchmark::State &state)
{
    for (auto _ : state) {
        ResetGlobals();
        frmMain window;
        window.show();
        benchmark::DoNotOptimize(window.findChild<QLineEdit *>(QStringLiteral("txtName"))->text());
        state.PauseTiming();
        window.hide();
        state.ResumeTiming();
    }
}

void BM_QSettingsWriteAlone(benchmark::State &state)
{
    const ModuleMain &g = Globals();
    const QString path = QDir::temp().filePath(QStringLiteral("tavrel-bench-alone.conf"));
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(path); // a new file: nothing to read first
        state.ResumeTiming();
        QSettings settings(path, QSettings::IniFormat);
        for (int i = 1; i <= g.itemList->Count(); ++i) {
            const ItemRecord &r = g.itemTable.Slot(g.itemList->At(i - 1).Slot);
            settings.setValue(Key(i, "Name"), g.itemList->At(i - 1).Name);
            settings.setValue(Key(i, "Description"), r.Description);
            settings.setValue(Key(i, "URL"), r.URL);
            settings.setValue(Key(i, "Priority"), QString::number(r.Priority));
        }
        settings.sync();
    }
    QFile::remove(path);
}

void BM_CloseSave(benchmark::State &state)
{
    const ModuleMain &g = Globals();
    for (auto _ : state)
        benchmark::DoNotOptimize(SaveAll(g.pageOptions, g.itemTable, *g.itemList));
}

// A store typed by hand: every description holds bare commas, which Qt reads as a list and the
// store takes from the file as typed.
void BM_StartUpHandTypedCommas(benchmark::State &state)
{
    const int items = int(state.range(0));
    QByteArray typed = "[Main]\nRunBefore=Yes\nNumEntries=" + QByteArray::number(items) + '\n';
    for (int i = 1; i <= items; ++i) {
        typed += "\n[%20" + QByteArray::number(i) + "]\nName=Task " + QByteArray::number(i) +
                 "\nDescription=milk, eggs, bread, number " + QByteArray::number(i) +
                 "\nURL=http://example.org/" + QByteArray::number(i) + "\nPriority=2\n";
    }
    QFile file(SettingsStore::FilePath());
    if (!file.open(QIODevice::ReadWrite)) {
        state.SkipWithError("no store to replace");
        return;
    }
    const QByteArray full = file.readAll();
    file.resize(0);
    file.write(typed);
    file.close();
    for (auto _ : state) {
        const SettingsStore store;
        PageOptions options;
        ItemTable table;
        ItemList list;
        LoadOptions(store, options);
        benchmark::DoNotOptimize(LoadItems(store, table, list));
    }
    // The other benchmarks read the full store.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(full) != full.size())
        state.SkipWithError("the full store could not be put back");
}

struct Window
{
    Window()
    {
        ResetGlobals();
        form = std::make_unique<frmMain>();
        form->show();
    }
    template <typename T> T *Control(const char *name)
    {
        return form->findChild<T *>(QLatin1String(name));
    }
    void Click(const char *button)
    {
        QTest::mouseClick(Control<QPushButton>(button), Qt::LeftButton);
    }
    std::unique_ptr<frmMain> form;
};

void BM_AddItem(benchmark::State &state)
{
    Window w;
    // Make room for one item: the full table refuses to grow.
    w.Click("cmdDelete");
    for (auto _ : state) {
        w.Click("cmdNew"); // New Item
        w.Control<QLineEdit>("txtName")->setText(QStringLiteral("Middle of the list"));
        w.Control<QLineEdit>("txtURL")->clear();
        w.Click("cmdNew"); // Add Item
        state.PauseTiming();
        w.Click("cmdDelete");
        state.ResumeTiming();
    }
}

void BM_DeleteItem(benchmark::State &state)
{
    Window w;
    auto *list = w.Control<QListView>("lstItems");
    list->setCurrentIndex(list->model()->index(Items / 2, 0));
    for (auto _ : state) {
        w.Click("cmdDelete");
        state.PauseTiming();
        w.Click("cmdNew");
        w.Control<QLineEdit>("txtName")->setText(QStringLiteral("Task back"));
        w.Control<QLineEdit>("txtURL")->clear();
        w.Click("cmdNew");
        state.ResumeTiming();
    }
}

void BM_SelectItem(benchmark::State &state)
{
    Window w;
    auto *list = w.Control<QListView>("lstItems");
    int row = 0;
    for (auto _ : state) {
        row = (row + 7919) % Items;
        list->scrollTo(list->model()->index(row, 0));
        const QRect rect = list->visualRect(list->model()->index(row, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    }
}

} // namespace

BENCHMARK(BM_QSettingsReadAlone)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_StartUpToFirstItemShown)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_QSettingsWriteAlone)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_CloseSave)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_StartUpHandTypedCommas)->Arg(1000)->Arg(16000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddItem)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DeleteItem)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SelectItem)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    const ScratchUser scratchUser;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const RunItemList items;
    WriteFullStore();
    {
        // Load once so that the write benchmarks have the list in memory.
        const SettingsStore store;
        ModuleMain &g = Globals();
        LoadOptions(store, g.pageOptions);
        LoadItems(store, g.itemTable, *g.itemList);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
