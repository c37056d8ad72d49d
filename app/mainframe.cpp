#include "app/mainframe.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>

#include "app/helppages.h"
#include "app/helpviewer.h"
#include "app/pagelayout.h"
#include "app/qvdoc.h"
#include "app/qvview.h"
#include "app/svgicon.h"
#include "forms/registry.h"

namespace tov::app {

namespace {
const QString kAppTitle = QStringLiteral("Tovarin");
const QString kFilter = QStringLiteral("配筋计算文件 (*.txt)");

// The form menus: command ids in menu order, 0 for a separator.
const std::vector<std::vector<int>> kFormMenus = {
    {32773, 32780, 0, 32782, 32787, 32783, 32836, 0, 32788, 32798, 0, 32794, 32799, 0, 32793, 32797},
    {32804, 32806, 0, 32808, 32809, 0, 32812, 32813, 32828, 0, 32824, 32830},
    {32818, 32831, 0, 32822, 32826, 32833, 0, 32825, 32832},
    {32840, 32845, 32841, 0, 32842, 0, 32843, 32844},
    {32850, 32851, 0, 32852, 32853, 0, 32854},
    {32774},
};

// Toolbar buttons, 0 for a separator.
const std::vector<int> kToolBar = {
    cmd::FileNew, cmd::FileOpen, cmd::FileSave, cmd::Print, 0, cmd::Cut, cmd::Copy, cmd::Paste, 0,
    32773, 32782, 32787, 32788, 32794, 32793, 32804, 32808, 32812, 32813, 32824, 0,
    32818, 32822, 32826, 32825, 0, 32774, cmd::Font, 0, cmd::Help};

const tov::FormCommand* formCommand(int id) {
    for (const auto& c : tov::formCommands())
        if (c.commandId == id) return &c;
    return nullptr;
}

// "无法打开 <file>：<reason>"; a reason that itself says the file cannot be opened follows the
// file's name directly.
QString openErrorText(const QString& path, const QString& reason) {
    const QString file = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    if (reason.endsWith(QStringLiteral("无法打开。"))) return file + QStringLiteral("：") + reason;
    return QStringLiteral("无法打开 %1：%2").arg(file, reason);
}

const QString kGeometryKey = QStringLiteral("Settings/WindowGeometry");
const QString kMaximizedKey = QStringLiteral("Settings/WindowMaximized");

QSettings profile() { return QSettings(QString::fromUtf8(kProfileOrganization), QString::fromUtf8(kProfileApplication)); }
}  // namespace

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent) {
    view_ = new CQvView(this);
    doc_ = new CQvDoc(*view_, this);
    setCentralWidget(view_);
    createMenus();
    createToolBar();
    createStatusBar();
    connect(doc_, &CQvDoc::changed, this, &CMainFrame::updateTitle);
    connect(view_, &CQvView::statusMessage, this, [this](const QString& m) { statusBar()->showMessage(m, 8000); });
    setWindowIcon(svgIcon(QStringLiteral(":/tovarin.svg")));
    resize(900, 680);
    view_->restoreSavedFont();
    doc_->newDocument();
    updateRecentActions();
    view_->setFocus();
}

CMainFrame::~CMainFrame() = default;

QAction* CMainFrame::addCommand(QMenu* menu, int id, const QString& text, const char* prompt,
                                const QList<QKeySequence>& keys) {
    auto* a = new QAction(text, this);
    a->setObjectName(QStringLiteral("cmd%1").arg(id));
    if (prompt) {
        // "status-bar prompt\ntooltip"
        const QStringList parts = QString::fromUtf8(prompt).split(u'\n');
        a->setStatusTip(parts.value(0));
        if (parts.size() > 1) a->setToolTip(parts.value(1));
    }
    if (!keys.isEmpty()) a->setShortcuts(keys);
    const QString icon = QStringLiteral(":/icons/%1.svg").arg(id);
    if (QFileInfo::exists(icon)) a->setIcon(svgIcon(icon));
    if (menu) menu->addAction(a);
    actions_[id] = a;
    return a;
}

