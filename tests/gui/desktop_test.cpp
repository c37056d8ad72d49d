// The desktop around the report: Qt's dialogs in Chinese, the help viewer, 关于, what is kept
// from one session to the next, and zoom that leaves the printed pages alone.
#include <QFontDialog>
#include <QMenuBar>
#include <QTextBrowser>
#include <QToolButton>

#include "app/formdialog.h"
#include "app/helppages.h"
#include "app/helpviewer.h"
#include "app/mainframe.h"
#include "app/qvapp.h"
#include "app/qvdoc.h"
#include "app/qvview.h"
#include "forms/runner.h"
#include "tests/gui/guitest.h"

using namespace tov::app;
using namespace tov::guitest;

namespace {
HelpViewer* shownViewer() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* v = qobject_cast<HelpViewer*>(w); v && v->isVisible()) return v;
    for (QWidget* w : QApplication::allWidgets())
        if (auto* v = qobject_cast<HelpViewer*>(w); v && v->isVisible()) return v;
    return nullptr;
}
int pdfPageCount(const QString& path) {
    return static_cast<int>(readBytes(path).count(QByteArrayLiteral("/Type /Page\n")));
}
}  // namespace

class DesktopTest : public QObject {
    Q_OBJECT
    Watchdog watchdog_;

private slots:
    TOV_WATCHDOG_SLOTS

    void messageBoxButtonsReadChineseUnderZhCn() {
        const QList<QTranslator*> installed = installQtTranslations(*qApp, QLocale(QStringLiteral("zh_CN")));
        QVERIFY(!installed.isEmpty());
        QMessageBox box(QMessageBox::Information, QStringLiteral("提示"), QStringLiteral("x"), QMessageBox::Ok);
        QCOMPARE(box.button(QMessageBox::Ok)->text(), QStringLiteral("确定"));
        for (QTranslator* t : installed) {
            QCoreApplication::removeTranslator(t);
            delete t;
        }
    }

    // Help opens inside the program: the page, its links, and back.
    void helpOpensInTheBuiltInViewer() {
        CMainFrame w;
        w.show();
        w.help();
        HelpViewer* v = shownViewer();
        QVERIFY(v);
        QVERIFY(v->browser()->source().toLocalFile().endsWith(QStringLiteral("qvhelp.htm")));
        QVERIFY(v->windowTitle().contains(QStringLiteral("使用说明")));
        QVERIFY(!v->backButton()->isEnabled());
        v->browser()->setSource(QUrl(QStringLiteral("L0.htm")));
        QCOMPARE(v->browser()->source().fileName(), QStringLiteral("L0.htm"));
        QVERIFY(v->browser()->toPlainText().contains(QStringLiteral("l0")) ||
                v->browser()->toPlainText().contains(QStringLiteral("计算长度")));
        QVERIFY(v->backButton()->isEnabled());
        QTest::mouseClick(v->backButton(), Qt::LeftButton);
        QCOMPARE(v->browser()->source().fileName(), QStringLiteral("qvhelp.htm"));
        v->close();
    }

    void aboutNamesVersionCodeAndLicence() {
        CMainFrame w;
        Shown shown;
        answerMessage(&shown);
        w.action(cmd::About)->trigger();
        QVERIFY(shown.seen);
        QVERIFY(shown.text.contains(QStringLiteral("Tovarin 1.0")));
        QVERIFY(shown.text.contains(QStringLiteral("GB 50010-2010")));
        QVERIFY(shown.text.contains(QStringLiteral("许可")));
    }

