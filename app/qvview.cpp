#include "app/qvview.h"

#include <algorithm>

#include <QApplication>
#include <QFile>
#include <QFontDialog>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QStringDecoder>
#include <QScrollBar>
#include <QSettings>
#include <QTimer>
#include <QWheelEvent>
#include <cmath>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "app/formdialog.h"
#include "forms/readback.h"
#include "app/nmdiagram.h"
#include "forms/registry.h"

namespace tov::app {

namespace {
const QString kFontKey = QStringLiteral("Settings/ReportFont");
constexpr int kZoomMin = -6, kZoomMax = 14;
}  // namespace

CQvView::CQvView(QWidget* parent) : QPlainTextEdit(parent) {
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    document()->setUndoRedoEnabled(true);
    connect(document(), &QTextDocument::contentsChange, this, [this](int position, int removed, int added) {
        if (!appending_) followChange(position, removed, added);
    });
    cachedSize_ = 0;
    updateTabStops();
    displayFont_ = font();
    flash_ = new QTimer(this);
    flash_->setSingleShot(true);
    flash_->setInterval(1500);
    connect(flash_, &QTimer::timeout, this, [this] { setExtraSelections({}); });
}

QString CQvView::viewText() const {
    QString t = document()->toRawText();
    t.replace(QChar::ParagraphSeparator, u'\n');
    return t;
}

void CQvView::followChange(int position, int removed, int added) {
    coreValid_ = false;
    // The document reports a change of its whole text with its final block break counted in;
    // what it reports beyond the kept text is clipped, and the characters added follow from the
    // document's new length (its text outside the change is the kept text's).
    const qsizetype length = document()->characterCount() - 1;
    const qsizetype pos = position, old = kept_.size();
    if (pos < 0 || pos > old) return keepWhole();
    const qsizetype cut = std::min<qsizetype>(removed, old - pos);
    const qsizetype put = length - (old - cut);
    if (put < 0 || pos + put > length || put > added) return keepWhole();
    if (cut == 0 && put == 0) return;  // a change of format alone
    // Counted in whole characters: a surrogate pair the edit splits or joins is counted on both
    // sides of it.
    qsizetype from = pos, oldEnd = pos + cut, newEnd = pos + put;
    if (from > 0 && kept_.at(from - 1).isHighSurrogate()) --from;
    if (oldEnd < old && kept_.at(oldEnd).isLowSurrogate()) ++oldEnd, ++newEnd;
    QString inserted;
    if (newEnd > from) {
        QTextCursor c(document());
        c.setPosition(static_cast<int>(from));
        c.setPosition(static_cast<int>(newEnd), QTextCursor::KeepAnchor);
        inserted = c.selectedText();
        inserted.replace(QChar::ParagraphSeparator, u'\n');
    }
    if (cachedSize_) {
        const std::size_t gone = sizeOf(kept_.mid(from, oldEnd - from));
        const std::size_t come = sizeOf(inserted);
        if (gone == std::string::npos || come == std::string::npos)
            cachedSize_.reset();
        else
            *cachedSize_ = *cachedSize_ - gone + come;
    }
    kept_.replace(from, oldEnd - from, inserted);
}

void CQvView::keepWhole() {
    coreValid_ = false;
    kept_ = viewText();
    cachedSize_.reset();
}

const std::string& CQvView::coreText() const {
    if (!coreValid_) {
        core_ = toFileText(kept_, LineEnd::CrLf).toStdString();
        coreValid_ = true;
    }
    return core_;
}

const std::string& CQvView::wholeText() const { return coreText(); }

std::size_t CQvView::sizeOf(const QString& text) const {
    // A fragment's size: the byte-order mark belongs to the file, not to its pieces. Line breaks
    // ("\n", or U+2029 in the document's raw text) take 2 bytes or 1; other characters as their
    // encoding has them. A lone surrogate goes the long way, through the text's UTF-8.
    const bool gbk = encoding_ == tov::ReportEncoding::Gbk;
    const std::size_t lineBreak = lineEnd_ == LineEnd::CrLf ? 2 : 1;
    std::size_t size = 0;
    const unsigned char* gbLengths = gbk ? tov::gb18030Lengths() : nullptr;
    const qsizetype n = text.size();
    const char16_t* p = reinterpret_cast<const char16_t*>(text.constData());
    for (qsizetype i = 0; i < n; ++i) {
        char32_t c = p[i];
        if (c < 0x80) {
            size += c == u'\n' ? lineBreak : 1;
            continue;
        }
        if (c == 0x2029) {
            size += lineBreak;
            continue;
        }
        if (c >= 0xD800 && c <= 0xDFFF) {
            if (c <= 0xDBFF && i + 1 < n && p[i + 1] >= 0xDC00 && p[i + 1] <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (p[i + 1] - 0xDC00);
                ++i;
            } else {
                QString t = text;
                t.replace(QChar::ParagraphSeparator, u'\n');
                const tov::ReportEncoding enc = gbk ? encoding_ : tov::ReportEncoding::Utf8;
                return tov::encodedSize(toFileText(t, lineEnd_).toStdString(), enc);
            }
        }
        if (gbk) {
            const int len = gbLengths && c < 0x10000 ? gbLengths[c] : tov::gb18030Length(c);
            if (len == 0) return std::string::npos;
            size += static_cast<std::size_t>(len);
        } else {
            size += c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
        }
    }
    return size;
}

std::size_t CQvView::fileSize() const {
    if (!cachedSize_) {
        const std::size_t bom = encoding_ == tov::ReportEncoding::Utf8Bom ? 3 : 0;
        const std::size_t body = sizeOf(kept_);
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

namespace {
// Characters that QTextCursor::insertText turns into block breaks besides "\n": a tail holding one
// does not come back from the document as it went in.
bool hasOtherBreaks(const QString& s) {
    for (const QChar c : s)
        if (c == u'\r' || c == QChar::ParagraphSeparator || c.unicode() == 0xFDD0 || c.unicode() == 0xFDD1)
            return true;
    return false;
}
}  // namespace

bool CQvView::appendTail(const QString& tail) {
    const std::size_t before = fileSize(), added = sizeOf(tail);
    if (before == std::string::npos || added == std::string::npos ||
        before + added > tov::kMaxReportBytes) {
        refuseTooLarge();
        return false;
    }
    if (tail.isEmpty()) return true;
    // The caches follow unless the document would not give the tail back as it went in.
    const bool keep = !hasOtherBreaks(tail);
    QTextCursor c(document());
    c.movePosition(QTextCursor::End);
    appending_ = keep;
    c.insertText(tail);
    appending_ = false;
    if (keep) {
        if (coreValid_) core_ += toFileText(tail, LineEnd::CrLf).toStdString();
        kept_ += tail;
        cachedSize_ = before + added;
    }
    return true;
}

bool CQvView::appendSheet(std::string_view sheet) {
    // A "\n" beginning the sheet after a "\r" ending the report would join into one break:
    // that goes the whole-text way. (Sheets begin with "\r\n".)
    if (!sheet.empty() && sheet.front() == '\n') return ReportTarget::appendSheet(sheet);
    return appendTail(fromCrLf(QString::fromUtf8(sheet.data(), static_cast<qsizetype>(sheet.size()))));
}

bool CQvView::replaceWholeText(const std::string& text) {
    const std::string& current = coreText();
    // The usual case, a sheet appended: the new text begins with the report's; only the tail goes
    // in, at the end, as one undo step. (A "\r" ending the report and a "\n" beginning the tail
    // would join into one break: not an append.)
    if (text.size() >= current.size() && text.compare(0, current.size(), current) == 0 &&
        !(!current.empty() && current.back() == '\r' && text.size() > current.size() &&
          text[current.size()] == '\n')) {
        const int start = document()->characterCount() - 1;
        if (!appendTail(fromCrLf(QString::fromUtf8(text.data() + current.size(),
                                                   static_cast<qsizetype>(text.size() - current.size())))))
            return false;
        showSheet(start);
        return true;
    }
    const QString next = fromCrLf(QString::fromStdString(text));
    const std::size_t size = sizeOf(next);
    const std::size_t bom = encoding_ == tov::ReportEncoding::Utf8Bom ? 3 : 0;
    if (size == std::string::npos || size + bom > tov::kMaxReportBytes) {
        refuseTooLarge();
        return false;
    }
    QTextCursor c(document());
    c.select(QTextCursor::Document);
    c.insertText(next);
    return true;
}

void CQvView::showSheet(int position) {
    // The sheet's title: the first line of the new text that is not blank.
    QTextBlock b = document()->findBlock(position);
    while (b.isValid() && b.text().trimmed().isEmpty() && b.next().isValid()) b = b.next();
    if (!b.isValid()) return;
    lastSheet_ = b.position();
    QTextEdit::ExtraSelection mark;
    mark.cursor = QTextCursor(document());
    mark.cursor.setPosition(b.position());
    mark.cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    mark.format.setBackground(QColor(255, 244, 190));
    setExtraSelections({mark});
    flash_->start();
    // The scroll bar counts visual lines; the last page cannot scroll further than its end.
    const int line = b.firstLineNumber();
    verticalScrollBar()->setValue(line);
    QTimer::singleShot(0, this, [this, line] { verticalScrollBar()->setValue(line); });
}

void CQvView::clearReport() {
    appending_ = true;
    setPlainText(QString());
    appending_ = false;
    encoding_ = tov::ReportEncoding::Gbk;
    lineEnd_ = LineEnd::CrLf;
    kept_.clear();
    core_.clear();
    coreValid_ = true;
    cachedSize_ = 0;
    document()->setModified(false);
}

tov::FileResult CQvView::loadFile(const QString& path) {
    tov::ReportText rt;
    tov::FileResult r = tov::readReportFile(QFile::encodeName(path).toStdString(), rt);
    if (!r.ok()) return r;
    // A leading U+FEFF is text of the file (the decoder would take it for a byte-order mark).
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    const ViewText v = fromFileText(utf8(QByteArrayView(rt.utf8.data(), static_cast<qsizetype>(rt.utf8.size()))));
    appending_ = true;  // the caches are filled below, from the text loaded
    setPlainText(v.text);
    appending_ = false;
    encoding_ = rt.encoding;
    lineEnd_ = v.lineEnd;
    if (hasOtherBreaks(v.text)) {
        keepWhole();
    } else {
        kept_ = v.text;
        coreValid_ = false;
        const std::size_t body = sizeOf(kept_);
        const std::size_t bom = encoding_ == tov::ReportEncoding::Utf8Bom ? 3 : 0;
        cachedSize_ = body == std::string::npos ? std::optional<std::size_t>() : body + bom;
    }
    moveCursor(QTextCursor::Start);
    // A file that mixed its line ends is saved with "\r\n" throughout: it differs from its file.
    // So does one with characters that the text field does not hold as they are: U+FDD0 and
    // U+FDD1, which it takes for paragraph marks, come back as line breaks.
    const bool altered = v.text.contains(QChar(0xFDD0)) || v.text.contains(QChar(0xFDD1)) || viewText() != v.text;
    document()->setModified(v.normalised || altered);
    if (altered)
        emit statusMessage(QStringLiteral("该文件含有文本框不能原样保留的字符（U+FDD0、U+FDD1将成为换行），保存时将与原文件不同。"));
    else if (v.normalised)
        emit statusMessage(QStringLiteral("该文件的换行符不统一，保存时将统一为回车换行（CR LF）。"));
    return r;
}

tov::FileResult CQvView::saveFile(const QString& path, const tov::FileStamp* expected) {
    const tov::ReportText rt{toFileText(viewText(), lineEnd_).toStdString(), encoding_};
    tov::FileResult r = tov::writeReportFile(QFile::encodeName(path).toStdString(), rt, expected);
    if (r.ok()) document()->setModified(false);
    return r;
}

void CQvView::keyPressEvent(QKeyEvent* e) {
    // Ctrl+= and Ctrl++ zoom in, Ctrl+- out, Ctrl+0 back to the chosen size.
    const Qt::KeyboardModifiers mods = e->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    if (mods == Qt::ControlModifier) {
        const int k = e->key();
        if (k == Qt::Key_Equal || k == Qt::Key_Plus || k == Qt::Key_Minus || k == Qt::Key_0) {
            zoomBy(k == Qt::Key_Minus ? -1 : k == Qt::Key_0 ? -zoom_ : 1);
            e->accept();
            return;
        }
    }
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
    openForm(*entry, nullptr);
    return true;
}

void CQvView::openForm(const tov::FormEntry& entry, const std::vector<tov::Assignment>* inputs) {
    std::unique_ptr<tov::CalcForm> form = entry.make();
    FormDialog dialog(*form, *this, window());
    if (inputs) dialog.takeInputs(*inputs);
    connect(&dialog, &FormDialog::calculated, this, [this, &form] { noteCalculation(*form); });
    dialog.exec();
}

bool CQvView::redoSheetAtCursor() {
    const QString caption = QStringLiteral("提示");
    const std::string text = viewText().toStdString();
    const auto sheets = tov::findSheets(text);
    const tov::SheetSpan* span = tov::sheetAtLine(sheets, textCursor().blockNumber());
    if (!span) {
        QMessageBox::information(window(), caption, QStringLiteral("光标不在计算书中：请把光标放在要重新计算的计算书内。"));
        return false;
    }
    const tov::ReadBack rb = tov::readBackSheet(std::string_view(text).substr(span->begin, span->end - span->begin));
    if (!rb.ok()) {
        const QString where = rb.line >= 0 ? QStringLiteral("第%1行").arg(span->firstLine + rb.line + 1)
                                           : QStringLiteral("从第%1行起的计算书").arg(span->firstLine + 1);
        QMessageBox::warning(window(), caption,
                             QStringLiteral("无法读回这份计算书（%1）：%2").arg(where, QString::fromStdString(rb.error)));
        return false;
    }
    openForm(*rb.form, &rb.assignments);
    return true;
}

void CQvView::noteCalculation(const tov::CalcForm& form) {
    if (!tov::section::hasRectSection(form.decl().dialogId)) return;
    lastSection_ = tov::section::formSection(form);
    lastRectWithout_ = !lastSection_;
}

void CQvView::showNmDiagram() {
    const QString title = QStringLiteral("截面N-M相关曲线");
    if (!lastSection_) {
        QMessageBox::information(window(), title,
                                 lastRectWithout_
                                     ? QStringLiteral("最近一次矩形截面计算没有给出可用的钢筋面积，无法绘制N-M相关曲线。")
                                     : QStringLiteral("本次运行中还没有完成矩形截面（有b、h、As、As′）的计算。\n"
                                                      "请先完成一次这样的计算，再查看其N-M相关曲线。"));
        return;
    }
    NmDiagramDialog dialog(*lastSection_, window());
    dialog.exec();
}

void CQvView::chooseFont() {
    bool ok = false;
    const QFont f = QFontDialog::getFont(&ok, font(), this, QStringLiteral("字体"));
    if (!ok) return;
    setDisplayFont(f);
    QSettings().setValue(kFontKey, f.toString());
}

void CQvView::setDisplayFont(const QFont& font) {
    displayFont_ = font;
    zoomBy(0);
}

void CQvView::restoreSavedFont() {
    QFont f;
    const QString saved = QSettings().value(kFontKey).toString();
    if (!saved.isEmpty() && f.fromString(saved)) setDisplayFont(f);
}

void CQvView::zoomBy(int steps) {
    zoom_ = std::clamp(zoom_ + steps, kZoomMin, kZoomMax);
    QFont f = displayFont_;
    const double scale = std::pow(1.1, zoom_);
    if (f.pointSizeF() > 0)
        f.setPointSizeF(f.pointSizeF() * scale);
    else if (f.pixelSize() > 0)
        f.setPixelSize(std::max(1, static_cast<int>(std::lround(f.pixelSize() * scale))));
    setFont(f);
    updateTabStops();
}

void CQvView::wheelEvent(QWheelEvent* e) {
    if (e->modifiers() & Qt::ControlModifier) {
        const int steps = e->angleDelta().y() / 120;
        if (steps != 0) zoomBy(steps);
        e->accept();
        return;
    }
    QPlainTextEdit::wheelEvent(e);
}

}  // namespace tov::app