void CMainFrame::createMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("文件(&F)"));
    connect(addCommand(file, cmd::FileNew, QStringLiteral("新建(&N)"), "建立新文档\n新建", {QKeySequence(Qt::CTRL | Qt::Key_N)}),
            &QAction::triggered, this, &CMainFrame::fileNew);
    connect(addCommand(file, cmd::FileOpen, QStringLiteral("打开(&O)..."), "打开一个现有文档\n打开", {QKeySequence(Qt::CTRL | Qt::Key_O)}),
            &QAction::triggered, this, &CMainFrame::fileOpen);
    connect(addCommand(file, cmd::FileSave, QStringLiteral("保存(&S)"), "保存活动文档\n保存", {QKeySequence(Qt::CTRL | Qt::Key_S)}),
            &QAction::triggered, this, &CMainFrame::fileSave);
    connect(addCommand(file, cmd::FileSaveAs, QStringLiteral("另存为(&A)..."), "将活动文档以一个新文件名保存\n另存为"),
            &QAction::triggered, this, &CMainFrame::fileSaveAs);
    file->addSeparator();
    connect(addCommand(file, cmd::Print, QStringLiteral("打印(&P)..."), "打印活动文档\n打印", {QKeySequence(Qt::CTRL | Qt::Key_P)}),
            &QAction::triggered, this, &CMainFrame::filePrint);
    connect(addCommand(file, cmd::PrintPreview, QStringLiteral("打印预览(&V)"), "显示整页\n打印预览"),
            &QAction::triggered, this, &CMainFrame::filePrintPreview);
    connect(addCommand(file, cmd::ExportPdf, QStringLiteral("输出PDF(&D)..."), "将打印的页面输出为PDF文件\n输出PDF"),
            &QAction::triggered, this, &CMainFrame::fileExportPdf);
    connect(addCommand(file, cmd::PrintSetup, QStringLiteral("打印设置(&R)..."), "改变打印机及打印选项\n打印设置"),
            &QAction::triggered, this, &CMainFrame::filePrintSetup);
    file->addSeparator();
    recentPlaceholder_ = addCommand(file, cmd::Mru1 + 100, QStringLiteral("最近文件"), nullptr);
    recentPlaceholder_->setEnabled(false);
    for (int i = 0; i < kRecentFiles; ++i) {
        QAction* a = addCommand(file, cmd::Mru1 + i, QString(), "打开该文档\n打开");
        a->setVisible(false);
        connect(a, &QAction::triggered, this, [this, i] { openRecent(i); });
    }
    file->addSeparator();
    connect(addCommand(file, cmd::Exit, QStringLiteral("退出(&X)"), "退出应用程序；提示保存文档\n退出"),
            &QAction::triggered, this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("编辑(&E)"));
    QAction* undo = addCommand(edit, cmd::Undo, QStringLiteral("撤消(&U)"), "撤消最后一步操作\n撤消",
                               {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)});
    edit->addSeparator();
    QAction* cut = addCommand(edit, cmd::Cut, QStringLiteral("剪切(&T)"), "剪切被选对象并将其置于剪贴板上\n剪切",
                              {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)});
    QAction* copy = addCommand(edit, cmd::Copy, QStringLiteral("复制(&C)"), "复制被选对象并将其置于剪贴板上\n复制",
                               {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)});
    QAction* paste = addCommand(edit, cmd::Paste, QStringLiteral("粘贴(&P)"), "插入剪贴板内容\n粘贴",
                                {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)});
    edit->addSeparator();
    connect(addCommand(edit, cmd::RedoSheet, QStringLiteral("重新计算此计算书(&R)"),
                       "按光标所在计算书的设计要求重新打开其计算窗口\n重新计算此计算书", {QKeySequence(Qt::CTRL | Qt::Key_R)}),
            &QAction::triggered, view_, &CQvView::redoSheetAtCursor);
    connect(undo, &QAction::triggered, view_, &QPlainTextEdit::undo);
    connect(cut, &QAction::triggered, view_, &QPlainTextEdit::cut);
    connect(copy, &QAction::triggered, view_, &QPlainTextEdit::copy);
    connect(paste, &QAction::triggered, view_, &QPlainTextEdit::paste);
    undo->setEnabled(false);
    cut->setEnabled(false);
    copy->setEnabled(false);
    connect(view_, &QPlainTextEdit::undoAvailable, undo, &QAction::setEnabled);
    connect(view_, &QPlainTextEdit::copyAvailable, cut, &QAction::setEnabled);
    connect(view_, &QPlainTextEdit::copyAvailable, copy, &QAction::setEnabled);

    // The form menus, from the command table; a form the core does not have yet is greyed.
    for (const auto& ids : kFormMenus) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(formCommand(ids.front())->menu));
        for (int id : ids) {
            if (id == 0) {
                menu->addSeparator();
                continue;
            }
            const tov::FormCommand* c = formCommand(id);
            QAction* a = addCommand(menu, id, QString::fromUtf8(c->caption), nullptr);
            if (c->prompt) a->setStatusTip(QString::fromUtf8(c->prompt));
            if (c->tooltip) a->setToolTip(QString::fromUtf8(c->tooltip));
            a->setEnabled(tov::formForCommand(id) != nullptr);
            connect(a, &QAction::triggered, this, [this, id] { view_->runFormCommand(id); });
            menus_[id] = menu;
        }
    }

    QMenu* viewMenu = menuBar()->addMenu(QStringLiteral("查看(&V)"));
    QAction* bar = addCommand(viewMenu, cmd::ToolBar, QStringLiteral("工具栏(&T)"), "显示或隐藏工具栏\n显隐工具栏");
    QAction* status = addCommand(viewMenu, cmd::StatusBar, QStringLiteral("状态栏(&S)"), "显示或隐藏状态栏\n显隐状态栏");
    bar->setCheckable(true);
    status->setCheckable(true);
    bar->setChecked(true);
    status->setChecked(true);
    connect(status, &QAction::toggled, this, [this](bool on) { statusBar()->setVisible(on); });
    viewMenu->addSeparator();
    connect(addCommand(viewMenu, cmd::Font, QStringLiteral("字体(&F)"), "选择显示的字体\n选择字体"),
            &QAction::triggered, view_, &CQvView::chooseFont);
    viewMenu->addSeparator();
    connect(addCommand(viewMenu, cmd::NmCurve, QStringLiteral("截面N-M相关曲线(&N)..."),
                       "绘制最近一次矩形截面计算的N-M相关曲线\nN-M相关曲线"),
            &QAction::triggered, view_, &CQvView::showNmDiagram);

    QMenu* helpMenu = menuBar()->addMenu(QStringLiteral("帮助(&H)"));
    connect(addCommand(helpMenu, cmd::Help, QStringLiteral("帮助(&H)"), "帮助\n帮助"), &QAction::triggered,
            this, &CMainFrame::help);
    connect(addCommand(helpMenu, cmd::About, QStringLiteral("关于 Tovarin(&A)..."), "显示程序的版本、依据的规范和许可\n关于"),
            &QAction::triggered, this, &CMainFrame::about);
}

