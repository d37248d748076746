#include "viewer/tporedjenje.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QSplitter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "fonts/faces.h"
#include "platform/guard.h"
#include "platform/textconv.h"
#include "platform/ui.h"
#include "platform/windowframe.h"
#include "printing/tpreviewprinter.h"
#include "viewer/smallwindow.h"

namespace {

constexpr const char* kNoVersions = "Ovaj propis nema drugih verzija za pore|enje.";
constexpr const char* kNoText = "Tekst jedne od izabranih verzija nije prona|en u bazi.";
const QColor kAddedColour(0, 128, 0);
const QColor kRemovedColour(200, 0, 0);

QString versionCaption(const compare::Version& v) {
    return platform::qs(v.bg + "  " + v.title);
}

std::string listCaption(const compare::ArticleDiff& a) {
    return (a.heading.empty() ? std::string("Uvodni deo") : a.heading) + " (" +
           compare::changeName(a.change) + ")";
}

QColor markColour(compare::Change change) {
    switch (change) {
        case compare::Change::Added:
            return kAddedColour;
        case compare::Change::Removed:
            return kRemovedColour;
        default:
            return QColor(0, 0, 160);
    }
}

}  // namespace

Tporedjenje::Tporedjenje(engine::Session& session, QWidget* parent)
    : QDialog(parent), session_(session) {
    setObjectName(QStringLiteral("Poredjenje"));
    setWindowTitle(platform::qs("Pore|enje verzija propisa"));
    buildWindow();
}

Tporedjenje::~Tporedjenje() = default;

void Tporedjenje::buildWindow() {
    platform::frameMaximised(*this);
    setFont(fonts::interfaceFont());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    QWidget* row = viewer::addTitleAndCommandRow(*this, *layout);
    QHBoxLayout* box = viewer::commandRowLayout(row);

    auto combo = [&](const char* name, const char* label) {
        auto* caption = new QLabel(platform::qs(label), row);
        auto* c = new QComboBox(row);
        c->setObjectName(QString::fromLatin1(name));
        c->setMinimumContentsLength(30);
        c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        caption->setBuddy(c);
        box->addWidget(caption);
        box->addWidget(c);
        return c;
    };
    ComboStarija = combo("ComboStarija", "&Starija verzija:");
    ComboNovija = combo("ComboNovija", "&Novija verzija:");
    SpeedButtonPismo = platform::textButton(row, "SpeedButtonPismo", "]irili&ca / Latinica",
                                            "Izbor izme|u }irili~nog ili latini~nog pisma");
    SpeedButtonStampa = platform::textButton(row, "SpeedButtonStampa", "[tam&pa", "Prikaz {tampe");
    SpeedButtonZatvori =
        platform::textButton(row, "SpeedButtonZatvori", "&Zatvori", "Zatvaranje ovog prozora");
    for (QToolButton* b : {SpeedButtonPismo, SpeedButtonStampa, SpeedButtonZatvori}) {
        b->setAutoRaise(true);
        box->addWidget(b);
    }
    box->addStretch(1);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    ListaIzmena = new QListWidget(splitter);
    ListaIzmena->setObjectName(QStringLiteral("ListaIzmena"));
    ListaIzmena->setToolTip(
        platform::qs("Izmenjeni, dodati i brisani ~lanovi; klik vodi do ~lana"));
    TekstPoredjenja = new QTextEdit(splitter);
    TekstPoredjenja->setObjectName(QStringLiteral("TekstPoredjenja"));
    TekstPoredjenja->setReadOnly(true);
    TekstPoredjenja->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                             Qt::TextSelectableByKeyboard);
    splitter->addWidget(ListaIzmena);
    splitter->addWidget(TekstPoredjenja);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({220, 800});
    layout->addWidget(splitter, 1);

    LabelUkupno = new QLabel(this);
    LabelUkupno->setObjectName(QStringLiteral("LabelUkupno"));
    LabelUkupno->setContentsMargins(6, 3, 6, 3);
    layout->addWidget(LabelUkupno);

    previewPrinter_ = new printing::TPreviewPrinter(
        printing::documentWindowSettings(fonts::textFace(false), "TREVION"), this);

    auto chosen = [this](int) {
        if (!chain_.empty()) {
            compareChosen();
        }
    };
    platform::connectGuarded(ComboStarija, &QComboBox::currentIndexChanged, this, chosen);
    platform::connectGuarded(ComboNovija, &QComboBox::currentIndexChanged, this, chosen);
    platform::connectGuarded(ListaIzmena, &QListWidget::currentRowChanged, this,
                             [this](int r) { jumpTo(r); });
    platform::connectGuarded(ListaIzmena, &QListWidget::itemClicked, this,
                             [this] { jumpTo(ListaIzmena->currentRow()); });
    platform::connectGuarded(SpeedButtonPismo, &QToolButton::clicked, this,
                             [this] { switchScript(); });
    platform::connectGuarded(SpeedButtonStampa, &QToolButton::clicked, this, [this] { print(); });
    platform::connectGuarded(SpeedButtonZatvori, &QToolButton::clicked, this, [this] { reject(); });
}

