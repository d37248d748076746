#include "search/keyword.h"

#include "database/datasets.h"
#include "database/filters.h"
#include "database/lookups.h"
#include "database/schema.h"
#include "engine/table.h"
#include "search/keep.h"
#include "search/tables.h"
#include "search/textscan.h"
#include "search/words.h"
#include "yuscii/yuscii.h"

namespace search {

KeywordOutcome keywordSearch(database::MainData& data, const KeywordQuery& query, Monitor& monitor,
                             const RowSink& sink) {
    PlainTextScan scan;
    return keywordSearch(data, query, monitor, sink, scan);
}

KeywordOutcome keywordSearch(database::MainData& data, const KeywordQuery& query, Monitor& monitor,
                             const RowSink& sink, TextFinder& texts) {
    const bool withTexts = query.scope == Scope::TitlesAndTexts;
    const std::vector<std::string> words = searchWords(query.text);
    if (withTexts) {
        std::vector<std::string> forms;
        for (const std::string& w : words) {
            forms.push_back(textForm(w));
        }
        texts.begin(forms);
    }

    const ArchiveLinks archive = ArchiveLinks::read(data);
    const GazetteNames gazettes(readGazettes(data));

    engine::Table& glavna = data.Glavna;
    engine::Table& zakoni = data.Zakoni;
    KeepDataset keepGlavna(glavna);
    KeepDataset keepZakoni(zakoni);
    if (query.gazette > 0) {
        glavna.setFilter(database::filters::brojeviByGazetteForSearch(query.gazette));
        glavna.setFiltered(true);
    } else {
        glavna.setFiltered(false);
    }
    followGlavna(data);
    const int gazetteField = glavna.fieldByName("ID_GLASNIKA").index();

    KeywordOutcome outcome;
    monitor.setRange(static_cast<long long>(glavna.recordCount()) *
                     static_cast<long long>(words.size()));
    for (glavna.first(); !glavna.eof(); glavna.next()) {
        if (monitor.stopRequested()) {
            outcome.stopped = true;
            break;
        }
        if (!withTexts) {
            monitor.pump();
        }
        const Regulation r = currentRegulation(zakoni);
        const std::string title = yuscii::yupperW(r.title);
        bool matched = true;
        for (size_t i = 0; i < words.size(); ++i) {
            monitor.step(1);
            if (!withTexts) {
                if (!database::nadji(words[i], title)) {
                    matched = false;
                    break;
                }
            } else if (matched && !database::nadji(words[i], title)) {
                // Every word of the row is a step; once one failed, the
                // rest cannot change the outcome and are not looked up.
                matched = texts.contains(zakoni, r.id, i);
            }
        }
        if (matched) {
            ++outcome.found;
            sink(regulationRow(r, archive,
                               {gazettes.name(glavna.field(gazetteField).asInteger()), r.bg}));
        }
        if (withTexts) {
            monitor.pump();
        }
    }
    keepZakoni.restore();
    keepGlavna.restore();
    outcome.summary = keywordSummary(query.scope, outcome.found);
    return outcome;
}

std::string keywordSummary(Scope scope, long long found) {
    const char* head =
        scope == Scope::Titles ? "po naslovima (nadjeno " : "po naslovima i tekstovima (nadjeno ";
    return head + std::to_string(found) + " propisa)";
}

std::string historyEntry(std::string_view text, std::string_view summary) {
    std::string entry = "'";
    for (char c : text) {
        entry += c;
        if (c == '\'') {
            entry += '\'';
        }
    }
    entry += "' - ";
    entry += summary;
    return entry;
}

}  // namespace search
