#include "search/keyword.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <unordered_map>

#include "database/datasets.h"
#include "database/filters.h"
#include "database/lookups.h"
#include "database/schema.h"
#include "engine/session.h"
#include "engine/table.h"
#include "lists/rememberedlists.h"
#include "search/catalog.h"
#include "search/catalogstore.h"
#include "search/keep.h"
#include "search/tables.h"
#include "search/textscan.h"
#include "search/words.h"
#include "yuscii/yuscii.h"

namespace search {

namespace {

constexpr std::uint32_t kNoDocument = UINT32_MAX;

// The index's document of every catalog row (kNoDocument for a row without
// a regulation); none when a regulation is not in the index, whose text
// must then be read.
std::optional<std::vector<std::uint32_t>> catalogDocuments(const Catalog& catalog,
                                                           const TextIndex& index) {
    std::vector<std::uint32_t> documents;
    documents.reserve(catalog.rows().size());
    for (const CatalogRow& row : catalog.rows()) {
        if (!row.present) {
            documents.push_back(kNoDocument);
            continue;
        }
        const std::optional<std::uint32_t> d = index.document(row.id);
        if (!d) {
            return std::nullopt;
        }
        documents.push_back(*d);
    }
    return documents;
}

// The search over the catalog: the same rows, steps, messages and stop
// tests as the walk over the tables, paced by the monitor. texts: the
// documents of each word, and of each row, for a title-and-text search.
struct CatalogTexts {
    // From the index: the documents of each word and the document of each row.
    std::vector<const DocumentSet*> sets;
    std::vector<std::uint32_t> documents;
    // From the plain texts (sets empty): whether each row's text holds the
    // words its title lacks.
    std::vector<char> verdicts;

