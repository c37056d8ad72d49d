// The main window: menus, toolbar and status bar; the document commands, printing, help.
#pragma once

#include <QMainWindow>
#include <map>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QPrinter;

namespace tov::app {

class CQvDoc;
class CQvView;

/// Command ids of the menus (the form commands' ids come from the form registry).
namespace cmd {
inline constexpr int FileNew = 57600, FileOpen = 57601, FileSave = 57603, FileSaveAs = 57604,
                     PrintSetup = 57606, Print = 57607, PrintPreview = 57609, Mru1 = 57616,
                     Exit = 57665, Undo = 57643, Cut = 57635, Copy = 57634, Paste = 57637,
                     ToolBar = 59392, StatusBar = 59393, Font = 32771, Help = 32778,
                     ExportPdf = 32900, NmCurve = 32901, About = 32902, RedoSheet = 32903;
}

/// The profile of the recent-file list.
inline constexpr const char* kProfileOrganization = "Local AppWizard-Generated Applications";
inline constexpr const char* kProfileApplication = "Tovarin";
inline constexpr int kRecentFiles = 4;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(QWidget* parent = nullptr);
    ~CMainFrame() override;

    CQvView* view() const { return view_; }
    CQvDoc* document() const { return doc_; }
    /// The action of a command id; nullptr for none.
    QAction* action(int id) const;
    QToolBar* toolBar() const { return toolBar_; }
    QMenu* menuOf(int id) const;

    /// Opens a file as the report (no save prompt); shows the failure's message and returns false.
    bool openFile(const QString& path);
    /// Saves the report to a file; shows "保存文档失败。" and returns false when it fails.
    bool saveFile(const QString& path);
    /// Asks "将改动保存到 %1？" for a modified report; false when the user cancels (or saving fails).
    bool maybeSave();
    /// Writes the printed pages to a PDF file.
    bool exportPdf(const QString& path);
    /// Paints the report's pages on a printer (print and preview both come here).
    void paintPages(QPrinter* printer);
    QStringList recentFiles() const;
    /// Shows the window with the size, place and maximised state it had when last closed
    /// (maximised the first time).
    void showAsLastTime();

public slots:
    void fileNew();
    void fileOpen();
    bool fileSave();
    bool fileSaveAs();
    void filePrint();
    void filePrintPreview();
    void filePrintSetup();
    void fileExportPdf();
    void help();
    void about();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    QAction* addCommand(QMenu* menu, int id, const QString& text, const char* prompt,
                        const QList<QKeySequence>& keys = {});
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void updateTitle();
    void addRecentFile(const QString& path);
    void removeRecentFile(const QString& path);
    void updateRecentActions();
    void openRecent(int index);
    QPrinter& printer();

    CQvView* view_ = nullptr;
    CQvDoc* doc_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    std::map<int, QAction*> actions_;
    std::map<int, QMenu*> menus_;
    QAction* recentPlaceholder_ = nullptr;
    std::unique_ptr<QPrinter> printer_;
};

}  // namespace tov::app