void CMainFrame::createToolBar() {
    toolBar_ = addToolBar(QStringLiteral("工具栏"));
    toolBar_->setObjectName(QStringLiteral("toolbar"));
    toolBar_->setIconSize(QSize(20, 20));
    toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
    for (int id : kToolBar) {
        if (id == 0)
            toolBar_->addSeparator();
        else
            toolBar_->addAction(actions_.at(id));
    }
    QAction* bar = actions_.at(cmd::ToolBar);
    connect(bar, &QAction::toggled, toolBar_, &QWidget::setVisible);
    connect(toolBar_, &QToolBar::visibilityChanged, bar, [this, bar](bool) {
        if (!isHidden()) bar->setChecked(toolBar_->isVisible());
    });
}

void CMainFrame::createStatusBar() {
    QStatusBar* bar = statusBar();
    for (const char* pane : {"大写", "数字", "滚动"}) {
        auto* label = new QLabel(QString::fromUtf8(pane));
        label->setObjectName(QStringLiteral("pane"));
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(label->text()) + 16);
        // The lock keys' state is not known to a portable program: the panes stay greyed.
        label->setEnabled(false);
        bar->addPermanentWidget(label);
    }
    connect(bar, &QStatusBar::messageChanged, this, [bar](const QString& m) {
        if (m.isEmpty()) bar->showMessage(QStringLiteral("就绪"));
    });
    bar->showMessage(QStringLiteral("就绪"));
}

