#pragma once
// Crash recovery. While the document has unsaved changes the program keeps a copy of it in
// $XDG_STATE_HOME/Talvero/recovery (~/.local/state/Talvero/recovery), written atomically and
// never over the user's own file. Each running program owns one slot there, marked by a lock it
// holds while it lives: a program that starts while another runs never offers the other's live
// copy, and a slot whose lock is free belongs to a program that ended without cleaning up
// (killed, crashed, logged out). Such a copy is offered when it is newer than its document.
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/error_codes.h"

class CTalveroDoc;

// $XDG_STATE_HOME/Talvero/recovery, or ~/.local/state/Talvero/recovery.
std::string DefaultRecoveryFolder();

// A copy left behind by a program that ended with unsaved changes.
struct RecoveredCopy {
    std::string file;          // the copy, a configuration file
    std::string documentPath;  // the file it was a copy of; empty for an untitled document
    std::filesystem::file_time_type saved;
};

class RecoveryStore {
  public:
    // Takes a slot of its own in `folder` (created when needed). Without one (a folder that cannot
    // be written) every Save fails with its error and nothing else changes.
    explicit RecoveryStore(std::string folder = DefaultRecoveryFolder());
    // Gives the slot up; its copy stays (Discard removes it).
    ~RecoveryStore();
    RecoveryStore(const RecoveryStore&) = delete;
    RecoveryStore& operator=(const RecoveryStore&) = delete;

    // Writes the document's file form and its path into the slot. The document is not changed.
    ErrorInfo Save(const CTalveroDoc& doc);
    // Removes the slot's copy: the changes were saved or given up.
    void Discard();
    bool HasCopy() const;

    // Copies left by programs that are gone, newest first. Copies not newer than their document
    // (saved after the copy was made) are removed instead of offered.
    std::vector<RecoveredCopy> FindLeftBehind() const;
    // Loads a copy into the document: its settings, the path of the file it was a copy of, and the
    // modified flag set (the changes are still unsaved). On success the copy is removed.
    static ErrorInfo Restore(CTalveroDoc& doc, const RecoveredCopy& copy);
    // Removes a copy the user did not want.
    static void Remove(const RecoveredCopy& copy);

    const std::string& Folder() const { return m_folder; }

  private:
    std::string m_folder;
    std::string m_slot;  // path without extension; empty without a slot
    int m_lockFd = -1;
    ErrorInfo m_slotError;
};
