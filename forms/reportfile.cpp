#include "forms/reportfile.h"

#include <dirent.h>
#include <fcntl.h>
#include <iconv.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace tov {

namespace {

bool convert(const char* to, const char* from, std::string_view in, std::string& out) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    out.clear();
    out.resize(in.size() * 2 + 16);
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    std::size_t used = 0;
    bool ok = true;
    while (true) {
        char* dst = out.data() + used;
        std::size_t dstLeft = out.size() - used;
        const std::size_t r = srcLeft ? iconv(cd, &src, &srcLeft, &dst, &dstLeft)
                                      : iconv(cd, nullptr, nullptr, &dst, &dstLeft);
        used = out.size() - dstLeft;
        if (r != static_cast<std::size_t>(-1)) {
            if (srcLeft == 0) {
                // flush shift state once more if anything was pending
                dst = out.data() + used;
                dstLeft = out.size() - used;
                iconv(cd, nullptr, nullptr, &dst, &dstLeft);
                used = out.size() - dstLeft;
                break;
            }
            continue;
        }
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        ok = false;  // EILSEQ or EINVAL: not valid input
        break;
    }
    iconv_close(cd);
    out.resize(ok ? used : 0);
    return ok;
}

bool isAscii(std::string_view s) {
    for (unsigned char c : s)
        if (c >= 0x80) return false;
    return true;
}

constexpr std::string_view kBom = "\xEF\xBB\xBF";

// Tables for the two hot paths of GB18030: the file size of text (every keystroke near the limit,
// every calculation sheet) and the decoding of two-byte GBK files. Both are derived once from
// iconv itself, so they agree with what saving writes; whatever they do not cover goes to iconv.
struct GbTables {
    bool ok = false;
    // GB18030 length of each BMP code point (1, 2 or 4); 0 where iconv refuses it.
    unsigned char len[0x10000] = {};
    // Code point of each two-byte code (lead 0x81-0xFE, trail 0x40-0xFE), 0 unless iconv encodes
    // exactly that code point, and only that one, to the pair and decodes the pair back to it.
    char16_t pair[126 * 191] = {};
};

inline int pairIndex(unsigned char lead, unsigned char trail) { return (lead - 0x81) * 191 + (trail - 0x40); }

