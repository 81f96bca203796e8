// Reading a whole file: the bytes, or the fault and code of every way a file can fail a reader.
#include "platform/read_whole_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

#include "temp_dir.h"

namespace {

class ReadWholeFileTest : public TempDirTest {};

TEST_F(ReadWholeFileTest, BytesAndFaults) {
    const std::string bytes("\xFF\xFE\0a\r\n", 6);
    const std::string file = Write("f.bin", bytes);
    const std::string empty = Write("empty.bin", "");
    const std::string fifo = dir + "/fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const struct {
        const char* what;
        std::string path;
        uint64_t limit;
        OverLimit over;
        WholeFileFault fault;
        uint32_t code;
        std::string bytes;
    } cases[] = {
        {"whole file", file, 6, OverLimit::kRefuse, WholeFileFault::kNone, kErrSuccess, bytes},
        {"empty file", empty, 6, OverLimit::kRefuse, WholeFileFault::kNone, kErrSuccess, ""},
        {"over the limit", file, 5, OverLimit::kRefuse, WholeFileFault::kTooLarge, kErrIncorrectSize, ""},
        {"prefix up to the limit", file, 5, OverLimit::kReadPrefix, WholeFileFault::kNone, kErrSuccess,
         bytes.substr(0, 5)},
        {"missing", dir + "/missing", 6, OverLimit::kRefuse, WholeFileFault::kOpen, kErrFileNotFound, ""},
        {"below a file", file + "/x", 6, OverLimit::kRefuse, WholeFileFault::kOpen, kErrFileNotFound, ""},
        {"folder", dir, 6, OverLimit::kRefuse, WholeFileFault::kDirectory, kErrAccessDenied, ""},
        // Refused at once, never waited on for a writer.
        {"named pipe", fifo, 6, OverLimit::kRefuse, WholeFileFault::kNotRegular, kErrInvalidData, ""},
    };
    for (const auto& c : cases) {
        const WholeFile r = ReadWholeFile(c.path, c.limit, c.over);
        EXPECT_EQ(r.fault, c.fault) << c.what;
        EXPECT_EQ(r.error.code, c.code) << c.what;
        EXPECT_EQ(r.bytes, c.bytes) << c.what;
        if (!r.ok()) {
            EXPECT_EQ(r.error.detail.rfind(c.path + ": ", 0), 0u) << c.what << ": " << r.error.detail;
        }
    }
}

TEST_F(ReadWholeFileTest, UnreadableFileKeepsItsErrno) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "permissions do not hold for root";
    }
    const std::string file = Write("locked.bin", "x");
    ASSERT_EQ(::chmod(file.c_str(), 0), 0);
    const WholeFile r = ReadWholeFile(file, 10);
    EXPECT_EQ(r.fault, WholeFileFault::kOpen);
    EXPECT_EQ(r.error.code, kErrAccessDenied);
    EXPECT_EQ(r.error.sysErrno, EACCES);
}

// Kernel files are the files whose length and content disagree on every system: a sysfs
// attribute claims a page and holds a few bytes; a proc file claims nothing and holds many.
TEST(ReadWholeFile, FileThatChangesWhileReadIsRefused) {
    const std::string shrinking = "/sys/class/tty/tty0/dev";
    const std::string growing = "/proc/self/status";
    struct stat st {};
    if (::stat(shrinking.c_str(), &st) != 0 || st.st_size == 0 || ::stat(growing.c_str(), &st) != 0 ||
        st.st_size != 0) {
        GTEST_SKIP() << "no sysfs or procfs here";
    }
    const WholeFile shrank = ReadWholeFile(shrinking, 1 << 20);
    EXPECT_EQ(shrank.fault, WholeFileFault::kShrank);
    EXPECT_EQ(shrank.error.code, kErrHandleEof);
    EXPECT_TRUE(shrank.bytes.empty());
    const WholeFile grew = ReadWholeFile(growing, 1 << 20);
    EXPECT_EQ(grew.fault, WholeFileFault::kGrew);
    EXPECT_EQ(grew.error.code, kErrInvalidData);
    EXPECT_TRUE(grew.bytes.empty());
}

}  // namespace
