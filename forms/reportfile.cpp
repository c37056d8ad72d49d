#include "forms/reportfile.h"

#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

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
    std::string bytes;
    if (!encodeReport({std::string(utf8), encoding}, bytes).ok()) return std::string::npos;
    return bytes.size();
}

FileResult readReportFile(const std::string& path, ReportText& out) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return {"打开文档失败。"};
    std::string bytes;
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
