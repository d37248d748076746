#include "search/textdata.h"

#include "richtext/plaintext.h"

namespace search {

namespace {

constexpr const char* kPlainLatin = "plain_latin";

void plainLatin(std::string_view rtf, std::string& text) {
    rtf::appendPlainText(rtf, text);
}

// Every process that links the searches derives the copies when it writes.
const bool kRegistered = (engine::registerTextFunction(kPlainLatin, &plainLatin), true);

}  // namespace

engine::TextCopy textCopy(engine::Database& db, TextTable table) {
    (void)kRegistered;
    if (table == TextTable::Regulations) {
        return engine::TextCopy(db, {"zakoni", "TB_Zakoni", "ID_ZAKONA", "Latinica", kPlainLatin});
    }
    return engine::TextCopy(
        db, {"misljenja", "TB_Misljenja", "BROJ_MISLJENJA", "Latinica", kPlainLatin});
}

bool textCopyUsable(engine::Database& db, TextTable table) {
    const engine::TextCopy copy = textCopy(db, table);
    return copy.generation().has_value() && !copy.hasUnknown();
}

void startTextCopies(engine::Database& db) {
    for (TextTable table : kTextTables) {
        textCopy(db, table).refresh({});
    }
}

}  // namespace search
