#include "app/pagelayout.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <vector>

#include "forms/reportfile.h"

namespace tov::app {

namespace {
constexpr int kMargin = 250;      // 25 mm
constexpr int kBandStart = 200;   // 20 mm

int toDots(double tenthsMm, int dpi) { return static_cast<int>(std::lround(tenthsMm * dpi / 254.0)); }
}  // namespace

PageBoxes layoutPage(const PageMetrics& m, int lineHeight) {
    lineHeight = std::max(lineHeight, 1);
    PageBoxes b;
    int left = std::max(kMargin, m.left), right = m.paperWidth - std::max(kMargin, m.right);
    int top = std::max(kMargin, m.top), bottom = m.paperHeight - std::max(kMargin, m.bottom);

    // Header: from 20 mm below the top edge (or the printable top) down to the text.
    const int headerTop = std::max(kBandStart, m.top);
    if (top - headerTop < lineHeight) top = headerTop + lineHeight;

    // Footer: below the text, 20 mm less the unprintable bottom margin tall. Where that leaves no
    // room for a line (a bottom margin beyond 20 mm less a line), the band is one line tall and
    // ends at the printable bottom; the text stops above it.
    const int printableBottom = m.paperHeight - m.bottom;
    int footerBottom = bottom + std::max(0, kBandStart - m.bottom);
    if (footerBottom - bottom < lineHeight) {
        footerBottom = std::min(bottom + lineHeight, printableBottom);
        footerBottom = std::max(footerBottom, bottom);
        if (footerBottom - lineHeight < bottom) bottom = footerBottom - lineHeight;
    }
    if (bottom < top) bottom = top;  // a page too small for anything but the bands
    b.text = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
    b.header = QRect(QPoint(left, headerTop), QPoint(right - 1, top - 1));
    b.footer = QRect(QPoint(left, bottom), QPoint(right - 1, std::max(footerBottom, bottom + 1) - 1));
    return b;
}

PageMetrics pageMetrics(const QPagedPaintDevice& device) {
    QPageLayout layout = device.pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    const QSizeF paper = layout.fullRect(QPageLayout::Millimeter).size();
    const QMarginsF min = layout.minimumMargins();
    auto tenths = [](double mm) { return static_cast<int>(std::lround(mm * 10)); };
    PageMetrics m;
    m.paperWidth = tenths(paper.width());
    m.paperHeight = tenths(paper.height());
    m.left = tenths(min.left());
    m.top = tenths(min.top());
    m.right = tenths(min.right());
    m.bottom = tenths(min.bottom());
    return m;
}

QFont headerFont(int dpi) {
    QFont f;
    f.setFamilies({QStringLiteral("楷体_GB2312"), QStringLiteral("KaiTi_GB2312"), QStringLiteral("KaiTi"),
                   QStringLiteral("楷体"), QStringLiteral("AR PL UKai CN")});
    f.setWeight(QFont::Normal);
    f.setPixelSize(std::max(1, toDots(32, dpi)));  // 3.2 mm character height
    return f;
}

namespace {

// The pitch of the body's lines as a QTextDocument lays them out (what the view and the printed
// page looked like before): extra space below a line of the given height, for a line of text and
// for an empty line.
struct Pitch {
    double extra = 0;
    double empty = 0;
};

Pitch bodyPitch(QPaintDevice& device, const QFont& font, const QTextOption& option) {
    QTextDocument doc;
    doc.documentLayout()->setPaintDevice(&device);
    doc.setDocumentMargin(0);
    doc.setDefaultFont(font);
    doc.setDefaultTextOption(option);
    doc.setPlainText(QStringLiteral("\nx\nx"));
    doc.setTextWidth(1e6);
    QAbstractTextDocumentLayout* layout = doc.documentLayout();
    const QTextBlock empty = doc.begin(), one = empty.next(), two = one.next();
    Pitch p;
    p.empty = layout->blockBoundingRect(one).top() - layout->blockBoundingRect(empty).top();
    const double pitch = layout->blockBoundingRect(two).top() - layout->blockBoundingRect(one).top();
    p.extra = pitch - one.layout()->lineAt(0).height();
    return p;
}

}  // namespace

int paintReport(QPagedPaintDevice& device, const QString& text, const QFont& bodyFont, const QString& header) {
    if (auto* printer = dynamic_cast<QPrinter*>(&device)) printer->setFullPage(true);
    const int dpi = device.logicalDpiY();
    const QFont hf = headerFont(dpi);
    const QFontMetricsF hfm(hf, &device);
    const int lineTenths = static_cast<int>(std::ceil(hfm.height() * 254.0 / dpi));
    const PageBoxes boxes = layoutPage(pageMetrics(device), lineTenths);
    auto dots = [dpi](const QRect& r) {
        return QRectF(QPointF(r.left() * dpi / 254.0, r.top() * dpi / 254.0),
                      QPointF((r.right() + 1) * dpi / 254.0, (r.bottom() + 1) * dpi / 254.0));
    };
    const QRectF textArea = dots(boxes.text), headerArea = dots(boxes.header), footerArea = dots(boxes.footer);

    QTextOption option(Qt::AlignLeft | Qt::AlignTop);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setTabStopDistance(4 * QFontMetricsF(bodyFont, &device).averageCharWidth());
    const Pitch pitch = bodyPitch(device, bodyFont, option);

    QPainter p(&device);
    if (!p.isActive()) return 0;
    const QString headerText = hfm.elidedText(header, Qt::ElideMiddle, headerArea.width());

    // Each line of the report is laid out on its own (a paragraph at a time, positions kept in
    // double, not in the text engine's fixed point, which a long report's height overflows) and
    // drawn at once: the time is linear in the report's size, whatever its lines. Page breaks fall
    // between lines: a line never straddles two pages and is drawn on its page only (a clipped
    // duplicate would still be found by a PDF reader's search).
    int pages = 0;
    double y = 0;
    const double height = textArea.height();
    auto startPage = [&] {
        if (pages > 0) device.newPage();
        ++pages;
        y = 0;
        p.setPen(Qt::black);
        p.setFont(hf);
        p.drawText(headerArea, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, headerText);
        p.drawText(footerArea, Qt::AlignRight | Qt::AlignBottom | Qt::TextSingleLine,
                   QStringLiteral("- %1 -").arg(pages));
    };
    // The top of a line of the given height, on this page or the next.
    auto place = [&](double h) {
        if (y + h > height && y > 0) startPage();
        const double top = y;
        return top;
    };
    startPage();
    const qsizetype n = text.size();
    for (qsizetype start = 0; start <= n;) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0) end = n;
        if (end == start) {
            place(pitch.empty);
            y += pitch.empty;
        } else {
            QTextLayout layout(text.mid(start, end - start), bodyFont, &device);
            layout.setTextOption(option);
            layout.setCacheEnabled(true);
            layout.beginLayout();
            for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
                line.setLineWidth(textArea.width());
                line.setPosition(QPointF(0, 0));
            }
            layout.endLayout();
            for (int i = 0; i < layout.lineCount(); ++i) {
                const QTextLine line = layout.lineAt(i);
                const double top = place(line.height());
                line.draw(&p, QPointF(textArea.left(), textArea.top() + top));
                y = top + line.height() + pitch.extra;
            }
        }
        start = end + 1;
    }
    return pages;
}

