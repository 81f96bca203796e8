#pragma once
// Differences between two configurations, setting by setting: two documents (a file against a
// file, or a file against what a radio holds), or the lines written to a radio against the text
// it sent back. Only settings that files and radios carry are compared; the radio's information
// and the settings it holds without the program writing them are not.
#include <string>
#include <vector>

class CIniData;
class CTalveroDoc;

struct SettingDifference {
    std::u16string key;     // as in the file and radio text: "disp_item_01", "name_01_07"
    std::u16string first;   // the value on the first side (plain, even for a secret)
    std::u16string second;  // the value on the other side
    bool missing = false;   // the other side lacks the key altogether (a read-back only)
};

// The settings whose values differ, in the order of the catalogue.
std::vector<SettingDifference> CompareDocuments(const CTalveroDoc& first, const CTalveroDoc& second);

// The document as a radio holds it after a write: rendered in the radio form (what a write sends,
// so ID list repeats and the unused WLAN key fall away) and loaded back. Comparing this with a
// document read from a radio shows what a write of the whole configuration would change. The
// whole configuration is taken whatever the source's WLAN-only mode (which is left as it was).
void LoadAsRadioHoldsIt(CTalveroDoc& source, CTalveroDoc& target);

// Key by key in the radio form: every line written against the value the radio sent back. A key
// the radio did not send back is a difference (`missing`); keys only the radio sent are not.
std::vector<SettingDifference> CompareWrittenLines(const std::vector<std::u16string>& written,
                                                   const CIniData& readBack);
