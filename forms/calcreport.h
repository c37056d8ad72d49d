// The writer of calculation sheets, and the report that the sheets are appended to.
#pragma once

#include <string>
#include <string_view>

namespace tov {

/// What a form needs of the report: its whole text, replacing it, and appending a sheet. A report
/// that holds much text appends a sheet without reading or copying what it already holds.
class ReportTarget {
public:
    virtual ~ReportTarget() = default;
    /// The whole report text, UTF-8, lines ending "\r\n".
    virtual const std::string& wholeText() const = 0;
    /// Replaces the whole text; false when the report refused it (it has said why).
    virtual bool replaceWholeText(const std::string& text) = 0;
    /// Appends text (UTF-8, lines ending "\r\n") at the end; false when the report refused it.
    /// By default: the whole text with the sheet after it replaces the whole text.
    virtual bool appendSheet(std::string_view sheet) {
        std::string text = wholeText();
        text += sheet;
        return replaceWholeText(text);
    }
    /// As appendSheet, but the report may take the sheet's text over and leave `sheet` empty.
    virtual bool takeSheet(std::string& sheet) { return appendSheet(sheet); }
};

/// A report held in memory: the command line's and the tests' report.
class MemoryReport : public ReportTarget {
public:
    explicit MemoryReport(std::string text = {}) : text_(std::move(text)) {}
    const std::string& wholeText() const override { return text_; }
    bool replaceWholeText(const std::string& text) override {
        text_ = text;
        return true;
    }
    bool appendSheet(std::string_view sheet) override {
        text_ += sheet;
        return true;
    }
    bool takeSheet(std::string& sheet) override {
        if (!text_.empty()) return appendSheet(sheet);
        text_.swap(sheet);
        return true;
    }
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

/// Builds one sheet: "\r\n", the title line and the sheet's lines, to go after the report's text.
class CalcReport {
public:
    explicit CalcReport(ReportTarget& target) : target_(target) {}

    /// Starts the sheet: S = "\r\n" + title + "\r\n".
    void begin(std::string_view title);
    /// literal + "\r\n"
    void AppendLine(std::string_view literal);
    /// label + name + "\r\n"
    void AppendNameLine(std::string_view label, std::string_view name);
    /// label + the value in the printf format, leading blanks removed + unit + "\r\n"
    void AppendValueLine(std::string_view label, double value, const char* format,
                         std::string_view unit = {});
    /// Appends text without ending the line (for lines that carry several values).
    void Append(std::string_view text);
    /// Appends a value formatted as on a value line, without ending the line.
    void AppendValue(double value, const char* format);
    /// Ends the current line.
    void EndLine() { Append("\r\n"); }
    /// Appends S to the report; false when the report refused it. The report may take S's text
    /// over: sheet() may read empty afterwards.
    bool Commit();

    /// The sheet: what begin() and the lines added.
    std::string_view sheet() const { return s_; }
    /// True when a value that is not finite was given to a line.
    bool sawNonFinite() const { return nonFinite_; }

private:
    ReportTarget& target_;
    std::string s_;
    bool nonFinite_ = false;
};

}  // namespace tov
