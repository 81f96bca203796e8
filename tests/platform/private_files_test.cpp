// Private folders and files: 0700 and 0600 whatever the umask, created or existing; never written
// through a planted symbolic link; never in a folder another user could have prepared; and the
// program's folders without HOME taken from the password database, never from /tmp.
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

#include "platform/private_files.h"
#include "platform/user_folders.h"
#include "temp_dir.h"

namespace fs = std::filesystem;

namespace {

mode_t ModeOf(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

class PrivateFiles : public TempDirTest {
  protected:
    void TearDown() override { ::umask(m_umask); }
    const mode_t m_umask = ::umask(022);
};

// Folder and file, created and existing, under umask 022 and 077.
TEST_F(PrivateFiles, ModesWhateverTheUmaskAndWhatWasThere) {
    struct Case {
        const char* what;
        std::function<void(const std::string&)> before;  // what is at the path first
        std::function<ErrorInfo(const std::string&)> make;
        mode_t expected;
    };
    const auto nothing = [](const std::string&) {};
    const auto wideFolder = [](const std::string& p) { fs::create_directory(p), ::chmod(p.c_str(), 0777); };
    const auto wideFile = [](const std::string& p) {
        std::ofstream(p) << "old";
        ::chmod(p.c_str(), 0644);
    };
    const auto open = [](const std::string& p) {
        ErrorInfo e;
        const int fd = OpenPrivateFile(p, e);
        if (fd >= 0) {
            ::close(fd);
        }
        return e;
    };
    const Case cases[] = {
        {"folder created", nothing, MakePrivateFolder, 0700},
        {"folder created with its parents", nothing,
         [](const std::string& p) { return MakePrivateFolder(p + "/a/b"); }, 0700},
        {"folder of ours, too wide", wideFolder, MakePrivateFolder, 0700},
        {"file created", nothing, [](const std::string& p) { return CreatePrivateFile(p, "x"); }, 0600},
        {"file replaced", wideFile, [](const std::string& p) { return ReplacePrivateFile(p, "x"); }, 0600},
        {"file replacing nothing", nothing, [](const std::string& p) { return ReplacePrivateFile(p, "x"); },
         0600},
        {"file opened new", nothing, open, 0600},
        {"file opened over a wide one", wideFile, open, 0600},
    };
    int n = 0;
    for (mode_t mask : {022, 077}) {
        ::umask(mask);
        for (const Case& c : cases) {
            const std::string path = dir + "/" + std::to_string(n++);
            c.before(path);
            const ErrorInfo e = c.make(path);
            ASSERT_TRUE(e.ok()) << c.what << ": " << e.detail;
            const std::string made =
                std::string(c.what).find("parents") != std::string::npos ? path + "/a/b" : path;
            EXPECT_EQ(ModeOf(made), c.expected) << c.what << ", umask 0" << std::oct << mask;
            if (made != path) {
                EXPECT_EQ(ModeOf(path), 0700u) << "a folder made on the way";
            }
        }
    }
}

// A symbolic link planted where a private file or folder is to be: the link's target is never
// written, its mode never changed.
TEST_F(PrivateFiles, PlantedLinksAreNeverFollowed) {
    const std::string precious = Write("precious.txt", "mine");
    ::chmod(precious.c_str(), 0644);
    const std::string elsewhere = dir + "/elsewhere";
    fs::create_directory(elsewhere);
    ::chmod(elsewhere.c_str(), 0755);
    struct Case {
        const char* what;
        std::function<bool(const std::string& link)> refusedOrSafe;
    };
    const Case cases[] = {
        {"new file", [](const std::string& l) { return CreatePrivateFile(l, "secret").sysErrno == EEXIST; }},
        {"replaced file",
         [](const std::string& l) { return ReplacePrivateFile(l, "secret").ok() && !fs::is_symlink(l); }},
        {"opened file",
         [](const std::string& l) {
             ErrorInfo e;
             return OpenPrivateFile(l, e) < 0 && !e.ok();
         }},
    };
    for (const Case& c : cases) {
        const std::string link = dir + "/link-" + c.what;
        fs::create_symlink(precious, link);
        EXPECT_TRUE(c.refusedOrSafe(link)) << c.what;
        EXPECT_EQ(ReadBytes(precious), "mine") << c.what;
        EXPECT_EQ(ModeOf(precious), 0644u) << c.what;
    }
    // A folder that is a link to another folder is refused, and the other folder keeps its mode.
    fs::create_directory_symlink(elsewhere, dir + "/folder-link");
    const ErrorInfo e = MakePrivateFolder(dir + "/folder-link");
    EXPECT_FALSE(e.ok());
    EXPECT_NE(e.detail.find("symbolic link"), std::string::npos) << e.detail;
    EXPECT_EQ(ModeOf(elsewhere), 0755u);
}

// A folder below one that others may write in (without the sticky bit, which keeps them from
// removing or renaming what is not theirs) could be swapped: refused. Below a sticky one it is ours.
TEST_F(PrivateFiles, FolderBelowOneOthersMayWriteInIsRefused) {
    const std::string open = dir + "/open";
    fs::create_directory(open);
    ::chmod(open.c_str(), 0777);
    const ErrorInfo refused = MakePrivateFolder(open + "/Talvero/backups");
    EXPECT_FALSE(refused.ok());
    EXPECT_NE(refused.detail.find("another user"), std::string::npos) << refused.detail;
    EXPECT_FALSE(fs::exists(open + "/Talvero"));
    ::chmod(open.c_str(), 01777);
    EXPECT_TRUE(MakePrivateFolder(open + "/Talvero/backups").ok());
    EXPECT_FALSE(MakePrivateFolder("").ok());  // no home at all
}

// Without HOME the account's home from the password database; never /tmp.
TEST_F(PrivateFiles, WithoutHomeTheAccountsHome) {
    const std::string savedHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    const char* savedData = std::getenv("XDG_DATA_HOME");
    const char* savedState = std::getenv("XDG_STATE_HOME");
    const std::string data = savedData ? savedData : "", state = savedState ? savedState : "";
    ::unsetenv("XDG_DATA_HOME");
    ::unsetenv("XDG_STATE_HOME");
    const struct passwd* account = ::getpwuid(::geteuid());
    ASSERT_NE(account, nullptr);
    for (const char* home : {static_cast<const char*>(nullptr), "", "relative/home"}) {
        if (home) {
            ::setenv("HOME", home, 1);
        } else {
            ::unsetenv("HOME");
        }
        EXPECT_EQ(UserDataFolder(), std::string(account->pw_dir) + "/.local/share/Talvero");
        EXPECT_EQ(UserStateFolder(), std::string(account->pw_dir) + "/.local/state/Talvero");
    }
    ::setenv("HOME", savedHome.c_str(), 1);
    if (savedData) {
        ::setenv("XDG_DATA_HOME", data.c_str(), 1);
    }
    if (savedState) {
        ::setenv("XDG_STATE_HOME", state.c_str(), 1);
    }
}

}  // namespace
