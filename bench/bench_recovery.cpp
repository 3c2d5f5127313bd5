// What the recovery journal costs a change: a field changed in the model, without the journal and
// with it (the change, then what the window itself does half a second after the last change:
// the unsaved edits gathered for the journal's thread), and the whole write to the disk
// (the text made and written on that thread), for a
// table of 256 boots with one boot changed and for a CSV import of a million boots over a table
// of 40. Needs no display; it makes no window.
#include "boots/qel_baza.h"
#include "boots/recovery_file.h"
#include "services/recovery_journal.h"
#include "ui/boots_model.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QUndoStack>

#include <memory>

namespace {

std::vector<boots::BootRecord> boots(int count) {
    std::vector<boots::BootRecord> records(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k)
        records[std::size_t(k)] = {
            static_cast<std::uint8_t>(k), 1, "Boot " + std::to_string(k * 7919), 3, 3, 3, 3, 3};
    return records;
}

// A model with unsaved edits: 256 boots and one name changed, or a million boots imported over
// the 40 of the file opened; and a journal beside it, writing what the window writes.
struct Edited {
    explicit Edited(int table) {
        model.setTable(std::make_unique<Qel_Baza>(boots(table == 0 ? 256 : 40)));
        if (table == 0)
            model.changeField(0, boots::BootField::Nazwa, QStringLiteral("Changed"));
        else
            model.replaceAll(boots(1000000));
        journal = std::make_unique<RecoveryJournal>(folder.path(), [this] { return text(); });
    }
    std::optional<boots::RecoveryFile> text() const {
        boots::RecoveryFile recovery;
        recovery.file = "/home/gracz/boots.bin";
        recovery.changes = model.unsavedChanges();
        return recovery;
    }
    QTemporaryDir folder;
    QUndoStack history;
    BootsModel model{&history};
    std::unique_ptr<RecoveryJournal> journal;
};

// One change to the last boot's swerve, back and forth, as typing makes them.
void change(Edited& edited, int& value) {
    value = value == 4 ? 5 : 4;
    edited.model.changeField(edited.model.rowCount() - 1, boots::BootField::Podkrecanie,
                             QString::number(value));
}

void BM_ChangeWithoutJournal(benchmark::State& state) {
    Edited edited(int(state.range(0)));
    int value = 5;
    for (auto _ : state)
        change(edited, value);
}

void BM_ChangeWithJournal(benchmark::State& state) {
    Edited edited(int(state.range(0)));
    int value = 5;
    for (auto _ : state) {
        change(edited, value);
        edited.journal->changed();
        benchmark::DoNotOptimize(edited.text()); // what the window then gathers itself
    }
}

void BM_JournalWrite(benchmark::State& state) {
    Edited edited(int(state.range(0)));
    int value = 5;
    for (auto _ : state) {
        change(edited, value);
        edited.journal->changed();
        edited.journal->settle(); // made, written, synced
    }
}

void configure(benchmark::internal::Benchmark* bench) {
    bench->ArgName("table")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
}

BENCHMARK(BM_ChangeWithoutJournal)->Apply(configure);
BENCHMARK(BM_ChangeWithJournal)->Apply(configure);
BENCHMARK(BM_JournalWrite)->Apply(configure);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
