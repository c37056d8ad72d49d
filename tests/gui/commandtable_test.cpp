// The main window's menus, toolbar and status bar, and every form command of the command table.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include "app/formdialog.h"
#include "app/mainframe.h"
#include "app/qvapp.h"
#include "app/qvdoc.h"
#include "app/qvview.h"
#include "forms/registry.h"
#include "tests/gui/guitest.h"

using namespace tov::app;
using namespace tov::guitest;

namespace {

QStringList menuTexts(const QMenu* menu) {
    QStringList t;
    for (QAction* a : menu->actions())
        if (a->isVisible()) t << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return t;
}

QMenu* topMenu(const CMainFrame& w, const QString& title) {
    for (QAction* a : w.menuBar()->actions())
        if (a->text() == title) return a->menu();
    return nullptr;
}

}  // namespace

class CommandTableTest : public QObject {
    Q_OBJECT
    Watchdog watchdog_;

private slots:
    TOV_WATCHDOG_SLOTS

    void startsAsAnEmptyUntitledReport() {
        CMainFrame w;
        w.show();
        QCOMPARE(w.windowTitle().remove(QStringLiteral("[*]")), QStringLiteral("无标题 - Tovarin"));
        QVERIFY(!w.isWindowModified());
        QVERIFY(w.view()->viewText().isEmpty());
        QCOMPARE(w.view()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(w.view()->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    }

    void commandLine() {
        using A = CommandLine::Action;
        QCOMPARE(parseCommandLine({}).action, A::Window);
        QVERIFY(parseCommandLine({}).file.isEmpty());
        const CommandLine open = parseCommandLine({"r.txt"});
        QCOMPARE(open.action, A::Window);
        QCOMPARE(open.file, QStringLiteral("r.txt"));
        const CommandLine pdf = parseCommandLine({"--pdf", "out.pdf", "r.txt"});
        QCOMPARE(pdf.action, A::Pdf);
        QCOMPARE(pdf.pdf, QStringLiteral("out.pdf"));
        QCOMPARE(pdf.file, QStringLiteral("r.txt"));
        const CommandLine print = parseCommandLine({"--print", "r.txt"});
        QCOMPARE(print.action, A::Print);
        QCOMPARE(print.file, QStringLiteral("r.txt"));
        QCOMPARE(parseCommandLine({"--pdf", "out.pdf"}).action, A::Usage);
        QCOMPARE(parseCommandLine({"a.txt", "b.txt"}).action, A::Usage);
        QCOMPARE(parseCommandLine({"--help"}).action, A::Usage);
    }

    void menusInOrder() {
        CMainFrame w;
        QStringList titles;
        for (QAction* a : w.menuBar()->actions()) titles << a->text();
        QCOMPARE(titles, (QStringList{"文件(&F)", "编辑(&E)", "受弯正截面配筋(&Z)", "受压正截面配筋(&Y)",
                                      "受拉正截面配筋(&L)", "斜截面受剪(&J)", "正常使用验算(&S)", "选配钢筋(&G)",
                                      "查看(&V)", "帮助(&H)"}));
        QCOMPARE(menuTexts(topMenu(w, "文件(&F)")),
                 (QStringList{"新建(&N)", "打开(&O)...", "保存(&S)", "另存为(&A)...", "-", "打印(&P)...",
                              "打印预览(&V)", "输出PDF(&D)...", "打印设置(&R)...", "-", "最近文件", "-", "退出(&X)"}));
        QCOMPARE(menuTexts(topMenu(w, "编辑(&E)")),
                 (QStringList{"撤消(&U)", "-", "剪切(&T)", "复制(&C)", "粘贴(&P)", "-", "重新计算此计算书(&R)"}));
        QCOMPARE(menuTexts(topMenu(w, "查看(&V)")), (QStringList{"工具栏(&T)", "状态栏(&S)", "-", "字体(&F)", "-", "截面N-M相关曲线(&N)..."}));
        QCOMPARE(menuTexts(topMenu(w, "帮助(&H)")), (QStringList{"帮助(&H)", "关于 Tovarin(&A)..."}));
        QVERIFY(!w.action(cmd::Mru1 + 100)->isEnabled());  // the greyed placeholder
    }

    void accelerators() {
        CMainFrame w;
        auto keys = [&](int id) { return w.action(id)->shortcuts(); };
        QCOMPARE(keys(cmd::FileNew), QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+N"))});
        QCOMPARE(keys(cmd::FileOpen), QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+O"))});
        QCOMPARE(keys(cmd::FileSave), QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+S"))});
        QCOMPARE(keys(cmd::Print), QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+P"))});
        QCOMPARE(keys(cmd::Undo), (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Z")), QKeySequence(QStringLiteral("Alt+Backspace"))}));
        QCOMPARE(keys(cmd::Cut), (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+X")), QKeySequence(QStringLiteral("Shift+Del"))}));
        QCOMPARE(keys(cmd::Copy), (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+C")), QKeySequence(QStringLiteral("Ctrl+Ins"))}));
        QCOMPARE(keys(cmd::Paste), (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+V")), QKeySequence(QStringLiteral("Shift+Ins"))}));
        QCOMPARE(w.action(cmd::FileNew)->statusTip(), QStringLiteral("建立新文档"));
        QCOMPARE(w.action(cmd::FileNew)->toolTip(), QStringLiteral("新建"));
        QCOMPARE(w.action(cmd::Exit)->statusTip(), QStringLiteral("退出应用程序；提示保存文档"));
        QCOMPARE(w.action(cmd::Font)->statusTip(), QStringLiteral("选择显示的字体"));
        QCOMPARE(w.action(cmd::Font)->toolTip(), QStringLiteral("选择字体"));
    }

    void toolBarAndStatusBar() {
        CMainFrame w;
        w.show();
        QList<int> ids;
        for (QAction* a : w.toolBar()->actions())
            ids << (a->isSeparator() ? 0 : a->objectName().mid(3).toInt());
        QCOMPARE(ids, (QList<int>{57600, 57601, 57603, 57607, 0, 57635, 57634, 57637, 0, 32773, 32782, 32787,
                                  32788, 32794, 32793, 32804, 32808, 32812, 32813, 32824, 0, 32818, 32822,
                                  32826, 32825, 0, 32774, 32771, 0, 32778}));
        for (QAction* a : w.toolBar()->actions())
            if (!a->isSeparator()) QVERIFY2(!a->icon().isNull(), qPrintable(a->objectName()));
        QStringList panes;
        for (QLabel* l : w.statusBar()->findChildren<QLabel*>(QStringLiteral("pane"))) panes << l->text();
        QCOMPARE(panes, (QStringList{"大写", "数字", "滚动"}));
        QCOMPARE(w.statusBar()->currentMessage(), QStringLiteral("就绪"));
        w.statusBar()->showMessage(QStringLiteral("x"));
        w.statusBar()->clearMessage();
        QCOMPARE(w.statusBar()->currentMessage(), QStringLiteral("就绪"));
        w.action(cmd::ToolBar)->trigger();
        QVERIFY(!w.toolBar()->isVisible());
        w.action(cmd::StatusBar)->trigger();
        QVERIFY(!w.statusBar()->isVisible());
    }

    // Every command of the table is in its menu with its caption and prompts, enabled exactly when
    // the core has its form.
    void everyFormCommandIsInItsMenu() {
        CMainFrame w;
        for (const tov::FormCommand& c : tov::formCommands()) {
            QAction* a = w.action(c.commandId);
            QVERIFY2(a, c.caption);
            QCOMPARE(a->text(), QString::fromUtf8(c.caption));
            QMenu* menu = topMenu(w, QString::fromUtf8(c.menu));
            QVERIFY2(menu && menu->actions().contains(a), c.caption);
            QCOMPARE(a->isEnabled(), tov::formForCommand(c.commandId) != nullptr);
            if (c.prompt) QCOMPARE(a->statusTip(), QString::fromUtf8(c.prompt));
            if (c.tooltip) QCOMPARE(a->toolTip(), QString::fromUtf8(c.tooltip));
        }
        QCOMPARE(static_cast<int>(tov::formCommands().size()), 40);
    }

    // Each enabled command opens its form modally, centred over the main window; closing it leaves
    // the report as it was: no key press reaches the report.
    void everyFormCommandOpensItsForm() {
        CMainFrame w;
        w.resize(1000, 760);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.view()->setPlainText(QStringLiteral("typed before"));
        w.document()->setModified(false);
        w.view()->setFocus();
        int opened = 0;
        for (const tov::FormCommand& c : tov::formCommands()) {
            const tov::FormEntry* entry = tov::formForCommand(c.commandId);
            if (!entry) continue;
            QString title;
            QPoint offset;
            onNextModal([&](QWidget* dlg) {
                title = dlg->windowTitle();
                offset = dlg->frameGeometry().center() - w.frameGeometry().center();
                auto* form = qobject_cast<FormDialog*>(dlg);
                QVERIFY(form);
                QTest::mouseClick(form->returnButton(), Qt::LeftButton);
            });
            w.action(c.commandId)->trigger();
            QCOMPARE(title, QString::fromStdString(entry->decl().title));
            QVERIFY2(std::abs(offset.x()) <= 2 && std::abs(offset.y()) <= 2, c.caption);
            QCoreApplication::processEvents();
            QCOMPARE(w.view()->viewText(), QStringLiteral("typed before"));
            QVERIFY(!w.document()->isModified());
            ++opened;
        }
        QCOMPARE(opened, static_cast<int>(tov::formRegistry().size()));
    }

    // The toolbar button and the menu entry are one command.
    void toolbarButtonOpensTheSameForm() {
        CMainFrame w;
        w.show();
        QAction* a = w.action(32773);
        QVERIFY(w.toolBar()->actions().contains(a));
        if (!a->isEnabled()) QSKIP("the singly reinforced design form is not in the core");
        QString title;
        onNextModal([&](QWidget* dlg) {
            title = dlg->windowTitle();
            static_cast<QDialog*>(dlg)->reject();
        });
        QTest::mouseClick(w.toolBar()->widgetForAction(a), Qt::LeftButton);
        QCOMPARE(title, QString::fromStdString(tov::formForCommand(32773)->decl().title));
    }
};

TOV_GUI_SUITE(CommandTableTest)
#include "commandtable_test.moc"
