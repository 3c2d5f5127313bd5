// The table window over a table of a million boots: opening it, sorting it by a column, and the
// memory the window adds beside the memory of the table itself (counters, in MB).
// Needs a display; without one run it with QT_QPA_PLATFORM=offscreen.
#include "boots/qel_baza.h"
#include "ui/boots_model.h"
#include "ui/frm_table.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QHeaderView>
#include <QTableView>
#include <QUndoStack>

#include <fstream>
#include <memory>
#include <unistd.h>

namespace {

constexpr int kBoots = 1000000;

// The resident memory of this process in MB.
double residentMb() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// A million boots in a model, built once; what loading them added to the resident memory.
struct Loaded {
    Loaded() {
        const double before = residentMb();
        std::vector<boots::BootRecord> records(kBoots);
        for (int k = 0; k < kBoots; ++k) {
            boots::BootRecord& boot = records[static_cast<std::size_t>(k)];
            boot.ID = static_cast<std::uint8_t>(k);
            boot.Grupa = static_cast<std::uint8_t>(1 + k % 200);
            boot.Nazwa = "Łódź Boot " + std::to_string(std::uint64_t(k) * 7919 % 1000003);
            boot.Sila = static_cast<std::uint8_t>(1 + k * 7 % 5);
            boot.Precyzja = static_cast<std::uint8_t>(1 + k % 5);
        }
        model.setTable(std::make_unique<Qel_Baza>(std::move(records)));
        tableMb = residentMb() - before;
    }
    QUndoStack history;
    BootsModel model{&history};
    double tableMb = 0;
};

Loaded& loaded() {
    static Loaded instance;
    return instance;
}

void BM_TableWindowOpen(benchmark::State& state) {
    Loaded& table = loaded();
    const double before = residentMb();
    double grown = 0;
    for (auto _ : state) {
        FrmTable window(&table.model, &table.history);
        window.show();
        QApplication::processEvents();
        window.repaint();
        state.PauseTiming();
        grown = std::max(grown, residentMb() - before);
        state.ResumeTiming();
    }
    state.counters["table_MB"] = table.tableMb;
    state.counters["window_MB"] = grown;
}

void BM_TableWindowSort(benchmark::State& state) {
    Loaded& table = loaded();
    FrmTable window(&table.model, &table.history);
    window.show();
    QApplication::processEvents();
    auto* grid = window.findChild<QTableView*>(QStringLiteral("Grid"));
    const int column = static_cast<int>(state.range(0));
    bool descending = false;
    for (auto _ : state) {
        grid->sortByColumn(column, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
        descending = !descending;
    }
}

BENCHMARK(BM_TableWindowOpen)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_TableWindowSort)
    ->ArgName("column")
    ->Arg(BootsModel::columnOf(boots::BootField::Sila))
    ->Arg(BootsModel::columnOf(boots::BootField::Nazwa))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(4);

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
