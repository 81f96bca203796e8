#include <gtest/gtest.h>
#include <utime.h>

#include <filesystem>
#include <fstream>

#include <sys/stat.h>

#include "document/config_file.h"
#include "document/ini_data.h"
#include "document/read_backup.h"
#include "document/talvero_doc.h"

namespace fs = std::filesystem;

namespace {

TEST(ReadBackup, WritesDatedFilesAndPrunesOnlyOldBackups) {
    char tmpl[] = "/tmp/talvero-backup-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    const std::string folder = std::string(tmpl) + "/nested/backups";
    CTalveroDoc doc;
    ASSERT_TRUE(doc.Set(u"disp_name", u"from radio"));
    const auto now = std::chrono::system_clock::now();

    const BackupResult a = SaveReadBackup(doc, folder, now);
    ASSERT_TRUE(a.error.ok()) << a.error.detail;
    const BackupResult b = SaveReadBackup(doc, folder, now);  // same second: a second name
    ASSERT_TRUE(b.error.ok());
    EXPECT_NE(a.path, b.path);
    EXPECT_TRUE(fs::path(a.path).filename().string().starts_with("read-"));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetPathName(), "");

    CTalveroDoc back;
    ASSERT_TRUE(OpenConfigurationFile(back, a.path).ok());
    EXPECT_EQ(back.Get(u"disp_name"), u"from radio");

    // A backup from two years ago goes; an unrelated file stays.
    const std::string old = folder + "/read-20240101-000000.ini";
    const std::string other = folder + "/notes.txt";
    std::ofstream(old) << "x";
    std::ofstream(other) << "x";
    const auto twoYears = std::chrono::system_clock::to_time_t(now - std::chrono::hours(24 * 730));
    utimbuf times{twoYears, twoYears};
    ASSERT_EQ(utime(old.c_str(), &times), 0);
    ASSERT_EQ(utime(other.c_str(), &times), 0);
    ASSERT_TRUE(SaveReadBackup(doc, folder, now).error.ok());
    EXPECT_FALSE(fs::exists(old));
    EXPECT_TRUE(fs::exists(other));
    EXPECT_TRUE(fs::exists(a.path));

    // A folder that cannot be made reports why.
    std::ofstream(std::string(tmpl) + "/file") << "x";
    const BackupResult bad = SaveReadBackup(doc, std::string(tmpl) + "/file/sub", now);
    EXPECT_FALSE(bad.error.ok());
    EXPECT_FALSE(bad.error.detail.empty());
    fs::remove_all(tmpl);
}

// A read's backup holds the whole configuration the radio sent, whatever mode the program is in,
// and beside it the radio's own text, which alone keeps its information and unknown keys.
TEST(ReadBackup, KeepsTheWholeConfigurationAndTheRadiosOwnText) {
    char tmpl[] = "/tmp/talvero-backup-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    const std::string folder = tmpl;
    const std::string text = "00690063006300690064003D0031\r\n";  // iccid=1: never in a file
    CIniData map;
    map.LoadText(u"disp_name_01=from radio\r\nwlan_ssid_01=office\r\niccid=1\r\n");
    const BackupResult r = SaveReadBackup(map, text, folder);
    ASSERT_TRUE(r.error.ok()) << r.error.detail;
    CTalveroDoc doc;
    ASSERT_TRUE(OpenConfigurationFile(doc, r.path).ok());
    EXPECT_EQ(doc.Get(u"disp_name"), u"from radio");
    EXPECT_EQ(doc.Get(u"wlan_ssid", 0), u"office");
    EXPECT_EQ(r.textPath, r.path.substr(0, r.path.size() - 4) + ".radio.txt");
    std::ifstream in(r.textPath, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), text);
    struct stat st {};
    ASSERT_EQ(::stat(r.textPath.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    // Without the radio's text only the configuration is kept.
    EXPECT_TRUE(SaveReadBackup(map, std::string(), folder).textPath.empty());
    fs::remove_all(folder);
}

}  // namespace
