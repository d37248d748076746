// An update's merge and the text index rebuild that run out of room (a
// file-size limit in a child process stands for a full disk) end with a
// clear message; the data stays as it was and the searches exact, and with
// room again the same work goes through.
#include <algorithm>
#include <filesystem>
#include <set>

#include "database/schema.h"
#include "engine/table.h"
#include "search/textindex.h"
#include "support/child_process.h"
#include "support/data_session.h"
#include "update/install.h"
#include "update/rebuild.h"
#include "update/textindex.h"
#include "update_checks.h"
#include "update_fixture.h"

namespace fs = std::filesystem;

namespace updatetest {
namespace {

const std::vector<std::string> kWords = {"poslodavac", "izmena7", "izmena150", "clana", "nov"};

class DiskFullUpdateTest : public UpdateTest {
  protected:
    // An update of 300 regulations, with texts, in updates/001.zip,
    // unpacked into the scratch folder, and merged when asked.
    void bigUpdate(bool merge) {
        std::string text;
        for (int i = 0; i < 40; ++i) {
            text += "Izmena clana zakona i tekst. ";
        }
        std::vector<Row> regulations;
        for (long long id = 1; id <= 300; ++id) {
            regulations.push_back(regulation(id, "Propis " + std::to_string(id),
                                             text + "izmena" + std::to_string(id)));
        }
        archive("001.zip", {table(database::kZakoni, regulations),
                            table(database::kGlasnici, {{3LL, std::string("Novi glasnik")}})});
        update::TBDEUtil util(session_);
        update::Installer installer(session_, database::kAlias, program(), util, listener_);
        installer.ispraznidir();
        ASSERT_TRUE(installer.raspakuj("001.zip"));
        if (merge) {
            installer.azur();
        }
    }

    fs::path data() const { return program() / update::kDataDir; }

    std::set<std::string> dataFiles() const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(data())) {
            names.insert(entry.path().filename().string());
        }
        return names;
    }

    // Runs work on a fresh session in a child whose files cannot grow past
    // limit bytes; the report holds the messages and the log lines.
    testsupport::ChildOutcome whenFull(
        long long limit, const std::function<void(engine::Session&, RecordingListener&)>& work) {
        session_.close();  // no connection crosses the fork
        auto outcome = testsupport::runInChild({.fileSizeLimit = limit}, [&](std::string& report) {
            engine::Session session;
            testsupport::openDataSession(session, program());
            RecordingListener listener;
            try {
                work(session, listener);
            } catch (const std::exception& e) {
                listener.diagnostics.push_back(std::string("thrown: ") + e.what());
            }
            for (const auto& m : listener.messages) {
                report += "message: " + m + "\n";
            }
            for (const auto& d : listener.diagnostics) {
                report += "log: " + d + "\n";
            }
            return 0;
        });
        session_.open();
        return outcome;
    }

    void expectExactSearches() {
        const Found found = searches(session_, kWords);
        EXPECT_EQ(found.searched, found.scanned);
    }
};

TEST_F(DiskFullUpdateTest, AMergeThatFindsNoRoomEndsWithAMessageAndKeepsTheData) {
    bigUpdate(false);
    const Digest before = digest(session_);
    const auto files = dataFiles();
    // Room for every file as it is (the unpacked tables included), not for
    // the merged regulations.
    long long limit = static_cast<long long>(fs::file_size(data() / engine::kDatabaseFileName));
    for (const auto& entry : fs::directory_iterator(program() / update::kScratchDir)) {
        limit = std::max(limit, static_cast<long long>(entry.file_size()));
    }
    const auto outcome =
        whenFull(limit + 4096, [&](engine::Session& session, RecordingListener& listener) {
            update::TBDEUtil util(session);
            update::Installer(session, database::kAlias, program(), util, listener).azur();
        });
    EXPECT_EQ(outcome.exitCode, 0) << outcome.report;
    EXPECT_NE(outcome.report.find("message: Azuriranje nije uspelo\n"), std::string::npos)
        << outcome.report;
    EXPECT_NE(outcome.report.find("no space left"), std::string::npos) << outcome.report;

    EXPECT_EQ(integrity(program()), "ok");
    EXPECT_EQ(digest(session_), before);
    EXPECT_EQ(dataFiles(), files);
    expectExactSearches();

    // With room again the same update goes through.
    update::TBDEUtil util(session_);
    update::Installer(session_, database::kAlias, program(), util, listener_).azur();
    EXPECT_TRUE(listener_.messages.empty()) << listener_.messages.front();
    EXPECT_EQ(rows(database::kZakoni, "ID_ZAKONA").size(), 300u);
    EXPECT_TRUE(searches(session_, kWords).indexed);
    expectExactSearches();
}

TEST_F(DiskFullUpdateTest, AnIndexRebuildThatFindsNoRoomFailsClearlyAndTheSearchesStayExact) {
    bigUpdate(true);
    ASSERT_TRUE(listener_.messages.empty());
    const auto indexFile = search::textIndexPath(db(), search::TextTable::Regulations);
    const auto indexSize = static_cast<long long>(fs::file_size(indexFile));
    // A regulation's text changes: the index is no longer current.
    {
        engine::Table t(session_, "edit");
        t.setDatabaseName(database::kAlias);
        t.setTableName(database::kZakoni);
        t.open();
        for (t.first(); t.fieldByName("ID_ZAKONA").asInteger() != 7; t.next()) {
        }
        t.edit();
        t.fieldByName("Latinica")
            .setBytes(std::get<std::string>(regulation(7, "Propis 7", "sasvim nov tekst")[6]));
        t.post();
    }
    ASSERT_FALSE(searches(session_, kWords).indexed);
    const Digest before = digest(session_);
    const auto files = dataFiles();

    const auto outcome = whenFull(indexSize / 2, [&](engine::Session& session, RecordingListener&) {
        update::refreshTextIndex(session, database::kAlias);
    });
    EXPECT_EQ(outcome.exitCode, 0) << outcome.report;
    EXPECT_NE(outcome.report.find("thrown: "), std::string::npos) << outcome.report;
    EXPECT_NE(outcome.report.find("File too large"), std::string::npos) << outcome.report;

    EXPECT_EQ(integrity(program()), "ok");
    EXPECT_EQ(digest(session_), before);
    EXPECT_EQ(dataFiles(), files);  // no part of the new index is left behind
    EXPECT_FALSE(searches(session_, kWords).indexed);
    expectExactSearches();

    // With room again the index is rebuilt.
    update::refreshTextIndex(session_, database::kAlias);
    const Found found = searches(session_, kWords);
    EXPECT_TRUE(found.indexed);
    EXPECT_EQ(found.searched, found.scanned);
    // "izmena7" left regulation 7, "nov" came in.
    EXPECT_EQ(std::count(found.scanned[1].begin(), found.scanned[1].end(), 7), 0);
    EXPECT_EQ(found.scanned[4], std::vector<long long>{7});
}

}  // namespace
}  // namespace updatetest
