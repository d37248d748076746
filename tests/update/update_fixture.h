#pragma once
// The update tests' fixture: a small regulation database in a temporary
// program directory, a listener that records what the update steps tell,
// update archives made from rows, and a real FTP server on 127.0.0.1.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/session.h"
#include "support/temp_program_dir.h"
#include "update/listener.h"
#include "update/makeupdate.h"

namespace updatetest {

using Row = std::vector<engine::SourceValue>;

class RecordingListener : public update::UpdateListener {
  public:
    void message(const std::string& text, update::MessageKind) override {
        messages.push_back(text);
    }
    bool confirm(const std::string& text) override {
        questions.push_back(text);
        return answer;
    }
    void progress(long long position, long long) override { bar.push_back(position); }
    void diagnostic(const std::string& text) override { diagnostics.push_back(text); }
    void newestList(const std::vector<std::string>& titles) override {
        newest = titles;
        ++newestFills;
    }
    void updateDate(const std::string& date) override { lastUpdate = date; }
    void countsChanged() override { ++counts; }
    void statusText(const std::string& text) override { status = text; }
    void rowsCleared() override { rows.clear(); }
    void rowAdded(const std::string& name, update::RowIcon icon, const std::string& s) override {
        rows.push_back({name, icon, s});
    }
    void rowStatus(int row, const std::string& s) override {
        rows.at(static_cast<size_t>(row)).status = s;
        statusTrail.push_back(rows.at(static_cast<size_t>(row)).name + ": " + s);
    }
    void stateChanged(update::State s) override { state = s; }
    void buttonEnabled(bool enabled) override { button = enabled; }

    struct ListRow {
        std::string name;
        update::RowIcon icon;
        std::string status;
    };
    bool answer = false;
    std::vector<std::string> messages, questions, statusTrail, diagnostics;
    std::vector<long long> bar;
    std::vector<std::string> newest = {"(earlier list)"};
    int newestFills = 0;
    std::string lastUpdate;
    int counts = 0;
    std::string status;
    std::vector<ListRow> rows;
    update::State state = update::State::Idle;
    bool button = true;
};

// Regulations 1 "Zakon o radu" and 2 "Zakon o porezu" (texts "Poslodavac
// isplacuje zaradu." and "Porez se placa."), their publication entries, two
// gazettes, one opinion and one user contract "Moj ugovor".
class UpdateTest : public ::testing::Test {
  protected:
    UpdateTest();
    ~UpdateTest() override;

    std::filesystem::path program() const { return dir_.path(); }
    engine::Database& db();
    // Rows of a table as text, "a|b|c" per row, by its primary key.
    std::vector<std::string> rows(const std::string& table, const std::string& fields);

    // An archive in updates/ holding the tables, as table files of format_.
    void archive(const std::string& name, const std::vector<update::TableRows>& tables);
    static update::TableRows table(const std::string& name, std::vector<Row> rows);
    static Row regulation(long long id, const std::string& title, const std::string& text);

    testsupport::TempProgramDir dir_{false};
    engine::Session session_;
    RecordingListener listener_;
    update::TableFormat format_ = update::TableFormat::Sqlite;
};

// The fixture with a folder for a server to serve and the update's log.
class ServedUpdateTest : public UpdateTest {
  protected:
    ServedUpdateTest();

    // A file, or an update archive of the tables, in the served folder.
    void serve(const std::string& name, const std::string& bytes = "x");
    void serveArchive(const std::string& name, const std::vector<update::TableRows>& tables);
    // A file fetched earlier, in updates/.
    void local(const std::string& name);
    // The lines of log.txt without their time stamps.
    std::vector<std::string> log() const;

    std::filesystem::path served_ = program() / "server";
};

// A fixture's tests run once with archives of each kind of table file.
template <class Fixture>
class EachFormat : public Fixture, public ::testing::WithParamInterface<update::TableFormat> {
  protected:
    EachFormat() { this->format_ = this->GetParam(); }
};
inline const auto kFormats =
    ::testing::Values(update::TableFormat::Sqlite, update::TableFormat::Paradox);
std::string formatName(const ::testing::TestParamInfo<update::TableFormat>& info);

// The server runs while the object lives.
class FtpServer {
  public:
    explicit FtpServer(const std::filesystem::path& folder, const std::string& drop = {});
    ~FtpServer();
    std::string url() const;

  private:
    int pid_ = -1;
    int port_ = 0;
};

}  // namespace updatetest