void appendUtf8(std::string& s, char32_t cp) {
    if (cp < 0x80) {
        s += static_cast<char>(cp);
    } else if (cp < 0x800) {
        s += static_cast<char>(0xC0 | (cp >> 6));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        s += static_cast<char>(0xE0 | (cp >> 12));
        s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (cp >> 18));
        s += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

char32_t decodeUtf8At(const char* p) {
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    if (u[0] < 0x80) return u[0];
    if (u[0] < 0xE0) return ((u[0] & 0x1F) << 6) | (u[1] & 0x3F);
    return ((u[0] & 0x0F) << 12) | ((u[1] & 0x3F) << 6) | (u[2] & 0x3F);
}

bool buildGbTables(GbTables& t) {
    for (int c = 0; c < 0x80; ++c) t.len[c] = 1;
    // Every non-ASCII BMP code point but the surrogates, encoded in one pass; a code point that
    // iconv refuses keeps length 0.
    std::string all;
    for (char32_t cp = 0x80; cp < 0x10000; ++cp)
        if (cp < 0xD800 || cp > 0xDFFF) appendUtf8(all, cp);
    std::vector<bool> refused(0x10000, false);
    std::string out(all.size() * 2, '\0');
    {
        iconv_t cd = iconv_open("GB18030", "UTF-8");
        if (cd == reinterpret_cast<iconv_t>(-1)) return false;
        char* src = all.data();
        std::size_t srcLeft = all.size();
        char* dst = out.data();
        std::size_t dstLeft = out.size();
        bool ok = true;
        while (srcLeft > 0) {
            if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) != static_cast<std::size_t>(-1)) continue;
            if (errno != EILSEQ) {
                ok = false;
                break;
            }
            refused[decodeUtf8At(src)] = true;
            const std::size_t n = static_cast<unsigned char>(*src) < 0xE0 ? 2 : 3;
            src += n;
            srcLeft -= n;
        }
        iconv_close(cd);
        if (!ok) return false;
        out.resize(out.size() - dstLeft);
    }
    // Attribute the output to the code points in order: a lead byte 0x81-0xFE begins a two-byte
    // code, or a four-byte one when its second byte is a digit. Anything else: no tables.
    std::vector<bool> shared(126 * 191, false);
    std::size_t o = 0;
    for (char32_t cp = 0x80; cp < 0x10000; ++cp) {
        if ((cp >= 0xD800 && cp <= 0xDFFF) || refused[cp]) continue;
        if (o + 2 > out.size()) return false;
        const auto lead = static_cast<unsigned char>(out[o]), second = static_cast<unsigned char>(out[o + 1]);
        if (lead < 0x81 || lead > 0xFE) return false;
        if (second >= 0x30 && second <= 0x39) {
            if (o + 4 > out.size()) return false;
            t.len[cp] = 4;
            o += 4;
            continue;
        }
        if (second < 0x40 || second > 0xFE) return false;
        t.len[cp] = 2;
        o += 2;
        const int k = pairIndex(lead, second);
        if (t.pair[k] || shared[k]) {
            t.pair[k] = 0;  // two code points share the pair: leave it to iconv
            shared[k] = true;
        } else {
            t.pair[k] = static_cast<char16_t>(cp);
        }
    }
    if (o != out.size()) return false;
    // The decoder must give each pair back as the code point it came from.
    std::string pairs;
    for (int k = 0; k < 126 * 191; ++k)
        if (t.pair[k]) {
            pairs += static_cast<char>(0x81 + k / 191);
            pairs += static_cast<char>(0x40 + k % 191);
        }
    std::string back;
    if (!convert("UTF-8", "GB18030", pairs, back)) return false;
    std::size_t b = 0;
    for (int k = 0; k < 126 * 191; ++k) {
        if (!t.pair[k]) continue;
        if (b >= back.size()) return false;
        const auto u = static_cast<unsigned char>(back[b]);
        const std::size_t n = u < 0x80 ? 1 : u < 0xE0 ? 2 : u < 0xF0 ? 3 : 4;
        if (b + n > back.size()) return false;
        if (n > 3 || decodeUtf8At(back.data() + b) != t.pair[k]) t.pair[k] = 0;
        b += n;
    }
    if (b != back.size()) return false;
    t.ok = true;
    return true;
}

const GbTables& gbTables() {
    static const GbTables* tables = [] {
        auto* t = new GbTables;
        if (!buildGbTables(*t)) *t = GbTables{};
        return t;
    }();
    return *tables;
}

// GB18030 size of valid UTF-8 text through the tables; npos when a character needs iconv's word
// (outside the BMP, or refused).
std::size_t gbSizeByTable(std::string_view s, const GbTables& t) {
    std::size_t size = 0;
    const auto* p = reinterpret_cast<const unsigned char*>(s.data());
    const auto* end = p + s.size();
    while (p < end) {
        const unsigned char c = *p;
        if (c < 0x80) {
            ++size;
            ++p;
            continue;
        }
        if (c >= 0xF0) return std::string::npos;
        const char32_t cp = decodeUtf8At(reinterpret_cast<const char*>(p));
        const unsigned char n = t.len[cp];
        if (n == 0) return std::string::npos;
        size += n;
        p += c < 0xE0 ? 2 : 3;
    }
    return size;
}

