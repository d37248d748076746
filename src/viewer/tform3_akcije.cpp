// The document window's algorithms: activation, close, the article list, the
// search in the text, the script switch, copying, marking and minimise.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTextCursor>
#include <QToolButton>

#include "database/datasets.h"
#include "database/lookups.h"
#include "database/schema.h"
#include "dbviews/dbrichedit.h"
#include "engine/types.h"
#include "fonts/faces.h"
#include "lists/listrules.h"
#include "platform/textconv.h"
#include "platform/ui.h"
#include "printing/tpreviewprinter.h"
#include "viewer/hits.h"
#include "viewer/tform3.h"
#include "yuscii/yuscii.h"

namespace {

constexpr const char* kLatin = "Latinica";
constexpr const char* kCyrillic = "Cirilica";
constexpr int kPanelOpen = 110;
constexpr int kPanelClosed = 1;
constexpr int kNotesShown = 60;

constexpr const char* kNotFound =
    "Trazena rec nije pronadjena.\r\nZelite li da ponovite pretragu od pocetka teksta?";
constexpr const char* kSelectFirst = "Prvo obelezite tekst koji zelite da iskopirate";

void selectRange(dbviews::DBRichEdit* view, size_t start, size_t length) {
    QTextCursor cursor(view->document());
    cursor.setPosition(static_cast<int>(start));
    cursor.setPosition(static_cast<int>(start + length), QTextCursor::KeepAnchor);
    view->setTextCursor(cursor);
    view->ensureCursorVisible();
}

}  // namespace

bool TForm3::showsRegulation() const {
    return DBRichEdit1->dataSource() == &data_.DataSource2;
}

bool TForm3::showsOpinion() const {
    return DBRichEdit1->dataSource() == &data_.DataSource4;
}

void TForm3::bindText(const std::string& field) {
    // The field first: a large text is then already replaced by the field's
    // name and need not be laid out again in the new font.
    DBRichEdit1->setDataField(field);
    DBRichEdit1->setFont(fonts::textFont(field == kCyrillic));
}

void TForm3::setScriptFonts(bool cyrillic) {
    const QFont font = fonts::textFont(cyrillic);
    clanovi->setFont(font);
    Edit1->setFont(font);
}

void TForm3::prepareOpinion() {
    DBRichEdit1->setDataSource(&data_.DataSource4);
    bindText(kLatin);
    setArticlePanel(kPanelClosed);
    SpeedButton8->setEnabled(false);
}

bool TForm3::hasAttachments() {
    engine::Table& pictures = attachments_->Table1;
    if (!data_.Zakoni.active()) {
        return false;
    }
    try {
        if (!pictures.active()) {
            attachments_->open();
        }
        return database::imaslike(pictures);
    } catch (const engine::Error&) {
        // A picture table that cannot be read offers no attachments.
        return false;
    }
}

void TForm3::setSearchHits(search::HitWords words) {
    hits_->setPending(std::move(words));
}

void TForm3::FormActivate() {
    const std::string caption = platform::ys(windowTitle());
    const bool newDocument = caption != lastShownTitle;
    if (newDocument) {
        Edit1->clear();
        if (DBRichEdit1->dataField() != kLatin) {
            bindText(kLatin);
        }
        if (showsRegulation()) {
            SpeedButton8->setEnabled(hasAttachments());
        }
        SpeedButton9->setEnabled(database::jelimastariji(data_, caption));
        Uporediverzije1->setEnabled(showsRegulation() && SpeedButton9->isEnabled());
        lastShownTitle = caption;
    }
    if (!DBRichEdit1->loaded()) {
        DBRichEdit1->loadMemo();
    }
    if (newDocument) {
        hits_->open(DBRichEdit1->plainText(), DBRichEdit1->dataField() == kCyrillic);
    }
    showTextLength();
    refreshNotes();
}

void TForm3::showTextLength() {
    const size_t n = viewer::textLength(DBRichEdit1->plainText());
    panels_[0]->setText(platform::qs("Du`ina teksta: " + std::to_string(n) + " karaktera"));
}

