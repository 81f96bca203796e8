#pragma once
// One recipe per radio command: the steps of reading, writing and initialising the radio,
// updating its firmware, asking for its information and searching the ports for it, written once
// over ICloneHost. The program and the command-line tool call the same recipe and differ only in
// how their host asks, shows progress and reports the outcome.
//
// A recipe keeps no state of its own: it works on the link settings, host and timings it is given
// and returns everything it found, so recipes on different ports may run at once on several
// threads. The link settings are in and out: the device check stores the password it asked for,
// a search stores the port it found. A link without a port searches every port first.
#include <cstdint>
#include <string>
#include <vector>

#include "document/ini_data.h"
#include "document/settings_compare.h"
#include "link/clone_job.h"
#include "platform/error_codes.h"

class CTalveroDoc;

// How far a recipe came.
enum class RadioStage {
    kDone,       // the operation ran to its end: result 0
    kDocument,   // the document cannot go to the radio (a repeated ID list entry): nothing sent
    kDeclined,   // the user answered no to a question: nothing sent
    kCheck,      // the port search or the device check failed, or the password prompt was cancelled
    kOperation,  // the operation itself failed
    kVerify,     // written, but the read-back failed (result) or differs (result 0, differences)
};

struct RadioOutcome {
    uint32_t result = kErrSuccess;
    RadioStage stage = RadioStage::kDone;
    ErrorInfo error;              // the result with the system's and the port's context
    CIniData data;                // the information reply; after a read, the configuration read
    CIniData information;         // the information reply of the device check
    std::string receivedText;     // a read: the clone text exactly as the radio sent it
    unsigned duplicateEntry = 0;  // kDocument: 0-based index of the repeated ID list entry
    bool verified = false;        // a write was read back and compared
    std::vector<SettingDifference> differences;  // written (first) against read back (second)
    bool ok() const { return result == kErrSuccess && stage == RadioStage::kDone; }
};

// The words of one command: its progress caption and first range, and the texts of its outcomes
// (0: no message). A result 13 or 86 has a text of its own where the command names one.
struct RecipeTexts {
    uint32_t caption;
    int32_t rangeMax;
    uint32_t success;
    uint32_t failure;
    uint32_t invalidData;
    uint32_t passwordRefused;
};
inline constexpr RecipeTexts kReadTexts{2050, 1922, 0, 2055, 2057, 2066};
inline constexpr RecipeTexts kWriteTexts{2050, 100, 2059, 2055, 2061, 2066};
inline constexpr RecipeTexts kInitialiseTexts{2070, 100, 2071, 2055, 2072, 2066};
inline constexpr RecipeTexts kFirmwareTexts{2051, 5, 2058, 2055, 2062, 2066};
inline constexpr RecipeTexts kInformationTexts{2052, 3, 0, 2055, 0, 0};
inline constexpr RecipeTexts kSearchTexts{2053, 100, 2054, 2056, 0, 0};
// The text of a repeated ID list entry; its argument is the 1-based entry number.
inline constexpr uint32_t kDuplicateIdText = 2074;
// A verified write: the radio holds what was written / holds something else / could not be read
// back.
inline constexpr uint32_t kVerifiedText = 10600;
inline constexpr uint32_t kVerifyDiffersText = 10601;
inline constexpr uint32_t kVerifyFailedText = 10602;

// The text ID that reports an outcome of the command with these texts; 0 when nothing is shown
// (a declined question, a cancelled password prompt, a success without a text of its own).
uint32_t OutcomeTextId(const RadioOutcome& outcome, const RecipeTexts& texts);

// The information exchange before every radio command: accepted device code, no rental unit, and
// the password when the radio asks for one and `askPassword` is set (stored in the job's link).
// 1223 when the user cancelled. On success job.data holds the radio's information reply.
uint32_t CheckRadio(CloneJob& job, bool askPassword, ICloneHost& host);

// The configuration that initialises the radio: a write of this single line.
inline constexpr char16_t kInitialisationLine[] = u"init=0x0E";

// The keys of the information reply that are shown: model, firmware version, Bluetooth version.
inline constexpr const char16_t* kInformationKeys[] = {u"model", u"ver", u"bt_ver"};

// The radio's information reply in outcome.data (kInformationKeys among it). No password is
// asked: the exchange sends none.
RadioOutcome ReadRadioInformation(CloneLinkSettings& link, ICloneHost& host,
                                  const CloneTimings& timings = {});

// The clone text a radio holding `document` sends when read: the size a read's progress expects
// before a read on the link has told the radio's own.
size_t CloneTextBytesOf(const CTalveroDoc& document);

// The radio's whole configuration into outcome.data, ready for CTalveroDoc::LoadSettings.
RadioOutcome ReadConfiguration(CloneLinkSettings& link, ICloneHost& host, const CloneTimings& timings = {});

// The document's configuration (its radio form; WLAN and certificates only in the WLAN-only mode)
// into the radio. A repeated ID list entry stops it before anything is asked or sent; the host
// confirms the write, and first a password the configuration sets on the radio.
// With `verify`, a written configuration is read back and compared key by key in the radio form:
// the outcome is kDone and `verified` when the radio holds every line written, else kVerify with
// the differences (result 0) or with the read-back's failure. The read-back sends the password of
// the write, or the access password just written when the radio now asks for one.
RadioOutcome WriteConfiguration(const CTalveroDoc& document, CloneLinkSettings& link, ICloneHost& host,
                                const CloneTimings& timings = {}, bool verify = false);

// Resets the radio, after the host has confirmed it.
RadioOutcome InitialiseRadio(CloneLinkSettings& link, ICloneHost& host, const CloneTimings& timings = {});

// Sends the firmware image at `imagePath` as it is, after the host has confirmed it.
RadioOutcome UpdateRadioFirmware(const std::string& imagePath, CloneLinkSettings& link, ICloneHost& host,
                                 const CloneTimings& timings = {});

// Asks each port in turn (every port of the machine when `ports` is empty) and stores the first
// whose radio is accepted in link.m_comPort; 1168 when none is.
RadioOutcome SearchRadioPort(CloneLinkSettings& link, ICloneHost& host, const CloneTimings& timings = {},
                             const std::vector<std::string>& ports = {});
