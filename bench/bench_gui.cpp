// Desktop benchmarks, each measured side by side with a bare Qt baseline in the same run
// (offscreen platform):
//   Calculate with 1 MB already in the report against an empty report (and, for Qt's own share,
//   a bare QPlainTextEdit appending the same sheet to 1 MB against to nothing);
//   opening a 1 MB GBK report against QPlainTextEdit::setPlainText of the same text;
//   start-up to the first painted main window against a bare QMainWindow with a QPlainTextEdit
//   (again within one process, and in fresh processes);
//   printing a 1 MB report to PDF against QTextDocument::print of the same text;
//   peak memory with a 1 MB report open against the bare editor holding it (child processes).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextDocument>
#include <cstdio>
#include <cstring>
#include <memory>
#include <fstream>
#include <string>

#include "app/formdialog.h"
#include "app/mainframe.h"
#include "app/qvapp.h"
#include "app/qvdoc.h"
#include "app/pagelayout.h"
#include "app/qvview.h"
#include "forms/memoryview.h"
#include "forms/registry.h"
#include "forms/reportfile.h"

namespace {

using namespace tov::app;

QTemporaryDir& workDir() {
    static QTemporaryDir dir;
    return dir;
}

// About 1 MB of sheets (GBK bytes), leaving room for more sheets below the file limit.
const std::string& megabyteUtf8() {
    static const std::string text = [] {
        tov::MemoryReport one;
        tov::MemoryView ui;
        auto form = tov::findForm("CSinglyRectDesignDlg")->make();
        form->open(ui);
        form->onCalculate(ui, one);
        std::string t;
        while (tov::encodedSize(t + one.text(), tov::ReportEncoding::Gbk) < 1000000) t += one.text();
        return t;
    }();
    return text;
}

QString megabyteFile() {
    const QString path = workDir().filePath(QStringLiteral("1mb.txt"));
    if (!QFile::exists(path))
        tov::writeReportFile(QFile::encodeName(path).toStdString(), {megabyteUtf8(), tov::ReportEncoding::Gbk});
    return path;
}

QString viewTextOfMegabyte() { return QString::fromStdString(megabyteUtf8()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }

// --- Calculate until the report shows the new sheet ------------------------------------------

void BM_Calculate(benchmark::State& state) {
    CMainFrame w;
    w.resize(1280, 800);
    w.show();
    const bool big = state.range(0) != 0;
    auto form = tov::findForm("CSinglyRectDesignDlg")->make();
    FormDialog dlg(*form, *w.view(), &w);
    dlg.show();
    QApplication::processEvents();
    int sinceReset = 1000;
    for (auto _ : state) {
        if (sinceReset >= 20) {  // stay below the file limit
            state.PauseTiming();
            w.view()->setPlainText(big ? viewTextOfMegabyte() : QString());
            w.view()->moveCursor(QTextCursor::End);
            QApplication::processEvents();
            sinceReset = 0;
            state.ResumeTiming();
        }
        dlg.calculate();
        w.view()->viewport()->repaint();
        ++sinceReset;
    }
    state.SetLabel(big ? "1 MB report" : "empty report");
}
BENCHMARK(BM_Calculate)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The first Calculate after opening a 1 MB report (the file loaded into the view before each
// one), against BM_Calculate's steady Calculate with 1 MB.
void BM_CalculateFirst(benchmark::State& state) {
    const QString path = megabyteFile();
    CMainFrame w;
    w.resize(1280, 800);
    w.show();
    auto form = tov::findForm("CSinglyRectDesignDlg")->make();
    FormDialog dlg(*form, *w.view(), &w);
    dlg.show();
    QApplication::processEvents();
    for (auto _ : state) {
        state.PauseTiming();
        w.view()->loadFile(path);
        w.view()->moveCursor(QTextCursor::End);
        QApplication::processEvents();
        state.ResumeTiming();
        dlg.calculate();
        w.view()->viewport()->repaint();
    }
    state.SetLabel("first after opening 1 MB");
}
BENCHMARK(BM_CalculateFirst)->Unit(benchmark::kMillisecond);

// Qt's floor for the same: a bare QPlainTextEdit given the same sheet at its end and repainted,
// with 1 MB before it against none. Inserting into a large document and repainting its scroll bar
// cost Qt more with 1 MB, whoever calls it.
void BM_AppendBare(benchmark::State& state) {
    QMainWindow w;
    auto* e = new QPlainTextEdit;
    w.setCentralWidget(e);
    w.resize(1280, 800);
    w.show();
    const bool big = state.range(0) != 0;
    tov::MemoryReport sheet;
    tov::MemoryView ui;
    auto form = tov::findForm("CSinglyRectDesignDlg")->make();
    form->open(ui);
    form->onCalculate(ui, sheet);
    const QString tail = QString::fromStdString(sheet.text()).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QApplication::processEvents();
    int sinceReset = 1000;
    for (auto _ : state) {
        if (sinceReset >= 20) {
            state.PauseTiming();
            e->setPlainText(big ? viewTextOfMegabyte() : QString());
            e->moveCursor(QTextCursor::End);
            QApplication::processEvents();
            sinceReset = 0;
            state.ResumeTiming();
        }
        QTextCursor c(e->document());
        c.movePosition(QTextCursor::End);
        c.insertText(tail);
        e->viewport()->repaint();
        ++sinceReset;
    }
    state.SetLabel(big ? "bare QPlainTextEdit, 1 MB" : "bare QPlainTextEdit, empty");
}
BENCHMARK(BM_AppendBare)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// --- Opening a 1 MB report --------------------------------------------------------------------

void BM_OpenReport(benchmark::State& state) {
    const QString path = megabyteFile();
    for (auto _ : state) {
        state.PauseTiming();
        {
            CMainFrame w;
            state.ResumeTiming();
            w.openFile(path);
            state.PauseTiming();
        }
        state.ResumeTiming();
    }
    state.SetLabel("CMainFrame::openFile");
}
BENCHMARK(BM_OpenReport)->Unit(benchmark::kMillisecond);

void BM_OpenBare(benchmark::State& state) {
    const QString text = viewTextOfMegabyte();
    for (auto _ : state) {
        state.PauseTiming();
        {
            QPlainTextEdit e;
            state.ResumeTiming();
            e.setPlainText(text);
            state.PauseTiming();
        }
        state.ResumeTiming();
    }
    state.SetLabel("bare QPlainTextEdit::setPlainText");
}
BENCHMARK(BM_OpenBare)->Unit(benchmark::kMillisecond);

// --- Start-up to the first painted main window ----------------------------------------------

void BM_StartUp(benchmark::State& state) {
    for (auto _ : state) {
        CMainFrame w;
        w.resize(1280, 800);
        w.show();
        w.repaint();
        QApplication::processEvents();
    }
    state.SetLabel("CMainFrame");
}
BENCHMARK(BM_StartUp)->Unit(benchmark::kMillisecond);

void BM_StartUpBare(benchmark::State& state) {
    for (auto _ : state) {
        QMainWindow w;
        w.setCentralWidget(new QPlainTextEdit);
        w.resize(1280, 800);
        w.show();
        w.repaint();
        QApplication::processEvents();
    }
    state.SetLabel("bare QMainWindow + QPlainTextEdit");
}
BENCHMARK(BM_StartUpBare)->Unit(benchmark::kMillisecond);

// The same in a fresh process, as a user meets it: the first window of the program, fonts,
// style and icons not yet loaded (child processes; the time from before the window is made to
// its first paint, as the child measures it).
int startUpProbe(const char* which) {
    QElapsedTimer t;
    t.start();
    if (std::strcmp(which, "ours") == 0) {
        CMainFrame w;
        w.resize(1280, 800);
        w.show();
        w.repaint();
        QApplication::processEvents();
        std::printf("%lld\n", static_cast<long long>(t.nsecsElapsed()));
    } else {
        QMainWindow w;
        w.setCentralWidget(new QPlainTextEdit);
        w.resize(1280, 800);
        w.show();
        w.repaint();
        QApplication::processEvents();
        std::printf("%lld\n", static_cast<long long>(t.nsecsElapsed()));
    }
    return 0;
}

void BM_StartUpFresh(benchmark::State& state) {
    const char* which = state.range(0) ? "ours" : "bare";
    for (auto _ : state) {
        QProcess p;
        p.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--startup-probe"), QString::fromLatin1(which)});
        p.waitForFinished(60000);
        state.SetIterationTime(p.readAllStandardOutput().trimmed().toDouble() / 1e9);
    }
    state.SetLabel(state.range(0) ? "CMainFrame, fresh process" : "bare QMainWindow + QPlainTextEdit, fresh process");
}
BENCHMARK(BM_StartUpFresh)->Arg(1)->Arg(0)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);

// Whole processes, as a user starts them: each child makes its application object (ours: the
// program's own, with its translations and window icon), its window, shows it and ends at once
// when the window's first paint is done; the time is the parent's, from starting the process to
// its end. The toolbar and the menus are complete at that paint (they are built with the window).
class FirstPaintExit : public QObject {
public:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Paint && o->isWidgetType() && static_cast<QWidget*>(o)->isWindow())
            QMetaObject::invokeMethod(qApp, [] { std::fflush(stdout); std::_Exit(0); }, Qt::QueuedConnection);
        return false;
    }
};

