// Saves that go wrong half-way (file-size limit, a process killed while writing) and saves through
// a symbolic link: the old file stays byte for byte, nothing temporary is left, and a link keeps
// pointing at a file that has the new content.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>

#include "document/config_file.h"
#include "document/talvero_doc.h"

namespace fs = std::filesystem;

namespace {

class SaveFaults : public ::testing::Test {
  protected:
    void SetUp() override {
        char tmpl[] = "/tmp/talvero-save-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir = tmpl;
        ASSERT_TRUE(doc.Set(u"disp_name", u"new"));
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string Write(const std::string& name, const std::string& bytes) {
        const std::string path = dir + "/" + name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir)) {
            names.push_back(e.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    // Saves in a child process under a file-size limit of `limit` bytes; returns its wait status.
    // With `ignoreSignal` the write fails with EFBIG and the child exits with 0 when the save
    // reported exactly that; otherwise the kernel kills the child in the middle of the write.
    int SaveInChild(const std::string& path, rlim_t limit, bool ignoreSignal) {
        const pid_t pid = fork();
        if (pid == 0) {
            signal(SIGXFSZ, ignoreSignal ? SIG_IGN : SIG_DFL);
            const rlimit rl{limit, limit};
            setrlimit(RLIMIT_FSIZE, &rl);
            const ErrorInfo e = SaveConfigurationFile(doc, path);
            _exit(e.ok() ? 1 : e.sysErrno == EFBIG ? 0 : 2);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        return status;
    }

    std::string dir;
    CTalveroDoc doc;
};

// Both stand for a full disk as well: the write stops part-way with an error (a full disk gives
// ENOSPC where the limit gives EFBIG) or the process ends there.
TEST_F(SaveFaults, SaveCutShortLeavesTheOldFileAndNoTemporaryFile) {
    const std::string old(20000, 'o');
    const std::string path = Write("keep.ini", old);
    int status = SaveInChild(path, 4096, true);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the save reports the write failure";
    EXPECT_EQ(Read(path), old);
    EXPECT_EQ(Names(), std::vector<std::string>{"keep.ini"});

    status = SaveInChild(path, 4096, false);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGXFSZ);
    EXPECT_EQ(Read(path), old);
    EXPECT_EQ(Names(), std::vector<std::string>{"keep.ini"});

    // Without a limit the same save goes through.
    ASSERT_TRUE(SaveConfigurationFile(doc, path).ok());
    EXPECT_NE(Read(path), old);
    EXPECT_EQ(Names(), std::vector<std::string>{"keep.ini"});
}

TEST_F(SaveFaults, SaveThroughALinkWritesItsTarget) {
    fs::create_directory(dir + "/real");
    const std::string target = Write("real/a.ini", "old");
    ASSERT_EQ(chmod(target.c_str(), 0640), 0);
    const bool root = geteuid() == 0;
    if (root) {
        ASSERT_EQ(chown(target.c_str(), 4321, 4322), 0);
    }
    fs::create_symlink("real/a.ini", dir + "/link.ini");        // relative
    fs::create_symlink(dir + "/link.ini", dir + "/chain.ini");  // a link to a link

    ASSERT_TRUE(SaveConfigurationFile(doc, dir + "/chain.ini").ok());
    EXPECT_TRUE(fs::is_symlink(dir + "/chain.ini"));
    EXPECT_TRUE(fs::is_symlink(dir + "/link.ini"));
    EXPECT_EQ(Read(target).size(), RenderConfigurationFile(doc).size());
    struct stat st {};
    ASSERT_EQ(stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    if (root) {
        EXPECT_EQ(st.st_uid, 4321u);
        EXPECT_EQ(st.st_gid, 4322u);
    }
    EXPECT_EQ(doc.GetPathName(), dir + "/chain.ini") << "the document keeps the name it was given";
    EXPECT_EQ(Names(), (std::vector<std::string>{"chain.ini", "link.ini", "real"}));

    // A link whose target does not exist yet: the target is created, the link stays.
    fs::create_symlink("real/b.ini", dir + "/new.ini");
    ASSERT_TRUE(SaveConfigurationFile(doc, dir + "/new.ini").ok());
    EXPECT_TRUE(fs::is_symlink(dir + "/new.ini"));
    EXPECT_TRUE(fs::is_regular_file(dir + "/real/b.ini"));

    // A loop of links is refused, and nothing is written.
    fs::create_symlink("loop2.ini", dir + "/loop1.ini");
    fs::create_symlink("loop1.ini", dir + "/loop2.ini");
    const ErrorInfo e = SaveConfigurationFile(doc, dir + "/loop1.ini");
    EXPECT_FALSE(e.ok());
    EXPECT_EQ(e.sysErrno, ELOOP);
    EXPECT_TRUE(fs::is_symlink(dir + "/loop1.ini"));
}

}  // namespace
