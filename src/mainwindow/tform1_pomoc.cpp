// Page 8 "Po&mo}": the help text, the "O nama" panel, the manual and the
// mail and web links.
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

#include "fonts/faces.h"
#include "mainwindow/publisher.h"
#include "mainwindow/tform1.h"
#include "platform/files.h"
#include "platform/guard.h"
#include "platform/programdir.h"
#include "platform/textconv.h"
#include "platform/ui.h"
#include "platform/windowframe.h"
#include "richtext/reader.h"
#include "widgets/bandart.h"

namespace {

QLabel* panelLabel(QWidget* panel, const char* name, const std::string& text, int top) {
    auto* label = new QLabel(platform::qs(text), panel);
    label->setObjectName(QString::fromLatin1(name));
    label->move(0, top);
    label->adjustSize();
    return label;
}

}  // namespace

namespace mainwindow {

// The messages of the shell's error values, in the order of kShellValues.
struct ShellErrors {
    const char* text[9];
};

}  // namespace mainwindow

namespace {

constexpr int kShellValues[9] = {0, 2, 3, 5, 8, 11, 26, 27, 31};

constexpr const char* kNoMemory = "Nedovoljno memorije za ovu operaciju";
constexpr const char* kNetworkShare = "Mrezno deljena lokacija nije dostupna";
constexpr const char* kBadProgram = "Program koji otvara ovu datoteku je neispravan!";
constexpr const char* kNoProgram = "Ne postoji program koji otvara ovu datoteku!";

}  // namespace

namespace mainwindow {

constexpr ShellErrors kMailErrors = {{
    "Nedovoljno sistemskih resursa za otvaranje Mail aplikacije",
    "Datoteka nije pronadjena",
    "Lokacija nije pronadjena",
    "Zabranjen pristup!",
    kNoMemory,
    "Vas program za pristup Mail se nije ispravno startovao",
    kNetworkShare,
    kBadProgram,
    kNoProgram,
}};

constexpr ShellErrors kWebErrors = {{
    "Nedovoljno sistemskih resursa za otvaranje stranice",
    "Stranica nije pronadjena",
    "Lokacija Stranice nije pronadjena",
    "Zabranjen pristup stranici",
    kNoMemory,
    "Vas program za pristup Internetu se nije ispravno startovao",
    kNetworkShare,
    kBadProgram,
    kNoProgram,
}};

constexpr ShellErrors kManualErrors = {{
    "Nedovoljno sistemskih resursa za startovanje uputstva",
    "Uputstvo nije pronadjeno",
    "Lokacija Uputstva nije pronadjena",
    "Zabranjen pristup datoteci",
    kNoMemory,
    "Program za otvaranje Uputstva se ne moze startovati pod ovim operativnim sistemom",
    kNetworkShare,
    kBadProgram,
    kNoProgram,
}};

}  // namespace mainwindow

