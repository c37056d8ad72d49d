#include "app/qvview.h"

#include <QApplication>
#include <QFile>
#include <QFontDialog>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "app/formdialog.h"
#include "forms/registry.h"

namespace tov::app {

CQvView::CQvView(QWidget* parent) : QPlainTextEdit(parent) {
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    document()->setUndoRedoEnabled(true);
    connect(document(), &QTextDocument::contentsChanged, this, [this] { cachedSize_.reset(); });
    updateTabStops();
}

QString CQvView::viewText() const {
    QString t = document()->toRawText();
    t.replace(QChar::ParagraphSeparator, u'\n');
    return t;
}

std::string CQvView::wholeText() const {
    return toFileText(viewText(), LineEnd::CrLf).toStdString();
}

std::size_t CQvView::sizeOf(const QString& viewText) const {
    // A fragment's size: the byte-order mark belongs to the file, not to its pieces.
    const tov::ReportEncoding enc =
        encoding_ == tov::ReportEncoding::Utf8Bom ? tov::ReportEncoding::Utf8 : encoding_;
    return tov::encodedSize(toFileText(viewText, lineEnd_).toStdString(), enc);
}

std::size_t CQvView::fileSize() const {
    if (!cachedSize_) {
        const std::size_t bom = encoding_ == tov::ReportEncoding::Utf8Bom ? 3 : 0;
        const std::size_t body = sizeOf(viewText());
        cachedSize_ = body == std::string::npos ? body : body + bom;
    }
    return *cachedSize_;
}

bool CQvView::admits(const QString& insert) const {
    // Every character takes at most 4 bytes in GB18030 and UTF-8 (a line break 2): a report far
    // below the limit needs no exact count.
    const qsizetype chars = document()->characterCount() + insert.size();
    if (chars * 4 + 3 <= static_cast<qsizetype>(tov::kMaxReportBytes)) return true;
    const std::size_t total = fileSize();
    QString selected = textCursor().selectedText();
    selected.replace(QChar::ParagraphSeparator, u'\n');
    const std::size_t removed = selected.isEmpty() ? 0 : sizeOf(selected);
    const std::size_t added = sizeOf(insert);
    if (total == std::string::npos || removed == std::string::npos || added == std::string::npos)
        return false;
    return total - removed + added <= tov::kMaxReportBytes;
}

void CQvView::refuseTooLarge() const {
    QApplication::beep();
    QWidget* owner = QApplication::activeModalWidget();
    if (!owner) owner = window();
    QMessageBox box(QMessageBox::Warning, QStringLiteral("提示"), QString::fromUtf8(kReportFull),
                    QMessageBox::Ok, owner);
    box.exec();
}

bool CQvView::replaceWholeText(const std::string& text) {
    const QString next = fromCrLf(QString::fromStdString(text));
    const QString current = viewText();
    QTextCursor c(document());
    if (next.size() >= current.size() && next.startsWith(current)) {
        // The usual case, a sheet appended: only the tail goes in, as one undo step.
        const QString tail = next.mid(current.size());
        const std::size_t before = fileSize(), added = sizeOf(tail);
        if (before == std::string::npos || added == std::string::npos ||
            before + added > tov::kMaxReportBytes) {
            refuseTooLarge();
            return false;
        }
        if (tail.isEmpty()) return true;
        c.movePosition(QTextCursor::End);
        c.insertText(tail);
        return true;
    }
    const std::size_t size = sizeOf(next);
    const std::size_t bom = encoding_ == tov::ReportEncoding::Utf8Bom ? 3 : 0;
    if (size == std::string::npos || size + bom > tov::kMaxReportBytes) {
        refuseTooLarge();
        return false;
    }
    c.select(QTextCursor::Document);
    c.insertText(next);
    return true;
}

void CQvView::clearReport() {
    setPlainText(QString());
    encoding_ = tov::ReportEncoding::Gbk;
    lineEnd_ = LineEnd::CrLf;
    cachedSize_.reset();
    document()->setModified(false);
}

tov::FileResult CQvView::loadFile(const QString& path) {
    tov::ReportText rt;
    tov::FileResult r = tov::readReportFile(QFile::encodeName(path).toStdString(), rt);
    if (!r.ok()) return r;
    const ViewText v = fromFileText(QString::fromStdString(rt.utf8));
    setPlainText(v.text);
    encoding_ = rt.encoding;
    lineEnd_ = v.lineEnd;
    cachedSize_.reset();
    moveCursor(QTextCursor::Start);
    // A file that mixed its line ends is saved with "\r\n" throughout: it differs from its file.
    document()->setModified(v.normalised);
    if (v.normalised) emit statusMessage(QStringLiteral("该文件的换行符不统一，保存时将统一为回车换行（CR LF）。"));
    return r;
}

tov::FileResult CQvView::saveFile(const QString& path) {
    const tov::ReportText rt{toFileText(viewText(), lineEnd_).toStdString(), encoding_};
    tov::FileResult r = tov::writeReportFile(QFile::encodeName(path).toStdString(), rt);
    if (r.ok()) document()->setModified(false);
    return r;
}

void CQvView::keyPressEvent(QKeyEvent* e) {
    if (!isReadOnly()) {
        QString insert;
        const QString t = e->text();
        if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
            insert = QStringLiteral("\n");
        else if (!t.isEmpty() && (t.at(0).isPrint() || t.at(0) == u'\t'))
            insert = t;
        if (!insert.isEmpty() && !admits(insert)) {
            e->accept();
            refuseTooLarge();
            return;
        }
    }
    QPlainTextEdit::keyPressEvent(e);
}

void CQvView::inputMethodEvent(QInputMethodEvent* e) {
    if (!e->commitString().isEmpty() && !admits(e->commitString())) {
        e->setCommitString(QString());
        QPlainTextEdit::inputMethodEvent(e);
        refuseTooLarge();
        return;
    }
    QPlainTextEdit::inputMethodEvent(e);
}

void CQvView::insertFromMimeData(const QMimeData* source) {
    if (source && source->hasText() && !isReadOnly()) {
        QString t = source->text();
        t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        t.replace(u'\r', u'\n');
        if (!admits(t)) {
            refuseTooLarge();
            return;
        }
    }
    QPlainTextEdit::insertFromMimeData(source);
}

void CQvView::changeEvent(QEvent* e) {
    QPlainTextEdit::changeEvent(e);
    if (e->type() == QEvent::FontChange) updateTabStops();
}

void CQvView::updateTabStops() {
    setTabStopDistance(4 * QFontMetricsF(font()).averageCharWidth());
}

bool CQvView::runFormCommand(int commandId) {
    const tov::FormEntry* entry = tov::formForCommand(commandId);
    if (!entry) return false;
    std::unique_ptr<tov::CalcForm> form = entry->make();
    FormDialog dialog(*form, *this, window());
    dialog.exec();
    return true;
}

void CQvView::chooseFont() {
    bool ok = false;
    const QFont f = QFontDialog::getFont(&ok, font(), this, QStringLiteral("字体"));
    if (ok) setDisplayFont(f);
}

void CQvView::setDisplayFont(const QFont& font) {
    setFont(font);
    updateTabStops();
}

}  // namespace tov::app