    // The window's place and size, its maximised state and the report font outlive the session.
    void windowAndFontAreKeptAcrossSessions() {
        QSettings().remove(QStringLiteral("Settings"));
        {
            CMainFrame first;
            first.showAsLastTime();
            QVERIFY(first.isMaximized());
            first.showNormal();
            first.setGeometry(60, 50, 640, 480);
            onNextModal([](QWidget* d) {
                auto* fonts = qobject_cast<QFontDialog*>(d);
                if (!fonts) return;
                fonts->setCurrentFont(QFont(QStringLiteral("DejaVu Sans Mono"), 13));
                fonts->accept();
            });
            first.view()->chooseFont();
            QVERIFY(first.close());
        }
        CMainFrame next;
        next.showAsLastTime();
        QVERIFY(!next.isMaximized());
        QCOMPARE(next.size(), QSize(640, 480));
        QCOMPARE(next.view()->reportFont().family(), QStringLiteral("DejaVu Sans Mono"));
        QCOMPARE(next.view()->reportFont().pointSize(), 13);
        next.showMaximized();
        QVERIFY(next.close());
        CMainFrame third;
        third.showAsLastTime();
        QVERIFY(third.isMaximized());
        QSettings().remove(QStringLiteral("Settings"));
    }

    // The printed pages follow the report font, not the zoom of the view.
    void zoomLeavesThePrintAlone() {
        const QString dir = tempDir();
        CMainFrame w;
        w.view()->setDisplayFont(QFont(QStringLiteral("DejaVu Sans Mono"), 10));
        QString text;
        for (int i = 0; i < 400; ++i) text += QStringLiteral("第%1行 计算书\n").arg(i);
        w.view()->setPlainText(text);
        QVERIFY(w.exportPdf(dir + QStringLiteral("/plain.pdf")));
        w.view()->zoomBy(8);
        QVERIFY(w.exportPdf(dir + QStringLiteral("/zoomed.pdf")));
        QVERIFY(pdfPageCount(dir + QStringLiteral("/plain.pdf")) > 1);
        QCOMPARE(pdfPageCount(dir + QStringLiteral("/zoomed.pdf")), pdfPageCount(dir + QStringLiteral("/plain.pdf")));
        w.document()->setModified(false);
    }

    // 重新计算此计算书 opens the form of the sheet under the caret with the sheet's inputs: its
    // 计算 appends the same sheet again. Outside a sheet, or on a line edited past reading, it
    // says so and opens nothing.
    void redoOpensTheSheetsFormWithItsInputs() {
        CMainFrame w;
        w.view()->setPlainText(QStringLiteral("前言\n"));
        tov::MemoryReport scratch;
        const std::string sheet = tov::runForm(*tov::findForm("CEccCompAsymDesignDlg"),
                                               {{1064, "1"}, {1001, "450"}, {1024, "3900"}}, scratch).sheet;
        QVERIFY(w.view()->appendSheet(sheet));
        QTextCursor c = w.view()->textCursor();
        c.movePosition(QTextCursor::End);
        c.movePosition(QTextCursor::Up, QTextCursor::MoveAnchor, 12);
        w.view()->setTextCursor(c);
        QString shownN;
        onNextModal([&](QWidget* m) {
            if (auto* d = qobject_cast<FormDialog*>(m)) {
                shownN = QString::fromStdString(d->fieldText(1024));
                d->calculate();
                d->reject();
            }
        });
        QVERIFY(w.view()->redoSheetAtCursor());
        QCOMPARE(shownN, QStringLiteral("3900"));
        const QString twice = w.view()->viewText();
        const QString one = QString::fromStdString(sheet).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        QCOMPARE(twice, QStringLiteral("前言\n") + one + one);

        Shown shown;
        w.view()->moveCursor(QTextCursor::Start);
        answerMessage(&shown);
        QVERIFY(!w.view()->redoSheetAtCursor());
        QVERIFY(shown.text.contains(QStringLiteral("光标不在计算书中")));

        QString edited = twice;
        edited.replace(QStringLiteral("矩形截面宽 b＝450.0"), QStringLiteral("矩形截面宽 b＝四百五"));
        w.view()->setPlainText(edited);
        w.view()->moveCursor(QTextCursor::End);
        answerMessage(&shown);
        QVERIFY(!w.view()->redoSheetAtCursor());
        QVERIFY2(shown.text.contains(QStringLiteral("矩形截面宽 b＝四百五")), qPrintable(shown.text));
        w.document()->setModified(false);
    }
};

TOV_GUI_SUITE(DesktopTest)
#include "desktop_test.moc"
