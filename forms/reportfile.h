// Report files on disk: GBK text (read and written as GB18030 through iconv), or UTF-8 where a
// file already is UTF-8; "\r\n" kept as is; saved atomically.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tov {

/// The largest report file, in bytes, that opens.
inline constexpr std::size_t kMaxReportBytes = 1048575;
inline constexpr const char* kFileTooLarge = "该文件太大，无法打开。";

enum class ReportEncoding { Gbk, Utf8, Utf8Bom };

/// A report's text as UTF-8 with the encoding its file uses.
struct ReportText {
    std::string utf8;
    ReportEncoding encoding = ReportEncoding::Gbk;
};

/// Result of reading or writing: empty error on success, else the message to show.
struct FileResult {
    std::string error;
    bool ok() const { return error.empty(); }
};

/// Decodes file bytes. Pure ASCII and GB18030 text read as GBK; text that is valid UTF-8 (and
/// not ASCII) reads as UTF-8. Anything else is refused with a message; so is a file of more than
/// kMaxReportBytes bytes. Whatever is accepted encodes back to the same bytes.
FileResult decodeReport(std::string_view bytes, ReportText& out);

/// Encodes text for its file. Refuses text that the encoding cannot hold.
FileResult encodeReport(const ReportText& text, std::string& bytes);

/// Size of the text in its file encoding, or std::string::npos if it cannot be encoded.
std::size_t encodedSize(std::string_view utf8, ReportEncoding encoding);

/// Bytes that a code point takes in GB18030 (1, 2 or 4), or 0 when it cannot be encoded.
int gb18030Length(char32_t cp);
/// The same for every code point below U+10000 at once (a table of 65536 entries; surrogates 0),
/// for long texts; null when iconv could not provide it (then ask gb18030Length).
const unsigned char* gb18030Lengths();

/// Reads and decodes a report file.
FileResult readReportFile(const std::string& path, ReportText& out);

/// Writes bytes atomically: a temporary file in the same folder, flushed, then renamed over the
/// target. A failure at any step leaves the old file as it was.
FileResult writeFileAtomically(const std::string& path, std::string_view bytes);

/// Steps at which the next atomic writes are made to fail, for the tests of the failure paths:
/// a write that stops part way (as on a full disk), or a save cut off between writing the
/// temporary file and renaming it. The programs never set one.
enum class WriteFault { None, ShortWrite, BeforeRename };
void injectWriteFault(WriteFault fault);

/// Encodes and writes a report file atomically.
FileResult writeReportFile(const std::string& path, const ReportText& text);

/// GB18030 ↔ UTF-8 through iconv; false when the input is not valid.
bool gb18030ToUtf8(std::string_view in, std::string& out);
bool utf8ToGb18030(std::string_view in, std::string& out);
/// True for well-formed UTF-8 (no overlongs, surrogates or code points beyond U+10FFFF).
bool isValidUtf8(std::string_view s);

}  // namespace tov
