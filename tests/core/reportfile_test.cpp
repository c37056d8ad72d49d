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
    // ("中文" alone would be GBK bytes too, and read as GBK; "─" begins with no GBK code.)
    for (std::string bytes : {std::string("─中文\r\n"), std::string("\xEF\xBB\xBF") + "中文"}) {
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
    EXPECT_GT(accepted, 20000);  // GBK's two-byte codes
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

#include <sys/file.h>
#include <sys/wait.h>

namespace tov {
namespace {

// Any GBK text without a byte-order mark reads back as itself, as GBK, also where its bytes are
// valid UTF-8 as well ("墙" is C7 BD in GBK, "ǽ" in UTF-8).
TEST_F(ReportFileTest, GbkTextReadsBackAsItselfEvenWhereItIsAlsoUtf8) {
    std::vector<std::string> pairs;  // every two-byte code that GBK round-trips
    for (int lead = 0x81; lead <= 0xFE; ++lead)
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            const std::string b = {static_cast<char>(lead), static_cast<char>(trail)};
            std::string u, back;
            if (gb18030ToUtf8(b, u) && utf8ToGb18030(u, back) && back == b) pairs.push_back(b);
        }
    std::mt19937 rng(12);
    std::uniform_int_distribution<std::size_t> pick(0, pairs.size() - 1);
    std::uniform_int_distribution<int> len(1, 40), kind(0, 9), ascii(0x20, 0x7E);
    int alsoUtf8 = 0;
    for (int i = 0; i < 20000; ++i) {
        std::string bytes;
        for (int n = len(rng); n > 0; --n) {
            const int k = kind(rng);
            if (k < 4) bytes += pairs[pick(rng)];
            else if (k == 4) bytes += "\xC7\xBD";  // 墙
            else if (k == 5) bytes += "\r\n";
            else bytes += static_cast<char>(ascii(rng));
        }
        if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) continue;
        alsoUtf8 += isValidUtf8(bytes);
        std::string expected;
        ASSERT_TRUE(gb18030ToUtf8(bytes, expected));
        ReportText t;
        ASSERT_TRUE(decodeReport(bytes, t).ok());
        ASSERT_EQ(t.encoding, ReportEncoding::Gbk);
        ASSERT_EQ(t.utf8, expected);
    }
    EXPECT_GT(alsoUtf8, 100);
    ReportText t;
    ASSERT_TRUE(decodeReport("As\xC7\xBD", t).ok());
    EXPECT_EQ(t.utf8, "As墙");
}

// Only a file that does not exist is a new report; a file that cannot be read is refused with
// its cause. A FIFO or a device is refused at once, never waited on.
TEST_F(ReportFileTest, OnlyAMissingFileStartsANewReport) {
    ReportText t;
    ReportLock lock;
    FileResult r = openReportForAppend((dir / "new.txt").string(), lock, t);
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(lock.fd(), -1);
    lock.release();
    EXPECT_EQ(readReportFile((dir / "new.txt").string(), t).code, ENOENT);
    EXPECT_EQ(readReportFile((dir / "new.txt").string(), t).full(), "打开文档失败：文件不存在。");
    const fs::path fifo = dir / "fifo.txt";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    EXPECT_EQ(readReportFile(fifo.string(), t).reason, "这不是普通文件");
    EXPECT_FALSE(openReportForAppend(fifo.string(), lock, t).ok());
    EXPECT_FALSE(writeReportFile(fifo.string(), {"x", ReportEncoding::Gbk}).ok());
    EXPECT_EQ(fs::status(fifo).type(), fs::file_type::fifo);
    // An unreadable report (as a user other than root: root reads through permission bits).
    const fs::path p = dir / "r.txt";
    writeBytes(p, "two sheets");
    ::chmod(p.c_str(), 0200);
    ::chmod(dir.c_str(), 0777);
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(3);
        ReportText c;
        ReportLock l;
        const FileResult cr = openReportForAppend(p.string(), l, c);
        ::_exit(cr.code == EACCES && cr.full() == "打开文档失败：权限不够。" ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 3) GTEST_SKIP() << "cannot become another user";
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(readBytes(p), "two sheets");
}

// A symbolic link is written through; a file with two names, a read-only file and anything but
// a regular file are refused and stay as they were.
TEST_F(ReportFileTest, LinksAreWrittenThroughOddFilesRefused) {
    const fs::path real = dir / "real.txt", link = dir / "link.txt", dangling = dir / "d.txt";
    writeBytes(real, "old");
    fs::create_symlink("real.txt", link);
    ASSERT_TRUE(writeReportFile(link.string(), {"new", ReportEncoding::Gbk}).ok());
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(readBytes(real), "new");
    fs::create_symlink("sub/target.txt", dangling);
    fs::create_directory(dir / "sub");
    ASSERT_TRUE(writeReportFile(dangling.string(), {"made", ReportEncoding::Gbk}).ok());
    EXPECT_TRUE(fs::is_symlink(dangling));
    EXPECT_EQ(readBytes(dir / "sub" / "target.txt"), "made");

    fs::create_hard_link(real, dir / "twin.txt");
    FileResult r = writeReportFile(real.string(), {"lost", ReportEncoding::Gbk});
    EXPECT_FALSE(r.ok());
    EXPECT_NE(r.reason.find("硬链接"), std::string::npos);
    EXPECT_EQ(readBytes(dir / "twin.txt"), "new");
    EXPECT_EQ(fs::hard_link_count(real), 2u);

    const fs::path ro = dir / "ro.txt";
    writeBytes(ro, "keep");
    ::chmod(ro.c_str(), 0444);
    ReportText t;
    ReportLock lock;
    EXPECT_EQ(openReportForAppend(ro.string(), lock, t).reason, "该文件是只读的");
    lock.release();
    EXPECT_EQ(writeReportFile(ro.string(), {"no", ReportEncoding::Gbk}).reason, "该文件是只读的");
    EXPECT_EQ(readBytes(ro), "keep");
    EXPECT_FALSE(writeReportFile(dir.string(), {"no", ReportEncoding::Gbk}).ok());
    EXPECT_TRUE(fs::is_directory(dir));
}

// Root appending to a user's report leaves it the user's.
TEST_F(ReportFileTest, SaveKeepsTheOwnerAndGroup) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root can give a file to another user";
    const fs::path p = dir / "users.txt";
    writeBytes(p, "a");
    ASSERT_EQ(::chown(p.c_str(), 65534, 65534), 0);
    ::chmod(p.c_str(), 0600);
    ASSERT_TRUE(writeReportFile(p.string(), {"ab", ReportEncoding::Gbk}).ok());
    struct stat st {};
    ASSERT_EQ(::stat(p.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 65534u);
    EXPECT_EQ(st.st_gid, 65534u);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

// A name of 255 bytes saves (the temporary name stays within the limit), and what a writer
// killed before its rename left is removed by the next save once it is a minute old.
TEST_F(ReportFileTest, LongNamesSaveAndStaleTemporariesGo) {
    const fs::path p = dir / (std::string(251, 'n') + ".txt");
    ASSERT_TRUE(writeReportFile(p.string(), {"first", ReportEncoding::Gbk}).ok());
    const pid_t child = ::fork();
    if (child == 0) {
        injectWriteFault(WriteFault::Die);
        (void)writeReportFile(p.string(), {"killed", ReportEncoding::Gbk});
        ::_exit(0);
    }
    ::waitpid(child, nullptr, 0);
    std::vector<fs::path> left;
    for (const auto& e : fs::directory_iterator(dir))
        if (e.path() != p) left.push_back(e.path());
    ASSERT_EQ(left.size(), 1u);
    EXPECT_LE(left[0].filename().string().size(), 255u);
    ASSERT_TRUE(writeReportFile(p.string(), {"second", ReportEncoding::Gbk}).ok());
    EXPECT_TRUE(fs::exists(left[0]));  // less than a minute old: it may be a live writer's
    const struct timespec old[2] = {{std::time(nullptr) - 120, 0}, {std::time(nullptr) - 120, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, left[0].c_str(), old, 0), 0);
    ASSERT_TRUE(writeReportFile(p.string(), {"third", ReportEncoding::Gbk}).ok());
    EXPECT_FALSE(fs::exists(left[0]));
    EXPECT_EQ(readBytes(p), "third");
}

// Two writers appending at once under the lock lose nothing.
TEST_F(ReportFileTest, ConcurrentAppendsUnderTheLockLoseNothing) {
    const fs::path p = dir / "shared.txt";
    constexpr int kEach = 100;
    std::vector<pid_t> children;
    for (char who : {'a', 'b'}) {
        const pid_t c = ::fork();
        if (c == 0) {
            for (int i = 0; i < kEach; ++i) {
                ReportLock lock;
                ReportText t;
                if (!openReportForAppend(p.string(), lock, t).ok()) ::_exit(1);
                t.utf8 += std::string(1, who) + "\r\n";
                if (!writeReportLocked(lock, t).ok()) ::_exit(1);
            }
            ::_exit(0);
        }
        children.push_back(c);
    }
    for (pid_t c : children) {
        int status = 0;
        ::waitpid(c, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const std::string all = readBytes(p);
    EXPECT_EQ(std::count(all.begin(), all.end(), 'a'), kEach);
    EXPECT_EQ(std::count(all.begin(), all.end(), 'b'), kEach);
}

// A save expecting the file as it was read refuses when it changed on disk in between.
TEST_F(ReportFileTest, SaveRefusesAFileChangedSinceItsStamp) {
    const fs::path p = dir / "s.txt";
    writeBytes(p, "mine");
    const FileStamp seen = fileStamp(p.string());
    ASSERT_TRUE(writeReportFile(p.string(), {"theirs", ReportEncoding::Gbk}).ok());
    const FileResult r = writeReportFile(p.string(), {"mine, edited", ReportEncoding::Gbk}, &seen);
    EXPECT_TRUE(r.changed);
    EXPECT_EQ(readBytes(p), "theirs");
    const FileStamp now = fileStamp(p.string());
    EXPECT_TRUE(writeReportFile(p.string(), {"mine, edited", ReportEncoding::Gbk}, &now).ok());
    EXPECT_TRUE(sameFile(p.string(), (dir / "." / "s.txt").string()));
}

}  // namespace
}  // namespace tov
