// The writer of calculation sheets, and the report that the sheets are appended to.
#pragma once

#include <string>
#include <string_view>

namespace tov {

/// What a form needs of the report: its whole text, and replacing it.
class ReportTarget {
public:
    virtual ~ReportTarget() = default;
    /// The whole report text, UTF-8, lines ending "\r\n".
    virtual std::string wholeText() const = 0;
    /// Replaces the whole text; false when the report refused it (it has said why).
    virtual bool replaceWholeText(const std::string& text) = 0;
    /// Appends text at the end: the same as replacing the whole text with the whole text followed
    /// by this one. A report that holds much text overrides it so that a sheet costs its own size.
    virtual bool appendText(std::string_view text) {
        std::string whole = wholeText();
        whole += text;
        return replaceWholeText(whole);
    }
};

/// A report held in memory: the command line's and the tests' report.
class MemoryReport : public ReportTarget {
public:
    explicit MemoryReport(std::string text = {}) : text_(std::move(text)) {}
    std::string wholeText() const override { return text_; }
    bool replaceWholeText(const std::string& text) override {
        text_ = text;
        return true;
    }
    bool appendText(std::string_view text) override {
        text_ += text;
        return true;
    }
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

/// Builds one sheet: the report's text, then "\r\n", the title line and the sheet's lines. Only
/// the sheet is held; Commit() appends it to the report, which nothing changes in between.
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
    /// Replaces the report's text with S (appends the sheet); false when the report refused it.
    bool Commit();

    /// The sheet alone: what begin() and the lines added to the report's text.
    std::string_view sheet() const { return s_; }
    /// True when a value that is not finite was given to a line.
    bool sawNonFinite() const { return nonFinite_; }

private:
    ReportTarget& target_;
    std::string s_;  ///< the sheet
    bool nonFinite_ = false;
};

}  // namespace tov
