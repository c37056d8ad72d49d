#include "app/pagelayout.h"

#include <QAbstractTextDocumentLayout>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <vector>

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

PageMetrics printerMetrics(const QPrinter& printer) {
    QPageLayout layout = printer.pageLayout();
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

int paintReport(QPrinter& printer, const QString& text, const QFont& bodyFont, const QString& header) {
    printer.setFullPage(true);
    const int dpi = printer.resolution();
    const QFont hf = headerFont(dpi);
    const QFontMetricsF hfm(hf, &printer);
    const int lineTenths = static_cast<int>(std::ceil(hfm.height() * 254.0 / dpi));
    const PageBoxes boxes = layoutPage(printerMetrics(printer), lineTenths);
    auto dots = [dpi](const QRect& r) {
        return QRectF(QPointF(r.left() * dpi / 254.0, r.top() * dpi / 254.0),
                      QPointF((r.right() + 1) * dpi / 254.0, (r.bottom() + 1) * dpi / 254.0));
    };
    const QRectF textArea = dots(boxes.text), headerArea = dots(boxes.header), footerArea = dots(boxes.footer);

    QTextDocument doc;
    doc.documentLayout()->setPaintDevice(&printer);
    doc.setDocumentMargin(0);
    doc.setDefaultFont(bodyFont);
    QTextOption option(Qt::AlignLeft | Qt::AlignTop);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setTabStopDistance(4 * QFontMetricsF(bodyFont, &printer).averageCharWidth());
    doc.setDefaultTextOption(option);
    doc.setPlainText(text);
    doc.setTextWidth(textArea.width());

    // Page breaks fall between lines: a line never straddles two pages, and each line is drawn
    // on its own page only (a clipped duplicate would still be found by a PDF reader's search).
    struct LineRef {
        QTextLine line;
        QPointF origin;  // the block's position in the document
        double top;
    };
    std::vector<LineRef> lines;
    std::vector<std::size_t> firstLine{0};
    std::vector<double> starts{0};
    const double height = textArea.height();
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const QTextLayout* layout = block.layout();
        const QPointF origin = doc.documentLayout()->blockBoundingRect(block).topLeft();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            const double y0 = origin.y() + line.y(), y1 = y0 + line.height();
            if (y1 - starts.back() > height && y0 > starts.back()) {
                starts.push_back(y0);
                firstLine.push_back(lines.size());
            }
            lines.push_back({line, origin, y0});
        }
    }
    firstLine.push_back(lines.size());

    QPainter p(&printer);
    if (!p.isActive()) return 0;
    const QString headerText = QFontMetricsF(hf, &printer)
                                   .elidedText(header, Qt::ElideMiddle, headerArea.width());
    const int pages = static_cast<int>(starts.size());
    for (int k = 0; k < pages; ++k) {
        if (k > 0) printer.newPage();
        p.setPen(Qt::black);
        p.setFont(hf);
        p.drawText(headerArea, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, headerText);
        p.drawText(footerArea, Qt::AlignRight | Qt::AlignBottom | Qt::TextSingleLine,
                   QStringLiteral("- %1 -").arg(k + 1));
        const QPointF shift(textArea.left(), textArea.top() - starts[k]);
        for (std::size_t i = firstLine[k]; i < firstLine[k + 1]; ++i)
            lines[i].line.draw(&p, lines[i].origin + shift);
    }
    return pages;
}

bool writeReportPdf(const QString& pdfPath, const QString& text, const QFont& bodyFont,
                    const QString& header, QString* error) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setCreator(QStringLiteral("Tovarin"));
    printer.setDocName(header.isEmpty() ? QStringLiteral("无标题") : QFileInfo(header).fileName());
    if (paintReport(printer, text, bodyFont, header) == 0) {
        if (error) *error = QStringLiteral("无法写入PDF文件：%1").arg(pdfPath);
        return false;
    }
    return true;
}

}  // namespace tov::app
