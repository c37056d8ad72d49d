// Report files on disk: GBK text (read and written as GB18030 through iconv), or UTF-8 where a
// file already is UTF-8; "\r\n" kept as is; saved atomically, through symbolic links, under an
// advisory lock that our writers share.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <ctime>
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

/// Result of reading or writing: empty error on success, else the message to show ("打开文档失败。",
/// "保存文档失败。", …), with the cause where the system gave one.
struct FileResult {
    FileResult() = default;
    FileResult(std::string message) : error(std::move(message)) {}  // NOLINT: a message is a result
    std::string error;
    std::string reason;    ///< the cause in Chinese ("权限不够", "文件不存在", "磁盘空间不足"…); may be empty
    int code = 0;          ///< errno of the cause; 0 when it was not a system error
    bool changed = false;  ///< the file changed on disk since the stamp the caller expected
    bool ok() const { return error.empty(); }
    /// The message with its cause: "保存文档失败：磁盘空间不足。"
    std::string full() const;
};

/// The cause of a system error in Chinese, for the messages ("权限不够", "磁盘空间不足"…).
std::string errnoText(int code);

/// A failure of the system call behind a message: error, errnoText(code) and code.
FileResult systemError(std::string error, int code);

/// Decodes file bytes. A UTF-8 byte-order mark makes the file UTF-8. Without one, bytes that are
/// GB18030 text (encoding back to themselves) read as GBK, even where they happen to be valid
/// UTF-8 as well: GBK is what reports are written in. Other valid UTF-8 reads as UTF-8. Anything
/// else is refused with a message; so is a file of more than kMaxReportBytes bytes. Whatever is
/// accepted encodes back to the same bytes.
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

/// What identifies a file's content on disk: which file (device, inode), its size and its time of
/// last change. Two stamps differ when the file was replaced, written or removed in between.
struct FileStamp {
    bool exists = false;
    dev_t dev = 0;
    ino_t ino = 0;
    off_t size = 0;
    std::timespec mtime{};
    bool operator==(const FileStamp& o) const;
};
/// The stamp of the file a path leads to (through symbolic links).
FileStamp fileStamp(const std::string& path);
/// True when both paths lead to the same existing file (same device and inode).
bool sameFile(const std::string& a, const std::string& b);

/// Reads and decodes a report file. Only a regular file is read (a FIFO or a device is refused,
/// never waited on). A file that does not exist gives code ENOENT; any other failure to open it
/// gives its own cause.
FileResult readReportFile(const std::string& path, ReportText& out);

/// The advisory lock (flock) that our writers of a report hold from reading it to renaming the
/// new file over it: on the file itself, or while it does not exist on its folder. Another
/// writer of ours waits; a file replaced while we waited is locked again.
class ReportLock {
public:
    ReportLock() = default;
    ReportLock(const ReportLock&) = delete;
    ReportLock& operator=(const ReportLock&) = delete;
    ~ReportLock() { release(); }
    /// Waits for the lock of the file that path leads to (symbolic links followed).
    FileResult acquire(const std::string& path);
    void release();
    /// The file the lock is for: path with its symbolic links resolved.
    const std::string& target() const { return target_; }
    /// The locked file, open for reading; -1 when it does not exist.
    int fd() const { return fileFd_; }

private:
    std::string target_;
    int fileFd_ = -1, dirFd_ = -1;
};

/// Locks a report for appending and reads it: a file that does not exist is a new, empty report.
/// Any other failure (no permission, not a regular file, not writable) refuses, touching nothing.
FileResult openReportForAppend(const std::string& path, ReportLock& lock, ReportText& out);

/// Writes bytes atomically: a temporary file in the same folder, flushed, then renamed over the
/// target. A symbolic link is written through to its target; anything but a regular file, a
/// file with several hard links and a file the user may not write are refused. The old file's
/// permissions, owner and group are kept (as far as the user may set them). Stale temporary
/// files of this target left by a killed writer are removed. A failure at any step leaves the
/// old file as it was.
FileResult writeFileAtomically(const std::string& path, std::string_view bytes);

/// Steps at which the next atomic writes are made to fail, for the tests of the failure paths:
/// a write that stops part way (as on a full disk), or a save cut off between writing the
/// temporary file and renaming it, or a writer that dies there (as under kill -9: the process
/// ends at once, leaving its temporary file). The programs never set one.
enum class WriteFault { None, ShortWrite, BeforeRename, Die };
void injectWriteFault(WriteFault fault);

/// Encodes and writes a report file atomically, under the report's lock. Given an expected
/// stamp, a file whose stamp differs is left alone and the result has `changed` set.
FileResult writeReportFile(const std::string& path, const ReportText& text,
                           const FileStamp* expected = nullptr);
/// The same for a caller that already holds the lock.
FileResult writeReportLocked(const ReportLock& lock, const ReportText& text);

/// True when the report's lines all end in a lone "\n" (at least one line break, none "\r\n",
/// no lone "\r"): sheets appended to it take "\n" too.
bool usesLoneLf(std::string_view report);
/// The text with each "\r\n" made "\n".
std::string crlfToLf(std::string_view text);

/// GB18030 ↔ UTF-8 through iconv; false when the input is not valid.
bool gb18030ToUtf8(std::string_view in, std::string& out);
bool utf8ToGb18030(std::string_view in, std::string& out);
/// True for well-formed UTF-8 (no overlongs, surrogates or code points beyond U+10FFFF).
bool isValidUtf8(std::string_view s);

}  // namespace tov
