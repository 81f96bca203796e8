// The files of the document that hold secrets: read backups, the radio's own text, recovery copies
// and configuration files. Who may read them, under umask 022 and 077, created and existing; and
// planted symbolic links in every folder they are written into.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "document/config_file.h"
#include "document/ini_data.h"
#include "document/read_backup.h"
#include "document/recovery_store.h"
#include "document/talvero_doc.h"
#include "platform/private_files.h"
#include "temp_dir.h"

namespace fs = std::filesystem;

namespace {

mode_t ModeOf(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

class SecretFiles : public TempDirTest {
  protected:
    void TearDown() override { ::umask(m_umask); }
    const mode_t m_umask = ::umask(022);
};

TEST_F(SecretFiles, ModesOfBackupsRecoveryCopiesAndConfigurationFiles) {
    CTalveroDoc secret;
    ASSERT_TRUE(secret.Set(u"access_pass", u"Acc3ssPw"));
    CTalveroDoc plain;
    ASSERT_TRUE(plain.Set(u"disp_name", u"front desk"));
    ASSERT_TRUE(HoldsSecret(secret));
    ASSERT_FALSE(HoldsSecret(plain));
    CIniData radio;
    radio.SetValue(u"access_pass", u"Acc3ssPw");
    int n = 0;
    for (mode_t mask : {022, 077}) {
        ::umask(mask);
        SCOPED_TRACE("umask 0" + std::to_string(mask == 022 ? 22 : 77));
        // Backups: the folder created, and one of ours that was too wide.
        for (bool existing : {false, true}) {
            const std::string folder = dir + "/backups" + std::to_string(n++);
            if (existing) {
                fs::create_directory(folder);
                ::chmod(folder.c_str(), 0755);
            }
            const BackupResult b = SaveReadBackup(radio, "0061003D0062\r\n", folder);
            ASSERT_TRUE(b.error.ok()) << b.error.detail;
            EXPECT_EQ(ModeOf(folder), 0700u) << (existing ? "existing" : "created");
            EXPECT_EQ(ModeOf(b.path), 0600u);
            EXPECT_EQ(ModeOf(b.textPath), 0600u);
        }
        // Recovery copies.
        {
            const std::string folder = dir + "/recovery" + std::to_string(n++);
            fs::create_directory(folder);
            ::chmod(folder.c_str(), 0775);
            RecoveryStore store(folder);
            ASSERT_TRUE(store.Save(secret).ok());
            EXPECT_EQ(ModeOf(folder), 0700u);
            for (const auto& entry : fs::directory_iterator(folder)) {
                EXPECT_EQ(ModeOf(entry.path()), 0600u) << entry.path();
            }
        }
        // Configuration files: new ones with a secret are private; an existing file keeps its mode.
        const struct {
            CTalveroDoc* doc;
            mode_t before;  // 0: no file yet
            mode_t expected;
        } saves[] = {
            {&secret, 0, 0600},
            {&plain, 0, static_cast<mode_t>(0666 & ~mask)},
            {&secret, 0644, 0644},
            {&secret, 0640, 0640},
        };
        for (const auto& s : saves) {
            const std::string path = dir + "/c" + std::to_string(n++) + ".ini";
            if (s.before) {
                Write(fs::path(path).filename(), "old");
                ::chmod(path.c_str(), s.before);
            }
            ASSERT_TRUE(SaveConfigurationFile(*s.doc, path).ok());
            EXPECT_EQ(ModeOf(path), s.expected) << path;
        }
    }
}

// A link named like the next backup, the radio's text beside it, or a recovery folder: the link's
// target is never written and never changes its mode.
TEST_F(SecretFiles, PlantedLinksInTheBackupAndRecoveryFolders) {
    const std::string precious = Write("precious.txt", "mine");
    ::chmod(precious.c_str(), 0644);
    CIniData radio;
    radio.SetValue(u"access_pass", u"Acc3ssPw");
    const auto now = std::chrono::system_clock::now();
    for (const char* planted : {".ini", ".radio.txt"}) {
        const std::string folder = dir + "/backups" + planted;
        // The name the first backup of this second gets.
        const BackupResult probe = SaveReadBackup(radio, "", dir + "/probe" + planted, now);
        ASSERT_TRUE(probe.error.ok());
        const std::string stem = fs::path(probe.path).stem().string();
        ASSERT_TRUE(MakePrivateFolder(folder).ok());
        fs::create_symlink(precious, folder + "/" + stem + planted);
        const BackupResult b = SaveReadBackup(radio, "0061003D0062\r\n", folder, now);
        ASSERT_TRUE(b.error.ok()) << b.error.detail;
        EXPECT_EQ(fs::path(b.path).stem().string(), stem + "-2") << planted;
        EXPECT_TRUE(fs::is_symlink(folder + "/" + stem + planted));
        EXPECT_FALSE(fs::exists(fs::symlink_status(folder + "/" + stem +
                                                   (planted == std::string(".ini") ? ".radio.txt" : ".ini"))))
            << "no half of a pair is left under the taken name";
        EXPECT_EQ(ReadBytes(precious), "mine");
        EXPECT_EQ(ModeOf(precious), 0644u);
    }
    // A backup or recovery folder that is a link to somewhere else is refused.
    const std::string elsewhere = dir + "/elsewhere";
    fs::create_directory(elsewhere);
    ::chmod(elsewhere.c_str(), 0755);
    fs::create_directory_symlink(elsewhere, dir + "/linked");
    EXPECT_FALSE(SaveReadBackup(radio, "x", dir + "/linked").error.ok());
    RecoveryStore store(dir + "/linked");
    CTalveroDoc doc;
    EXPECT_FALSE(store.Save(doc).ok());
    EXPECT_TRUE(fs::is_empty(elsewhere));
    EXPECT_EQ(ModeOf(elsewhere), 0755u);
}

}  // namespace
