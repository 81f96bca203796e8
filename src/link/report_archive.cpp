#include "link/report_archive.h"

#include <zlib.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "platform/private_files.h"

namespace {

constexpr size_t kBlock = 512;

void Octal(char* field, size_t width, uint64_t value) {
    // width - 1 digits and a NUL, as tar expects.
    std::snprintf(field, width, "%0*llo", static_cast<int>(width - 1),
                  static_cast<unsigned long long>(value));
}

std::string Header(const ArchiveEntry& entry, std::time_t now) {
    std::string h(kBlock, '\0');
    std::memcpy(h.data(), entry.name.data(), std::min<size_t>(entry.name.size(), 100));
    Octal(&h[100], 8, 0644);
    Octal(&h[108], 8, 0);
    Octal(&h[116], 8, 0);
    Octal(&h[124], 12, entry.bytes.size());
    Octal(&h[136], 12, static_cast<uint64_t>(now));
    std::memset(&h[148], ' ', 8);
    h[156] = '0';
    std::memcpy(&h[257], "ustar", 6);
    std::memcpy(&h[263], "00", 2);
    unsigned sum = 0;
    for (unsigned char c : h) {
        sum += c;
    }
    std::snprintf(&h[148], 8, "%06o", sum);
    return h;
}

std::string TarOf(const std::vector<ArchiveEntry>& entries) {
    const std::time_t now = std::time(nullptr);
    std::string tar;
    for (const auto& e : entries) {
        tar += Header(e, now);
        tar += e.bytes;
        tar.append((kBlock - e.bytes.size() % kBlock) % kBlock, '\0');
    }
    tar.append(2 * kBlock, '\0');
    return tar;
}

// The whole of `data` as one gzip member.
bool Gzip(const std::string& data, std::string& out) {
    z_stream z{};
    if (deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
        return false;
    }
    out.resize(deflateBound(&z, data.size()) + 64);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    const int r = deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return r == Z_STREAM_END;
}

}  // namespace

ErrorInfo WriteTarGz(const std::string& path, const std::vector<ArchiveEntry>& entries) {
    for (const auto& e : entries) {
        if (e.name.empty() || e.name.size() > 100) {
            return ErrorInfo{kErrInvalidData, 0,
                             "archive entry name of " + std::to_string(e.name.size()) + " bytes"};
        }
    }
    std::string gz;
    if (!Gzip(TarOf(entries), gz)) {
        return ErrorInfo{kErrNotEnoughMemory, 0, "compression failed"};
    }
    // The report holds traces and perhaps a configuration: readable by its owner only.
    return ReplacePrivateFile(path, gz);
}

bool ReadTarGz(const std::string& path, std::vector<ArchiveEntry>& entries) {
    gzFile f = gzopen(path.c_str(), "rb");
    if (!f) {
        return false;
    }
    std::string tar;
    char buf[65536];
    int n;
    while ((n = gzread(f, buf, sizeof buf)) > 0) {
        tar.append(buf, static_cast<size_t>(n));
    }
    const bool ok = n == 0 && gzclose(f) == Z_OK;
    if (!ok) {
        return false;
    }
    entries.clear();
    for (size_t at = 0; at + kBlock <= tar.size();) {
        const char* h = tar.data() + at;
        if (h[0] == '\0') {
            return true;
        }
        if (h[156] != '0' && h[156] != '\0') {
            return false;
        }
        const size_t size = std::strtoull(std::string(h + 124, 12).c_str(), nullptr, 8);
        if (at + kBlock + size > tar.size()) {
            return false;
        }
        entries.push_back({std::string(h, strnlen(h, 100)), tar.substr(at + kBlock, size)});
        at += kBlock + (size + kBlock - 1) / kBlock * kBlock;
    }
    return false;
}
