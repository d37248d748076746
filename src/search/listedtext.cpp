#include "search/listedtext.h"

#include "database/datasets.h"
#include "database/filters.h"
#include "database/schema.h"
#include "engine/sidedata.h"
#include "richtext/plaintext.h"
#include "search/opinions.h"
#include "search/owntable.h"
#include "search/textdata.h"

namespace search {

namespace {

// The copy's text of key when the copy is current and holds exactly one
// known text for it; else the plain text of the rich text.
std::string plainOf(engine::Table& table, TextTable which, long long key, int richField) {
    engine::Database& db = table.database();
    if (textCopyUsable(db, which)) {
        const auto texts = textCopy(db, which).textsOf(key);
        if (texts.size() == 1 && texts.front()) {
            return *texts.front();
        }
    }
    return rtf::plainText(table.field(richField).asString());
}

}  // namespace

std::optional<std::string> regulationText(database::MainData& data, std::string_view title,
                                          std::string_view bg) {
    OwnTable zakoni(data.Zakoni.session(), database::kZakoni);
    zakoni->setFilter(database::filters::zakoniByTitleAndBg(title, bg));
    zakoni->setFiltered(true);
    zakoni->first();
    if (zakoni->isEmpty()) {
        return std::nullopt;
    }
    const int latin = zakoni->fieldByName("Latinica").index();
    return plainOf(*zakoni, TextTable::Regulations,
                   zakoni->field(database::pos::kZakoniId).asInteger(), latin);
}

std::optional<std::string> opinionText(database::MainData& data, std::string_view title,
                                       std::string_view date) {
    OwnTable misljenja(data.misljenja.session(), database::kMisljenja);
    if (!positionOpinion(*misljenja, title, date)) {
        return std::nullopt;
    }
    return plainOf(*misljenja, TextTable::Opinions,
                   misljenja->field(database::pos::kMisljenjaBroj).asInteger(),
                   database::pos::kMisljenjaLatinica);
}

}  // namespace search
