#pragma once
// Reads the program's version block for the about box and the title page. Created on the stack,
// filled by ReadVersionBlock, and gone once its user has built its texts.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/version_block.h"

class KFileVersion {
  public:
    // `source` null reads the block compiled into the program.
    explicit KFileVersion(const VersionBlock* source = nullptr) : m_source(source) {}
    virtual ~KFileVersion() { ClearVersionBlock(); }

    bool ReadVersionBlock();
    void ClearVersionBlock();
    // Looks the name up under the first translation, then under English/Unicode (0409, 04b0).
    bool QueryVersionString(std::u16string_view name, std::u16string& value) const;

    // Major = high, minor = low 16 bits of the most significant file-version word.
    unsigned Major() const { return m_fixedInfo ? m_fixedInfo->fileVersionMS >> 16 : 0; }
    unsigned Minor() const { return m_fixedInfo ? m_fixedInfo->fileVersionMS & 0xFFFF : 0; }

    std::string m_modulePath;
    std::u16string m_comments;
    std::u16string m_internalName;
    std::u16string m_productName;
    std::u16string m_companyName;
    std::u16string m_legalNotice;
    std::u16string m_productVersion;
    std::u16string m_fileDescription;
    std::u16string m_legalTrademarks;
    std::u16string m_privateBuild;
    std::u16string m_fileVersion;
    std::u16string m_originalFilename;
    std::u16string m_specialBuild;
    std::unique_ptr<VersionBlock> m_versionData;
    const VersionBlock* m_fixedInfo = nullptr;                     // the fixed record lives in the block
    const std::pair<uint16_t, uint16_t>* m_translation = nullptr;  // first translation entry
    uint64_t m_fileLength = 0;

  private:
    const VersionBlock* m_source;
};
