// Open (dialog answered, through zlibtool, to a filled list) and Save (to "Zapisano plik") in the
// main window, beside what they cannot do without: the bare run of zlibtool on the same file, and
// for Save also one replace of the user's file that lasts through a power cut. Needs a display;
// without one run it with QT_QPA_PLATFORM=offscreen.
#include "boots/boots_format.h"
#include "fileops/file_ops.h"
#include "services/message_box.h"
#include "services/qel_common_dialog.h"
#include "ui/frm_main.h"

#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

namespace {

enum Table { Sample, Boots256 };

// A program folder with zlibtool and zlib/temp/, and a user's file: the sample or a table of
// 256 boots packed by the tool.
class Setup {
public:
    explicit Setup(int table) {
        QDir root(dir.path());
        root.mkpath(QStringLiteral("zlib/temp"));
        QFile::copy(QStringLiteral(KORVANE_ZLIBTOOL), tool());
        if (table == Sample) {
            QFile::copy(QStringLiteral(KORVANE_SAMPLE), user());
            return;
        }
        std::vector<boots::BootRecord> records(256);
        for (std::size_t k = 0; k < records.size(); ++k) {
            records[k].ID = static_cast<std::uint8_t>(k);
            records[k].Grupa = 1;
            records[k].Nazwa = "Boot " + std::to_string(k * 7919);
            records[k].Sila = records[k].Precyzja = 3;
        }
        const auto raw = boots::encodeFile(records);
        QFile plain(user() + QStringLiteral(".raw"));
        plain.open(QIODevice::WriteOnly);
        plain.write(reinterpret_cast<const char*>(raw->data()), static_cast<qint64>(raw->size()));
        plain.close();
        runTool({plain.fileName()});
        QFile::rename(plain.fileName() + QStringLiteral(".zlib"), user());
        plain.remove();
    }

    QString folder() const { return dir.path() + QLatin1Char('/'); }
    QString tool() const { return folder() + QStringLiteral("zlib/zlibtool"); }
    QString user() const { return folder() + QStringLiteral("user boots.bin"); }
    QString work() const { return folder() + QStringLiteral("zlib/temp/user boots.bin"); }

    // Runs zlibtool and waits for it, as plainly as a caller can.
    void runTool(const QStringList& arguments) const {
        QProcess process;
        process.start(tool(), arguments);
        process.waitForFinished(-1);
    }

private:
    QTemporaryDir dir;
};

// The window with its dialog answering `path` and its messages counted.
class Window {
public:
    explicit Window(const Setup& setup) : frame(setup.folder()) {
        const QString path = setup.user();
        Qel_Common_Dialog::setAnswerer(
            [path](const QString&, const QString&, const QStringList&) { return path; });
        korvane::setMessageRecorder([this](const korvane::Message& message) {
            saved += message.text == QStringLiteral("Zapisano plik");
        });
    }
    ~Window() {
        Qel_Common_Dialog::setAnswerer({});
        korvane::setMessageRecorder({});
    }
    void open() { frame.findChild<QAction*>(QStringLiteral("MnuFileOpen"))->trigger(); }
    void save() { frame.findChild<QPushButton*>(QStringLiteral("Cmd_Zapisz"))->click(); }
    int listed() const { return frame.findChild<QListWidget*>(QStringLiteral("List1"))->count(); }

    int saved = 0;

private:
    FrmMain frame;
};

void BM_Open(benchmark::State& state) {
    Setup setup(static_cast<int>(state.range(0)));
    Window window(setup);
    for (auto _ : state) {
        window.open();
        if (window.listed() == 0) {
            state.SkipWithError("nothing listed");
            break;
        }
    }
}

void BM_Save(benchmark::State& state) {
    Setup setup(static_cast<int>(state.range(0)));
    Window window(setup);
    window.open();
    for (auto _ : state)
        window.save();
    if (window.saved != static_cast<int>(state.iterations()))
        state.SkipWithError("a save failed");
}

// zlibtool unpacking the working copy, as Open runs it.
void BM_ToolUnpack(benchmark::State& state) {
    Setup setup(static_cast<int>(state.range(0)));
    QFile::copy(setup.user(), setup.work());
    for (auto _ : state)
        setup.runTool({setup.work(), QStringLiteral("-d")});
}

// zlibtool packing the unpacked table, as Save runs it.
void BM_ToolPack(benchmark::State& state) {
    Setup setup(static_cast<int>(state.range(0)));
    QFile::copy(setup.user(), setup.work());
    setup.runTool({setup.work(), QStringLiteral("-d")});
    for (auto _ : state)
        setup.runTool({setup.work() + QStringLiteral(".unzlib")});
}

// The user's file replaced by the packed table, synced to the disk, as Save does it at the end.
void BM_DurableReplace(benchmark::State& state) {
    Setup setup(static_cast<int>(state.range(0)));
    const std::string packed = (setup.work() + QStringLiteral(".packed")).toStdString();
    QFile::copy(setup.user(), QString::fromStdString(packed));
    for (auto _ : state)
        if (!fileops::copyOver(packed, setup.user().toStdString()).ok())
            state.SkipWithError("the replace failed");
}

void configure(benchmark::internal::Benchmark* bench) {
    bench->ArgName("table")->Arg(Sample)->Arg(Boots256)->UseRealTime()->Unit(
        benchmark::kMillisecond);
    bench->Repetitions(9)->ReportAggregatesOnly(true);
}

BENCHMARK(BM_Open)->Apply(configure);
BENCHMARK(BM_ToolUnpack)->Apply(configure);
BENCHMARK(BM_Save)->Apply(configure);
BENCHMARK(BM_ToolPack)->Apply(configure);
BENCHMARK(BM_DurableReplace)->Apply(configure);

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Korvane"));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
