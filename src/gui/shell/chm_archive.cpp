#include "gui/shell/chm_archive.h"

#include <chm_lib.h>

namespace {

constexpr char kPrefix[] = "mk:@MSITStore:";
constexpr LONGUINT64 kMaxObject = 64u << 20;  // far above any help page; guards a broken file

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
    struct Context {
        QString suffix;
        QStringList names;
    } context{suffix, {}};
    if (!m_file) {
        return {};
    }
    chm_enumerate(
        m_file, CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES,
        [](chmFile*, chmUnitInfo* info, void* c) -> int {
            auto* ctx = static_cast<Context*>(c);
            QString name = QString::fromUtf8(info->path);
            if (name.endsWith(ctx->suffix, Qt::CaseInsensitive)) {
                ctx->names << name;
            }
            return CHM_ENUMERATOR_CONTINUE;
        },
        &context);
    return context.names;
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