// Two-byte GBK (and ASCII) to UTF-8 through the pair table; false for anything else, which the
// caller hands to iconv. Each pair decoded here encodes back to itself, so the text writes back
// byte for byte.
bool gbkToUtf8ByTable(std::string_view in, std::string& out, const GbTables& t) {
    out.resize(in.size() / 2 * 3 + 2);
    char* o = out.data();
    const auto* p = reinterpret_cast<const unsigned char*>(in.data());
    const auto* end = p + in.size();
    while (p < end) {
        const unsigned char c = *p;
        if (c < 0x80) {
            *o++ = static_cast<char>(c);
            ++p;
            continue;
        }
        if (c == 0x80 || c == 0xFF || end - p < 2 || p[1] < 0x40 || p[1] == 0xFF) return false;
        const char16_t cp = t.pair[pairIndex(c, p[1])];
        if (!cp) return false;
        if (cp < 0x800) {
            *o++ = static_cast<char>(0xC0 | (cp >> 6));
        } else {
            *o++ = static_cast<char>(0xE0 | (cp >> 12));
            *o++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        }
        *o++ = static_cast<char>(0x80 | (cp & 0x3F));
        p += 2;
    }
    out.resize(static_cast<std::size_t>(o - out.data()));
    return true;
}



WriteFault g_fault = WriteFault::None;

}  // namespace

void injectWriteFault(WriteFault fault) { g_fault = fault; }

bool gb18030ToUtf8(std::string_view in, std::string& out) { return convert("UTF-8", "GB18030", in, out); }
bool utf8ToGb18030(std::string_view in, std::string& out) {
    if (!isValidUtf8(in)) return false;
    return convert("GB18030", "UTF-8", in, out);
}

bool isValidUtf8(std::string_view s) {
    std::size_t i = 0;
    const std::size_t n = s.size();
    while (i < n) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        int len;
        unsigned cp;
        if (c >= 0xC2 && c <= 0xDF) len = 2, cp = c & 0x1F;
        else if (c >= 0xE0 && c <= 0xEF) len = 3, cp = c & 0x0F;
        else if (c >= 0xF0 && c <= 0xF4) len = 4, cp = c & 0x07;
        else return false;
        if (i + len > n) return false;
        for (int k = 1; k < len; ++k) {
            const unsigned char d = static_cast<unsigned char>(s[i + k]);
            if ((d & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (d & 0x3F);
        }
        if ((len == 3 && cp < 0x800) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF))) return false;
        if (cp >= 0xD800 && cp <= 0xDFFF) return false;
        i += len;
    }
    return true;
}

FileResult decodeReport(std::string_view bytes, ReportText& out) {
    if (bytes.size() > kMaxReportBytes) return {kFileTooLarge};
    if (isAscii(bytes)) {
        out = {std::string(bytes), ReportEncoding::Gbk};
        return {};
    }
    if (bytes.substr(0, kBom.size()) == kBom && isValidUtf8(bytes.substr(kBom.size()))) {
        out = {std::string(bytes.substr(kBom.size())), ReportEncoding::Utf8Bom};
        return {};
    }
    // GBK first: many GBK texts (ASCII with 墙, 页, 郑 …) are valid UTF-8 too, and a report of
    // ours is GBK. UTF-8 without a byte-order mark is kept only where the bytes are not GBK.
    std::string text, back;
    if (const GbTables& t = gbTables(); t.ok && gbkToUtf8ByTable(bytes, text, t)) {
        out = {std::move(text), ReportEncoding::Gbk};
        return {};
    }
    if (gb18030ToUtf8(bytes, text) && utf8ToGb18030(text, back) && back == bytes) {
        out = {std::move(text), ReportEncoding::Gbk};
        return {};
    }
    if (isValidUtf8(bytes)) {
        out = {std::string(bytes), ReportEncoding::Utf8};
        return {};
    }
    return {"该文件不是GBK（GB18030）或UTF-8编码的文本文件，无法打开。"};
}