int firstPaintProbe(int argc, char** argv) {
    const bool ours = std::strcmp(argv[2], "ours") == 0;
    std::unique_ptr<QApplication> app(ours ? new CQvApp(argc, argv) : new QApplication(argc, argv));
    FirstPaintExit exitAtPaint;
    std::unique_ptr<QMainWindow> w;
    if (ours) {
        w = std::make_unique<CMainFrame>();
    } else {
        w = std::make_unique<QMainWindow>();
        w->setCentralWidget(new QPlainTextEdit);
    }
    w->installEventFilter(&exitAtPaint);
    w->resize(1280, 800);
    w->show();
    return app->exec();
}

void BM_StartUpProcess(benchmark::State& state) {
    const char* which = state.range(0) ? "ours" : "bare";
    for (auto _ : state) {
        QProcess p;
        p.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--first-paint"), QString::fromLatin1(which)});
        p.waitForFinished(60000);
    }
    state.SetLabel(state.range(0) ? "CQvApp + CMainFrame, process to first paint"
                                  : "QApplication + bare QMainWindow + QPlainTextEdit, process to first paint");
}
BENCHMARK(BM_StartUpProcess)->Arg(1)->Arg(0)->Iterations(10)->Unit(benchmark::kMillisecond)->UseRealTime();

