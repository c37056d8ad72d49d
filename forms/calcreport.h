// The writer of calculation sheets, and the report that the sheets are appended to.
#pragma once

#include <string>
#include <string_view>

namespace tov {

/// What a form needs of the report: its whole text, and replacing it. A report that holds much
/// text keeps it ready and, given its own text with a sheet after it, appends only the sheet.
class ReportTarget {
public:
    virtual ~ReportTarget() = default;
    /// The whole report text, UTF-8, lines ending "\r\n".
    virtual const std::string& wholeText() const = 0;
    /// Replaces the whole text; false when the report refused it (it has said why).
    virtual bool replaceWholeText(const std::string& text) = 0;
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
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

/// Builds one sheet: the report's text, then "\r\n", the title line and the sheet's lines.
class CalcReport {
public:
    explicit CalcReport(ReportTarget& target) : target_(target) {}

    /// Starts the sheet: S = the report's whole text + "\r\n" + title + "\r\n".
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
    /// Replaces the report's text with S; false when the report refused it.
    bool Commit();

    /// The sheet alone: what begin() and the lines added to the report's text.
    std::string_view sheet() const { return std::string_view(s_).substr(base_); }
    /// True when a value that is not finite was given to a line.
    bool sawNonFinite() const { return nonFinite_; }

private:
    ReportTarget& target_;
    std::string s_;
    std::size_t base_ = 0;
    bool nonFinite_ = false;
};

}  // namespace tov