FileResult encodeReport(const ReportText& text, std::string& bytes) {
    if (!isValidUtf8(text.utf8)) return {"文本含有无效字符，无法保存。"};
    switch (text.encoding) {
        case ReportEncoding::Gbk:
            if (isAscii(text.utf8)) {
                bytes = text.utf8;
                return {};
            }
            if (!utf8ToGb18030(text.utf8, bytes)) return {"文本含有无法以GBK保存的字符。"};
            return {};
        case ReportEncoding::Utf8:
            bytes = text.utf8;
            return {};
        case ReportEncoding::Utf8Bom:
            bytes = std::string(kBom) + text.utf8;
            return {};
    }
    return {"未知的文件编码。"};
}

std::size_t encodedSize(std::string_view utf8, ReportEncoding encoding) {
    if (!isValidUtf8(utf8)) return std::string::npos;
    switch (encoding) {
        case ReportEncoding::Utf8: return utf8.size();
        case ReportEncoding::Utf8Bom: return utf8.size() + kBom.size();
        case ReportEncoding::Gbk:
            if (const GbTables& t = gbTables(); t.ok) {
                const std::size_t n = gbSizeByTable(utf8, t);
                if (n != std::string::npos) return n;
            }
            break;
    }
    std::string bytes;
    if (!encodeReport({std::string(utf8), encoding}, bytes).ok()) return std::string::npos;
    return bytes.size();
}

int gb18030Length(char32_t cp) {
    if (cp < 0x80) return 1;
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    if (const GbTables& t = gbTables(); t.ok && cp < 0x10000) return t.len[cp];
    std::string one, enc;
    appendUtf8(one, cp);
    return convert("GB18030", "UTF-8", one, enc) ? static_cast<int>(enc.size()) : 0;
}

const unsigned char* gb18030Lengths() {
    const GbTables& t = gbTables();
    return t.ok ? t.len : nullptr;
}

std::string FileResult::full() const {
    if (reason.empty()) return error;
    std::string head = error;
    constexpr std::string_view stop = "。";
    if (head.size() >= stop.size() && head.compare(head.size() - stop.size(), stop.size(), stop) == 0)
        head.resize(head.size() - stop.size());
    return head + "：" + reason + "。";
}

std::string errnoText(int code) {
    switch (code) {
        case ENOENT: return "文件不存在";
        case EACCES: return "权限不够";
        case EPERM: return "不允许的操作";
        case ENOSPC: return "磁盘空间不足";
        case EDQUOT: return "超出磁盘配额";
        case EFBIG: return "文件超过了允许的大小";
        case EROFS: return "文件系统是只读的";
        case EIO: return "输入输出错误";
        case EISDIR: return "这是一个文件夹";
        case ENOTDIR: return "路径中有一项不是文件夹";
        case ENAMETOOLONG: return "文件名太长";
        case ELOOP: return "符号链接的层数太多";
        case EEXIST: return "文件已存在";
        case EBUSY: return "文件正被使用";
        case ETXTBSY: return "文件正被使用";
        case EXDEV: return "不在同一个文件系统上";
        case EMFILE:
        case ENFILE: return "打开的文件太多";
        case ENOMEM: return "内存不足";
        case EINVAL: return "无效的参数";
        case EPIPE: return "管道已关闭";
        case ENXIO: return "没有这个设备";
        case EAGAIN: return "资源暂时不可用";
        default: return "系统错误 " + std::to_string(code);
    }
}

FileResult systemError(std::string error, int code) {
    FileResult r;
    r.error = std::move(error);
    r.reason = errnoText(code);
    r.code = code;
    return r;
}