// --- Printing a 1 MB report to PDF ------------------------------------------------------------

void BM_PrintPdf(benchmark::State& state) {
    const QString text = viewTextOfMegabyte();
    const QString out = workDir().filePath(QStringLiteral("ours.pdf"));
    QFont font;
    for (auto _ : state) {
        QString error;
        writeReportPdf(out, text, font, QStringLiteral("/home/user/report.txt"), &error);
    }
    state.SetLabel("writeReportPdf");
}
BENCHMARK(BM_PrintPdf)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PrintPdfBare(benchmark::State& state) {
    const QString text = viewTextOfMegabyte();
    const QString out = workDir().filePath(QStringLiteral("bare.pdf"));
    for (auto _ : state) {
        QTextDocument doc;
        doc.setPlainText(text);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(out);
        doc.print(&printer);
    }
    state.SetLabel("bare QTextDocument::print");
}
BENCHMARK(BM_PrintPdfBare)->Unit(benchmark::kMillisecond)->Iterations(3);

// The worst cases for the page layout, at half and at the full file limit (time linear in the
// size: the 1 MB figure about twice the 512 KB one): kind 0 empty lines only ("\r\n" each),
// kind 1 one-character lines, kind 2 one line of words without a break.
void BM_PrintPdfWorstCase(benchmark::State& state) {
    const auto bytes = static_cast<qsizetype>(state.range(1));
    QString text;
    switch (state.range(0)) {
        case 0: text = QString(bytes / 2, u'\n'); break;
        case 1: text = QStringLiteral("a\n").repeated(bytes / 3); break;
        default: text = QStringLiteral("abcdefgh ").repeated(bytes / 9); break;
    }
    const QString out = workDir().filePath(QStringLiteral("worst.pdf"));
    QFont font;
    for (auto _ : state) {
        QString error;
        if (!writeReportPdf(out, text, font, QStringLiteral("/home/user/report.txt"), &error))
            state.SkipWithError(error.toStdString().c_str());
    }
    state.SetBytesProcessed(state.iterations() * bytes);
    static const char* const kinds[] = {"empty lines", "one-character lines", "one long line"};
    state.SetLabel(kinds[state.range(0)]);
}
BENCHMARK(BM_PrintPdfWorstCase)
    ->ArgsProduct({{0, 1, 2}, {524288, 1048575}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// --- Peak memory with a 1 MB report open ------------------------------------------------------

long peakKiB() {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

// Child process: open the report (ours or bare), paint once, print the peak resident size.
int memoryProbe(const char* which, const char* path) {
    if (std::strcmp(which, "ours") == 0) {
        CMainFrame w;
        w.resize(1280, 800);
        w.show();
        w.openFile(QString::fromLocal8Bit(path));
        w.repaint();
        QApplication::processEvents();
        std::printf("%ld\n", peakKiB());
    } else {
        QMainWindow w;
        auto* e = new QPlainTextEdit;
        w.setCentralWidget(e);
        w.resize(1280, 800);
        w.show();
        QFile f(QString::fromLocal8Bit(path));
        f.open(QIODevice::ReadOnly);
        tov::ReportText t;
        tov::decodeReport(f.readAll().toStdString(), t);
        e->setPlainText(QString::fromStdString(t.utf8));
        w.repaint();
        QApplication::processEvents();
        std::printf("%ld\n", peakKiB());
    }
    return 0;
}

void BM_PeakMemory(benchmark::State& state) {
    const char* which = state.range(0) ? "ours" : "bare";
    double kib = 0;
    for (auto _ : state) {
        QProcess p;
        p.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--memory-probe"), QString::fromLatin1(which), megabyteFile()});
        p.waitForFinished(60000);
        kib = p.readAllStandardOutput().trimmed().toDouble();
    }
    state.counters["peak_KiB"] = kib;
    state.SetLabel(state.range(0) ? "CMainFrame with the report" : "bare editor with the text");
}
BENCHMARK(BM_PeakMemory)->Arg(1)->Arg(0)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3 && std::strcmp(argv[1], "--first-paint") == 0) return firstPaintProbe(argc, argv);
    QApplication app(argc, argv);
    if (argc == 4 && std::strcmp(argv[1], "--memory-probe") == 0) return memoryProbe(argv[2], argv[3]);
    if (argc == 3 && std::strcmp(argv[1], "--startup-probe") == 0) return startUpProbe(argv[2]);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
