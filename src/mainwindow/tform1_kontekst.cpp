// The hit context under the keyword search results of the search and
// opinions pages: for the selected row, the first occurrence of the search
// words in its text. Titles-only searches show nothing there.
#include "engine/types.h"
#include "mainwindow/hitstrip.h"
#include "mainwindow/tform1.h"
#include "search/hits.h"
#include "search/listedtext.h"
#include "widgets/reportlist.h"

void TForm1::pokazikontekst(bool opinions) {
    HitStrip* strip = opinions ? KontekstMisljenja : KontekstPretrage;
    const widgets::ReportList* list = opinions ? Listbox6 : ListBox2;
    const search::HitWords& words = opinions ? opinionHits_ : keywordHits_;
    const bool texts = opinions ? opinionTexts_ : keywordTexts_;
    const lists::Row* row = list->selected();
    if (row == nullptr || !texts || words.empty()) {
        strip->showContext(std::nullopt);
        return;
    }
    std::optional<std::string> text;
    try {
        if (opinions) {
            text = search::opinionText(*this, row->caption, row->sub.empty() ? "" : row->sub[0]);
        } else {
            text =
                search::regulationText(*this, row->caption, row->sub.size() > 1 ? row->sub[1] : "");
        }
    } catch (const engine::Error&) {
        text.reset();  // a text that cannot be read has no context to show
    }
    strip->showContext(text ? search::hitContext(*text, search::hitNeedles(words, false))
                            : std::nullopt);
}
