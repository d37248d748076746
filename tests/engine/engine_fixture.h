#pragma once
// A small regulation-like database for the engine tests: a temporary data
// folder behind the alias "Zakoni", a master password, and a few tables.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/session.h"
#include "engine/table.h"
#include "support/temp_program_dir.h"

namespace enginetest {

inline constexpr const char* kPassword = "jIGGAe";

// TB_Brojevi, TB_Zakoni, TB_Glasnici, TB_Arhiva, TB_Misljenja, TB_Ministarstva,
// TB_link, TB_Korisnicki, TB_grafika: the fields the tests need, in order.
std::vector<engine::TableDef> smallSchema();

class EngineTest : public ::testing::Test {
  protected:
    EngineTest();

    std::string dataDir() const { return (dir_.path() / "Podatci").string(); }
    engine::Database& db() { return session_.database("Zakoni"); }
    void sql(const std::string& text) { db().exec(text); }

    // An open table object on the alias.
    std::unique_ptr<engine::Table> open(const std::string& table, bool readOnly = false,
                                        const std::string& name = {});

    testsupport::TempProgramDir dir_{false};
    engine::Session session_;
};

// Another session on a test's data folder, as a second program would open it.
void openSession(engine::Session& session, const std::string& dataDir);
// An open table object of that session.
std::unique_ptr<engine::Table> openTable(engine::Session& session, const std::string& table,
                                         bool readOnly = false, const std::string& name = {});

// The values of one field over all rows, walked from the first row.
std::vector<std::string> column(engine::Table& table, const std::string& field);

// The sample rows used by most tests (see engine_fixture.cpp).
void fillSampleData(engine::Database& db);

}  // namespace enginetest
