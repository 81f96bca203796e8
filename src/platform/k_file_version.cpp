#include "platform/k_file_version.h"

#include <sys/stat.h>

#include "platform/program_path.h"

namespace {

std::u16string TrimBlanks(const std::u16string& text) {
    size_t first = text.find_first_not_of(u' ');
    if (first == std::u16string::npos) {
        return {};
    }
    size_t last = text.find_last_not_of(u' ');
    return text.substr(first, last - first + 1);
}

}  // namespace

void KFileVersion::ClearVersionBlock() {
    m_versionData.reset();
    m_fixedInfo = nullptr;
    m_translation = nullptr;
    m_fileLength = 0;
    m_modulePath.clear();
    for (auto* s : {&m_comments, &m_internalName, &m_productName, &m_companyName, &m_legalNotice,
                    &m_productVersion, &m_fileDescription, &m_legalTrademarks, &m_privateBuild,
                    &m_fileVersion, &m_originalFilename, &m_specialBuild}) {
        s->clear();
    }
}

bool KFileVersion::ReadVersionBlock() {
    ClearVersionBlock();
    const std::string path = ProgramFilePath();
    struct stat st;
    if (stat(path.c_str(), &st) == 0) {
        m_fileLength = static_cast<uint64_t>(st.st_size);
    }
    const VersionBlock* source = m_source ? m_source : ProgramVersionBlock();
    if (!source) {
        return false;
    }
    m_versionData = std::make_unique<VersionBlock>(*source);
    m_fixedInfo = m_versionData.get();
    if (!m_versionData->translations.empty()) {
        m_translation = &m_versionData->translations.front();
        const std::pair<const char16_t*, std::u16string*> names[] = {
            {u"Comments", &m_comments},
            {u"InternalName", &m_internalName},
            {u"ProductName", &m_productName},
            {u"CompanyName", &m_companyName},
            {u"LegalCopyright", &m_legalNotice},
            {u"ProductVersion", &m_productVersion},
            {u"FileDescription", &m_fileDescription},
            {u"LegalTrademarks", &m_legalTrademarks},
            {u"PrivateBuild", &m_privateBuild},
            {u"FileVersion", &m_fileVersion},
            {u"OriginalFilename", &m_originalFilename},
            {u"SpecialBuild", &m_specialBuild},
        };
        for (const auto& [name, member] : names) {
            std::u16string value;
            if (QueryVersionString(name, value)) {
                *member = TrimBlanks(value);
            }
        }
    }
    m_modulePath = path;
    return true;
}

bool KFileVersion::QueryVersionString(std::u16string_view name, std::u16string& value) const {
    if (!m_versionData || !m_translation) {
        return false;
    }
    if (QueryVersionBlockString(*m_versionData, m_translation->first, m_translation->second, name, value)) {
        return true;
    }
    return QueryVersionBlockString(*m_versionData, 0x0409, 0x04b0, name, value);
}
