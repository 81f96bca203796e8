// The diagnostic report: a .tar.gz any tar reads, with the summary, the ports, the newest traces
// and, only when asked for, the configuration with its secrets masked; the trace folder keeps
// only the newest traces.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "document/talvero_doc.h"
#include "link/clone_trace.h"
#include "link/diagnostic_report.h"
#include "link/trace_store.h"
#include "temp_dir.h"

namespace {

class DiagnosticReport : public TempDirTest {
  protected:
    // Makes `count` traces a millisecond apart, the last one the newest.
    std::vector<std::string> MakeTraces(const std::string& folder, int count) {
        std::vector<std::string> paths;
        const auto start = std::chrono::system_clock::now();
        for (int i = 0; i < count; ++i) {
            ErrorInfo e;
            paths.push_back(NewTracePath(folder, "read", e, start + std::chrono::milliseconds(i)));
            EXPECT_TRUE(e.ok()) << e.detail;
            std::ofstream(paths.back()) << "trace " << i << "\n";
        }
        return paths;
    }

    const ArchiveEntry* Find(const std::vector<ArchiveEntry>& entries, const std::string& name) {
        for (const auto& e : entries) {
            if (e.name == name) {
                return &e;
            }
        }
        return nullptr;
    }
};

TEST_F(DiagnosticReport, TraceFolderKeepsTheNewest) {
    const std::string folder = dir + "/state/Talvero/traces";
    const std::vector<std::string> made = MakeTraces(folder, 13);
    std::ofstream(folder + "/notes.txt") << "not a trace";
    PruneTraces(folder);
    const std::vector<std::string> kept = ListTraces(folder);
    ASSERT_EQ(kept.size(), kKeptTraces);
    EXPECT_EQ(kept.front(), made.back());
    EXPECT_EQ(kept.back(), made[3]);
    EXPECT_TRUE(std::ifstream(folder + "/notes.txt").good());
}

TEST_F(DiagnosticReport, ArchiveHoldsTheFactsAndTheConfigurationOnlyWhenAsked) {
    const std::string folder = dir + "/traces";
    MakeTraces(folder, 12);
    CTalveroDoc doc;
    ASSERT_TRUE(doc.Set(u"access_pass", u"Acc3ssPw"));
    ASSERT_TRUE(doc.Set(u"wlan_ssid", 0, u"office"));
    ASSERT_TRUE(doc.Set(u"wlan_sec", 0, u"wpa2psk"));
    ASSERT_TRUE(doc.Set(u"wlan_psk", 0, u"PskOfTheOffice77"));

    DiagnosticFacts facts;
    facts.toolkit = "Qt 6.4.2";
    facts.lastError = "write: time-out";
    facts.traceFolder = folder;
    const std::string path = dir + "/report.tar.gz";
    ASSERT_TRUE(SaveDiagnosticReport(path, facts).ok());
    std::vector<ArchiveEntry> entries;
    ASSERT_TRUE(ReadTarGz(path, entries));
    ASSERT_EQ(entries.size(), 2 + kKeptTraces);
    const ArchiveEntry* summary = Find(entries, "talvero-report/summary.txt");
    ASSERT_NE(summary, nullptr);
    for (const char* part : {"program: Talvero ", "toolkit: Qt 6.4.2", "system: ", "kernel: Linux",
                             "last error: write: time-out", "configuration included: no"}) {
        EXPECT_NE(summary->bytes.find(part), std::string::npos) << part << "\n" << summary->bytes;
    }
    EXPECT_NE(Find(entries, "talvero-report/ports.txt"), nullptr);
    EXPECT_EQ(Find(entries, "talvero-report/configuration.txt"), nullptr);
    // The system's tar reads it as well.
    FILE* tar = popen(("tar -tzf '" + path + "' 2>&1").c_str(), "r");
    ASSERT_NE(tar, nullptr);
    char buf[4096];
    std::string listing;
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, tar)) > 0) {
        listing.append(buf, n);
    }
    EXPECT_EQ(pclose(tar), 0) << listing;
    EXPECT_NE(listing.find("talvero-report/summary.txt"), std::string::npos) << listing;

    facts.configuration = &doc;
    ASSERT_TRUE(SaveDiagnosticReport(path, facts).ok());
    ASSERT_TRUE(ReadTarGz(path, entries));
    const ArchiveEntry* config = Find(entries, "talvero-report/configuration.txt");
    ASSERT_NE(config, nullptr);
    EXPECT_NE(config->bytes.find("wlan_ssid_01=office\n"), std::string::npos);
    EXPECT_NE(config->bytes.find("access_pass=********\n"), std::string::npos);
    EXPECT_NE(config->bytes.find("wlan_key_01=********\n"), std::string::npos);
    for (const char* secret : {"Acc3ssPw", "PskOfTheOffice77"}) {
        for (const auto& e : entries) {
            EXPECT_EQ(e.bytes.find(secret), std::string::npos) << e.name;
        }
    }
}

// Traces and reports are their owner's alone, in a folder of his alone, whatever the umask; a link
// planted under a trace's name or as the trace folder is never written through.
TEST_F(DiagnosticReport, TracesAndReportsArePrivateAndNeverFollowLinks) {
    const mode_t saved = ::umask(022);
    auto modeOf = [](const std::string& p) {
        struct stat st {};
        return ::lstat(p.c_str(), &st) == 0 ? st.st_mode & 07777 : 0u;
    };
    for (mode_t mask : {022, 077}) {
        ::umask(mask);
        const std::string folder = dir + "/traces" + std::to_string(mask);
        ErrorInfo e;
        const std::string path = NewTracePath(folder, "read", e);
        ASSERT_TRUE(e.ok()) << e.detail;
        CCloneTrace trace;
        ASSERT_TRUE(trace.Open(path, "test"));
        trace.Close();
        EXPECT_EQ(modeOf(folder), 0700u);
        EXPECT_EQ(modeOf(path), 0600u);
        const std::string report = dir + "/report" + std::to_string(mask) + ".tar.gz";
        DiagnosticFacts facts;
        facts.traceFolder = folder;
        ASSERT_TRUE(SaveDiagnosticReport(report, facts).ok());
        EXPECT_EQ(modeOf(report), 0600u);
    }
    ::umask(saved);

    const std::string precious = Write("precious.txt", "mine");
    ::chmod(precious.c_str(), 0644);
    std::filesystem::create_symlink(precious, dir + "/planted.trace");
    CCloneTrace trace;
    EXPECT_FALSE(trace.Open(dir + "/planted.trace", "test"));
    EXPECT_NE(trace.TakeFailure().detail.find("symbolic link"), std::string::npos);
    EXPECT_EQ(ReadBytes(precious), "mine");
    EXPECT_EQ(modeOf(precious), 0644u);
    std::filesystem::create_directory(dir + "/elsewhere");
    std::filesystem::create_directory_symlink(dir + "/elsewhere", dir + "/linked-traces");
    ErrorInfo e;
    EXPECT_EQ(NewTracePath(dir + "/linked-traces", "read", e), "");
    EXPECT_FALSE(e.ok());
}

TEST_F(DiagnosticReport, UnwritablePlaceIsAnErrorAndLeavesNothing) {
    DiagnosticFacts facts;
    const ErrorInfo e = SaveDiagnosticReport(dir + "/no/such/folder/report.tar.gz", facts);
    EXPECT_FALSE(e.ok());
    ErrorInfo traceError;
    EXPECT_EQ(NewTracePath("/proc/no-such-folder/traces", "read", traceError), "");
    EXPECT_FALSE(traceError.ok());
}

}  // namespace
