#include "engine/session.h"

#include <algorithm>
#include <filesystem>

#include "engine/tabledef_codec.h"
#include "platform/files.h"

namespace engine {

using detail::upperAscii;

Session::Session() = default;
Session::~Session() = default;

Session& Session::global() {
    static Session session;
    return session;
}

void Session::deleteAlias(const std::string& name) {
    std::string key = upperAscii(name);
    auto it = aliases_.find(key);
    if (it == aliases_.end()) {
        throw Error("Alias not found: " + platform::printable(name));
    }
    auto db = databases_.find(key);
    if (db != databases_.end()) {
        if (db->second->openTables() > 0) {
            throw Error("Alias " + name + " is in use by open tables");
        }
        databases_.erase(db);
    }
    aliases_.erase(it);
}

void Session::addStandardAlias(const std::string& name, const std::string& path,
                               const std::string& driver) {
    if (name.empty()) {
        throw Error("Empty alias name");
    }
    if (upperAscii(driver) != "PARADOX") {
        throw Error("Unknown driver: " + platform::printable(driver));
    }
    std::string key = upperAscii(name);
    if (aliases_.count(key) != 0) {
        throw Error("Duplicate alias name: " + platform::printable(name));
    }
    aliases_[key] = path;
}

bool Session::hasAlias(const std::string& name) const {
    return aliases_.count(upperAscii(name)) != 0;
}

std::string Session::aliasPath(const std::string& name) const {
    auto it = aliases_.find(upperAscii(name));
    if (it == aliases_.end()) {
        throw Error("Alias not found: " + platform::printable(name));
    }
    return it->second;
}

std::string Session::aliasForFolder(const std::string& dir) const {
    for (const auto& [name, path] : aliases_) {
        std::error_code ec;
        if (std::filesystem::equivalent(path, dir, ec)) {
            return name;
        }
    }
    return {};
}

void Session::addPassword(const std::string& password) {
    if (!knowsPassword(password)) {
        passwords_.push_back(password);
    }
}

bool Session::knowsPassword(const std::string& password) const {
    return std::find(passwords_.begin(), passwords_.end(), password) != passwords_.end();
}

void Session::open() {
    active_ = true;
}

void Session::close() {
    for (const auto& [alias, db] : databases_) {
        if (db->openTables() > 0) {
            throw Error("Cannot close the session: tables on " + alias + " are open");
        }
    }
    databases_.clear();
    active_ = false;
}

Database& Session::database(const std::string& alias) {
    if (!active_) {
        throw Error("The session is not open");
    }
    std::string key = upperAscii(alias);
    auto it = databases_.find(key);
    if (it != databases_.end()) {
        return *it->second;
    }
    std::filesystem::path file = std::filesystem::path(aliasPath(alias)) / kDatabaseFileName;
    auto db = Database::openFile(file.string(), this, readOnly_);
    Database& ref = *db;
    databases_[key] = std::move(db);
    return ref;
}

}  // namespace engine
