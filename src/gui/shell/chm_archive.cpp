#include "gui/shell/chm_archive.h"

#include <chm_lib.h>

#include <QFile>
#include <cstring>
#include <optional>

namespace {

constexpr char kPrefix[] = "mk:@MSITStore:";
constexpr LONGUINT64 kMaxObject = 64u << 20;  // far above any help page; guards a broken file
constexpr qint64 kMaxDirectory = 64 << 20;

// The file's directory: the ITSF header locates it, the ITSP header gives its chunk size, the
// chunk count and the chunk the listing is said to start at; listing chunks ("PMGL") are linked
// to their neighbours both ways.
constexpr qint64 kItsfDirectoryOffset = 0x48;
constexpr qint64 kItsfDirectoryLength = 0x50;
constexpr qint64 kItspHeaderLength = 0x08;
constexpr qint64 kItspChunkLength = 0x10;
constexpr qint64 kItspFirstListing = 0x20;
constexpr qint64 kItspChunkCount = 0x2C;
constexpr qint64 kPmglFreeSpace = 0x04;
constexpr qint64 kPmglPrevious = 0x0C;
constexpr qint64 kPmglNext = 0x10;
constexpr qint64 kPmglEntries = 0x14;

std::optional<uint64_t> LittleEndian(const QByteArray& bytes, qint64 at, int size) {
    if (at < 0 || size <= 0 || at + size > bytes.size()) {
        return std::nullopt;
    }
    uint64_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}

std::optional<int32_t> Signed32(const QByteArray& bytes, qint64 at) {
    const auto value = LittleEndian(bytes, at, 4);
    if (!value) {
        return std::nullopt;
    }
    return static_cast<int32_t>(static_cast<uint32_t>(*value));
}

// A variable-length number of the listing: 7 bits a byte, most significant first.
std::optional<uint64_t> EncodedInt(const QByteArray& chunk, qint64& at, qint64 end) {
    uint64_t value = 0;
    for (int bytes = 0; at < end && bytes < 10; ++bytes) {
        const auto byte = static_cast<unsigned char>(chunk[at++]);
        value = (value << 7) | (byte & 0x7F);
        if ((byte & 0x80) == 0) {
            return value;
        }
    }
    return std::nullopt;
}

// What chm_enumerate calls normal files: pages and other content, not the "/#" and "/$" system
// objects, the "::" storage objects or directories.
bool IsContentFile(const QString& name) {
    return name.startsWith(u'/') && !name.startsWith(QLatin1String("/#")) &&
           !name.startsWith(QLatin1String("/$")) && !name.endsWith(u'/');
}

// The names of every listing chunk's entries, from the chunk that has no predecessor to the one
// that has no successor. chmcmd records a later chunk as the first one once the directory needs
// more than one chunk (chmlib's enumeration starts there and misses the chunks before it), so the
// listing is walked back from the recorded chunk first. Empty for a file that is not a CHM.
QStringList ListObjects(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray itsf = file.read(0x60);
    const auto dirOffset = LittleEndian(itsf, kItsfDirectoryOffset, 8);
    const auto dirLength = LittleEndian(itsf, kItsfDirectoryLength, 8);
    if (!itsf.startsWith("ITSF") || !dirOffset || !dirLength ||
        *dirLength > static_cast<uint64_t>(kMaxDirectory) || !file.seek(static_cast<qint64>(*dirOffset))) {
        return {};
    }
    const QByteArray dir = file.read(static_cast<qint64>(*dirLength));
    const auto headerLength = LittleEndian(dir, kItspHeaderLength, 4);
    const auto chunkLength = LittleEndian(dir, kItspChunkLength, 4);
    const auto recordedFirst = Signed32(dir, kItspFirstListing);
    const auto chunkCount = LittleEndian(dir, kItspChunkCount, 4);
    if (!dir.startsWith("ITSP") || !headerLength || !chunkLength || *chunkLength <= kPmglEntries ||
        !recordedFirst || !chunkCount) {
        return {};
    }
    const auto count = static_cast<int32_t>(std::min<uint64_t>(*chunkCount, (dir.size() / *chunkLength) + 1));
    auto chunkAt = [&](int32_t index) -> QByteArray {
        const qint64 start = static_cast<qint64>(*headerLength) +
                             static_cast<qint64>(index) * static_cast<qint64>(*chunkLength);
        if (index < 0 || index >= count || start + static_cast<qint64>(*chunkLength) > dir.size()) {
            return {};
        }
        QByteArray chunk = dir.mid(start, static_cast<qint64>(*chunkLength));
        return chunk.startsWith("PMGL") ? chunk : QByteArray();
    };
    // Back to the chunk without a predecessor; every step is bounded by the chunk count, so a
    // broken link cannot loop.
    int32_t first = *recordedFirst;
    for (int32_t steps = 0; steps < count; ++steps) {
        const auto previous = Signed32(chunkAt(first), kPmglPrevious);
        if (!previous || *previous < 0) {
            break;
        }
        first = *previous;
    }
    QStringList names;
    int32_t index = first;
    for (int32_t steps = 0; steps < count && index >= 0; ++steps) {
        const QByteArray chunk = chunkAt(index);
        const auto freeSpace = LittleEndian(chunk, kPmglFreeSpace, 4);
        const auto next = Signed32(chunk, kPmglNext);
        if (!freeSpace || !next || *freeSpace > static_cast<uint64_t>(chunk.size() - kPmglEntries)) {
            break;
        }
        const qint64 end = chunk.size() - static_cast<qint64>(*freeSpace);
        qint64 at = kPmglEntries;
        while (at < end) {
            const auto nameLength = EncodedInt(chunk, at, end);
            if (!nameLength || *nameLength > static_cast<uint64_t>(end - at)) {
                break;
            }
            const QString name =
                QString::fromUtf8(chunk.constData() + at, static_cast<qsizetype>(*nameLength));
            at += static_cast<qint64>(*nameLength);
            // Section, offset and length of the object.
            if (!EncodedInt(chunk, at, end) || !EncodedInt(chunk, at, end) || !EncodedInt(chunk, at, end)) {
                break;
            }
            names << name;
        }
        index = *next;
    }
    return names;
}

}  // namespace