namespace {

constexpr const char* kOpenFailed = "打开文档失败。";
constexpr const char* kSaveFailed = "保存文档失败。";

FileResult refusal(const char* error, const char* reason, int code = 0) {
    FileResult r;
    r.error = error;
    r.reason = reason;
    r.code = code;
    return r;
}

// Reads a whole regular file from an open descriptor.
FileResult readOpenReport(int fd, ReportText& out) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) return systemError(kOpenFailed, errno);
    if (S_ISDIR(st.st_mode)) return systemError(kOpenFailed, EISDIR);
    if (!S_ISREG(st.st_mode)) return refusal(kOpenFailed, "这不是普通文件");
    if (static_cast<std::size_t>(st.st_size) > kMaxReportBytes) return {kFileTooLarge};
    std::string bytes;
    bytes.resize(static_cast<std::size_t>(st.st_size) + 1);
    std::size_t used = 0;
    while (true) {
        if (used == bytes.size()) {
            if (bytes.size() > kMaxReportBytes) return {kFileTooLarge};  // grew while we read
            bytes.resize(std::min(bytes.size() * 2, kMaxReportBytes + 1));
        }
        const ssize_t n = ::pread(fd, bytes.data() + used, bytes.size() - used, static_cast<off_t>(used));
        if (n < 0) {
            if (errno == EINTR) continue;
            return systemError(kOpenFailed, errno);
        }
        if (n == 0) break;
        used += static_cast<std::size_t>(n);
    }
    if (used > kMaxReportBytes) return {kFileTooLarge};
    bytes.resize(used);
    return decodeReport(bytes, out);
}

std::string dirOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
}

std::string baseOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a path leads to: symbolic links followed (the last one may dangle: its target is
// where a new file goes). Folders on the way are left as they are.
std::string resolveLinks(std::string path, int& error) {
    error = 0;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
        std::string link(4096, '\0');
        const ssize_t n = ::readlink(path.c_str(), link.data(), link.size());
        if (n < 0 || static_cast<std::size_t>(n) >= link.size()) return path;
        link.resize(static_cast<std::size_t>(n));
        if (link.empty()) return path;
        path = link.front() == '/' ? link : dirOf(path) + "/" + link;
    }
    error = ELOOP;
    return path;
}

