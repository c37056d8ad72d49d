// Report files: GBK and UTF-8 round trips, the size limit, refusals, atomic saving.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "forms/reportfile.h"

namespace tov {
namespace {

namespace fs = std::filesystem;

std::string readBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeBytes(const fs::path& p, const std::string& b) {
    std::ofstream out(p, std::ios::binary);
    out << b;
}

class ReportFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("tovarin-rf-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override {
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(dir);
    }
    fs::path dir;
};

// "中文" in GBK, with "\r\n" and a lone "\n".
const std::string kGbk = "\xD6\xD0\xCE\xC4 As\xA3\xBD" "12\r\nline\nend";

TEST_F(ReportFileTest, GbkRoundTripsByteForByte) {
    ReportText t;
    ASSERT_TRUE(decodeReport(kGbk, t).ok());
    EXPECT_EQ(t.encoding, ReportEncoding::Gbk);
    EXPECT_EQ(t.utf8, "中文 As＝12\r\nline\nend");
    std::string back;
    ASSERT_TRUE(encodeReport(t, back).ok());
    EXPECT_EQ(back, kGbk);

    const fs::path p = dir / "r.txt";
    writeBytes(p, kGbk);
    ReportText fromFile;
    ASSERT_TRUE(readReportFile(p.string(), fromFile).ok());
    fromFile.utf8 += "\r\n追加";
    ASSERT_TRUE(writeReportFile(p.string(), fromFile).ok());
    EXPECT_EQ(readBytes(p), kGbk + "\r\n\xD7\xB7\xBC\xD3");
}

TEST_F(ReportFileTest, Utf8StaysUtf8) {
    for (std::string bytes : {std::string("中文\r\n"), std::string("\xEF\xBB\xBF") + "中文"}) {
        ReportText t;
        ASSERT_TRUE(decodeReport(bytes, t).ok());
        EXPECT_NE(t.encoding, ReportEncoding::Gbk);
        std::string back;
        ASSERT_TRUE(encodeReport(t, back).ok());
        EXPECT_EQ(back, bytes);
    }
}

TEST_F(ReportFileTest, InvalidBytesAreRefusedWithAMessage) {
    ReportText t;
    FileResult r = decodeReport(std::string("abc\x81\x20xyz"), t);  // a lone lead byte
    EXPECT_FALSE(r.ok());
    EXPECT_FALSE(r.error.empty());
    EXPECT_FALSE(decodeReport(std::string("\xFF\xFF"), t).ok());
}

TEST_F(ReportFileTest, SizeLimitIs1048575Bytes) {
    ReportText t;
    EXPECT_TRUE(decodeReport(std::string(kMaxReportBytes, 'a'), t).ok());
    FileResult r = decodeReport(std::string(kMaxReportBytes + 1, 'a'), t);
    EXPECT_EQ(r.error, "该文件太大，无法打开。");
    const fs::path p = dir / "big.txt";
    writeBytes(p, std::string(kMaxReportBytes + 1, 'a'));
    EXPECT_EQ(readReportFile(p.string(), t).error, "该文件太大，无法打开。");
}

TEST_F(ReportFileTest, FailedSaveLeavesTheOldFile) {
    const fs::path p = dir / "keep.txt";
    writeBytes(p, kGbk);
    if (::geteuid() != 0) {  // root writes through permission bits
        fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
        FileResult r = writeReportFile(p.string(), {"新的文字", ReportEncoding::Gbk});
        EXPECT_EQ(r.error, "保存文档失败。");
        fs::permissions(dir, fs::perms::owner_all);
        EXPECT_EQ(readBytes(p), kGbk);
    }
    // A folder that does not exist: nothing is written anywhere, the message says so.
    EXPECT_EQ(writeReportFile((dir / "no" / "such.txt").string(), {"x", ReportEncoding::Gbk}).error,
              "保存文档失败。");
    // Text that GBK cannot hold is refused before the file is touched.
    EXPECT_FALSE(writeReportFile(p.string(), {"\xED\xA0\x80", ReportEncoding::Gbk}).ok());
    EXPECT_EQ(readBytes(p), kGbk);
    // No temporary file is left behind.
    int files = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir)) ++files;
    EXPECT_EQ(files, 1);
}