void TForm1::buildPagePomoc() {
    auto* page = new QVBoxLayout(TabSheetPomoc);

    Panel11 = new QFrame(TabSheetPomoc);
    Panel11->setObjectName(QStringLiteral("Panel11"));
    Panel11->setFrameShape(QFrame::StyledPanel);
    Panel11->setFixedHeight(132);
    auto* logo = new QLabel(Panel11);
    logo->setObjectName(QStringLiteral("Image22"));
    logo->setPixmap(widgets::logo(48));
    logo->setGeometry(12, 12, 48, 48);
    Label52 = panelLabel(Panel11, "Label52", "Trevion", 8);
    QFont bold = Label52->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 6);
    Label52->setFont(bold);
    Label52->adjustSize();
    Label60 = panelLabel(Panel11, "Label60", mainwindow::publisher::kEditors, 46);
    Label61 = panelLabel(Panel11, "Label61", mainwindow::publisher::kAddress, 70);
    Label34 = panelLabel(Panel11, "Label34",
                         std::string(mainwindow::publisher::kWeb) + "   e-mail: ", 98);
    page->addWidget(Panel11);
    // The panel takes its width only once its page is laid out.
    Panel11->installEventFilter(this);

    auto* lower = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    RichEdit3 = new QTextEdit(TabSheetPomoc);
    RichEdit3->setObjectName(QStringLiteral("RichEdit3"));
    RichEdit3->setReadOnly(true);
    RichEdit3->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    left->addWidget(RichEdit3, 1);
    SpeedButton8 = platform::textButton(TabSheetPomoc, "SpeedButton8",
                                        "&Uputstvo za kori{}enje programa", nullptr);
    SpeedButton8->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    left->addWidget(SpeedButton8);
    lower->addLayout(left, 1);

    auto* contact = new QGroupBox(platform::qs("Dostava propisa i kontakt"), TabSheetPomoc);
    contact->setObjectName(QStringLiteral("Panel12"));
    contact->setFixedWidth(260);
    auto* contactColumn = new QVBoxLayout(contact);
    SpeedButton3 = platform::textButton(contact, "SpeedButton3", "Tra`im pr&opis",
                                        "Po{aljite nam e-mail sa nazivom propisa koji tra`ite");
    SpeedButton11 =
        platform::textButton(contact, "SpeedButton11", "S&ugsetije, kometari",
                             "Po{aljite nam sugestije i komentare vezane za rad programa");
    SpeedButton12 = platform::textButton(contact, "SpeedButton12", "Posetite na{ sa&jt",
                                         mainwindow::publisher::kWeb);
    auto* consulting = new QGroupBox(platform::qs("Konsalting usluge"), contact);
    consulting->setObjectName(QStringLiteral("GroupBoxKonsalting"));
    auto* consultingColumn = new QVBoxLayout(consulting);
    SpeedButton15 =
        platform::textButton(consulting, "SpeedButton15", "Pita&nje ", "Konsalting usluge");
    consultingColumn->addWidget(SpeedButton15);
    for (QAbstractButton* button : {SpeedButton3, SpeedButton11, SpeedButton12, SpeedButton15}) {
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        button->setMinimumHeight(32);
    }
    contactColumn->addWidget(SpeedButton3);
    contactColumn->addWidget(SpeedButton11);
    contactColumn->addWidget(SpeedButton12);
    contactColumn->addWidget(consulting);
    contactColumn->addStretch(1);
    lower->addWidget(contact);
    page->addLayout(lower, 1);

    const std::pair<QAbstractButton*, void (TForm1::*)()> links[] = {
        {SpeedButton8, &TForm1::SpeedButton8Click},   {SpeedButton3, &TForm1::SpeedButton3Click},
        {SpeedButton11, &TForm1::SpeedButton11Click}, {SpeedButton12, &TForm1::SpeedButton12Click},
        {SpeedButton15, &TForm1::SpeedButton15Click},
    };
    for (const auto& [button, handler] : links) {
        platform::connectGuarded(button, &QAbstractButton::clicked, this,
                                 [this, handler = handler] { (this->*handler)(); });
    }

    // The contact line gets the mail address, in Tahoma: addresses are not
    // YUSCII, so the line is plain Latin-1 in a font that draws '@' as '@'.
    Label34->setText(QString::fromLatin1(std::string(mainwindow::publisher::kWeb) +
                                         "   e-mail: " + mainwindow::publisher::kMail));
    Label34->setFont(QFont(QStringLiteral("Tahoma")));
    Label34->adjustSize();
}

void TForm1::loadHelpText() {
    auto rtf = platform::readFile(platform::inProgramDir("dostava.rtf"));
    if (!rtf) {
        return;
    }
    QTextDocument* doc = RichEdit3->document();
    doc->setDefaultFont(fonts::textFont(false));
    richtext::read(*rtf, *doc);
}

void TForm1::openLink(const char* verb, const std::string& target, const std::string& directory,
                      const mainwindow::ShellErrors* errors) {
    const int result = platform::ui().shellOpen(verb, target, directory);
    if (result > 32 || errors == nullptr) {
        return;
    }
    for (size_t i = 0; i < std::size(kShellValues); ++i) {
        if (kShellValues[i] == result) {
            platform::ui().message(errors->text[i]);
        }
    }
}

void TForm1::SpeedButton3Click() {
    openLink("",
             std::string("mailto:") + mainwindow::publisher::kMailRequests +
                 "?Subject=Treba mi propis...",
             "", &mainwindow::kMailErrors);
}

void TForm1::SpeedButton11Click() {
    openLink("",
             std::string("mailto:") + mainwindow::publisher::kMailSuggestions +
                 "?Subject=Sugestija za poboljsanje Treviona...",
             "", &mainwindow::kMailErrors);
}

void TForm1::SpeedButton15Click() {
    openLink("",
             std::string("mailto:") + mainwindow::publisher::kMailConsulting +
                 "?Subject=Imam pitanje u vezi...",
             "", nullptr);
}

void TForm1::SpeedButton12Click() {
    openLink("open", std::string("https://") + mainwindow::publisher::kWeb, "",
             &mainwindow::kWebErrors);
}

void TForm1::SpeedButton8Click() {
    const std::filesystem::path folder = platform::inProgramDir("uputstvo");
    openLink("open", (folder / "uputstvo.rtf").string(), (folder / "").string(),
             &mainwindow::kManualErrors);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Panel11 && event->type() == QEvent::Resize) {
        centrePanel11(22, 32, 32, 27);
    }
    return QDialog::eventFilter(watched, event);
}

void TForm1::centrePanel11(int o34, int o52, int o60, int o61) {
    const int width = Panel11->width();
    for (auto [label, offset] : {std::pair{Label34, o34}, std::pair{Label52, o52},
                                 std::pair{Label60, o60}, std::pair{Label61, o61}}) {
        label->adjustSize();
        const int left = static_cast<int>(std::lround((width - label->width()) / 2.0)) + offset;
        label->move(left, label->y());
    }
}
