// The printed page: its layout in 0.1 mm, and PDF output read back with poppler's tools.
#include <QDir>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>

#include "app/mainframe.h"
#include "app/pagelayout.h"
#include "app/qvdoc.h"
#include "app/qvview.h"
#include "forms/reportfile.h"
#include "tests/gui/guitest.h"

using namespace tov::app;
using namespace tov::guitest;

namespace {

QString run(const QString& program, const QStringList& args, int* exitCode = nullptr) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    if (exitCode) *exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The text of each page of a PDF.
QStringList pdfPages(const QString& pdf) {
    QStringList pages = run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")})
                            .split(u'\f');
    if (!pages.isEmpty() && pages.back().trimmed().isEmpty()) pages.removeLast();
    return pages;
}

QString report(int lines) {
    QString t;
    for (int i = 1; i <= lines; ++i) t += QStringLiteral("　　　　第%1行 ξ＝0.279 As＝1189.5（mm2）\n").arg(i);
    return t;
}

}  // namespace

class PrintTest : public QObject {
    Q_OBJECT
    Watchdog watchdog_;

private slots:
    TOV_WATCHDOG_SLOTS

    void initTestCase() {
        QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(),
                 "pdftotext (Debian package poppler-utils) is needed");
    }

    // A4 with no unprintable margin: 25 mm all round, the header band 20 mm to 25 mm from the
    // top, the footer band 20 mm tall below the text.
    void a4Layout() {
        const PageBoxes b = layoutPage(PageMetrics{}, 45);
        QCOMPARE(b.text, QRect(QPoint(250, 250), QPoint(1849, 2719)));
        QCOMPARE(b.header, QRect(QPoint(250, 200), QPoint(1849, 249)));
        QCOMPARE(b.footer, QRect(QPoint(250, 2720), QPoint(1849, 2919)));
    }

    void largerUnprintableMarginWins() {
        PageMetrics m;
        m.left = 300;
        m.right = 260;
        m.bottom = 50;
        const PageBoxes b = layoutPage(m, 45);
        QCOMPARE(b.text.left(), 300);
        QCOMPARE(b.text.right() + 1, 2100 - 260);
        QCOMPARE(b.text.bottom() + 1, 2970 - 250);
        QCOMPARE(b.footer.height(), 200 - 50);  // 20 mm less the unprintable bottom margin
    }

    // A bottom margin beyond 20 mm made the footer band negative: it is now one line tall, below
    // the text and inside the printable area.
    void footerBandNeverNegative_data() {
        QTest::addColumn<int>("bottom");
        QTest::newRow("20 mm") << 200;
        QTest::newRow("22 mm") << 220;
        QTest::newRow("25 mm") << 250;
        QTest::newRow("30 mm") << 300;
        QTest::newRow("18 mm") << 180;
    }
    void footerBandNeverNegative() {
        QFETCH(int, bottom);
        PageMetrics m;
        m.bottom = bottom;
        const int line = 45;
        const PageBoxes b = layoutPage(m, line);
        QVERIFY(b.footer.height() >= line);
        QVERIFY(b.footer.top() > b.text.bottom());
        QVERIFY(b.footer.bottom() + 1 <= m.paperHeight - bottom);
        QVERIFY(b.text.height() > 2000);
    }

    void headerBandFitsUnderALargeTopMargin() {
        PageMetrics m;
        m.top = 260;
        const PageBoxes b = layoutPage(m, 45);
        QVERIFY(b.header.top() >= 260);
        QVERIFY(b.header.height() >= 45);
        QVERIFY(b.text.top() > b.header.bottom());
    }

    // Every page of the PDF carries the full path at the top and "- n -" at the bottom, in 楷体;
    // the body keeps the display font chosen.
    void pdfHasHeaderAndPageNumberOnEveryPage() {
        const QString dir = tempDir();
        const QString path = dir + QStringLiteral("/report.txt");
        writeBytes(path, gbk(QString(report(150)).replace(u'\n', QStringLiteral("\r\n"))));
        CMainFrame w;
        QVERIFY(w.openFile(path));
        w.view()->setDisplayFont(QFont(QStringLiteral("DejaVu Sans Mono"), 10));
        const QString pdf = dir + QStringLiteral("/report.pdf");
        QVERIFY(w.exportPdf(pdf));
        const QStringList pages = pdfPages(pdf);
        QVERIFY2(pages.size() >= 3, qPrintable(QString::number(pages.size())));
        const QString header = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
        QString all;
        for (int i = 0; i < pages.size(); ++i) {
            const QStringList lines = pages[i].split(u'\n', Qt::SkipEmptyParts);
            QCOMPARE(lines.first().trimmed(), header);
            QCOMPARE(lines.last().trimmed(), QStringLiteral("- %1 -").arg(i + 1));
            all += pages[i];
        }
        // Every line of the report is printed once: no line lost or doubled at a page break.
        for (int i = 1; i <= 150; ++i)
            QCOMPARE(all.count(QStringLiteral("第%1行 ").arg(i)), 1);
        const QString fonts = run(QStringLiteral("pdffonts"), {pdf});
        QVERIFY2(fonts.contains(QStringLiteral("UKai")), qPrintable(fonts));
        QVERIFY2(fonts.contains(QStringLiteral("DejaVuSansMono")), qPrintable(fonts));
    }

    void emptyReportPrintsPageNumberOnly() {
        const QString dir = tempDir();
        CMainFrame w;
        QVERIFY(w.exportPdf(dir + QStringLiteral("/empty.pdf")));
        const QStringList pages = pdfPages(dir + QStringLiteral("/empty.pdf"));
        QCOMPARE(pages.size(), 1);
        QCOMPARE(pages[0].trimmed(), QStringLiteral("- 1 -"));
    }

    // The preview paints through the same routine as printing.
    void previewAndPrintShareOneRoutine() {
        CMainFrame w;
        w.view()->setPlainText(report(120));
        const QString dir = tempDir();
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir + QStringLiteral("/p.pdf"));
        w.paintPages(&printer);
        QCOMPARE(pdfPages(dir + QStringLiteral("/p.pdf")).size(), paintReport(printer, w.view()->viewText(), w.view()->font(), {}));
    }

    // tovarin --pdf OUT FILE writes the pages without a window.
    void commandLinePdf() {
        const QString dir = tempDir();
        const QString path = dir + QStringLiteral("/cli.txt");
        writeBytes(path, gbk(QStringLiteral("\r\n─────选用钢筋计算─────\r\n")));
        int code = -1;
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        env.remove(QStringLiteral("DISPLAY"));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(TOVARIN_APP), {QStringLiteral("--pdf"), dir + QStringLiteral("/cli.pdf"), path});
        QVERIFY(p.waitForFinished(60000));
        code = p.exitCode();
        QCOMPARE(code, 0);
        const QStringList pages = pdfPages(dir + QStringLiteral("/cli.pdf"));
        QCOMPARE(pages.size(), 1);
        QVERIFY(pages[0].contains(QStringLiteral("─────选用钢筋计算─────")));
        QVERIFY(pages[0].contains(path));
        // A file that does not open gives a failure exit and no PDF.
        p.start(QStringLiteral(TOVARIN_APP), {QStringLiteral("--pdf"), dir + QStringLiteral("/no.pdf"), dir + QStringLiteral("/none.txt")});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 1);
        QVERIFY(!QFile::exists(dir + QStringLiteral("/no.pdf")));
    }

    // Long reports print in time linear in their size: 48 000 empty lines (before: a layout of the
    // whole document per block, over 20 minutes), and one long line wrapped over many pages.
    void longReportsPrint() {
        const QString dir = tempDir();
        CMainFrame w;
        w.view()->setPlainText(QString(48000, u'\n') + QStringLiteral("最后一行"));
        QVERIFY(w.exportPdf(dir + QStringLiteral("/empty.pdf")));
        QStringList pages = pdfPages(dir + QStringLiteral("/empty.pdf"));
        QVERIFY2(pages.size() > 400, qPrintable(QString::number(pages.size())));
        QVERIFY(pages.back().contains(QStringLiteral("最后一行")));
        QVERIFY(pages.back().contains(QStringLiteral("- %1 -").arg(pages.size())));
        QString words;
        for (int i = 0; i < 6000; ++i) words += QStringLiteral("w%1 ").arg(i);
        w.view()->setPlainText(words);
        QVERIFY(w.exportPdf(dir + QStringLiteral("/long.pdf")));
        pages = pdfPages(dir + QStringLiteral("/long.pdf"));
        QVERIFY2(pages.size() > 1, qPrintable(QString::number(pages.size())));
        const QString all = pages.join(QString()).simplified();
        QVERIFY(all.contains(QStringLiteral("w0 w1 w2")));
        QVERIFY(all.contains(QStringLiteral("w5998 w5999")));
    }

    // A PDF write that fails part way (a file-size limit, a full disk) is a failure with a message
    // naming the file, and the old PDF stays as it was; so for the desktop's export.
    void failedPdfWriteKeepsTheOldPdf() {
        const QString dir = tempDir();
        const QString path = dir + QStringLiteral("/r.txt"), pdf = dir + QStringLiteral("/r.pdf");
        writeBytes(path, gbk(report(200).replace(u'\n', QStringLiteral("\r\n"))));
        writeBytes(pdf, "%PDF-1.4 the good old one");
        QProcess p;
        p.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("trap '' XFSZ; ulimit -f 16; exec \"$0\" --pdf \"$1\" \"$2\""),
                                           QStringLiteral(TOVARIN_APP), pdf, path});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 1);
        QVERIFY2(QString::fromLocal8Bit(p.readAllStandardError()).contains(QStringLiteral("无法写入PDF文件 %1：文件超过了允许的大小。").arg(pdf)),
                 "the message names the file and the cause");
        QCOMPARE(readBytes(pdf), QByteArray("%PDF-1.4 the good old one"));
        CMainFrame w;
        QVERIFY(w.openFile(path));
        Shown shown;
        answerMessage(&shown);
        tov::injectWriteFault(tov::WriteFault::ShortWrite);
        const bool written = w.exportPdf(pdf);
        tov::injectWriteFault(tov::WriteFault::None);
        QVERIFY(!written);
        QCOMPARE(shown.text, QStringLiteral("无法写入PDF文件 %1：磁盘空间不足。").arg(pdf));
        QCOMPARE(readBytes(pdf), QByteArray("%PDF-1.4 the good old one"));
        // Printing to a file goes the same way.
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        QString error;
        tov::injectWriteFault(tov::WriteFault::ShortWrite);
        const bool printed = printReportToFile(printer, w.view()->viewText(), w.view()->font(), path, &error);
        tov::injectWriteFault(tov::WriteFault::None);
        QVERIFY(!printed);
        QVERIFY(error.contains(pdf));
        QCOMPARE(readBytes(pdf), QByteArray("%PDF-1.4 the good old one"));
        QVERIFY(printReportToFile(printer, w.view()->viewText(), w.view()->font(), path, &error));
        QVERIFY(pdfPages(pdf).size() > 1);
        QCOMPARE(QDir(dir).entryList(QDir::Files | QDir::Hidden).size(), 2);  // no temporary left
    }

    // A PDF is never written over the report it is made of, whatever name leads to it.
    void pdfOverItsOwnReportIsRefused() {
        const QString dir = tempDir();
        const QString path = dir + QStringLiteral("/r.txt");
        const QByteArray bytes = gbk(QStringLiteral("报告\r\n"));
        writeBytes(path, bytes);
        QFile::link(path, dir + QStringLiteral("/alias.txt"));
        for (const QString& out : {path, dir + QStringLiteral("/alias.txt"), dir + QStringLiteral("/./r.txt")}) {
            QProcess p;
            p.start(QStringLiteral(TOVARIN_APP), {QStringLiteral("--pdf"), out, path});
            QVERIFY(p.waitForFinished(60000));
            QCOMPARE(p.exitCode(), 1);
            QCOMPARE(readBytes(path), bytes);
        }
        CMainFrame w;
        QVERIFY(w.openFile(path));
        Shown shown;
        answerMessage(&shown);
        QVERIFY(!w.exportPdf(dir + QStringLiteral("/alias.txt")));
        QVERIFY(shown.text.contains(QStringLiteral("就是报告文件本身")));
        QCOMPARE(readBytes(path), bytes);
    }
};

TOV_GUI_SUITE(PrintTest)
#include "print_test.moc"
