#include "operations.h"

#include "database/filters.h"
#include "database/schema.h"
#include "engine/table.h"
#include "platform/programdir.h"
#include "process.h"
#include "richtext/plaintext.h"
#include "search/areas.h"
#include "search/keep.h"
#include "search/keyword.h"
#include "search/opinions.h"
#include "search/startup.h"
#include "search/textscan.h"
#include "search/words.h"
#include "yuscii/yuscii.h"

namespace bench {

namespace fs = std::filesystem;

namespace {

std::vector<std::string> textForms(const std::string& typed) {
    std::vector<std::string> forms;
    for (const std::string& w : search::searchWords(typed)) {
        forms.push_back(search::textForm(w));
    }
    return forms;
}

Sample keyword(database::MainData& data, const std::string& text, search::Scope scope) {
    search::Monitor quiet;
    Sample s;
    search::keywordSearch(data, {text, scope, 0}, quiet, [&](search::Row) { ++s.rows; });
    return s;
}

// The search with the plain texts and no index: the fallback while the
// index is rebuilt.
Sample plainKeyword(database::MainData& data, const std::string& text) {
    search::Monitor quiet;
    Sample s;
    search::PlainTextScan plain(data.Zakoni.database(), search::TextTable::Regulations);
    search::keywordSearch(
        data, {text, search::Scope::TitlesAndTexts, 0}, quiet, [&](search::Row) { ++s.rows; },
        plain);
    return s;
}

}  // namespace

void openSession(engine::Session& session, const fs::path& programDir) {
    session.addStandardAlias(database::kAlias, (programDir / "Podatci").string(), "Paradox");
    session.addPassword(database::kMasterPassword);
    session.open();
}

Largest largestRegulation(database::MainData& data) {
    engine::Table& look = data.lookzakoni;
    search::KeepDataset keep(look);
    search::standalone(look);
    const int latin = look.fieldByName("Latinica").index();
    Largest best;
    size_t bestSize = 0;
    for (look.first(); !look.eof(); look.next()) {
        const size_t size = look.field(latin).dataSize();
        if (size > bestSize) {
            bestSize = size;
            best = {look.field(database::pos::kZakoniNaziv).asString(),
                    look.field(database::pos::kZakoniBg).asString(),
                    look.field(database::pos::kZakoniId).asInteger()};
        }
    }
    keep.restore();
    return best;
}

OpenDatabase::OpenDatabase(const fs::path& programDir) {
    openSession(session_, programDir);
    data_ = std::make_unique<database::MainData>(session_);
    data_->openAll();
}

OpenDatabase::~OpenDatabase() {
    data_->closeAll();
    data_.reset();
    session_.close();
}

std::vector<Operation> operations(const fs::path& programDir, OpenDatabase& db, const Queries& q) {
    database::MainData& data = db.data();
    std::vector<Operation> ops;

    ops.push_back({"start-up fill (datasets to lists)", [programDir] {
                       engine::Session session;
                       openSession(session, programDir);
                       database::MainData fresh(session);
                       fresh.openAll();
                       search::Monitor quiet;
                       const search::StartupFill fill = search::poubacuj(fresh, quiet);
                       fresh.closeAll();
                       return Sample{static_cast<long long>(fill.results.size())};
                   }});

    using search::Scope;
    ops.push_back({"title search, common pair",
                   [&data, q] { return keyword(data, q.commonPair, Scope::Titles); }});
    ops.push_back({"title search, rare pair",
                   [&data, q] { return keyword(data, q.rarePair, Scope::Titles); }});
    ops.push_back({"titles and texts, common pair",
                   [&data, q] { return keyword(data, q.commonPair, Scope::TitlesAndTexts); },
                   textForms(q.commonPair)});
    ops.push_back({"titles and texts, rare pair",
                   [&data, q] { return keyword(data, q.rarePair, Scope::TitlesAndTexts); },
                   textForms(q.rarePair)});
    ops.push_back({"titles and texts, two letters",
                   [&data, q] { return keyword(data, q.twoLetters, Scope::TitlesAndTexts); },
                   textForms(q.twoLetters)});

    ops.push_back({"plain texts (no index), common pair",
                   [&data, q] { return plainKeyword(data, q.commonPair); },
                   textForms(q.commonPair)});
    ops.push_back({"plain texts (no index), rare pair",
                   [&data, q] { return plainKeyword(data, q.rarePair); }, textForms(q.rarePair)});
    ops.push_back({"plain texts (no index), two letters",
                   [&data, q] { return plainKeyword(data, q.twoLetters); },
                   textForms(q.twoLetters)});

    ops.push_back({"area fill, root with \"Sve\"", [&data] {
                       search::Monitor quiet;
                       const search::AreaFill fill =
                           search::ubacipooblastima(data, 0, 0, search::kAllTypes, quiet);
                       return Sample{static_cast<long long>(fill.rows.size())};
                   }});

    ops.push_back({"opinions, titles and texts", [&data, q] {
                       search::Monitor quiet;
                       const search::Rows rows = search::opinionKeywordSearch(
                           data, {q.opinionWords, Scope::TitlesAndTexts, std::nullopt}, quiet);
                       return Sample{static_cast<long long>(rows.size())};
                   }});

    const Largest largest = largestRegulation(data);
    // The opening flow: Zakoni cut from Glavna and filtered by title and BG,
    // then the Latin text read and turned into the shown text.
    auto openLargest = [&data, largest](std::string& shown) {
        engine::Table& zakoni = data.Zakoni;
        search::KeepDataset keep(zakoni);
        zakoni.setMasterFields("");
        zakoni.setFilter(database::filters::zakoniByTitleAndBg(largest.title, largest.bg));
        zakoni.setFiltered(true);
        zakoni.first();
        shown = rtf::plainText(zakoni.fieldByName("Latinica").asString());
        keep.restore();
    };
    ops.push_back({"open the largest regulation", [openLargest] {
                       std::string shown;
                       openLargest(shown);
                       return Sample{static_cast<long long>(shown.size())};
                   }});
    ops.push_back({"search in the open regulation", [openLargest, q] {
                       std::string shown;
                       openLargest(shown);
                       // The search shadow and every hit of the word, as
                       // pressing the search button repeatedly finds them.
                       const std::string shadow = yuscii::yupperW(shown);
                       const std::string word = yuscii::yupperW(q.documentWord);
                       long long hits = 0;
                       for (size_t at = shadow.find(word); at != std::string::npos;
                            at = shadow.find(word, at + word.size())) {
                           ++hits;
                       }
                       return Sample{hits};
                   }});
    return ops;
}

std::vector<Operation> processOperations(const fs::path& programDir, const Queries& q,
                                         double& peakMb) {
    const std::string cli = (platform::executableDir() / "korvet-cli").string();
    auto search = [cli, programDir, &peakMb](const std::string& typed) {
        std::vector<std::string> argv = {cli, "search", programDir.string(), "--texts"};
        for (const std::string& w : search::searchWords(typed)) {
            argv.push_back(w);
        }
        return [argv, &peakMb] {
            const ProcessResult r = runProgram(argv, {}, Peak::Measure);
            peakMb = std::max(peakMb, r.peakMb);
            Sample s;
            s.ms = r.ms;
            // One line per regulation, then the summary.
            for (char c : r.output) {
                s.rows += c == '\n' ? 1 : 0;
            }
            s.rows = r.exitCode == 0 ? s.rows - 1 : -1;
            return s;
        };
    };
    std::vector<Operation> ops;
    ops.push_back(
        {"korvet-cli search --texts, common pair", search(q.commonPair), textForms(q.commonPair)});
    ops.push_back(
        {"korvet-cli search --texts, rare pair", search(q.rarePair), textForms(q.rarePair)});
    ops.push_back(
        {"korvet-cli search --texts, two letters", search(q.twoLetters), textForms(q.twoLetters)});
    return ops;
}

}  // namespace bench
