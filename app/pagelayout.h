// The printed page of a report: 25 mm margins, the full path centred at the top and "- n -" at the
// bottom right in 楷体 3.2 mm, the body in the view's font. One routine paints print and preview.
#pragma once

#include <QFont>
#include <QRect>
#include <QString>

class QPagedPaintDevice;
class QPrinter;

namespace tov::app {

/// The paper and the printer's unprintable margins, in units of 0.1 mm.
struct PageMetrics {
    int paperWidth = 2100, paperHeight = 2970;
    int left = 0, top = 0, right = 0, bottom = 0;  ///< unprintable margins
};

/// Where things go on a page, in units of 0.1 mm from the paper's top left corner.
struct PageBoxes {
    QRect text;
    QRect header;
    QRect footer;
};

/// 25 mm margins or the larger unprintable margin; the header band from 20 mm below the top edge
/// to the text; the footer band below the text, 20 mm less the unprintable bottom margin tall.
/// A band too short for one line of the header or footer font (lineHeight, 0.1 mm) is made one line
/// tall inside the printable area, the text area giving way: no band is ever negative.
PageBoxes layoutPage(const PageMetrics& m, int lineHeight);

/// The metrics of a printer's (or PDF writer's) current paper, in 0.1 mm.
PageMetrics pageMetrics(const QPagedPaintDevice& device);

/// 楷体 at 3.2 mm character height for a device of the given resolution.
QFont headerFont(int dpi);

/// Paints the whole report on the printer, one page after another; returns the page count.
int paintReport(QPagedPaintDevice& device, const QString& text, const QFont& bodyFont, const QString& header);

/// Writes the printed pages of a report to a PDF file (A4): drawn in memory, then written to a
/// temporary file beside the target, every write and the close checked, and renamed over it.
/// False with a message naming the file and the cause on failure; the old file is then intact.
bool writeReportPdf(const QString& pdfPath, const QString& text, const QFont& bodyFont,
                    const QString& header, QString* error);

/// The same for a printer set to print to a file: its paper, resolution and document name.
bool printReportToFile(const QPrinter& printer, const QString& text, const QFont& bodyFont,
                       const QString& header, QString* error);

/// True when writing to outputPath would replace the report file itself (same device and inode).
bool wouldReplaceReport(const QString& outputPath, const QString& reportPath);

}  // namespace tov::app