namespace {

// The pages as PDF bytes, drawn in memory: the file is written (and checked) by the caller.
QByteArray renderPdf(const QPageLayout& page, int dpi, const QString& title, const QString& text,
                     const QFont& bodyFont, const QString& header) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(dpi);
        QPageLayout full = page;
        full.setMinimumMargins(QMarginsF());
        full.setMargins(QMarginsF());
        writer.setPageLayout(full);
        writer.setCreator(QStringLiteral("Tovarin"));
        writer.setTitle(title);
        if (paintReport(writer, text, bodyFont, header) == 0) return {};
    }
    return buffer.data();
}

bool writePdfFile(const QString& pdfPath, const QByteArray& pdf, QString* error) {
    tov::FileResult r;
    if (pdf.isEmpty())
        r = tov::FileResult("保存文档失败。");
    else
        r = tov::writeFileAtomically(QFile::encodeName(pdfPath).toStdString(),
                                     std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
    if (r.ok()) return true;
    if (error) {
        *error = QStringLiteral("无法写入PDF文件 %1").arg(QDir::toNativeSeparators(pdfPath));
        *error += r.reason.empty() ? QStringLiteral("。") : QStringLiteral("：%1。").arg(QString::fromStdString(r.reason));
    }
    return false;
}

}  // namespace

bool writeReportPdf(const QString& pdfPath, const QString& text, const QFont& bodyFont,
                    const QString& header, QString* error) {
    const QPageLayout a4(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF());
    const QString title = header.isEmpty() ? QStringLiteral("无标题") : QFileInfo(header).fileName();
    return writePdfFile(pdfPath, renderPdf(a4, 1200, title, text, bodyFont, header), error);
}

bool printReportToFile(const QPrinter& printer, const QString& text, const QFont& bodyFont,
                       const QString& header, QString* error) {
    return writePdfFile(printer.outputFileName(),
                        renderPdf(printer.pageLayout(), printer.resolution(), printer.docName(), text, bodyFont, header),
                        error);
}

bool wouldReplaceReport(const QString& outputPath, const QString& reportPath) {
    return !reportPath.isEmpty() &&
           tov::sameFile(QFile::encodeName(outputPath).toStdString(), QFile::encodeName(reportPath).toStdString());
}

}  // namespace tov::app
