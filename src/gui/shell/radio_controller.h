#pragma once
// The radio commands of the main window: read, write, information, initialization, firmware
// update, the port list, the port search and the bit rate. Each runs the link library's recipe
// through the window's host (progress window, password dialog, questions) and reports its outcome
// in words. The controller owns the link settings (port, bit rate, the password of the current
// command) and keeps port and bit rate in the settings store between runs.
#include <QString>
#include <cstdint>
#include <functional>
#include <string>

#include <vector>

#include "link/radio_recipes.h"
#include "platform/posix/port_enum.h"

class CFileController;
class CTalveroDoc;
class CommandRouter;
class QWidget;

class CRadioController {
  public:
    // A line for the window's status bar and the tip that gives it in full (may be empty).
    using StatusLine = std::function<void(const QString& line, const QString& tip)>;
    // The serial ports present now.
    using PortSource = std::function<std::vector<ComInfo>()>;
    // `window`: the parent of every prompt; `files`: the save-changes prompt and File New before a
    // read replaces the document; `status`: shows a line in the window's status bar.
    CRadioController(CTalveroDoc* document, QWidget* window, CFileController& files, StatusLine status);

    void RegisterCommands(CommandRouter& router);

    // "ComPort" and "ComSpeed" of the settings store (port "1" and 38400 bit/s when absent).
    void LoadLinkSettings();
    void SaveLinkSettings() const;

    const CloneLinkSettings& Link() const { return m_link; }
    void SetPort(const std::string& port) { m_link.m_comPort = port; }
    void SetSpeed(uint32_t bitsPerSecond) { m_link.m_comSpeed = bitsPerSecond; }
    // Where the ports present are looked up (the machine's by default).
    void SetPortSource(PortSource source) { m_ports = std::move(source); }

    // "Port: …   Speed: … bit/s", for the status bar.
    QString LinkDescription() const;

    void OnCloneRead();
    void OnCloneWrite();
    // Asks before writing values that their pages would refuse; true to go on.
    bool ConfirmRefusedValues();
    void OnCloneInformation();
    void OnCloneInitialization();
    void OnFirmwareUpdate();
    // The fleet window: many radios, one template, a row each.
    void OnCloneFleet();
    void OnComMore();
    void OnComSearch();

    // ---- verify, compare, trace, report --------------------------------------------------------
    // Shows a setting's page and row (the differences window's double click); set by the window.
    using ShowSetting = std::function<void(uint32_t nodeId, const std::u16string& key)>;
    void SetShowSetting(ShowSetting show) { m_showSetting = std::move(show); }
    // Options kept in the settings store: a write is read back and compared; every radio command
    // records a serial trace in the trace folder (the newest ten kept).
    bool VerifyAfterWrite() const { return m_verifyAfterWrite; }
    bool Tracing() const { return m_tracing; }
    void SetVerifyAfterWrite(bool on);
    void SetTracing(bool on);
    // The message of the last radio command that failed; empty when none has.
    const QString& LastError() const { return m_lastError; }
    void OnCloneCompare();
    void OnSaveDiagnosticReport();

  private:
    // Runs a radio command with its serial trace when tracing is on.
    void Traced(const std::string& command, const std::function<void()>& run);
    // A saved port that is no device here: the only USB adapter present takes its place (the
    // status bar says so); otherwise the user is told which ports exist and where to choose one.
    // False when no command should run.
    bool EnsurePort();
    // The outcome's message under the command's texts; nothing where the outcome has none.
    void Report(const RadioOutcome& outcome, const RecipeTexts& texts);
    // As Report, with the time the command took under its success text.
    void ReportTimed(const RadioOutcome& outcome, const RecipeTexts& texts, qint64 elapsedMs);
    // Gives a read's progress a size to expect where no read on this link has yet.
    void ExpectReadLikeDocument();

    CTalveroDoc* m_document;
    QWidget* m_window;
    CFileController& m_files;
    StatusLine m_status;
    CloneLinkSettings m_link;
    ShowSetting m_showSetting;
    bool m_verifyAfterWrite = false;
    bool m_tracing = false;
    QString m_lastError;
    PortSource m_ports;
};