// Whether an existing file may be replaced by a new one of ours: a regular file, with one name,
// that the user may write.
FileResult checkReplaceable(const std::string& path, const struct stat& st) {
    if (S_ISDIR(st.st_mode)) return systemError(kSaveFailed, EISDIR);
    if (!S_ISREG(st.st_mode)) return refusal(kSaveFailed, "这不是普通文件");
    if (st.st_nlink > 1)
        return refusal(kSaveFailed, "该文件有多个硬链接，替换它会使其他链接仍是旧的内容；请另存为一个新文件");
    if ((st.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0)
        return refusal(kSaveFailed, "该文件是只读的", EACCES);
    return {};
}

std::uint32_t nameHash(std::string_view s) {
    std::uint32_t h = 2166136261u;  // FNV-1a
    for (unsigned char c : s) h = (h ^ c) * 16777619u;
    return h;
}

// Our temporary files of a target: "." + the start of its name + "~" + a hash of the whole name +
// "-" + the writer's process id + "-" + mkstemp's six characters. At most 228 bytes, whatever the
// length of the name.
std::string tempPrefix(const std::string& base) {
    std::size_t keep = std::min<std::size_t>(base.size(), 200);
    while (keep > 0 && keep < base.size() && (static_cast<unsigned char>(base[keep]) & 0xC0) == 0x80) --keep;
    char hash[16];
    std::snprintf(hash, sizeof hash, "%08x", nameHash(base));
    std::string prefix = ".";
    prefix.append(base, 0, keep);
    prefix += '~';
    prefix += hash;
    prefix += '-';
    return prefix;
}

// Removes temporary files of ours for this target whose writer is gone (no such process) and
// that are more than a minute old: what a writer killed between writing and renaming left.
void removeStaleTemps(const std::string& dir, const std::string& prefix) {
    DIR* d = ::opendir(dir.c_str());
    if (!d) return;
    const std::time_t now = std::time(nullptr);
    while (const dirent* e = ::readdir(d)) {
        const std::string_view name = e->d_name;
        if (name.substr(0, prefix.size()) != prefix) continue;
        const std::string_view rest = name.substr(prefix.size());
        long pid = 0;
        const auto [p, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), pid);
        if (ec != std::errc() || p == rest.data() || p == rest.data() + rest.size() || *p != '-' ||
            rest.end() - p != 7 || pid <= 0 || pid == ::getpid())
            continue;
        const std::string full = dir + "/" + std::string(name);
        struct stat st {};
        if (::lstat(full.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) continue;
        if (now - st.st_mtime < 60) continue;
        if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
        ::unlink(full.c_str());
    }
    ::closedir(d);
}

bool writeAll(int fd, const char* p, std::size_t left, int& error) {
    while (left > 0) {
        const ssize_t w = ::write(fd, p, left);
        if (w < 0) {
            if (errno == EINTR) continue;
            error = errno;
            return false;
        }
        p += w;
        left -= static_cast<std::size_t>(w);
    }
    return true;
}

// Writes over the file at target (links already resolved).
FileResult writeTarget(const std::string& target, std::string_view bytes) {
    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (!exists && errno != ENOENT) return systemError(kSaveFailed, errno);
    if (exists)
        if (FileResult r = checkReplaceable(target, st); !r.ok()) return r;
    const std::string dir = dirOf(target), prefix = tempPrefix(baseOf(target));
    removeStaleTemps(dir, prefix);
    const std::string tmpl = dir + "/" + prefix + std::to_string(::getpid()) + "-XXXXXX";
    std::vector<char> name(tmpl.begin(), tmpl.end());
    name.push_back('\0');
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) return systemError(kSaveFailed, errno);
    const std::string tmp(name.data());
    if (exists) {
        // Keep the owner and group (root writing a user's report must not take it over; a user
        // may still give the file a group of theirs), then the permissions.
        if (::fchown(fd, st.st_uid, st.st_gid) != 0) (void)::fchown(fd, static_cast<uid_t>(-1), st.st_gid);
        ::fchmod(fd, st.st_mode & 07777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
    int error = 0;
    std::size_t size = bytes.size();
    if (g_fault == WriteFault::ShortWrite) size /= 2;
    bool ok = writeAll(fd, bytes.data(), size, error);
    if (ok && g_fault == WriteFault::ShortWrite) ok = false, error = ENOSPC;  // the rest did not fit
    if (ok && ::fsync(fd) != 0) ok = false, error = errno;
    if (g_fault == WriteFault::Die) ::_exit(9);
    if (::close(fd) != 0 && ok) ok = false, error = errno;
    if (ok && g_fault == WriteFault::BeforeRename) ok = false, error = EINTR;
    if (ok && ::rename(tmp.c_str(), target.c_str()) != 0) ok = false, error = errno;
    if (!ok) {
        ::unlink(tmp.c_str());
        return systemError(kSaveFailed, error);
    }
    return {};
}

FileResult encodeForFile(const ReportText& text, std::string& bytes) {
    if (FileResult r = encodeReport(text, bytes); !r.ok()) return r;
    if (bytes.size() > kMaxReportBytes) return {"报告超过1048575字节，无法保存。"};
    return {};
}

}  // namespace

bool FileStamp::operator==(const FileStamp& o) const {
    if (exists != o.exists) return false;
    if (!exists) return true;
    return dev == o.dev && ino == o.ino && size == o.size && mtime.tv_sec == o.mtime.tv_sec &&
           mtime.tv_nsec == o.mtime.tv_nsec;
}

FileStamp fileStamp(const std::string& path) {
    FileStamp s;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return s;
    s.exists = true;
    s.dev = st.st_dev;
    s.ino = st.st_ino;
    s.size = st.st_size;
    s.mtime = st.st_mtim;
    return s;
}

bool sameFile(const std::string& a, const std::string& b) {
    struct stat sa {}, sb {};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

FileResult readReportFile(const std::string& path, ReportText& out) {
    // Non-blocking, so that a FIFO is refused rather than waited on.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return systemError(kOpenFailed, errno);
    FileResult r = readOpenReport(fd, out);
    ::close(fd);
    return r;
}

namespace {
int lockFd(int fd) {
    while (::flock(fd, LOCK_EX) != 0)
        if (errno != EINTR) return errno;  // a file system without locks: go on unlocked
    return 0;
}
}  // namespace

void ReportLock::release() {
    if (fileFd_ >= 0) ::close(fileFd_);
    if (dirFd_ >= 0) ::close(dirFd_);
    fileFd_ = dirFd_ = -1;
}

FileResult ReportLock::acquire(const std::string& path) {
    release();
    int error = 0;
    target_ = resolveLinks(path, error);
    if (error) return systemError(kOpenFailed, error);
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const int fd = ::open(target_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0) {
            struct stat locked {}, now {};
            if (::fstat(fd, &locked) != 0 || !S_ISREG(locked.st_mode)) {
                ::close(fd);
                if (S_ISDIR(locked.st_mode)) return systemError(kOpenFailed, EISDIR);
                return refusal(kOpenFailed, "这不是普通文件");
            }
            lockFd(fd);
            // The file may have been replaced while we waited: then lock the new one.
            if (::stat(target_.c_str(), &now) == 0 && now.st_dev == locked.st_dev && now.st_ino == locked.st_ino) {
                fileFd_ = fd;
                return {};
            }
            ::close(fd);
            continue;
        }
        if (errno != ENOENT) return systemError(kOpenFailed, errno);
        // No file yet: its creators of ours take turns on the folder.
        const int dfd = ::open(dirOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dfd < 0) return {};  // the write will say what is wrong with the folder
        lockFd(dfd);
        struct stat st {};
        if (::stat(target_.c_str(), &st) != 0 && errno == ENOENT) {
            dirFd_ = dfd;
            return {};
        }
        ::close(dfd);  // created while we waited
    }
    return systemError(kOpenFailed, EAGAIN);
}

FileResult openReportForAppend(const std::string& path, ReportLock& lock, ReportText& out) {
    if (FileResult r = lock.acquire(path); !r.ok()) return r;
    if (lock.fd() < 0) {
        out = {};
        return {};
    }
    if (FileResult r = readOpenReport(lock.fd(), out); !r.ok()) return r;
    struct stat st {};
    if (::fstat(lock.fd(), &st) != 0) return systemError(kOpenFailed, errno);
    return checkReplaceable(lock.target(), st);
}

FileResult writeFileAtomically(const std::string& path, std::string_view bytes) {
    int error = 0;
    const std::string target = resolveLinks(path, error);
    if (error) return systemError(kSaveFailed, error);
    return writeTarget(target, bytes);
}

FileResult writeReportLocked(const ReportLock& lock, const ReportText& text) {
    std::string bytes;
    if (FileResult r = encodeForFile(text, bytes); !r.ok()) return r;
    return writeTarget(lock.target(), bytes);
}

FileResult writeReportFile(const std::string& path, const ReportText& text, const FileStamp* expected) {
    std::string bytes;
    if (FileResult r = encodeForFile(text, bytes); !r.ok()) return r;
    ReportLock lock;
    if (FileResult r = lock.acquire(path); !r.ok()) {
        r.error = kSaveFailed;
        return r;
    }
    if (expected && !(fileStamp(lock.target()) == *expected)) {
        FileResult r = refusal(kSaveFailed, "文件在打开或上次保存之后已在磁盘上被改动");
        r.changed = true;
        return r;
    }
    return writeTarget(lock.target(), bytes);
}

bool usesLoneLf(std::string_view report) {
    bool lf = false;
    for (std::size_t i = 0; i < report.size(); ++i) {
        if (report[i] == '\r') return false;
        if (report[i] == '\n') lf = true;
    }
    return lf;
}

std::string crlfToLf(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) out += text[i];
    return out;
}

}  // namespace tov
