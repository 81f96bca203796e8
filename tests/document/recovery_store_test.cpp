// Crash recovery: a copy left by a killed program is offered when newer than its document, a live
// program's copy never is, and restoring brings back the unsaved edits as unsaved.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include <gtest/gtest.h>

#include "document/config_file.h"
#include "document/recovery_store.h"
#include "document/talvero_doc.h"

namespace fs = std::filesystem;

namespace {

std::string TempFolder() {
    char tmpl[] = "/tmp/talvero-recovery-XXXXXX";
    EXPECT_NE(mkdtemp(tmpl), nullptr);
    return tmpl;
}

// A program that edits `documentPath` (empty: an untitled document), keeps its copy, and is killed.
void KilledWithUnsavedEdit(const std::string& folder, const std::string& documentPath, const char16_t* name) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        CTalveroDoc doc;
        if (!documentPath.empty() && !OpenConfigurationFile(doc, documentPath).ok()) {
            _exit(2);
        }
        doc.Set(u"disp_name", name);
        RecoveryStore store(folder);
        if (!store.Save(doc).ok()) {
            _exit(3);
        }
        raise(SIGKILL);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "child status " << status;
}

TEST(RecoveryStore, CopyOfAKilledProgramIsRestoredAsUnsaved) {
    const std::string root = TempFolder(), folder = root + "/recovery", file = root + "/fleet.ini";
    CTalveroDoc original;
    ASSERT_TRUE(SaveConfigurationFile(original, file).ok());
    std::this_thread::sleep_for(std::chrono::milliseconds(20));  // the copy is newer than the file
    KilledWithUnsavedEdit(folder, file, u"EDITED");
    KilledWithUnsavedEdit(folder, "", u"UNTITLED");

    RecoveryStore next(folder);
    const std::vector<RecoveredCopy> found = next.FindLeftBehind();
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].documentPath, "");  // newest first
    EXPECT_EQ(found[1].documentPath, file);

    CTalveroDoc doc;
    ASSERT_TRUE(RecoveryStore::Restore(doc, found[1]).ok());
    EXPECT_EQ(doc.Get(u"disp_name"), u"EDITED");
    EXPECT_EQ(doc.GetPathName(), file);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_FALSE(fs::exists(found[1].file));  // offered once

    RecoveryStore::Remove(found[0]);  // declined
    EXPECT_TRUE(next.FindLeftBehind().empty());
    CTalveroDoc untouched;
    ASSERT_TRUE(OpenConfigurationFile(untouched, file).ok());
    EXPECT_EQ(untouched.Get(u"disp_name"), u"");  // the user's file was never written
    fs::remove_all(root);
}

TEST(RecoveryStore, LiveCopiesAndCopiesOlderThanTheirFileAreNotOffered) {
    const std::string root = TempFolder(), folder = root + "/recovery", file = root + "/a.ini";
    CTalveroDoc doc;
    ASSERT_TRUE(SaveConfigurationFile(doc, file).ok());
    doc.Set(u"disp_name", u"LIVE");
    RecoveryStore live(folder);
    ASSERT_TRUE(live.Save(doc).ok());
    EXPECT_TRUE(live.HasCopy());
    RecoveryStore other(folder);
    EXPECT_TRUE(other.FindLeftBehind().empty());  // the first program still runs

    KilledWithUnsavedEdit(folder, file, u"STALE");
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_TRUE(SaveConfigurationFile(doc, file).ok());  // saved after the copy was made
    EXPECT_TRUE(other.FindLeftBehind().empty());
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 4)
        << "the stale slot is removed; the two live slots stay";

    live.Discard();
    EXPECT_FALSE(live.HasCopy());
    fs::remove_all(root);
}

TEST(RecoveryStore, UnwritableFolderFailsEverySave) {
    const std::string root = TempFolder();
    std::ofstream(root + "/file") << "x";
    RecoveryStore store(root + "/file/recovery");
    CTalveroDoc doc;
    EXPECT_FALSE(store.Save(doc).ok());
    EXPECT_FALSE(store.HasCopy());
    EXPECT_TRUE(store.FindLeftBehind().empty());
    fs::remove_all(root);
}

}  // namespace