TEST_F(ReportFileTest, SaveKeepsThePermissionsOfTheOldFile) {
    const fs::path p = dir / "perm.txt";
    writeBytes(p, "a");
    ::chmod(p.c_str(), 0640);
    ASSERT_TRUE(writeReportFile(p.string(), {"b", ReportEncoding::Gbk}).ok());
    struct stat st {};
    ASSERT_EQ(::stat(p.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(readBytes(p), "b");
}

TEST_F(ReportFileTest, AnythingAcceptedWritesBackTheSameBytes) {
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> len(0, 64), byte(0, 255);
    int accepted = 0;
    for (int i = 0; i < 20000; ++i) {
        std::string bytes(static_cast<std::size_t>(len(rng)), '\0');
        for (auto& c : bytes) c = static_cast<char>(byte(rng) < 128 ? byte(rng) % 128 : 0x81 + byte(rng) % 0x7E);
        ReportText t;
        FileResult r = decodeReport(bytes, t);
        if (!r.ok()) {
            EXPECT_FALSE(r.error.empty());
            continue;
        }
        ++accepted;
        std::string back;
        ASSERT_TRUE(encodeReport(t, back).ok());
        ASSERT_EQ(back, bytes);
    }
    EXPECT_GT(accepted, 100);
}

// The fast paths (sizes and two-byte decoding by table) agree with iconv, which saving uses.
TEST_F(ReportFileTest, EveryTwoByteCodeDecodesAsIconvDoes) {
    int accepted = 0;
    for (int lead = 0x81; lead <= 0xFE; ++lead)
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            const std::string bytes = {'a', static_cast<char>(lead), static_cast<char>(trail), '\r', '\n'};
            if (isValidUtf8(bytes)) continue;  // such as C2 80: read as UTF-8, before GBK
            std::string viaIconv, back;
            const bool iconvTakes = gb18030ToUtf8(bytes, viaIconv) && utf8ToGb18030(viaIconv, back) && back == bytes;
            ReportText t;
            const bool ok = decodeReport(bytes, t).ok();
            ASSERT_EQ(ok, iconvTakes) << std::hex << lead << ' ' << trail;
            if (!ok) continue;
            ++accepted;
            ASSERT_EQ(t.utf8, viaIconv) << std::hex << lead << ' ' << trail;
            ASSERT_EQ(encodedSize(t.utf8, ReportEncoding::Gbk), bytes.size());
        }
    EXPECT_GT(accepted, 20000);  // GBK's two-byte codes, less the few that are UTF-8
}

TEST_F(ReportFileTest, SizesAgreeWithIconvOverTheWholeBmp) {
    // Every BMP code point but the surrogates, in runs of mixed text.
    std::string text, gb;
    std::size_t refused = 0;
    for (char32_t cp = 1; cp < 0x10000; ++cp) {
        if (cp >= 0xD800 && cp <= 0xDFFF) continue;
        std::string one;
        if (cp < 0x80) one = static_cast<char>(cp);
        else if (cp < 0x800) one = {static_cast<char>(0xC0 | (cp >> 6)), static_cast<char>(0x80 | (cp & 0x3F))};
        else one = {static_cast<char>(0xE0 | (cp >> 12)), static_cast<char>(0x80 | ((cp >> 6) & 0x3F)),
                    static_cast<char>(0x80 | (cp & 0x3F))};
        std::string enc;
        if (!utf8ToGb18030(one, enc)) {
            EXPECT_EQ(encodedSize(one, ReportEncoding::Gbk), std::string::npos);
            ++refused;
            continue;
        }
        ASSERT_EQ(encodedSize(one, ReportEncoding::Gbk), enc.size()) << std::hex << static_cast<unsigned>(cp);
        text += one;
        gb += enc;
    }
    EXPECT_EQ(encodedSize(text, ReportEncoding::Gbk), gb.size());
    EXPECT_LT(refused, 100u);
    // Outside the BMP, invalid UTF-8 and the other encodings.
    EXPECT_EQ(encodedSize("a\xF0\x9F\x98\x80", ReportEncoding::Gbk), 5u);
    EXPECT_EQ(encodedSize("a\xED\xA0\x80", ReportEncoding::Gbk), std::string::npos);
    EXPECT_EQ(encodedSize("中", ReportEncoding::Utf8), 3u);
    EXPECT_EQ(encodedSize("中", ReportEncoding::Utf8Bom), 6u);
}

}  // namespace
}  // namespace tov

#include <signal.h>
#include <sys/resource.h>

namespace tov {
namespace {

// A real write failure part way: the file-size limit stops the temporary file at 4 KiB.
TEST_F(ReportFileTest, WriteStoppedPartWayByTheSystemLeavesTheOldFile) {
    const fs::path p = dir / "full.txt";
    writeBytes(p, kGbk);
    struct rlimit old {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = ::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const FileResult r = writeReportFile(p.string(), {std::string(100000, 'x'), ReportEncoding::Gbk});
    ::setrlimit(RLIMIT_FSIZE, &old);
    ::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(r.error, "保存文档失败。");
    EXPECT_EQ(readBytes(p), kGbk);
    int files = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir)) ++files;
    EXPECT_EQ(files, 1);
}

TEST_F(ReportFileTest, InjectedFaultsLeaveTheOldFile) {
    const fs::path p = dir / "fault.txt";
    writeBytes(p, kGbk);
    for (WriteFault f : {WriteFault::ShortWrite, WriteFault::BeforeRename}) {
        injectWriteFault(f);
        const FileResult r = writeReportFile(p.string(), {"新的文字", ReportEncoding::Gbk});
        injectWriteFault(WriteFault::None);
        EXPECT_EQ(r.error, "保存文档失败。");
        EXPECT_EQ(readBytes(p), kGbk);
    }
    EXPECT_TRUE(writeReportFile(p.string(), {"新的文字", ReportEncoding::Gbk}).ok());
    EXPECT_EQ(readBytes(p), "\xD0\xC2\xB5\xC4\xCE\xC4\xD7\xD6");
}

}  // namespace
}  // namespace tov
