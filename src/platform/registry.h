#pragma once
// A small registry: keys holding named string values, kept in files. Two
// hives stand in for the system's machine-wide and per-user keys:
//
//   KORVET_REGISTRY_DIR set   DIR/machine and DIR/user (tests)
//   machine                   /etc/korvet/registry when it can be written,
//                             else $XDG_CONFIG_HOME/korvet/registry/machine
//                             (reads fall back to /etc/korvet/registry)
//   user                      $XDG_CONFIG_HOME/korvet/registry/user
//
// A key path is a backslash-separated list of names ("Software\Trevion");
// names of keys and values compare without regard to ASCII case. Each key is
// a folder; its values are the file ".values" in it, written atomically.
// Names and values are bytes (YUSCII texts stay YUSCII).
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace platform::registry {

enum class Hive { LocalMachine, CurrentUser };

// The folder a hive is written to.
std::filesystem::path hiveDir(Hive hive);

class Key {
  public:
    // An existing key; nullopt when it is missing or its path is empty.
    static std::optional<Key> open(Hive hive, const std::string& path);
    // Opens the key, making it and its parents where missing; nullopt when
    // the folders cannot be made.
    static std::optional<Key> create(Hive hive, const std::string& path);

    std::optional<std::string> read(const std::string& name) const;
    std::vector<std::string> valueNames() const;
    std::vector<std::string> subKeys() const;

    // Writes or removes one value; false when the file cannot be written (the
    // stored values then stay as they were).
    bool write(const std::string& name, const std::string& value);
    bool remove(const std::string& name);

  private:
    explicit Key(std::filesystem::path dir);
    bool save(const std::map<std::string, std::string>& values);
    std::map<std::string, std::string>::const_iterator find(const std::string& name) const;

    std::filesystem::path dir_;
    std::map<std::string, std::string> values_;
};

// One value of a key; nullopt when the key or the value is missing.
std::optional<std::string> readString(Hive hive, const std::string& path, const std::string& name);
// Writes one value, making the key where missing.
bool writeString(Hive hive, const std::string& path, const std::string& name,
                 const std::string& value);
// Removes a key with its values and subkeys; true when it is gone.
bool deleteKey(Hive hive, const std::string& path);

}  // namespace platform::registry
