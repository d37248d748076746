#include "platform/registry.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

#include "platform/env.h"
#include "platform/files.h"

namespace fs = std::filesystem;

namespace platform::registry {
namespace {

const char* const kValuesFile = ".values";
const char* const kSystemDir = "/etc/korvet/registry";

fs::path userConfigDir() {
    if (const char* xdg = env("XDG_CONFIG_HOME")) {
        return fs::path(xdg) / "korvet" / "registry";
    }
    const char* home = env("HOME");
    return fs::path(home != nullptr ? home : "/tmp") / ".config" / "korvet" / "registry";
}

// Whether the program may write below dir (made when missing).
bool writable(const fs::path& dir) {
    std::error_code ec;
    fs::create_directories(dir, ec);
    return fs::is_directory(dir, ec) && ::access(dir.c_str(), W_OK) == 0;
}

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (lowerAscii(a[i]) != lowerAscii(b[i])) {
            return false;
        }
    }
    return true;
}

// A key name as a folder name: bytes outside a safe set, and a leading dot,
// as %XX, so that no name can be ".values", "..", or hold a slash.
std::string encodeName(const std::string& name) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (size_t i = 0; i < name.size(); ++i) {
        const auto b = static_cast<unsigned char>(name[i]);
        const bool safe = (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') ||
                          (b >= '0' && b <= '9') || b == ' ' || b == '_' || b == '-' ||
                          (b == '.' && i != 0);
        if (safe) {
            out.push_back(static_cast<char>(b));
        } else {
            out.push_back('%');
            out.push_back(hex[b >> 4]);
            out.push_back(hex[b & 15]);
        }
    }
    return out;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

std::string decodeName(const std::string& encoded) {
    std::string out;
    for (size_t i = 0; i < encoded.size(); ++i) {
        if (encoded[i] == '%' && i + 2 < encoded.size() && hexDigit(encoded[i + 1]) >= 0 &&
            hexDigit(encoded[i + 2]) >= 0) {
            out.push_back(
                static_cast<char>(hexDigit(encoded[i + 1]) * 16 + hexDigit(encoded[i + 2])));
            i += 2;
        } else {
            out.push_back(encoded[i]);
        }
    }
    return out;
}

std::vector<std::string> splitPath(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : path) {
        if (c == '\\') {
            if (!part.empty()) {
                parts.push_back(part);
            }
            part.clear();
        } else {
            part.push_back(c);
        }
    }
    if (!part.empty()) {
        parts.push_back(part);
    }
    return parts;
}

// The folder of a subkey of dir: its encoded name, or an existing folder
// whose name differs only in case.
fs::path childDir(const fs::path& dir, const std::string& name) {
    fs::path exact = dir / encodeName(name);
    std::error_code ec;
    if (fs::is_directory(exact, ec)) {
        return exact;
    }
    for (const auto& entry : fs::directory_iterator(dir, ec)) {
        if (entry.is_directory(ec) && sameName(decodeName(entry.path().filename()), name)) {
            return entry.path();
        }
    }
    return exact;
}

std::optional<fs::path> keyDir(const fs::path& root, const std::vector<std::string>& parts,
                               bool make) {
    fs::path dir = root;
    std::error_code ec;
    for (const auto& part : parts) {
        dir = childDir(dir, part);
        if (!fs::is_directory(dir, ec)) {
            if (!make || !fs::create_directories(dir, ec)) {
                return std::nullopt;
            }
        }
    }
    return dir;
}

// Hives to look in when reading: where the hive is written, then the system
// folder for a machine hive kept beside the user's configuration.
std::vector<fs::path> readDirs(Hive hive) {
    std::vector<fs::path> dirs{hiveDir(hive)};
    if (hive == Hive::LocalMachine && env("KORVET_REGISTRY_DIR") == nullptr &&
        dirs.front() != fs::path(kSystemDir)) {
        dirs.emplace_back(kSystemDir);
    }
    return dirs;
}

std::string escape(const std::string& text, bool isName) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '=':
                out += isName ? "\\=" : "=";
                break;
            default:
                out.push_back(c);
        }
    }
    return out;
}

