#include "update.h"

#include <algorithm>
#include <memory>
#include <stdexcept>

#include "database/schema.h"
#include "engine/batchmove.h"
#include "engine/table.h"
#include "measure.h"
#include "search/textdata.h"
#include "search/textrebuild.h"
#include "update/install.h"
#include "update/listener.h"
#include "update/makeupdate.h"
#include "update/rebuild.h"

namespace bench {

namespace fs = std::filesystem;

namespace {

using Row = std::vector<engine::SourceValue>;

// Keeps the messages; the operations check them after the run.
class QuietListener : public update::InstallListener {
  public:
    void message(const std::string& text, update::MessageKind) override {
        messages.push_back(text);
    }
    void expect(const std::vector<std::string>& wanted) const {
        if (messages != wanted) {
            throw std::runtime_error("the update said: " + (messages.empty()
                                                                ? std::string("nothing")
                                                                : messages.front()));
        }
    }
    std::vector<std::string> messages;
    bool confirm(const std::string&) override { return false; }
    void progress(long long, long long) override {}
    void newestList(const std::vector<std::string>& titles) override { newest = titles.size(); }
    void updateDate(const std::string&) override {}
    void countsChanged() override {}
    size_t newest = 0;
};

// Every row of a table, in key order, limited to the first count rows.
std::vector<Row> readRows(engine::Session& session, const char* table, size_t count) {
    engine::Table t(session, "bench");
    t.setDatabaseName(database::kAlias);
    t.setTableName(table);
    t.setReadOnly(true);
    t.open();
    std::vector<Row> rows;
    auto source = engine::rowsOf(t);
    Row row;
    while (rows.size() < count && source->next(row)) {
        rows.push_back(row);
    }
    return rows;
}

double number(const engine::SourceValue& v) {
    const double* d = std::get_if<double>(&v);
    return d ? *d : 0;
}

// Regulations 1 .. changed with the next one's text and a new title, and
// added new ones with copied texts, each with its publication entry.
void makeArchive(const fs::path& programDir, const fs::path& out, int changed, int added) {
    engine::Session session;
    openSession(session, programDir);
    const size_t total = static_cast<size_t>(changed + added);
    std::vector<Row> zakoni = readRows(session, database::kZakoni, total + 1);
    std::vector<Row> brojevi = readRows(session, database::kBrojevi, total);
    double nextId = 0;
    for (const Row& r : readRows(session, database::kBrojevi, SIZE_MAX)) {
        nextId = std::max(nextId, number(r[0]) + 1);
    }
    std::vector<Row> regulations, entries;
    for (size_t i = 0; i < total && i + 1 < zakoni.size(); ++i) {
        Row r = zakoni[i];
        Row e = brojevi[i];
        r[database::pos::kZakoniNaziv] =
            "Izmena: " + std::get<std::string>(r[database::pos::kZakoniNaziv]);
        r[6] = zakoni[i + 1][6];
        if (i >= static_cast<size_t>(changed)) {
            r[0] = r[1] = e[0] = nextId++;
        }
        regulations.push_back(std::move(r));
        entries.push_back(std::move(e));
    }
    const auto& zDef = database::tableDef(database::kZakoni);
    const auto& bDef = database::tableDef(database::kBrojevi);
    update::writeUpdateArchive(
        {{zDef.name, zDef.fields, regulations}, {bDef.name, bDef.fields, entries}}, out);
}

// Installs updates/001.zip as the update window does: the merge with the
// plain texts kept exact, the index left for the rebuild in the background.
// Returns the titles of the newest list.
size_t install(engine::Session& session, const fs::path& copy) {
    QuietListener listener;
    update::TBDEUtil util(session, update::TUTextIndex::Later);
    update::Installer installer(session, database::kAlias, copy, util, listener);
    installer.ispraznidir();
    if (!installer.raspakuj("001.zip")) {
        throw std::runtime_error("the archive did not unpack");
    }
    installer.azur();
    listener.expect({});
    return listener.newest;
}

// The searches read exactly the merged texts: both plain-text copies are current.
void requireExactTexts(engine::Session& session) {
    engine::Database& db = session.database(database::kAlias);
    for (search::TextTable table : search::kTextTables) {
        if (!search::textCopyUsable(db, table)) {
            throw std::runtime_error("the plain texts are not current after the merge");
        }
    }
}

// A fresh copy of the program directory's database with the archive.
void freshCopy(const fs::path& programDir, const fs::path& copy, const fs::path& archive) {
    fs::remove_all(copy);
    fs::create_directories(copy / "updates");
    fs::create_directories(copy / "update");
    fs::copy(programDir / "Podatci", copy / "Podatci", fs::copy_options::recursive);
    fs::copy_file(archive, copy / "updates" / "001.zip");
}

}  // namespace

std::vector<Operation> updateOperations(const fs::path& programDir, const fs::path& scratch,
                                        int changed, int added) {
    const fs::path archive = scratch / "001.zip";
    const fs::path copy = scratch / "program";
    auto prepare = [=] {
        if (!fs::exists(archive)) {
            fs::create_directories(scratch);
            makeArchive(programDir, archive, changed, added);
        }
        freshCopy(programDir, copy, archive);
    };
    auto cleanup = [=] { fs::remove_all(copy); };
    std::vector<Operation> ops;
    // What the user waits for: the merge, the plain texts exact at its end.
    ops.push_back({"install update (" + std::to_string(changed) + " changed, " +
                       std::to_string(added) + " new)",
                   [=] {
                       engine::Session session;
                       size_t newest = 0;
                       const double ms = timeOf([&] {
                           openSession(session, copy);
                           newest = install(session, copy);
                       });
                       requireExactTexts(session);
                       return Sample{static_cast<long long>(newest), ms};
                   },
                   {},
                   prepare,
                   cleanup});
    // The index rebuilt in the background after it (the searches read the
    // plain texts meanwhile); rows: the percent reached.
    ops.push_back({"update's index rebuilt in the background",
                   [=] {
                       search::BackgroundRebuild rebuild((copy / "Podatci").string(),
                                                         database::kMasterPassword);
                       const double ms = timeOf([&] {
                           rebuild.start();
                           rebuild.wait();
                       });
                       const auto status = rebuild.status();
                       if (status.outcome != search::BackgroundRebuild::Outcome::Done) {
                           throw std::runtime_error("the rebuild failed: " + status.error);
                       }
                       return Sample{status.percent, ms};
                   },
                   {},
                   [=] {
                       prepare();
                       engine::Session session;
                       openSession(session, copy);
                       install(session, copy);
                   },
                   cleanup});
    ops.push_back(
        {"repair of all thirteen tables",
         [=] {
             engine::Session session;
             openSession(session, copy);
             QuietListener listener;
             update::TBDEUtil util(session);
             update::repairDatabase(util, copy / "Podatci", listener);
             listener.expect({"Popravka uspesno izvrsena. Baza je u ispravnom stanju."});
             return Sample{static_cast<long long>(update::repairSteps().size()), std::nullopt};
         },
         {},
         prepare,
         cleanup});
    return ops;
}

}  // namespace bench
