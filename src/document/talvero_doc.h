#pragma once
// The settings document: one complete radio configuration, every setting held as UTF-16 text.
// Pages, the loader and the importers change values only through the validating setters.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "document/ini_data.h"
#include "document/settings_catalogue.h"

// Update hints sent to the document's observers.
enum : int {
    kHintLoaded = 16,   // after every load; carries the warning lines (possibly none)
    kHintChanged = 17,  // a value changed outside the page that shows it
};

class IDocumentObserver {
  public:
    virtual ~IDocumentObserver() = default;
    // `warnings` is null when the hint carries no list.
    virtual void OnDocumentUpdate(int hint, const std::vector<std::u16string>* warnings) = 0;
};

class CTalveroDoc {
  public:
    CTalveroDoc();
    CTalveroDoc(const CTalveroDoc&) = delete;
    CTalveroDoc& operator=(const CTalveroDoc&) = delete;

    // ---- values --------------------------------------------------------------------------
    const std::u16string& Get(SettingId id) const { return m_values[Slot(id)]; }
    // The setter contract: an equal value is accepted without change; otherwise the rule decides;
    // an accepted value is stored (normalised where the rule says) and marks the document modified.
    // A value holding CR, LF or NUL is refused by every setter.
    bool Set(SettingId id, std::u16string_view value);
    // What Set would answer for `value`, without storing it. The WLAN network name, security and
    // encryption setters take any value: their pages hold them to their choices and limits.
    bool Accepts(SettingId id, std::u16string_view value) const;

    // By setting name and member index ("def_id", 0; "name", 6 for entry 7). Unknown names throw
    // std::out_of_range: a programming error, not bad input.
    const std::u16string& Get(std::u16string_view name, unsigned index = 0) const;
    bool Set(std::u16string_view name, std::u16string_view value) { return Set(name, 0, value); }
    bool Set(std::u16string_view name, unsigned index, std::u16string_view value);
    static SettingId Id(std::u16string_view name, unsigned index = 0);

    // ---- document operations --------------------------------------------------------------
    void SetDefaults();
    // The framework's new-document step: path and modified flag cleared, then the defaults.
    bool OnNewDocument();

    void RenderSettings(std::vector<std::u16string>& lines, bool forFile) const;
    // Starts from the defaults; returns false when an ID list entry was refused. Notifies the
    // observers with kHintLoaded and the warning lines: texts cut to the display width, and values
    // holding a line break or NUL, which are not loaded.
    bool LoadSettings(const CIniData& map, bool fromFile);
    // True when no two entries share a duplicate key; else false and the 0-based index of the
    // first entry that repeats an earlier one.
    bool FindDuplicateIdEntry(unsigned& index) const;

    void ClearIdEntry(unsigned index);  // never marks the document modified
    void ResetIdList();

    // Setting-mode permissions: two flags packed as 2 × high + low.
    static std::u16string GetModeFlagHigh(std::u16string_view value);
    static std::u16string GetModeFlagLow(std::u16string_view value);
    bool SetModeFlagHigh(std::u16string_view name, std::u16string_view flag);
    bool SetModeFlagLow(std::u16string_view name, std::u16string_view flag);

    // ---- state ---------------------------------------------------------------------------
    bool IsModified() const { return m_modified; }
    void SetModifiedFlag(bool modified = true) { m_modified = modified; }
    const std::string& GetPathName() const { return m_pathName; }
    void SetPathName(const std::string& path) { m_pathName = path; }

    // While 1, only the WLAN and certificate settings are rendered. Never saved, never loaded.
    int m_wlanOnly = 0;

    // ---- views ---------------------------------------------------------------------------
    void AddObserver(IDocumentObserver* observer);
    void RemoveObserver(IDocumentObserver* observer);
    void UpdateAllViews(int hint, const std::vector<std::u16string>* warnings = nullptr);

  private:
    uint32_t Slot(SettingId id) const;
    bool Validate(const SettingDef& def, SettingId id, std::u16string_view value,
                  std::u16string& stored) const;
    void Store(SettingId id, std::u16string value);
    bool SetWlanSec(unsigned profile, std::u16string_view value);
    bool SetWlanEnc(unsigned profile, std::u16string_view value);

    std::vector<std::u16string> m_values;
    bool m_modified = false;
    std::string m_pathName;
    std::vector<IDocumentObserver*> m_observers;
};