bool Tporedjenje::prepare(long long id) {
    std::vector<compare::Version> chain = compare::versionChain(session_, id);
    int chosen = 0;
    for (size_t i = 0; i < chain.size(); ++i) {
        if (chain[i].id == id) {
            chosen = static_cast<int>(i);
        }
    }
    const compare::Pair pair = compare::proposedPair(chain, chosen);
    if (pair.newer < 0) {
        platform::ui().message(kNoVersions);
        return false;
    }
    chain_.clear();  // no comparisons while the lists fill
    cyrillic_ = false;
    for (QComboBox* c : {ComboStarija, ComboNovija}) {
        c->clear();
        for (const compare::Version& v : chain) {
            c->addItem(versionCaption(v));
        }
    }
    ComboStarija->setCurrentIndex(pair.older);
    ComboNovija->setCurrentIndex(pair.newer);
    chain_ = std::move(chain);
    compareChosen();
    return true;
}

void Tporedjenje::compareChosen() {
    const int older = ComboStarija->currentIndex();
    const int newer = ComboNovija->currentIndex();
    if (older < 0 || newer < 0) {
        return;
    }
    auto result = compare::compareVersions(session_, chain_[static_cast<size_t>(older)].id,
                                           chain_[static_cast<size_t>(newer)].id, cyrillic_);
    if (!result) {
        platform::ui().message(kNoText);
        result = compare::Comparison{};
    }
    comparison_ = std::move(*result);
    render();
}

void Tporedjenje::render() {
    const QFont textFont = fonts::textFont(cyrillic_);
    ListaIzmena->blockSignals(true);
    ListaIzmena->clear();
    ListaIzmena->setFont(textFont);
    positions_.clear();

    auto* document = new QTextDocument(TekstPoredjenja);
    document->setDefaultFont(textFont);
    QTextCursor cursor(document);
    QTextCharFormat same;
    QTextCharFormat added;
    added.setForeground(kAddedColour);
    added.setFontUnderline(true);
    QTextCharFormat removed;
    removed.setForeground(kRemovedColour);
    removed.setFontStrikeOut(true);
    int changed = 0;
    int addedCount = 0;
    int removedCount = 0;
    for (const compare::ArticleDiff& a : comparison_.articles) {
        if (a.change != compare::Change::Same) {
            positions_.push_back(cursor.position());
            auto* item = new QListWidgetItem(platform::qs(listCaption(a)), ListaIzmena);
            item->setForeground(markColour(a.change));
            changed += a.change == compare::Change::Changed;
            addedCount += a.change == compare::Change::Added;
            removedCount += a.change == compare::Change::Removed;
        }
        for (const compare::Piece& p : a.pieces) {
            const QTextCharFormat& format = p.mark == compare::Mark::Added     ? added
                                            : p.mark == compare::Mark::Removed ? removed
                                                                               : same;
            // Paragraph ends become blocks; the marks stay on the words.
            size_t start = 0;
            while (start <= p.text.size()) {
                const size_t end = p.text.find('\n', start);
                cursor.insertText(
                    platform::qs(std::string_view(p.text).substr(
                        start, end == std::string::npos ? std::string::npos : end - start)),
                    format);
                if (end == std::string::npos) {
                    break;
                }
                cursor.insertBlock();
                start = end + 1;
            }
        }
    }
    TekstPoredjenja->setDocument(document);
    ListaIzmena->blockSignals(false);
    LabelUkupno->setText(platform::qs(comparison_.identical()
                                          ? std::string("Izabrane verzije se ne razlikuju.")
                                          : "Izmenjenih ~lanova: " + std::to_string(changed) +
                                                ", dodatih: " + std::to_string(addedCount) +
                                                ", brisanih: " + std::to_string(removedCount)));
}

void Tporedjenje::jumpTo(int row) {
    if (row < 0 || row >= static_cast<int>(positions_.size())) {
        return;
    }
    QTextCursor cursor(TekstPoredjenja->document());
    cursor.setPosition(positions_[static_cast<size_t>(row)]);
    // The article's first line at the top of the view.
    TekstPoredjenja->moveCursor(QTextCursor::End);
    TekstPoredjenja->setTextCursor(cursor);
    TekstPoredjenja->ensureCursorVisible();
}

void Tporedjenje::switchScript() {
    cyrillic_ = !cyrillic_;
    compareChosen();
}

void Tporedjenje::print() {
    if (!printing::printerReady()) {
        return;
    }
    printing::useDocumentHeader(previewPrinter_->TextOptions, fonts::textFace(cyrillic_));
    previewPrinter_->PrintRichEdit(*TekstPoredjenja);
    previewPrinter_->Preview();
}