QAction* CMainFrame::action(int id) const {
    auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

QMenu* CMainFrame::menuOf(int id) const {
    auto it = menus_.find(id);
    return it == menus_.end() ? nullptr : it->second;
}

void CMainFrame::updateTitle() {
    setWindowTitle(doc_->title() + QStringLiteral("[*] - ") + kAppTitle);
    setWindowModified(doc_->isModified());
}

bool CMainFrame::maybeSave() {
    if (!doc_->isModified()) return true;
    const QString name = doc_->pathName().isEmpty() ? doc_->title() : QDir::toNativeSeparators(doc_->pathName());
    QMessageBox box(QMessageBox::Warning, kAppTitle, QStringLiteral("将改动保存到 %1？").arg(name),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("是(&Y)"));
    box.button(QMessageBox::No)->setText(QStringLiteral("否(&N)"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("取消"));
    box.setDefaultButton(QMessageBox::Yes);
    switch (box.exec()) {
        case QMessageBox::Yes: return fileSave();
        case QMessageBox::No: return true;
        default: return false;
    }
}

bool CMainFrame::openFile(const QString& path) {
    const tov::FileResult r = doc_->open(path);
    if (!r.ok()) {
        QMessageBox::warning(this, kAppTitle, openErrorText(path, QString::fromStdString(r.error)));
        return false;
    }
    addRecentFile(doc_->pathName());
    return true;
}

bool CMainFrame::saveFile(const QString& path) {
    tov::FileResult r = doc_->save(path);
    if (r.changed) {
        // Another program (or tovarin-calc) wrote the file since it was opened or saved here.
        QMessageBox ask(QMessageBox::Warning, kAppTitle,
                        QStringLiteral("%1 在打开或上次保存之后已在磁盘上被改动。").arg(QDir::toNativeSeparators(doc_->pathName())),
                        QMessageBox::Save | QMessageBox::Reset | QMessageBox::Cancel, this);
        ask.setInformativeText(QStringLiteral("覆盖它，磁盘上的那些改动将丢失；重新载入，这里未保存的改动将丢失。"));
        ask.button(QMessageBox::Save)->setText(QStringLiteral("覆盖(&O)"));
        ask.button(QMessageBox::Reset)->setText(QStringLiteral("重新载入(&R)"));
        ask.button(QMessageBox::Cancel)->setText(QStringLiteral("取消"));
        ask.setDefaultButton(QMessageBox::Cancel);
        const int answer = ask.exec();
        if (answer == QMessageBox::Reset) {
            openFile(doc_->pathName());
            return false;
        }
        if (answer != QMessageBox::Save) return false;
        r = doc_->save(path, true);
    }
    if (!r.ok()) {
        QMessageBox box(QMessageBox::Critical, kAppTitle, QStringLiteral("保存文档失败。"), QMessageBox::Ok, this);
        // Which file, and why, when the reason says more than the headline.
        QString where = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
        if (r.error != "保存文档失败。") where += QStringLiteral("：") + QString::fromStdString(r.error);
        else if (!r.reason.empty()) where += QStringLiteral("：") + QString::fromStdString(r.reason) + QStringLiteral("。");
        box.setInformativeText(where);
        box.exec();
        return false;
    }
    addRecentFile(doc_->pathName());
    statusBar()->showMessage(QStringLiteral("已保存 %1").arg(QDir::toNativeSeparators(doc_->pathName())), 4000);
    return true;
}

void CMainFrame::fileNew() {
    if (maybeSave()) doc_->newDocument();
}

void CMainFrame::fileOpen() {
    if (!maybeSave()) return;
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("打开"), QString(),
                                                      kFilter + QStringLiteral(";;所有文件 (*)"));
    if (!path.isEmpty()) openFile(path);
}

bool CMainFrame::fileSave() {
    if (doc_->pathName().isEmpty()) return fileSaveAs();
    return saveFile(doc_->pathName());
}

bool CMainFrame::fileSaveAs() {
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("另存为"),
                                                doc_->pathName().isEmpty() ? doc_->title() + QStringLiteral(".txt") : doc_->pathName(),
                                                kFilter);
    if (path.isEmpty()) return false;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".txt");
    return saveFile(path);
}

QPrinter& CMainFrame::printer() {
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

void CMainFrame::paintPages(QPrinter* p) {
    paintReport(*p, view_->viewText(), view_->reportFont(), QDir::toNativeSeparators(doc_->pathName()));
}

void CMainFrame::filePrint() {
    QPrintDialog dialog(&printer(), this);
    dialog.setWindowTitle(QStringLiteral("打印"));
    if (dialog.exec() != QDialog::Accepted) return;
    if (printer().outputFileName().isEmpty()) {
        paintPages(&printer());
        return;
    }
    // Printing to a file: written as the PDF export is, never over a good file left half done.
    const QString file = printer().outputFileName();
    QString error;
    if (doc_->wouldReplace(file))
        error = QStringLiteral("%1 就是报告文件本身，未写入。").arg(QDir::toNativeSeparators(file));
    else
        printReportToFile(printer(), view_->viewText(), view_->reportFont(), QDir::toNativeSeparators(doc_->pathName()), &error);
    if (!error.isEmpty()) QMessageBox::warning(this, kAppTitle, error);
}

void CMainFrame::filePrintPreview() {
    QPrintPreviewDialog preview(&printer(), this);
    preview.setWindowTitle(QStringLiteral("打印预览 - %1").arg(doc_->title()));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, &CMainFrame::paintPages);
    preview.resize(size() * 9 / 10);
    preview.exec();
}

