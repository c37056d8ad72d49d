// The report view: a plain text field holding the report, the forms' report target, and the
// raw transfer of the text to and from its file.
#pragma once

#include <QPlainTextEdit>
#include <optional>

class QTimer;

#include "app/linebreaks.h"
#include "forms/calcreport.h"
#include "forms/reportfile.h"
#include "forms/runner.h"
#include "section/formsection.h"

namespace tov::app {

/// Shown when typing, pasting or a calculation sheet would take the report past the file limit.
inline constexpr const char* kReportFull =
    "报告的长度将超过1048575字节（报告文件的上限），此次改动未执行。";

class CQvView : public QPlainTextEdit, public tov::ReportTarget {
    Q_OBJECT
public:
    explicit CQvView(QWidget* parent = nullptr);

    // The forms' operations (UTF-8, lines ending "\r\n").
    const std::string& wholeText() const override;
    bool replaceWholeText(const std::string& text) override;
    /// Appends a sheet at the end as one undo step, within the size limit.
    bool appendSheet(std::string_view sheet) override;

    /// The text as the view holds it: lines separated by "\n".
    QString viewText() const;
    /// Empties the report for a new document (CrLf, GBK, not modified, no undo history).
    void clearReport();
    /// Loads a report file; the current text stays when it fails.
    tov::FileResult loadFile(const QString& path);
    /// Saves the report atomically in its file's encoding and line ends (given a stamp, only
    /// over a file that still has it).
    tov::FileResult saveFile(const QString& path, const tov::FileStamp* expected = nullptr);

    /// Size of the report in its file, in bytes.
    std::size_t fileSize() const;
    /// True when replacing the selection with the text keeps the file within the limit.
    bool admits(const QString& insert) const;
    tov::ReportEncoding encoding() const { return encoding_; }
    LineEnd lineEnd() const { return lineEnd_; }

    /// Opens the form of a command modally with this view as its report; false when the core has
    /// no such form.
    bool runFormCommand(int commandId);
    /// Opens the form of the sheet that holds the caret, with the inputs read back from the sheet's
    /// lines; says why when the caret is in no sheet or a line cannot be read. False when no form
    /// opened.
    bool redoSheetAtCursor();
    /// Keeps the section of a rectangular form's finished Calculate (the last one of the session);
    /// any other form leaves the kept one as it is.
    void noteCalculation(const tov::CalcForm& form);
    /// The section of the last rectangular calculation, or nullopt.
    const std::optional<tov::section::FormSection>& lastSection() const { return lastSection_; }
    /// Shows the N–M diagram of that section, or says in a message box why there is none.
    void showNmDiagram();
    /// The font chooser (display font only); the choice is kept for the next session.
    void chooseFont();
    void setDisplayFont(const QFont& font);
    /// The font chosen for the report, without the zoom: the printed pages use it.
    const QFont& reportFont() const { return displayFont_; }
    /// Takes the font kept from an earlier session, if any.
    void restoreSavedFont();
    /// Zoom of the view only, in steps of 10 % (0: the chosen font's size).
    void zoomBy(int steps);
    int zoomSteps() const { return zoom_; }
    /// Position where the last appended sheet begins (−1 before any).
    int lastSheetStart() const { return lastSheet_; }

signals:
    /// A message for the status bar.
    void statusMessage(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void insertFromMimeData(const QMimeData* source) override;
    void changeEvent(QEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;

private:
    /// Runs a form modally, with its defaults or with the given inputs put in.
    void openForm(const tov::FormEntry& entry, const std::vector<tov::Assignment>* inputs);
    void refuseTooLarge() const;
    std::size_t sizeOf(const QString& viewText) const;
    void updateTabStops();
    /// The forms' text of the report, rebuilt from the document when an edit made it stale.
    const std::string& coreText() const;
    /// Inserts view text at the end as one undo step, within the size limit.
    bool appendTail(const QString& tail);
    /// Scrolls a sheet appended at a position to the top of the view and marks it for a moment.
    void showSheet(int position);

    /// Follows a change of the document: the kept text and the size change by the edit alone.
    void followChange(int position, int removed, int added);
    /// Sets the kept text and size afresh from the document.
    void keepWhole();

    tov::ReportEncoding encoding_ = tov::ReportEncoding::Gbk;
    LineEnd lineEnd_ = LineEnd::CrLf;
    // Kept so that a sheet appended to a large report costs the size of the sheet: the document's
    // text (lines separated by "\n") and its file size, set when a file is loaded and changed by
    // each edit's own characters and bytes; and the report as wholeText() gives it, built only
    // when asked, kept in step with appended sheets and dropped by other edits.
    QString kept_;
    mutable std::string core_;
    mutable bool coreValid_ = false;
    mutable std::optional<std::size_t> cachedSize_;  ///< none: not encodable, or not yet counted
    bool appending_ = false;  ///< inside an insertion that keeps the caches itself
    std::optional<tov::section::FormSection> lastSection_;
    bool lastRectWithout_ = false;  ///< the last rectangular calculation gave no areas to draw
    QFont displayFont_;
    int zoom_ = 0;
    int lastSheet_ = -1;
    QTimer* flash_ = nullptr;  ///< ends the mark of a new sheet
};

}  // namespace tov::app
