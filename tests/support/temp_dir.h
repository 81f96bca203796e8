#pragma once
// A folder of a test's own: a fresh name on every run (mkdtemp under $TMPDIR or /tmp), so that two
// runs side by side never share a file; removed with everything in it at the end.
// TempDirTest is the GoogleTest fixture over it, with the folder's path as `dir`.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

class TempDir {
  public:
    TempDir() {
        const char* base = ::getenv("TMPDIR");
        std::string name = std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/talvero-XXXXXX";
        if (::mkdtemp(name.data()) == nullptr) {
            throw std::runtime_error("cannot make a temporary folder from " + name);
        }
        m_path = name;
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return m_path; }

    // Writes `bytes` as the file `name` in the folder and returns its path.
    std::string Write(const std::string& name, const std::string& bytes) const {
        const std::string path = m_path + "/" + name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    static std::string ReadBytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

  private:
    std::string m_path;
};

class TempDirTest : public ::testing::Test {
  protected:
    std::string Write(const std::string& name, const std::string& bytes) const {
        return m_temp.Write(name, bytes);
    }
    static std::string ReadBytes(const std::string& path) { return TempDir::ReadBytes(path); }

    TempDir m_temp;
    const std::string dir = m_temp.Path();
};
