#include "forms/reportfile.h"

#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
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
    if (isValidUtf8(bytes)) {
        out = {std::string(bytes), ReportEncoding::Utf8};
        return {};
    }
    std::string text, back;
    if (const GbTables& t = gbTables(); t.ok && gbkToUtf8ByTable(bytes, text, t)) {
        out = {std::move(text), ReportEncoding::Gbk};
        return {};
    }
    if (!gb18030ToUtf8(bytes, text) || !utf8ToGb18030(text, back) || back != bytes)
        return {"该文件不是GBK（GB18030）或UTF-8编码的文本文件，无法打开。"};
    out = {std::move(text), ReportEncoding::Gbk};
    return {};
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

FileResult readReportFile(const std::string& path, ReportText& out) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return {"打开文档失败。"};
    std::string bytes;
    // One allocation for the whole file (the loop below still reads to its real end).
    struct stat st {};
    if (::fstat(::fileno(f), &st) == 0 && st.st_size > 0)
        bytes.reserve(std::min<std::size_t>(static_cast<std::size_t>(st.st_size), kMaxReportBytes) + 1);
    char buf[65536];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) {
        bytes.append(buf, n);
        if (bytes.size() > kMaxReportBytes) {
            std::fclose(f);
            return {kFileTooLarge};
        }
    }
    const bool err = std::ferror(f);
    std::fclose(f);
    if (err) return {"打开文档失败。"};
    return decodeReport(bytes, out);
}

FileResult writeFileAtomically(const std::string& path, std::string_view bytes) {
    const FileResult failed{"保存文档失败。"};
    const auto slash = path.find_last_of('/');
    const std::string dir = slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string tmpl = dir + "/." + base + ".XXXXXX";
    std::vector<char> name(tmpl.begin(), tmpl.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) return failed;
    const std::string tmp(name.data());
    // Keep the permissions of the file being replaced (or the usual ones for a new file).
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        ::fchmod(fd, st.st_mode & 07777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    bool ok = true;
    if (g_fault == WriteFault::ShortWrite) left /= 2;
    while (left > 0) {
        const ssize_t w = ::write(fd, p, left);
        if (w < 0) {
            if (errno == EINTR) continue;
            ok = false;
            break;
        }
        p += w;
        left -= static_cast<std::size_t>(w);
    }
    if (g_fault == WriteFault::ShortWrite) ok = false;  // the rest did not fit
    if (ok && ::fsync(fd) != 0) ok = false;
    if (::close(fd) != 0) ok = false;
    if (g_fault == WriteFault::BeforeRename) ok = false;
    if (ok && ::rename(tmp.c_str(), path.c_str()) != 0) ok = false;
    if (!ok) {
        ::unlink(tmp.c_str());
        return failed;
    }
    return {};
}

FileResult writeReportFile(const std::string& path, const ReportText& text) {
    std::string bytes;
    if (FileResult r = encodeReport(text, bytes); !r.ok()) return r;
    if (bytes.size() > kMaxReportBytes) return {"报告超过1048575字节，无法保存。"};
    return writeFileAtomically(path, bytes);
}

}  // namespace tov