ChmArchive::~ChmArchive() {
    Close();
}

bool ChmArchive::Open(const QString& path) {
    Close();
    m_file = chm_open(path.toLocal8Bit().constData());
    if (m_file) {
        m_path = path;
    }
    return m_file != nullptr;
}

void ChmArchive::Close() {
    if (m_file) {
        chm_close(m_file);
        m_file = nullptr;
    }
    m_path.clear();
}

bool ChmArchive::Read(const QString& name, QByteArray& data) const {
    if (!m_file) {
        return false;
    }
    QString object = name.startsWith(u'/') ? name : "/" + name;
    chmUnitInfo info;
    if (chm_resolve_object(m_file, object.toUtf8().constData(), &info) != CHM_RESOLVE_SUCCESS) {
        return false;
    }
    if (info.length > kMaxObject) {
        return false;
    }
    data.resize(static_cast<qsizetype>(info.length));
    if (info.length == 0) {
        return true;
    }
    LONGINT64 got = chm_retrieve_object(m_file, &info, reinterpret_cast<unsigned char*>(data.data()), 0,
                                        static_cast<LONGINT64>(info.length));
    if (got != static_cast<LONGINT64>(info.length)) {
        data.clear();
        return false;
    }
    return true;
}

QStringList ChmArchive::Find(const QString& suffix) const {
    if (!m_file) {
        return {};
    }
    QStringList names;
    for (const QString& name : ListObjects(m_path)) {
        if (IsContentFile(name) && name.endsWith(suffix, Qt::CaseInsensitive)) {
            names << name;
        }
    }
    return names;
}

bool SplitHelpAddress(const QString& address, QString& file, QString& page) {
    if (!address.startsWith(QLatin1String(kPrefix), Qt::CaseInsensitive)) {
        return false;
    }
    const QString rest = address.mid(static_cast<qsizetype>(sizeof kPrefix - 1));
    const qsizetype sep = rest.indexOf(QLatin1String("::"));
    if (sep < 0) {
        return false;
    }
    file = rest.left(sep);
    page = rest.mid(sep + 2);
    if (page.isEmpty()) {
        page = "/";
    }
    return !file.isEmpty();
}
