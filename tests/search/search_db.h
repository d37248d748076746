#pragma once
// A small regulation database built row by row for the search tests: the
// full schema in a temporary program directory behind the alias "Zakoni",
// rows appended through the engine, then the main window's datasets opened
// on it.
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "database/datasets.h"
#include "engine/session.h"
#include "engine/table.h"
#include "support/temp_program_dir.h"

namespace searchtest {

struct Reg {
    long long id = 0;  // ID_ZAKONA = ID_BROJA
    long long gazette = 1;
    std::string year = "2005";
    std::string issue = "1";
    std::string title;
    std::string text;        // plain YUSCII text, stored as RTF in Latinica
    std::string cyrillic;    // the same for Cirilica (empty: none)
    size_t notesLength = 0;  // stored bytes of Napomena (0: none)
    long long area = 2;
    long long type = 1;
    std::string bg;  // empty: issue/year
};

struct Opinion {
    long long number = 0;
    long long ministry = 1;
    long long day = 1, month = 1, year = 2005;
    std::string title;
    std::string text;  // plain, stored as RTF
};

// The RTF of a plain YUSCII text (braces and backslashes escaped, a line
// end a paragraph end).
std::string rtfOf(const std::string& text);

class SearchDb {
  public:
    SearchDb();
    ~SearchDb();

    void gazette(long long id, const std::string& name);
    void area(long long id, const std::string& name);
    void type(long long id, const std::string& name);
    void ministry(long long id, const std::string& name);
    void regulation(const Reg& r);
    // A publication row alone (no regulation behind it).
    void publication(long long id, long long gazette, const std::string& year,
                     const std::string& issue);
    void archive(long long number, long long previous, long long next);
    void opinion(const Opinion& o);

    // The main window's datasets, opened on first use.
    database::MainData& data();
    engine::Session& session() { return session_; }
    const std::filesystem::path& dir() const { return dir_.path(); }

  private:
    engine::Table& table(const char* name);
    void named(const char* table, long long id, const std::string& name);

    testsupport::TempProgramDir dir_{false};
    engine::Session session_;
    std::map<std::string, std::unique_ptr<engine::Table>> tables_;
    std::unique_ptr<database::MainData> data_;
};

}  // namespace searchtest
