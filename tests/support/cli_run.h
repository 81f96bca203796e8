#pragma once
// talvero-cli run as a user runs it, from a shell without a terminal: stdin from /dev/null, the
// standard output through a pipe, the error output through a file in the test's own folder.
// CliTest is the GoogleTest fixture with that folder and the runner.
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

#include "temp_dir.h"

struct CliRun {
    int status;  // the exit status; -1 when the tool did not exit normally
    std::string out, err;
};

// `env` goes before the command ("NAME=value ...").
inline CliRun RunCli(const std::string& dir, const std::string& args, const std::string& env = "") {
    const std::string errFile = dir + "/cli.err";
    const std::string cmd =
        env + " " + TALVERO_BIN_DIR + "/talvero-cli " + args + " </dev/null 2>'" + errFile + "'";
    FILE* p = popen(cmd.c_str(), "r");
    if (p == nullptr) {
        return {-1, {}, "cannot start the shell"};
    }
    std::string out;
    std::array<char, 4096> buf;
    size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) {
        out.append(buf.data(), n);
    }
    const int st = pclose(p);
    return {WIFEXITED(st) ? WEXITSTATUS(st) : -1, out, TempDir::ReadBytes(errFile)};
}

class CliTest : public TempDirTest {
  protected:
    CliRun Cli(const std::string& args, const std::string& env = "") const { return RunCli(dir, args, env); }
};