// One line "name=value"; nullopt for a line that is none.
std::optional<std::pair<std::string, std::string>> parseLine(const std::string& line) {
    std::string name;
    std::string value;
    std::string* into = &name;
    bool sawEquals = false;
    for (size_t i = 0; i < line.size(); ++i) {
        char c = line[i];
        if (c == '\\' && i + 1 < line.size()) {
            char n = line[++i];
            into->push_back(n == 'n' ? '\n' : n == 'r' ? '\r' : n);
        } else if (c == '=' && !sawEquals) {
            sawEquals = true;
            into = &value;
        } else {
            into->push_back(c);
        }
    }
    if (!sawEquals || name.empty()) {
        return std::nullopt;
    }
    return std::make_pair(name, value);
}

}  // namespace

fs::path hiveDir(Hive hive) {
    if (const char* dir = env("KORVET_REGISTRY_DIR")) {
        return fs::path(dir) / (hive == Hive::LocalMachine ? "machine" : "user");
    }
    if (hive == Hive::CurrentUser) {
        return userConfigDir() / "user";
    }
    return writable(kSystemDir) ? fs::path(kSystemDir) : userConfigDir() / "machine";
}

Key::Key(fs::path dir) : dir_(std::move(dir)) {
    auto lines = readLines(dir_ / kValuesFile);
    if (!lines) {
        return;
    }
    for (const auto& line : *lines) {
        if (auto entry = parseLine(line)) {
            // A later line for the same name wins.
            if (auto old = find(entry->first); old != values_.end()) {
                values_.erase(old);
            }
            values_.insert(std::move(*entry));
        }
    }
}

std::optional<Key> Key::open(Hive hive, const std::string& path) {
    const auto parts = splitPath(path);
    if (parts.empty()) {
        return std::nullopt;
    }
    for (const auto& root : readDirs(hive)) {
        if (auto dir = keyDir(root, parts, false)) {
            return Key(*dir);
        }
    }
    return std::nullopt;
}

std::optional<Key> Key::create(Hive hive, const std::string& path) {
    const auto parts = splitPath(path);
    if (parts.empty()) {
        return std::nullopt;
    }
    if (auto dir = keyDir(hiveDir(hive), parts, true)) {
        return Key(*dir);
    }
    return std::nullopt;
}

std::map<std::string, std::string>::const_iterator Key::find(const std::string& name) const {
    auto it = values_.find(name);
    if (it != values_.end()) {
        return it;
    }
    for (it = values_.begin(); it != values_.end(); ++it) {
        if (sameName(it->first, name)) {
            return it;
        }
    }
    return values_.end();
}

std::optional<std::string> Key::read(const std::string& name) const {
    auto it = find(name);
    if (it == values_.end()) {
        return std::nullopt;
    }
    return it->second;
}

std::vector<std::string> Key::valueNames() const {
    std::vector<std::string> names;
    for (const auto& [name, value] : values_) {
        names.push_back(name);
    }
    return names;
}

std::vector<std::string> Key::subKeys() const {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(dir_, ec)) {
        if (entry.is_directory(ec)) {
            names.push_back(decodeName(entry.path().filename()));
        }
    }
    return names;
}

bool Key::save(const std::map<std::string, std::string>& values) {
    std::string text;
    for (const auto& [name, value] : values) {
        text += escape(name, true) + "=" + escape(value, false) + "\n";
    }
    if (!writeFileAtomic(dir_ / kValuesFile, text)) {
        return false;
    }
    values_ = values;
    return true;
}

bool Key::write(const std::string& name, const std::string& value) {
    if (name.empty()) {
        return false;
    }
    auto values = values_;
    auto it = find(name);
    const std::string stored = it != values_.end() ? it->first : name;
    values[stored] = value;
    return save(values);
}

bool Key::remove(const std::string& name) {
    auto it = find(name);
    if (it == values_.end()) {
        return true;
    }
    auto values = values_;
    values.erase(it->first);
    return save(values);
}

std::optional<std::string> readString(Hive hive, const std::string& path, const std::string& name) {
    auto key = Key::open(hive, path);
    return key ? key->read(name) : std::nullopt;
}

bool writeString(Hive hive, const std::string& path, const std::string& name,
                 const std::string& value) {
    auto key = Key::create(hive, path);
    return key && key->write(name, value);
}

bool deleteKey(Hive hive, const std::string& path) {
    const auto parts = splitPath(path);
    if (parts.empty()) {
        return false;
    }
    auto dir = keyDir(hiveDir(hive), parts, false);
    if (!dir) {
        return true;
    }
    std::error_code ec;
    fs::remove_all(*dir, ec);
    return !ec;
}

}  // namespace platform::registry