void TForm3::refreshNotes() {
    std::string notes;
    if (showsRegulation() && data_.Zakoni.active() && !data_.Zakoni.isEmpty()) {
        notes = data_.Zakoni.field(database::pos::kZakoniNapomena).asString();
    }
    if (notes.size() <= lists::kNotesThreshold) {
        SpeedButton4->setEnabled(false);
        setNotesStrip(0);
        return;
    }
    SpeedButton4->setEnabled(true);
    DBRichEdit2->loadMemo();
    setNotesStrip(kNotesShown);
}

void TForm3::FormClose() {
    lastShownTitle.clear();
    hits_->close();
    Edit1->setFont(fonts::textFont(false));
    SpeedButton8->setEnabled(false);
    Q_EMIT closing();
    DBRichEdit1->setDataSource(&data_.DataSource2);
    bindText(kLatin);
    clanovi->clear();
    setArticlePanel(kPanelClosed);
    data_.Zakoni.setFilter("");
    attachments_->close();
}

void TForm3::ubaciclanove() {
    clanovi->clear();
    clanovi->setFont(fonts::textFont(DBRichEdit1->dataField() == kCyrillic));
    for (const std::string& entry : viewer::articleEntries(DBRichEdit1->plainText())) {
        clanovi->addItem(platform::qs(entry));
    }
    DBRichEdit1->moveCursor(QTextCursor::Start);
    setArticlePanel(kPanelOpen);
}

void TForm3::SpeedButton2Click() {
    if (clanovi->count() > 0) {
        setArticlePanel(Panel6->maximumWidth() == kPanelOpen ? kPanelClosed : kPanelOpen);
    } else {
        ubaciclanove();
    }
    DBRichEdit1->viewport()->update();
}

void TForm3::clanoviDblClick() {
    QListWidgetItem* item = clanovi->currentItem();
    if (clanovi->count() == 0 || item == nullptr || !item->isSelected()) {
        return;
    }
    DBRichEdit1->moveCursor(QTextCursor::Start);
    const std::string entry = platform::ys(item->text());
    if (auto p = viewer::findFoldAZ(DBRichEdit1->plainText(), entry, 1)) {
        selectRange(DBRichEdit1, *p, entry.size());
        DBRichEdit1->setFocus();
    }
}

void TForm3::SpeedButton1Click() {
    pretrazivac.sync(DBRichEdit1->plainText());
    nadjitekst(yuscii::yupperW(platform::ys(Edit1->text())));
}

void TForm3::nadjitekst(const std::string& word) {
    // An empty field has nothing to find.
    while (!word.empty()) {
        if (auto p = pretrazivac.findNext(word)) {
            selectRange(DBRichEdit1, *p, word.size());
            DBRichEdit1->setFocus();
            break;
        }
        if (!platform::ui().confirm(kNotFound)) {
            break;
        }
        DBRichEdit1->moveCursor(QTextCursor::Start);
        pretrazivac.collapse();
    }
    Edit1->setFocus();
}

void TForm3::konverzija() {
    const bool cyrillic = DBRichEdit1->dataField() == kLatin;
    bindText(cyrillic ? kCyrillic : kLatin);
    setScriptFonts(cyrillic);
    DBRichEdit1->loadMemo();
    hits_->refresh(DBRichEdit1->plainText(), cyrillic);
    showTextLength();
    if (showsRegulation()) {
        DBRichEdit2->loadMemo();
    }
}

void TForm3::copyWithCheck() {
    if (!DBRichEdit1->hasSelection()) {
        platform::ui().message(kSelectFirst);
        return;
    }
    DBRichEdit1->copyToClipboard();
}

void TForm3::Kopiraj1Click() {
    DBRichEdit1->copyToClipboard();
}

void TForm3::Stampaj1Click() {
    if (!printing::printerReady()) {
        return;
    }
    // The header prints in the shown script.
    printing::useDocumentHeader(previewPrinter_->TextOptions,
                                fonts::textFace(DBRichEdit1->dataField() == kCyrillic));
    previewPrinter_->PrintRichEdit(*DBRichEdit1);
    previewPrinter_->Preview();
}

void TForm3::Prikazirelacije1Click() {
    if (links.showRelations) {
        links.showRelations(showsOpinion());
    }
}

void TForm3::Oznacizabrzootvaranje1Click() {
    Q_EMIT quickOpenMarked(platform::ys(windowTitle()));
}