    bool holds(size_t at, size_t i) const {
        if (sets.empty()) {
            return verdicts[at] != 0;
        }
        const std::uint32_t d = documents[at];
        return d != kNoDocument && hasDocument(*sets[i], d);
    }
};

// The plain-text verdict of every catalog row in scope; nullopt when the
// copies cannot give them all (the walk reads the texts then).
std::optional<std::vector<char>> plainVerdicts(const Catalog& catalog, const KeywordQuery& query,
                                               const std::vector<std::string>& words,
                                               PlainTextScan& plain, Monitor& monitor) {
    const std::vector<CatalogRow>& rows = catalog.rows();
    std::unordered_map<long long, std::vector<bool>> masks;
    for (const CatalogRow& row : rows) {
        if (!row.present || (query.gazette > 0 && !row.inGazette(query.gazette))) {
            continue;
        }
        std::vector<bool> mask(words.size());
        bool any = false;
        for (size_t i = 0; i < words.size(); ++i) {
            mask[i] = !database::nadji(words[i], row.upperTitle);
            any = any || mask[i];
        }
        if (!any) {
            continue;
        }
        const auto [it, added] = masks.emplace(row.id, mask);
        if (!added && it->second != mask) {
            return std::nullopt;  // two titles under one key
        }
    }
    const auto found = plain.verdicts(masks, &monitor);
    if (!found) {
        return std::nullopt;
    }
    std::vector<char> verdicts(rows.size(), 0);
    for (size_t at = 0; at < rows.size(); ++at) {
        const auto it = found->find(rows[at].id);
        verdicts[at] = rows[at].present && it != found->end() && it->second ? 1 : 0;
    }
    return verdicts;
}

KeywordOutcome catalogSearch(const Catalog& catalog, const KeywordQuery& query,
                             const std::vector<std::string>& words, const CatalogTexts* texts,
                             Monitor& monitor, const RowSink& sink) {
    const std::vector<CatalogRow>& rows = catalog.rows();
    const bool oneGazette = query.gazette > 0;
    long long inScope = 0;
    for (const CatalogRow& row : rows) {
        inScope += !oneGazette || row.inGazette(query.gazette) ? 1 : 0;
    }
    KeywordOutcome outcome;
    Pacer pace(monitor);
    pace.setRange(inScope * static_cast<long long>(words.size()));
    for (size_t at = 0; at < rows.size(); ++at) {
        const CatalogRow& row = rows[at];
        if (oneGazette && !row.inGazette(query.gazette)) {
            continue;
        }
        if (pace.stopRequested()) {
            outcome.stopped = true;
            break;
        }
        if (texts == nullptr) {
            pace.pump();
        }
        bool matched = true;
        for (size_t i = 0; i < words.size(); ++i) {
            pace.step(1);
            if (texts == nullptr) {
                if (!database::nadji(words[i], row.upperTitle)) {
                    matched = false;
                    break;
                }
            } else if (matched && !database::nadji(words[i], row.upperTitle)) {
                matched = texts->holds(at, i);
            }
        }
        if (matched) {
            ++outcome.found;
            sink(row.row);
        }
        if (texts != nullptr) {
            pace.pump();
        }
    }
    pace.flush();
    outcome.summary = keywordSummary(query.scope, outcome.found);
    return outcome;
}

// The walk over the tables; with every publication row in scope it records
// the catalog for the next searches.
KeywordOutcome tableSearch(database::MainData& data, const KeywordQuery& query,
                           const std::vector<std::string>& words, TextFinder* texts,
                           Monitor& monitor, const RowSink& sink) {
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
    std::optional<Catalog::Recorder> recorder;
    if (query.gazette <= 0) {
        recorder.emplace(data);
    }

    KeywordOutcome outcome;
    monitor.setRange(static_cast<long long>(glavna.recordCount()) *
                     static_cast<long long>(words.size()));
    for (glavna.first(); !glavna.eof(); glavna.next()) {
        if (monitor.stopRequested()) {
            outcome.stopped = true;
            break;
        }
        if (texts == nullptr) {
            monitor.pump();
        }
        const Regulation r = currentRegulation(zakoni);
        const engine::Field gazette = glavna.field(gazetteField);
        std::optional<Row> row;
        auto listed = [&]() -> const Row& {
            if (!row) {
                row = regulationRow(r, archive, {gazettes.name(gazette.asInteger()), r.bg});
            }
            return *row;
        };
        const std::string title = yuscii::yupperW(r.title);
        bool matched = true;
        for (size_t i = 0; i < words.size(); ++i) {
            monitor.step(1);
            if (texts == nullptr) {
                if (!database::nadji(words[i], title)) {
                    matched = false;
                    break;
                }
            } else if (matched && !database::nadji(words[i], title)) {
                // Every word of the row is a step; once one failed, the
                // rest cannot change the outcome and are not looked up.
                matched = texts->contains(zakoni, r.id, i);
            }
        }
        if (recorder) {
            try {
                recorder->add(catalogRow(r, listed(), gazette));
            } catch (const engine::Error&) {
                // A gazette number that is no number: the row fails here
                // only when it is listed, as without the catalog.
                recorder.reset();
            }
        }
        if (matched) {
            ++outcome.found;
            sink(listed());
        }
        if (texts != nullptr) {
            monitor.pump();
        }
    }
    if (recorder && !outcome.stopped) {
        recorder->finish();
    }
    keepZakoni.restore();
    keepGlavna.restore();
    outcome.summary = keywordSummary(query.scope, outcome.found);
    return outcome;
}

}  // namespace

KeywordOutcome keywordSearch(database::MainData& data, const KeywordQuery& query, Monitor& monitor,
                             const RowSink& sink) {
    if (query.scope == Scope::TitlesAndTexts) {
        const std::unique_ptr<TextFinder> texts =
            textFinder(data.Zakoni.database(), TextTable::Regulations);
        return keywordSearch(data, query, monitor, sink, *texts);
    }
    RtfTextScan unused;
    return keywordSearch(data, query, monitor, sink, unused);
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
    std::shared_ptr<const Catalog> catalog = Catalog::find(data);
    if (!catalog) {
        catalog = loadStoredCatalog(data);
    }
    if (catalog) {
        if (!withTexts) {
            return catalogSearch(*catalog, query, words, nullptr, monitor, sink);
        }
        // Texts from the catalog need the index to answer every word for
        // every regulation listed, or the plain texts to give every verdict.
        if (auto* plain = dynamic_cast<PlainTextScan*>(&texts)) {
            if (auto verdicts = plainVerdicts(*catalog, query, words, *plain, monitor)) {
                CatalogTexts fromPlain;
                fromPlain.verdicts = std::move(*verdicts);
                return catalogSearch(*catalog, query, words, &fromPlain, monitor, sink);
            }
        }
        if (const auto* indexed = dynamic_cast<const IndexedTextScan*>(&texts)) {
            CatalogTexts fromIndex;
            for (size_t i = 0; i < words.size(); ++i) {
                fromIndex.sets.push_back(indexed->documentsWith(i));
            }
            const bool everyWord = std::find(fromIndex.sets.begin(), fromIndex.sets.end(),
                                             nullptr) == fromIndex.sets.end();
            if (everyWord) {
                if (auto documents = catalogDocuments(*catalog, indexed->index())) {
                    fromIndex.documents = std::move(*documents);
                    return catalogSearch(*catalog, query, words, &fromIndex, monitor, sink);
                }
            }
        }
    }
    return tableSearch(data, query, words, withTexts ? &texts : nullptr, monitor, sink);
}

std::string keywordSummary(Scope scope, long long found) {
    return lists::searchSummary(scope == Scope::TitlesAndTexts, found);
}

}  // namespace search
