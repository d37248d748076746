// Writes and rebuilds that run out of room (a file-size limit in a child
// process stands for a full disk) end with a clear message, and the data
// stays as it was.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/tableutil.h"
#include "engine_fixture.h"
#include "support/child_process.h"

namespace enginetest {
namespace {

using engine::Error;

class DiskFullTest : public EngineTest {
  protected:
    DiskFullTest() {
        fillSampleData(db());
        // Enough text that a rebuild's copy needs room of its own.
        sql("UPDATE TB_Zakoni SET Cirilica = zeroblob(60000)");
    }

    std::filesystem::path file() const {
        return std::filesystem::path(dataDir()) / engine::kDatabaseFileName;
    }

    // Runs action on a fresh session in a child whose files cannot grow past
    // the database's size now; the report holds the error it threw.
    testsupport::ChildOutcome whenFull(const std::function<void(engine::Session&)>& action) {
        session_.close();  // no connection crosses the fork
        const auto limit = static_cast<long long>(std::filesystem::file_size(file()));
        auto outcome = testsupport::runInChild({.fileSizeLimit = limit}, [&](std::string& report) {
            engine::Session session;
            openSession(session, dataDir());
            try {
                action(session);
            } catch (const Error& e) {
                report = e.what();
                return 0;
            }
            return 1;
        });
        session_.open();
        return outcome;
    }

    void expectIntact() {
        for (const auto& def : smallSchema()) {
            SCOPED_TRACE(def.name);
            const auto check = engine::verifyTable(db(), def.name);
            EXPECT_TRUE(check.ok || def.name == "TB_Zakoni") << check.report;
        }
        auto zakoni = open("TB_Zakoni", true);
        EXPECT_EQ(column(*zakoni, "ID_ZAKONA"),
                  (std::vector<std::string>{"12", "13", "14", "15", "16"}));
        EXPECT_EQ(zakoni->fieldByName("Cirilica").dataSize(), 60000u);
    }
};

TEST_F(DiskFullTest, AWriteThatFindsNoRoomFailsAndChangesNothing) {
    const auto outcome = whenFull([](engine::Session& session) {
        auto t = openTable(session, "TB_Zakoni");
        t->append();
        t->fieldByName("ID_ZAKONA").setInteger(17);
        t->fieldByName("Latinica").setBytes(std::string(500000, 'x'));
        t->post();
    });
    EXPECT_EQ(outcome.exitCode, 0) << outcome.report;
    EXPECT_NE(outcome.report.find("no space"), std::string::npos) << outcome.report;
    EXPECT_NE(outcome.report.find("Zakoni"), std::string::npos) << outcome.report;
    expectIntact();
}

TEST_F(DiskFullTest, ARebuildThatFindsNoRoomFailsAndChangesNothing) {
    sql("ALTER TABLE TB_Zakoni ADD COLUMN Visak TEXT");  // a rebuild copies it afresh
    const auto outcome = whenFull([](engine::Session& session) {
        engine::rebuildTable(session.database("Zakoni"), "TB_Zakoni");
    });
    EXPECT_EQ(outcome.exitCode, 0) << outcome.report;
    EXPECT_NE(outcome.report.find("Cannot rebuild table TB_Zakoni: no space"), std::string::npos)
        << outcome.report;
    expectIntact();
    // With room again the rebuild goes through.
    engine::rebuildTable(db(), "TB_Zakoni");
    EXPECT_TRUE(engine::verifyTable(db(), "TB_Zakoni").ok);
}

}  // namespace
}  // namespace enginetest