void CMainFrame::filePrintSetup() {
    QPageSetupDialog dialog(&printer(), this);
    dialog.exec();
}

bool CMainFrame::exportPdf(const QString& path) {
    QString error;
    if (doc_->wouldReplace(path)) {
        QMessageBox::warning(this, kAppTitle,
                             QStringLiteral("%1 就是报告文件本身，未写入。").arg(QDir::toNativeSeparators(path)));
        return false;
    }
    if (!writeReportPdf(path, view_->viewText(), view_->reportFont(), QDir::toNativeSeparators(doc_->pathName()), &error)) {
        const QString shown = QDir::toNativeSeparators(path);
        QMessageBox::warning(this, kAppTitle,
                             error.contains(shown) ? error : QStringLiteral("无法输出 %1：%2").arg(shown, error));
        return false;
    }
    statusBar()->showMessage(QStringLiteral("已输出 %1").arg(QDir::toNativeSeparators(path)), 4000);
    return true;
}

void CMainFrame::fileExportPdf() {
    QString suggested = doc_->pathName().isEmpty() ? doc_->title() + QStringLiteral(".pdf") : doc_->pathName();
    if (suggested.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive)) suggested = suggested.left(suggested.size() - 4) + QStringLiteral(".pdf");
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("输出PDF"), suggested, QStringLiteral("PDF 文件 (*.pdf)"));
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".pdf");
    exportPdf(path);
}

void CMainFrame::help() {
    if (!openHelpPage(QStringLiteral("qvhelp.htm")))
        statusBar()->showMessage(QStringLiteral("找不到帮助文件 qvhelp.htm。"), 4000);
}

void CMainFrame::about() {
    QMessageBox box(QMessageBox::Information, QStringLiteral("关于 Tovarin"), aboutText(), QMessageBox::Ok, this);
    box.setIconPixmap(windowIcon().pixmap(48, 48));
    box.exec();
}

void CMainFrame::showAsLastTime() {
    QSettings s = profile();
    if (!s.contains(kGeometryKey) || !restoreGeometry(s.value(kGeometryKey).toByteArray()) ||
        s.value(kMaximizedKey, true).toBool())
        showMaximized();
    else
        show();
}

void CMainFrame::closeEvent(QCloseEvent* e) {
    if (!maybeSave()) {
        e->ignore();
        return;
    }
    QSettings s = profile();
    s.setValue(kGeometryKey, saveGeometry());
    s.setValue(kMaximizedKey, isMaximized());
    e->accept();
}

QStringList CMainFrame::recentFiles() const {
    QSettings s = profile();
    QStringList files;
    for (int i = 1; i <= kRecentFiles; ++i) {
        const QString f = s.value(QStringLiteral("Recent File List/File%1").arg(i)).toString();
        if (!f.isEmpty()) files << f;
    }
    return files;
}

namespace {
void writeRecent(const QStringList& files) {
    QSettings s = profile();
    for (int i = 1; i <= kRecentFiles; ++i) {
        const QString key = QStringLiteral("Recent File List/File%1").arg(i);
        if (i <= files.size())
            s.setValue(key, files[i - 1]);
        else
            s.remove(key);
    }
}
}  // namespace

void CMainFrame::addRecentFile(const QString& path) {
    QStringList files = recentFiles();
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > kRecentFiles) files.removeLast();
    writeRecent(files);
    updateRecentActions();
}

void CMainFrame::removeRecentFile(const QString& path) {
    QStringList files = recentFiles();
    files.removeAll(path);
    writeRecent(files);
    updateRecentActions();
}

void CMainFrame::updateRecentActions() {
    const QStringList files = recentFiles();
    for (int i = 0; i < kRecentFiles; ++i) {
        QAction* a = actions_.at(cmd::Mru1 + i);
        if (i < files.size()) {
            a->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(files[i]).replace(u'&', QStringLiteral("&&"))));
            a->setData(files[i]);
            a->setVisible(true);
        } else {
            a->setVisible(false);
        }
    }
    recentPlaceholder_->setVisible(files.isEmpty());
}

void CMainFrame::openRecent(int index) {
    const QStringList files = recentFiles();
    if (index >= files.size() || !maybeSave()) return;
    const QString path = files[index];
    if (!openFile(path)) removeRecentFile(path);
}

}  // namespace tov::app
