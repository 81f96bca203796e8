// Where a command may write, whether two paths are one file, and the lock of a file's update.
#include "platform/output_target.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>

#include "temp_dir.h"

namespace {

class OutputTargetTest : public TempDirTest {};

TEST_F(OutputTargetTest, OnlyRegularFilesOrNewOnesAreTargets) {
    const std::string file = Write("a.ini", "x");
    ASSERT_EQ(::mkfifo((dir + "/fifo").c_str(), 0600), 0);
    ASSERT_EQ(::symlink("a.ini", (dir + "/link").c_str()), 0);
    ASSERT_EQ(::symlink("missing.ini", (dir + "/dangling").c_str()), 0);
    ASSERT_EQ(::symlink("fifo", (dir + "/to-fifo").c_str()), 0);
    const struct {
        std::string path;
        const char* refusal;  // nullptr: accepted
    } cases[] = {
        {dir + "/new.ini", nullptr},
        {file, nullptr},
        {dir + "/link", nullptr},
        {dir + "/dangling", nullptr},
        {dir + "/fifo", "not a regular file (a FIFO)"},
        {dir + "/to-fifo", "not a regular file (a FIFO)"},
        {"/dev/null", "not a regular file (a character device)"},
        {dir, "not a regular file (a folder)"},
    };
    for (const auto& c : cases) {
        const ErrorInfo e = CheckOutputTarget(c.path);
        if (!c.refusal) {
            EXPECT_TRUE(e.ok()) << c.path << ": " << e.detail;
        } else {
            EXPECT_EQ(e.code, kErrAccessDenied) << c.path;
            EXPECT_EQ(e.detail, c.path + ": " + c.refusal);
        }
    }
    EXPECT_EQ(ReadBytes(file), "x");
}

TEST_F(OutputTargetTest, SameFileAsksTheFileSystem) {
    const std::string a = Write("same.ini", "a");
    const std::string b = Write("other.ini", "b");
    ASSERT_EQ(::link(a.c_str(), (dir + "/hard.ini").c_str()), 0);
    ASSERT_EQ(::symlink("same.ini", (dir + "/soft.ini").c_str()), 0);
    ::mkdir((dir + "/sub").c_str(), 0700);
    const struct {
        std::string first, second;
        bool same;
    } cases[] = {
        {a, a, true},
        {a, dir + "/./sub/../same.ini", true},
        {a, dir + "/hard.ini", true},
        {a, dir + "/soft.ini", true},
        {a, b, false},
        {a, dir + "/new.ini", false},
        {dir + "/new.ini", dir + "/sub/../new.ini", true},
        {dir + "/new.ini", dir + "/new2.ini", false},
        {"/dev/null", "/dev/null", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SameFile(c.first, c.second), c.same) << c.first << " | " << c.second;
        EXPECT_EQ(SameFile(c.second, c.first), c.same) << c.second << " | " << c.first;
    }
}

TEST_F(OutputTargetTest, AWaitingUpdateLocksTheFileTheHolderSaved) {
    const std::string path = Write("f.ini", "old");
    FileUpdateLock holder;
    ASSERT_TRUE(holder.Lock(path).ok());
    ASSERT_TRUE(holder.Locked());

    std::mutex m;
    std::condition_variable cv;
    bool waiting = false;
    ErrorInfo result;
    FileUpdateLock second;
    std::thread other([&] {
        result = second.Lock(path, [&] {
            std::lock_guard<std::mutex> lock(m);
            waiting = true;
            cv.notify_all();
        });
    });
    {
        std::unique_lock<std::mutex> lock(m);
        cv.wait(lock, [&] { return waiting; });
    }
    // The holder saves as every save does: a new file renamed over the old one.
    Write("f.ini.new", "new");
    ASSERT_EQ(std::rename((dir + "/f.ini.new").c_str(), path.c_str()), 0);
    holder.Unlock();
    other.join();
    ASSERT_TRUE(result.ok()) << result.detail;
    ASSERT_TRUE(second.Locked());
    // Locked is the file the path names now: a third update has to wait for it.
    FileUpdateLock third;
    bool thirdWaited = false;
    std::thread late([&] {
        third.Lock(path, [&] {
            thirdWaited = true;
            second.Unlock();
        });
    });
    late.join();
    EXPECT_TRUE(thirdWaited);
    EXPECT_TRUE(third.Locked());
}

TEST_F(OutputTargetTest, NothingToLockIsNoError) {
    ASSERT_EQ(::mkfifo((dir + "/fifo").c_str(), 0600), 0);
    for (const std::string& path : {dir + "/missing.ini", dir + "/fifo"}) {
        FileUpdateLock lock;
        EXPECT_TRUE(lock.Lock(path).ok()) << path;
        EXPECT_FALSE(lock.Locked()) << path;
    }
}

}  // namespace
