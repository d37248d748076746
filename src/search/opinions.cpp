#include "search/opinions.h"

#include <cstdio>

#include "database/datasets.h"
#include "database/filters.h"
#include "database/lookups.h"
#include "database/schema.h"
#include "engine/session.h"
#include "engine/table.h"
#include "search/textscan.h"
#include "search/words.h"
#include "yuscii/yuscii.h"

namespace search {

namespace filters = database::filters;
namespace pos = database::pos;

void applyMinistry(database::MainData& data, const std::optional<std::string>& ministry) {
    engine::Table& opinions = data.misljenja;
    engine::Table& ministries = data.ministarstva;
    if (ministry) {
        ministries.setFilter(filters::ministarstvaByName(*ministry));
        ministries.setFiltered(true);
        ministries.first();
        opinions.setMasterSource(&ministries);
        opinions.setMasterFields("MINISTARSTVO");
    } else {
        opinions.setMasterFields("");
        ministries.setFiltered(false);
    }
}

namespace {

Row opinionRow(engine::Table& opinions) {
    return Row{opinions.field(pos::kMisljenjaNaziv).asString(),
               {opinionDate(opinions.field(pos::kMisljenjaDan).asInteger(),
                            opinions.field(pos::kMisljenjaMesec).asInteger(),
                            opinions.field(pos::kMisljenjaGodina).asInteger())},
               lists::kDocument};
}

}  // namespace

Rows opinionKeywordSearch(database::MainData& data, const OpinionQuery& query, Monitor& monitor) {
    if (query.scope == Scope::TitlesAndTexts) {
        const std::unique_ptr<TextFinder> texts =
            textFinder(data.misljenja.database(), TextTable::Opinions);
        return opinionKeywordSearch(data, query, monitor, *texts);
    }
    RtfTextScan unused;
    return opinionKeywordSearch(data, query, monitor, unused);
}

Rows opinionKeywordSearch(database::MainData& data, const OpinionQuery& query, Monitor& monitor,
                          TextFinder& texts) {
    engine::Table& opinions = data.misljenja;
    opinions.setFiltered(false);
    const bool withTexts = query.scope == Scope::TitlesAndTexts;
    const std::vector<std::string> words = searchWords(query.text);
    if (withTexts) {
        texts.begin(words);  // upper case as typed, unlike the regulation search
    }
    applyMinistry(data, query.ministry);

    Rows rows;
    Pacer pace(monitor);
    pace.setRange(static_cast<long long>(opinions.recordCount()) *
                  static_cast<long long>(words.size()));
    for (opinions.first(); !opinions.eof(); opinions.next()) {
        if (!withTexts) {
            pace.pump();
        }
        const std::string title = yuscii::yupperW(opinions.field(pos::kMisljenjaNaziv).asString());
        const long long number = opinions.field(pos::kMisljenjaBroj).asInteger();
        bool matched = true;
        for (size_t i = 0; i < words.size() && matched; ++i) {
            if (withTexts) {
                pace.pump();
            }
            pace.step(1);
            matched = database::nadji(words[i], title) ||
                      (withTexts && texts.contains(opinions, number, i));
        }
        if (matched) {
            rows.push_back(opinionRow(opinions));
        }
    }
    pace.flush();
    return rows;
}

Rows opinionDateSearch(database::MainData& data, const std::optional<DateRange>& range,
                       const std::optional<std::string>& ministry) {
    engine::Table& opinions = data.misljenja;
    if (range) {
        opinions.setFilter(filters::misljenjaByDateRange(range->day1, range->month1, range->year1,
                                                         range->day2, range->month2, range->year2));
        opinions.setFiltered(true);
    } else {
        opinions.setFiltered(false);
    }
    applyMinistry(data, ministry);
    Rows rows;
    for (opinions.first(); !opinions.eof(); opinions.next()) {
        rows.push_back(opinionRow(opinions));
    }
    return rows;
}

std::string opinionDate(long long day, long long month, long long year) {
    char text[64];
    std::snprintf(text, sizeof text, "%02lld/%02lld/%04lld", day, month, year);
    return text;
}

bool positionOpinion(database::MainData& data, std::string_view title, std::string_view dateText) {
    return positionOpinion(data.misljenja, title, dateText);
}

bool positionOpinion(engine::Table& opinions, std::string_view title, std::string_view dateText) {
    // Characters 1-2, 4-5 and 7-10, as far as the text reaches.
    auto part = [&](size_t from, size_t length) {
        return from < dateText.size() ? dateText.substr(from, length) : std::string_view();
    };
    try {
        opinions.setFilter(
            filters::misljenjaByTitleAndDate(title, part(0, 2), part(3, 2), part(6, 4)));
    } catch (const engine::FilterError&) {
        // A date part that is no number names no opinion.
        return false;
    }
    opinions.setFiltered(true);
    opinions.first();
    return !opinions.isEmpty();
}

}  // namespace search
