#pragma once
// The configuration file: UTF-16LE with byte-order mark, two header comment lines, "[Config]",
// then the key=value lines of the file form. 8-bit files in the ANSI code page are read too.
#include <cstdint>
#include <string>
#include <vector>

#include "document/ini_data.h"
#include "platform/error_codes.h"

class CTalveroDoc;

inline constexpr char16_t kConfigFileIdentifier[] = u"{499D5724-3DB8-45B8-B06D-5E0563C69F20}";
inline constexpr char16_t kConfigFileTitle[] = u"Talvero";

// Why a file was refused.
enum class ConfigRefusal {
    None,
    CannotOpen,        // the file could not be opened or read (error.code says why)
    Empty,             // length zero
    ShortRead,         // fewer bytes than the file's length
    TooLarge,          // far beyond any configuration's size
    NotConfiguration,  // identifier or "[Config]\r\n" missing
    EntryRefused,      // an ID list entry was refused by the loader
};

struct ConfigLoadResult {
    ConfigRefusal refusal = ConfigRefusal::None;
    ErrorInfo error;  // for CannotOpen
    bool ok() const { return refusal == ConfigRefusal::None; }
    std::string Describe() const;  // one line for the user
};

// Decodes the file's bytes and parses its body into `map`; `NotConfiguration` when refused.
ConfigRefusal ParseConfigurationBytes(const std::string& bytes, CIniData& map);

// The whole open: read, decode, check, LoadSettings (file form). On success the path becomes the
// document's and the modified flag is cleared. When LoadSettings refuses an entry the document is
// put back to its defaults and the views are told (hint 16, no list). Other refusals leave the
// document untouched; the caller starts a new document as the framework does.
ConfigLoadResult OpenConfigurationFile(CTalveroDoc& doc, const std::string& path);

// The exact bytes of the file form.
std::string RenderConfigurationFile(const CTalveroDoc& doc);

// Writes atomically (temporary file in the same folder, flushed, renamed over the target). On
// success the path becomes the document's and the modified flag is cleared; on failure the old
// file and the flag are as they were. A new file that holds a secret (a certificate, a password
// other than its default) is readable by its owner only; an existing file keeps its mode, so a save
// never widens who may read it.
// True when the document holds a secret: a secret setting (document/secret_keys.h) whose value is
// not its default.
bool HoldsSecret(const CTalveroDoc& doc);
ErrorInfo SaveConfigurationFile(CTalveroDoc& doc, const std::string& path);
// True when the document holds a secret and the file at `path` (a saved one) may be read by its
// group or by every user: a save keeps an existing file's mode, so the user is told instead.
bool SecretsReadableByOthers(const CTalveroDoc& doc, const std::string& path);

// Atomic write of any bytes (also used for CSV and warning lists). A symbolic link is followed:
// its target gets the new content and keeps its permission bits, and its owner where the process
// may. A new file gets `newFileMode` less the umask. A failed or interrupted write leaves the old
// file byte for byte and no temporary file.
ErrorInfo WriteFileAtomically(const std::string& path, const std::string& bytes, unsigned newFileMode = 0666);
