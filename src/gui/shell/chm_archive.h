#pragma once
// Read access to a compiled HTML help file (CHM) through chmlib.
#include <QByteArray>
#include <QString>
#include <QStringList>

struct chmFile;

class ChmArchive {
  public:
    ChmArchive() = default;
    ~ChmArchive();
    ChmArchive(const ChmArchive&) = delete;
    ChmArchive& operator=(const ChmArchive&) = delete;

    bool Open(const QString& path);
    void Close();
    bool IsOpen() const { return m_file != nullptr; }
    const QString& Path() const { return m_path; }

    // The object at `name` ("/index.htm"; a missing leading "/" is added). False when the file
    // has no such object.
    bool Read(const QString& name, QByteArray& data) const;
    // Every content file (no system or storage object, no directory) whose name ends with
    // `suffix` (case-insensitive), in the order of the file's listing.
    QStringList Find(const QString& suffix) const;

  private:
    chmFile* m_file = nullptr;
    QString m_path;
};

// Splits "mk:@MSITStore:<file>::/<page>" into file and page; false for any other address.
bool SplitHelpAddress(const QString& address, QString& file, QString& page);
