#pragma once
// Writes demo rows into a fresh regulation database through the engine. The
// database is built in a temporary folder beside the target and renamed over
// Podatci/zakoni.sqlite only when complete, so a failed build leaves the old
// file in place. The finished database carries the full-text index of the
// keyword searches.
#include <filesystem>
#include <memory>

#include "demo/model.h"

namespace demo {

class DatabaseWriter {
  public:
    // dataDir: the Podatci folder (created when missing).
    explicit DatabaseWriter(const std::filesystem::path& dataDir);
    ~DatabaseWriter();  // discards the build unless commit() ran
    DatabaseWriter(const DatabaseWriter&) = delete;
    DatabaseWriter& operator=(const DatabaseWriter&) = delete;

    void gazette(const NamedRow& row);
    void area(const NamedRow& row);
    void type(const NamedRow& row);
    void ministry(const NamedRow& row);
    void archive(const ArchiveRow& row);
    // The regulation with its publication entry, dates and pictures.
    void regulation(const Regulation& r);
    void opinion(const Opinion& o);
    // position: the opinion's 0-based position in "drugi" order.
    void link(int position, long long idZakona, long long brojMisljenja);
    void contract(const Contract& c);

    // Finishes the database and moves it into place.
    void commit();

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The whole demo data, TB_link rows included.
void writeDatabase(const DemoData& data, const std::filesystem::path& dataDir);

}  // namespace demo
