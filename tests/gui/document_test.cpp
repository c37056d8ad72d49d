// The report document in the main window: open and save byte for byte, the save prompt before
// new, open and exit, refused files, the recent-file list, help from the program's folder.
#include <QDir>
#include <QSettings>
#include <QStatusBar>

#include "app/helppages.h"
#include "app/mainframe.h"
#include "app/qvdoc.h"
#include "app/qvview.h"
#include "forms/reportfile.h"
#include "tests/gui/guitest.h"

using namespace tov::app;
using namespace tov::guitest;

class DocumentTest : public QObject {
    Q_OBJECT
    Watchdog watchdog_;

private slots:
    TOV_WATCHDOG_SLOTS

    void saveThenOpenGivesIdenticalBytes_data() {
        QTest::addColumn<QByteArray>("bytes");
        const QString sheet = QStringLiteral("\r\n─────单筋矩形截面受弯构件正截面配筋计算书─────\r\n一、设计要求:\r\n　　　　结构安全等级: 二级\r\n\tend");
        QTest::newRow("GBK, CR LF") << gbk(sheet);
        QTest::newRow("GBK, LF") << gbk(QString(sheet).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        QTest::newRow("UTF-8, CR LF") << sheet.toUtf8();
        QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF") + sheet.toUtf8();
        QTest::newRow("ASCII, no line end") << QByteArray("plain text");
        QTest::newRow("no-break space and line separator") << QStringLiteral("a\u00A0b\u2028c\r\n").toUtf8();
        QTest::newRow("empty") << QByteArray();
    }
    void saveThenOpenGivesIdenticalBytes() {
        QFETCH(QByteArray, bytes);
        const QString dir = tempDir();
        writeBytes(dir + QStringLiteral("/in.txt"), bytes);
        CMainFrame w;
        QVERIFY(w.openFile(dir + QStringLiteral("/in.txt")));
        QVERIFY(!w.document()->isModified());
        QVERIFY(w.saveFile(dir + QStringLiteral("/out.txt")));
        QCOMPARE(readBytes(dir + QStringLiteral("/out.txt")), bytes);
        // A sheet appended to an LF file takes the file's line ends.
        QVERIFY(w.view()->replaceWholeText(w.view()->wholeText() + "\r\nx\r\n"));
        QVERIFY(w.saveFile(dir + QStringLiteral("/more.txt")));
        const QByteArray more = readBytes(dir + QStringLiteral("/more.txt"));
        QVERIFY(more.startsWith(bytes));
        const bool lf = bytes.contains('\n') && !bytes.contains("\r\n");
        QCOMPARE(more.mid(bytes.size()), lf ? QByteArray("\nx\n") : QByteArray("\r\nx\r\n"));
    }

    // Mixed line ends cannot come back byte for byte from a text view: they are unified to
    // "\r\n" and the report counts as modified from the start.
    void mixedLineEndsAreUnifiedAndMarkedModified() {
        const QString dir = tempDir();
        writeBytes(dir + QStringLiteral("/mixed.txt"), "a\r\nb\nc\rd");
        CMainFrame w;
        QVERIFY(w.openFile(dir + QStringLiteral("/mixed.txt")));
        QVERIFY(w.document()->isModified());
        QCOMPARE(w.view()->viewText(), QStringLiteral("a\nb\nc\nd"));
        QVERIFY(w.saveFile(dir + QStringLiteral("/out.txt")));
        QCOMPARE(readBytes(dir + QStringLiteral("/out.txt")), QByteArray("a\r\nb\r\nc\r\nd"));
    }

    void tooLargeFileIsRefusedAndTheTextStays() {
        const QString dir = tempDir();
        writeBytes(dir + QStringLiteral("/big.txt"), QByteArray(tov::kMaxReportBytes + 1, 'x'));
        writeBytes(dir + QStringLiteral("/limit.txt"), QByteArray(tov::kMaxReportBytes, 'x'));
        CMainFrame w;
        w.view()->setPlainText(QStringLiteral("kept"));
        Shown shown;
        answerMessage(&shown);
        QVERIFY(!w.openFile(dir + QStringLiteral("/big.txt")));
        QCOMPARE(shown.text, QDir::toNativeSeparators(dir + QStringLiteral("/big.txt")) + QStringLiteral("：该文件太大，无法打开。"));
        QCOMPARE(w.view()->viewText(), QStringLiteral("kept"));
        QCOMPARE(w.windowTitle().remove(QStringLiteral("[*]")), QStringLiteral("无标题 - Tovarin"));
        QVERIFY(w.openFile(dir + QStringLiteral("/limit.txt")));
        QCOMPARE(w.view()->fileSize(), tov::kMaxReportBytes);
    }

    // A file that is neither GBK nor UTF-8 is refused, never mangled.
    void undecodableFileIsRefused() {
        const QString dir = tempDir();
        writeBytes(dir + QStringLiteral("/bad.txt"), QByteArray("ok\x81\x20\xff\xfe", 6));
        CMainFrame w;
        w.view()->setPlainText(QStringLiteral("kept"));
        Shown shown;
        answerMessage(&shown);
        QVERIFY(!w.openFile(dir + QStringLiteral("/bad.txt")));
        QVERIFY(shown.seen);
        QVERIFY(shown.text.contains(QStringLiteral("无法打开")));
        QCOMPARE(w.view()->viewText(), QStringLiteral("kept"));
    }

    // A failed save says so and leaves the report modified; the old file is untouched.
    void failedSaveSaysSoAndKeepsTheOldFile() {
        const QString dir = tempDir();
        CMainFrame w;
        w.view()->setPlainText(QStringLiteral("new text"));
        w.document()->setModified(true);
        Shown shown;
        answerMessage(&shown);
        QVERIFY(!w.saveFile(dir + QStringLiteral("/no such folder/r.txt")));
        QCOMPARE(shown.text, QStringLiteral("保存文档失败。"));
        QVERIFY(w.document()->isModified());
        // The target is a folder: the rename fails and the folder stays as it was.
        QDir(dir).mkdir(QStringLiteral("target.txt"));
        writeBytes(dir + QStringLiteral("/target.txt/inside"), "old");
        shown = {}; answerMessage(&shown);
        QVERIFY(!w.saveFile(dir + QStringLiteral("/target.txt")));
        QCOMPARE(shown.text, QStringLiteral("保存文档失败。"));
        QCOMPARE(readBytes(dir + QStringLiteral("/target.txt/inside")), QByteArray("old"));
        QCOMPARE(QDir(dir).entryList(QDir::Files | QDir::Hidden).size(), 0);  // no temporary left
    }

    // A save that fails part way (a full disk) or is cut off before the rename: the old file
    // stays byte for byte, the user is told, the report is unchanged and still modified.
    void interruptedSaveKeepsTheOldFileAndTheReport_data() {
        QTest::addColumn<int>("fault");
        QTest::newRow("write stops part way") << int(tov::WriteFault::ShortWrite);
        QTest::newRow("cut off before the rename") << int(tov::WriteFault::BeforeRename);
    }
    void interruptedSaveKeepsTheOldFileAndTheReport() {
        QFETCH(int, fault);
        const QString dir = tempDir();
        const QString path = dir + QStringLiteral("/r.txt");
        const QByteArray old = gbk(QStringLiteral("旧的报告\r\n"));
        writeBytes(path, old);
        CMainFrame w;
        QVERIFY(w.openFile(path));
        QVERIFY(w.view()->replaceWholeText(w.view()->wholeText() + "\r\n─────计算书─────\r\n"));
        const QString before = w.view()->viewText();
        QVERIFY(w.document()->isModified());
        Shown shown;
        answerMessage(&shown);
        tov::injectWriteFault(static_cast<tov::WriteFault>(fault));
        const bool saved = w.saveFile(path);
        tov::injectWriteFault(tov::WriteFault::None);
        QVERIFY(!saved);
        QCOMPARE(shown.text, QStringLiteral("保存文档失败。"));
        QCOMPARE(readBytes(path), old);
        QCOMPARE(w.view()->viewText(), before);
        QVERIFY(w.document()->isModified());
        QCOMPARE(QDir(dir).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }

    // A file written by another program since it was opened (or saved) here is not overwritten
    // unasked: Cancel keeps it, 重新载入 loads it, 覆盖 writes over it.
    void fileChangedOnDiskAsksBeforeOverwriting() {
        const QString dir = tempDir();
        const QString path = dir + QStringLiteral("/r.txt");
        writeBytes(path, "mine\r\n");
        CMainFrame w;
        QVERIFY(w.openFile(path));
        QVERIFY(w.view()->replaceWholeText("mine\r\nedited\r\n"));
        writeBytes(path, "mine\r\ntheirs\r\n");  // tovarin-calc --report, say
        Shown shown;
        answerMessage(&shown, QMessageBox::Cancel);
        QVERIFY(!w.fileSave());
        QVERIFY(shown.text.contains(QStringLiteral("已在磁盘上被改动")));
        QCOMPARE(readBytes(path), QByteArray("mine\r\ntheirs\r\n"));
        shown = {}; answerMessage(&shown, QMessageBox::Save);
        QVERIFY(w.fileSave());
        QCOMPARE(readBytes(path), QByteArray("mine\r\nedited\r\n"));
        QVERIFY(w.fileSave());  // saved here last: no question
        writeBytes(path, "mine\r\ntheirs again\r\n");
        QVERIFY(w.view()->replaceWholeText("mine\r\nedited\r\nmore\r\n"));
        shown = {}; answerMessage(&shown, QMessageBox::Reset);
        QVERIFY(!w.fileSave());
        QCOMPARE(w.view()->viewText(), QStringLiteral("mine\ntheirs again\n"));
        QVERIFY(!w.document()->isModified());
    }

    // U+FDD0 and U+FDD1 come back from the text field as line breaks: the report counts as
    // modified (it will differ from its file), as for mixed line ends. A leading U+FEFF (the
    // GB18030 byte-order mark, a second UTF-8 one) is text and is kept.
    void charactersTheViewAltersMarkTheReportModified() {
        const QString dir = tempDir();
        writeBytes(dir + QStringLiteral("/in.txt"), QByteArray("\xEF\xBB\xBF") + QStringLiteral("a\uFDD0b\uFDD1c").toUtf8());
        CMainFrame w;
        QVERIFY(w.openFile(dir + QStringLiteral("/in.txt")));
        QVERIFY(w.document()->isModified());
        QVERIFY(w.statusBar()->currentMessage().contains(QStringLiteral("不能原样保留")));
        for (const QByteArray& bytes : {QByteArray("\x84\x31\x95\x33" "abc"), QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF" "abc")}) {
            writeBytes(dir + QStringLiteral("/bom.txt"), bytes);
            QVERIFY(w.openFile(dir + QStringLiteral("/bom.txt")));
            QVERIFY(!w.document()->isModified());
            QVERIFY(w.saveFile(dir + QStringLiteral("/out.txt")));
            QCOMPARE(readBytes(dir + QStringLiteral("/out.txt")), bytes);
        }
    }

    // GBK whose bytes are also valid UTF-8 (墙 is C7 BD, "ǽ" in UTF-8) opens as GBK, and a sheet
    // appended is saved in GBK.
    void gbkThatIsAlsoUtf8OpensAsGbk() {
        const QString dir = tempDir();
        const QString path = dir + QStringLiteral("/wall.txt");
        writeBytes(path, QByteArray("As \xC7\xBD\r\n"));
        CMainFrame w;
        QVERIFY(w.openFile(path));
        QCOMPARE(w.view()->viewText(), QStringLiteral("As 墙\n"));
        QVERIFY(w.view()->replaceWholeText(w.view()->wholeText() + "页\r\n"));
        QVERIFY(w.saveFile(path));
        QCOMPARE(readBytes(path), QByteArray("As \xC7\xBD\r\n") + gbk(QStringLiteral("页\r\n")));
    }

    // A modified report asks before new, open and exit; Cancel keeps everything.
    void modifiedReportAsksBeforeNewOpenAndExit() {
        CMainFrame w;
        w.show();
        QVERIFY(w.view()->replaceWholeText("\r\n─────计算书─────\r\n"));
        QVERIFY(w.document()->isModified());
        QVERIFY(w.isWindowModified());

        Shown shown;
        answerMessage(&shown, QMessageBox::Cancel);
        w.fileNew();
        QCOMPARE(shown.text, QStringLiteral("将改动保存到 无标题？"));
        QVERIFY(!w.view()->viewText().isEmpty());

        shown = {}; answerMessage(&shown, QMessageBox::Cancel);
        w.fileOpen();  // Cancel at the prompt: no file chooser follows
        QVERIFY(shown.seen);
        QVERIFY(!w.view()->viewText().isEmpty());

        shown = {}; answerMessage(&shown, QMessageBox::Cancel);
        QVERIFY(!w.close());
        QVERIFY(shown.seen);
        QVERIFY(w.isVisible());

        shown = {}; answerMessage(&shown, QMessageBox::No);
        w.fileNew();
        QVERIFY(shown.seen);
        QVERIFY(w.view()->viewText().isEmpty());
        QVERIFY(!w.document()->isModified());
        QVERIFY(w.close());  // not modified: no prompt
    }

    void promptNamesTheSavedFileAndYesSaves() {
        const QString dir = tempDir();
        const QString path = dir + QStringLiteral("/report.txt");
        writeBytes(path, "old\r\n");
        CMainFrame w;
        QVERIFY(w.openFile(path));
        QCOMPARE(w.windowTitle().remove(QStringLiteral("[*]")), QStringLiteral("report.txt - Tovarin"));
        QVERIFY(w.view()->replaceWholeText("old\r\nnew\r\n"));
        Shown shown;
        answerMessage(&shown, QMessageBox::Yes);
        QVERIFY(w.close());
        QCOMPARE(shown.text, QStringLiteral("将改动保存到 %1？").arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath())));
        QCOMPARE(readBytes(path), QByteArray("old\r\nnew\r\n"));
    }

    void recentFileListKeepsFourEntries() {
        const QString dir = tempDir();
        CMainFrame w;
        QStringList paths;
        for (int i = 0; i < 6; ++i) {
            paths << QDir(dir).absoluteFilePath(QStringLiteral("r%1.txt").arg(i));
            writeBytes(paths.back(), "x");
            QVERIFY(w.openFile(paths.back()));
        }
        const QStringList expected{paths[5], paths[4], paths[3], paths[2]};
        QCOMPARE(w.recentFiles(), expected);
        QSettings profile(QStringLiteral("Local AppWizard-Generated Applications"), QStringLiteral("Tovarin"));
        QCOMPARE(profile.value(QStringLiteral("Recent File List/File1")).toString(), paths[5]);
        QVERIFY2(profile.fileName().startsWith(qEnvironmentVariable("XDG_CONFIG_HOME")), qPrintable(profile.fileName()));
        QCOMPARE(w.action(cmd::Mru1 + 1)->text(), QStringLiteral("&2 %1").arg(paths[4]));
        QVERIFY(w.action(cmd::Mru1)->isVisible());
        QVERIFY(!w.action(cmd::Mru1 + 100)->isVisible());
        // A recent entry opens its file.
        w.action(cmd::Mru1 + 3)->trigger();
        QCOMPARE(w.document()->pathName(), paths[2]);
    }

    // Help pages come from the program's own folder, never from the current folder or from
    // beside the report.
    void helpOpensThePageFromTheProgramFolder() {
        const QString planted = tempDir();
        writeBytes(planted + QStringLiteral("/qvhelp.htm"), "<html>planted</html>");
        writeBytes(planted + QStringLiteral("/report.txt"), "r");
        const QString cwd = QDir::currentPath();
        QDir::setCurrent(planted);
        QList<QUrl> opened;
        auto saved = urlOpener();
        urlOpener() = [&](const QUrl& u) { opened << u; return true; };
        CMainFrame w;
        QVERIFY(w.openFile(planted + QStringLiteral("/report.txt")));
        w.action(cmd::Help)->trigger();
        urlOpener() = saved;
        QDir::setCurrent(cwd);
        QCOMPARE(opened.size(), 1);
        QCOMPARE(opened[0].toLocalFile(),
                 QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(QStringLiteral("qvhelp.htm")));
        QVERIFY(helpPagePath(QStringLiteral("no-such-page.htm")).isEmpty());
    }
};

TOV_GUI_SUITE(DocumentTest)
#include "document_test.moc"
