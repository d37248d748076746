// "Kopiraj sa citatom": the selection followed by the line that cites it.
#include <QTextCursor>

#include "database/datasets.h"
#include "database/schema.h"
#include "dbviews/dbrichedit.h"
#include "engine/types.h"
#include "platform/ui.h"
#include "search/opinions.h"
#include "viewer/citation.h"
#include "viewer/tform3.h"

namespace pos = database::pos;

std::string TForm3::citation() {
    try {
        if (showsOpinion()) {
            engine::Table& m = data_.misljenja;
            if (!m.active() || m.isEmpty()) {
                return {};
            }
            const std::string date = search::opinionDate(
                m.field(pos::kMisljenjaDan).asInteger(), m.field(pos::kMisljenjaMesec).asInteger(),
                m.field(pos::kMisljenjaGodina).asInteger());
            return viewer::opinionCitation(
                m.field(pos::kMisljenjaNaziv).asString(),
                viewer::ministryName(data_.Zakoni.session(),
                                     m.field(pos::kMisljenjaMinistarstvo).asInteger()),
                m.field(pos::kMisljenjaBroj).asString(), date);
        }
        engine::Table& z = data_.Zakoni;
        if (!z.active() || z.isEmpty()) {
            return {};
        }
        const auto start = static_cast<size_t>(DBRichEdit1->textCursor().selectionStart());
        return viewer::regulationCitation(
            z.field(pos::kZakoniNaziv).asString(),
            viewer::articleAt(DBRichEdit1->plainText(), start),
            viewer::publicationIssues(z.session(), z.field(pos::kZakoniId).asInteger()));
    } catch (const engine::Error&) {
        // Tables that cannot be read give no citation; the text is still
        // copied.
        return {};
    }
}

void TForm3::Kopirajsacitatom1Click() {
    if (!DBRichEdit1->hasSelection()) {
        copyWithCheck();  // its message, nothing copied
        return;
    }
    std::string text = DBRichEdit1->selectedText();
    const std::string line = citation();
    if (!line.empty()) {
        text += "\n" + line;
    }
    platform::ui().setClipboardText(text);
}
