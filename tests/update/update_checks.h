#pragma once
// Checks after an update was cut short (a crash, a full disk): the tables
// whole, the database file sound, the text searches exact.
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "engine/session.h"

namespace updatetest {

// Every row of each of the regulation, publication, gazette and opinion
// tables, by primary key.
using Digest = std::map<std::string, std::string>;
Digest digest(engine::Session& session);

// The regulations holding each word, as the searches find them (the index
// when it is current, else the plain texts) and as a scan of the rich texts
// does; the two must agree.
struct Found {
    std::vector<std::vector<long long>> searched, scanned;
    bool indexed = false;  // the index was current
};
Found searches(engine::Session& session, const std::vector<std::string>& words);

// SQLite's integrity check of the database in programDir's data folder
// ("ok" when sound).
std::string integrity(const std::filesystem::path& programDir);

}  // namespace updatetest
