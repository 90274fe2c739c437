#include "classlib/SysUtils.h"

#include "platform/Exception.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {
bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }
char ToUpper(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }
char ToLower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }
bool IsSeparator(char c) { return c == '/' || c == '\\'; }
bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

[[noreturn]] void NotAnInteger(std::string_view s) {
    throw EConvertError("'" + std::string(s) + "' is not a valid integer value");
}
} // namespace

std::string TrimLeft(std::string_view s) {
    size_t first = 0;
    while (first < s.size() && IsBlank(s[first])) ++first;
    return std::string(s.substr(first));
}

std::string TrimRight(std::string_view s) {
    size_t end = s.size();
    while (end > 0 && IsBlank(s[end - 1])) --end;
    return std::string(s.substr(0, end));
}

std::string Trim(std::string_view s) { return TrimLeft(TrimRight(s)); }

std::string UpperCase(std::string_view s) {
    std::string result(s);
    std::transform(result.begin(), result.end(), result.begin(), ToUpper);
    return result;
}

std::string LowerCase(std::string_view s) {
    std::string result(s);
    std::transform(result.begin(), result.end(), result.begin(), ToLower);
    return result;
}

int CompareText(std::string_view a, std::string_view b) {
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        unsigned char ca = ToUpper(a[i]), cb = ToUpper(b[i]);
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool SameText(std::string_view a, std::string_view b) { return a.size() == b.size() && CompareText(a, b) == 0; }

std::string IntToStr(int64_t value) { return std::to_string(value); }

bool TryStrToInt64(std::string_view s, int64_t& value) {
    size_t i = 0;
    while (i < s.size() && IsBlank(s[i])) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
    int base = 10;
    if (i < s.size() && s[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i == s.size()) return false;
    uint64_t magnitude = 0;
    const uint64_t limit = negative ? uint64_t(INT64_MAX) + 1 : uint64_t(INT64_MAX);
    for (; i < s.size(); ++i) {
        char c = ToLower(s[i]);
        int digit = c >= '0' && c <= '9' ? c - '0' : (base == 16 && c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1);
        if (digit < 0) return false;
        if (magnitude > (limit - uint64_t(digit)) / uint64_t(base)) return false;
        magnitude = magnitude * uint64_t(base) + uint64_t(digit);
    }
    value = negative ? int64_t(0 - magnitude) : int64_t(magnitude);
    return true;
}

int64_t StrToInt64(std::string_view s) {
    int64_t value = 0;
    if (!TryStrToInt64(s, value)) NotAnInteger(s);
    return value;
}

int StrToInt(std::string_view s) {
    int64_t value = StrToInt64(s);
    if (value < INT_MIN || value > INT_MAX) NotAnInteger(s);
    return int(value);
}

int StrToIntDef(std::string_view s, int fallback) {
    int64_t value = 0;
    if (!TryStrToInt64(s, value) || value < INT_MIN || value > INT_MAX) return fallback;
    return int(value);
}

bool IsValidIdent(std::string_view s) {
    if (s.empty() || (s[0] >= '0' && s[0] <= '9')) return false;
    return std::all_of(s.begin(), s.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    });
}

bool FileExists(const std::string& path) {
    struct stat info {};
    return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string ExtractFilePath(std::string_view fileName) {
    auto it = std::find_if(fileName.rbegin(), fileName.rend(), IsSeparator);
    return std::string(fileName.substr(0, size_t(fileName.rend() - it)));
}

std::string ExtractFileName(std::string_view fileName) {
    auto it = std::find_if(fileName.rbegin(), fileName.rend(), IsSeparator);
    return std::string(fileName.substr(size_t(fileName.rend() - it)));
}

std::string ExeName() {
    std::string buffer(4096, '\0');
    ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
    buffer.resize(length > 0 ? size_t(length) : 0);
    return buffer;
}

std::string ExeFolder() { return ExtractFilePath(ExeName()); }

namespace {

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    return home && *home ? home : "/";
}

// XDG_DOCUMENTS_DIR="$HOME/..." from the desktop's user-dirs.dirs, or "".
std::string UserDirsDocuments(const std::string& home) {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::string file = (config && *config ? std::string(config) : home + "/.config") + "/user-dirs.dirs";
    std::ifstream in(file);
    const std::string key = "XDG_DOCUMENTS_DIR=";
    for (std::string line; std::getline(in, line);) {
        line = Trim(line);
        if (line.rfind(key, 0) != 0) continue;
        std::string value = line.substr(key.size());
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
        if (value.rfind("$HOME", 0) == 0) value = home + value.substr(5);
        return value.empty() || value.front() != '/' ? std::string() : value;
    }
    return {};
}

} // namespace

std::string DocumentsFolder() {
    const std::string home = HomeFolder();
    std::error_code error;
    auto folderThere = [&](const std::string& f) { return !f.empty() && std::filesystem::is_directory(f, error); };
    if (const char* set = std::getenv("XDG_DOCUMENTS_DIR"); set && folderThere(set)) return set;
    if (std::string named = UserDirsDocuments(home); folderThere(named)) return named;
    for (const char* name : {"Documenti", "Documents"})
        if (std::string f = home + "/" + name; folderThere(f)) return f;
    return home;
}

size_t Utf8Offset(std::string_view s, size_t charIndex) {
    size_t offset = 0;
    for (size_t seen = 0; offset < s.size(); ++offset) {
        if (!IsContinuationByte(s[offset]) && seen++ == charIndex) return offset;
    }
    return s.size();
}

std::string Utf8Copy(std::string_view s, size_t index, size_t count) {
    if (index == 0) index = 1;
    size_t begin = Utf8Offset(s, index - 1);
    std::string_view rest = s.substr(begin);
    return std::string(rest.substr(0, Utf8Offset(rest, count)));
}

std::string Utf8Encode(char32_t cp) {
    std::string out;
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | ((cp >> 18) & 0x07));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
    return out;
}
