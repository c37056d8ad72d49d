// Line ends of a report file and of the text view. The view separates lines with "\n"; the file
// keeps the convention it was opened with, so that saving an unchanged file gives its bytes back.
#pragma once

#include <QString>

namespace tov::app {

enum class LineEnd { CrLf, Lf };

/// A file's text as the view holds it, with the convention to write it back in.
struct ViewText {
    QString text;                  ///< lines separated by "\n"
    LineEnd lineEnd = LineEnd::CrLf;
    bool normalised = false;       ///< the file mixed conventions; saving unifies them to "\r\n"
};

/// Splits file text into view text. Only "\r\n" (or no line break at all): CrLf. Only "\n": Lf.
/// Anything else ("\r\n" beside lone "\n", lone "\r", U+2029) cannot come back byte for byte from
/// a text view: every break becomes "\r\n", the report's own convention, and normalised is set.
ViewText fromFileText(const QString& fileText);

/// The file form of view text.
QString toFileText(const QString& viewText, LineEnd lineEnd);

/// The view's text of a text whose lines end in "\r\n" (the calculation sheets).
QString fromCrLf(const QString& crlfText);

}  // namespace tov::app
