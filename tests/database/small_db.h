#pragma once
// A small regulation database for the dataset and lookup tests, built in a
// temporary program directory, with a session whose alias "Zakoni" points at it.
//
// Regulations (ID: gazette, BG, title):
//   1: 1, 12/2005,  "Zakon o radu"            archive: follows 3; dates 2; picture S2
//   2: 1, 12a/2005, "Zakon o 'porezu'"
//   3: 2, 5/1999,   "Zakon o radu"            archive: superseded by 1
//   4: 1, 3/2006,   "Uredba o ceni"
// Opinions (number: ministry, date): 10: 2, 05/03/2006 (linked to 1);
//   11: 1, 10/10/2004; 12: 1, 01/02/2005 -> "drugi" order 11, 12, 10.
#include <gtest/gtest.h>

#include <memory>

#include "database/datasets.h"
#include "engine/session.h"
#include "support/temp_program_dir.h"

namespace testsupport {

struct SmallDatabase {
    SmallDatabase();
    ~SmallDatabase();

    TempProgramDir dir{false};
    engine::Session session;
};

// The datasets on the small database, open during each test.
class SmallDataTest : public ::testing::Test {
  protected:
    SmallDatabase db;
    database::MainData data{db.session};
    void SetUp() override { data.openAll(); }
    void TearDown() override { data.closeAll(); }
};

}  // namespace testsupport
