// Turns a UTF-8 language source into the UTF-16LE language file (byte-order mark, LF line ends)
// that the program reads. It also rejects sources that would load differently from what their
// author sees: entry lines without a number, repeated IDs, and text after the last line end.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>

#include "platform/unicode.h"

namespace {

bool IsNumber(const std::string& s) {
    if (s.empty()) {
        return false;
    }
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        return s.find_first_not_of("0123456789abcdefABCDEF", 2) == std::string::npos;
    }
    return s.find_first_not_of("0123456789") == std::string::npos;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: talvero-lang-compile SOURCE.txt OUTPUT.lang\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << argv[1] << ": cannot open\n";
        return 1;
    }
    std::stringstream ss;
    ss << in.rdbuf();
    std::string text = ss.str();
    if (!text.empty() && text.back() != '\n') {
        std::cerr << argv[1] << ": the last line has no line end and would not be loaded\n";
        return 1;
    }
    std::map<unsigned long, int> seen;
    std::string out;
    size_t pos = 0;
    int lineNo = 0;
    bool ok = true;
    while (pos < text.size()) {
        size_t lf = text.find('\n', pos);
        std::string line = text.substr(pos, lf - pos);
        pos = lf + 1;
        ++lineNo;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        size_t tab = line.find('\t');
        if (!line.empty() && line[0] != ';' && tab != std::string::npos) {
            std::string id = line.substr(0, tab);
            if (!IsNumber(id)) {
                std::cerr << argv[1] << ":" << lineNo << ": entry does not start with a text ID\n";
                ok = false;
            } else {
                unsigned long value = std::stoul(id, nullptr, 0);
                if (auto [it, fresh] = seen.emplace(value, lineNo); !fresh) {
                    std::cerr << argv[1] << ":" << lineNo << ": text ID " << value << " repeats line "
                              << it->second << "\n";
                    ok = false;
                }
            }
        } else if (!line.empty() && line[0] != ';') {
            std::cerr << argv[1] << ":" << lineNo << ": line without TAB would be ignored\n";
            ok = false;
        }
        out += line;
        out += '\n';
    }
    if (!ok) {
        return 1;
    }
    std::u16string wide = Utf8ToUtf16(out);
    std::string bytes = "\xFF\xFE";
    for (char16_t c : wide) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    const std::string target = argv[2];
    const std::string temp = target + ".tmp";
    {
        std::ofstream file(temp, std::ios::binary | std::ios::trunc);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!file.flush()) {
            std::cerr << temp << ": cannot write\n";
            std::remove(temp.c_str());
            return 1;
        }
    }
    if (std::rename(temp.c_str(), target.c_str()) != 0) {
        std::cerr << target << ": cannot replace\n";
        std::remove(temp.c_str());
        return 1;
    }
    return 0;
}
