#include "update/tupdater.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <climits>
#include <filesystem>

#include "database/schema.h"
#include "engine/session.h"
#include "fonts/faces.h"
#include "platform/guard.h"
#include "platform/programdir.h"
#include "platform/textconv.h"
#include "platform/windowframe.h"
#include "update/controller.h"
#include "update/rebuild.h"
#include "update/uilistener.h"
#include "update/updateicons.h"

namespace {

constexpr const char* kIdleCaption = "&A`uriraj";
constexpr const char* kReadyCaption = "&Po~ni";

QLabel* label(QWidget* parent, const char* name, const char* text) {
    auto* l = new QLabel(platform::qs(text), parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

// A label that underlines the letter after "&" as the caption's key, without
// taking that key: the update button's own "&A" is the key, and a second
// holder of it would make the key only move the focus. The caption itself
// is the label's accessible name.
QLabel* keyLabel(QWidget* parent, const char* name, const char* text) {
    const QString caption = platform::qs(text);
    const qsizetype at = caption.indexOf(u'&');
    QString shown = caption.toHtmlEscaped();
    if (at >= 0 && at + 1 < caption.size()) {
        shown = caption.left(at).toHtmlEscaped() + QStringLiteral("<u>") +
                caption.mid(at + 1, 1).toHtmlEscaped() + QStringLiteral("</u>") +
                caption.mid(at + 2).toHtmlEscaped();
    }
    QLabel* l = label(parent, name, "");
    l->setTextFormat(Qt::RichText);
    l->setText(shown);
    l->setAccessibleName(caption);
    return l;
}

}  // namespace

// Draws what the controller tells on the window's controls.
class Tupdater::View : public update::UiListener<update::UpdateListener> {
  public:
    explicit View(Tupdater& window) : UiListener(true), w_(window) {}

    void progress(long long position, long long maximum) override {
        // The bar counts in int: large transfers are counted in coarser units.
        int shift = 0;
        while ((maximum >> shift) > INT_MAX) {
            ++shift;
        }
        w_.ProgressBar1->setRange(0, static_cast<int>(maximum >> shift));
        w_.ProgressBar1->setValue(static_cast<int>(position >> shift));
    }
    void newestList(const std::vector<std::string>& titles) override {
        Q_EMIT w_.newestListChanged(titles);
    }
    void updateDate(const std::string& date) override { Q_EMIT w_.updateDateSet(date); }
    void countsChanged() override {
        w_.installed_ = true;
        Q_EMIT w_.countsChanged();
    }
    void statusText(const std::string& text) override {
        w_.StatusText->setText(platform::qs(text));
    }
    void rowsCleared() override { w_.ListView1->clear(); }
    void rowAdded(const std::string& name, update::RowIcon icon,
                  const std::string& status) override {
        auto* item = new QTreeWidgetItem(w_.ListView1, {platform::qs(name), platform::qs(status)});
        item->setIcon(0, update::rowIcon(icon));
    }
    void rowStatus(int row, const std::string& status) override {
        if (QTreeWidgetItem* item = w_.ListView1->topLevelItem(row)) {
            item->setText(1, platform::qs(status));
        }
    }
    void stateChanged(update::State state) override {
        const bool ready = state == update::State::Ready;
        w_.SpeedButton1->setText(platform::qs(ready ? kReadyCaption : kIdleCaption));
        QPalette palette = w_.SpeedButton1->palette();
        palette.setColor(QPalette::ButtonText, ready ? Qt::red : Qt::black);
        w_.SpeedButton1->setPalette(palette);
    }
    void buttonEnabled(bool enabled) override { w_.SpeedButton1->setEnabled(enabled); }

  private:
    Tupdater& w_;
};

Tupdater::Tupdater(engine::Session& session, QWidget* parent)
    : QDialog(parent), session_(session), view_(std::make_unique<View>(*this)) {
    setObjectName(QStringLiteral("updater"));
    setWindowTitle(platform::qs("Azuriranje"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    buildWindow();
    const QFont face = fonts::interfaceFont();
    setFont(face);
    SpeedButton1->setFont(face);
    QFont bold = face;
    bold.setBold(true);
    Label1->setFont(bold);
    view_->stateChanged(update::State::Idle);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

Tupdater::~Tupdater() = default;

void Tupdater::buildWindow() {
    setFixedSize(655, 432);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    auto* layout = new QVBoxLayout;
    layout->setContentsMargins(16, 12, 16, 8);
    layout->setSpacing(6);
    outer->addLayout(layout, 1);

    Label1 = label(this, "Label1", "A`uriranje baze podataka programa Trevion");
    Label4 = label(this, "Label4", "Trenutna verzija programa:");
    Label3 = label(this, "Label3", "Izmene koje mogu biti preuzete sa interneta:");
    layout->addWidget(Label1);
    layout->addWidget(Label4);
    layout->addSpacing(6);
    layout->addWidget(Label3);

    ListView1 = new QTreeWidget(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setRootIsDecorated(false);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setIconSize(QSize(16, 16));
    ListView1->setUniformRowHeights(true);
    ListView1->setHeaderLabels({platform::qs("Redni broj izmene"), platform::qs("Status")});
    ListView1->setColumnWidth(0, 250);
    ListView1->setColumnWidth(1, 100);
    ListView1->header()->setStretchLastSection(false);
    ListView1->header()->setSectionsMovable(false);
    layout->addWidget(ListView1, 1);

    Label2 = keyLabel(this, "Label2", "Kliknite na &A`uriraj za po~etak");
    layout->addWidget(Label2);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    layout->addWidget(ProgressBar1);

    auto* buttons = new QHBoxLayout;
    SpeedButton1 = platform::textButton(this, "SpeedButton1", kIdleCaption, nullptr);
    SpeedButton4 = platform::textButton(this, "SpeedButton4", "&Zatvori", nullptr);
    for (QToolButton* button : {SpeedButton1, SpeedButton4}) {
        button->setMinimumSize(110, 30);
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    layout->addLayout(buttons);
    platform::connectGuarded(SpeedButton1, &QToolButton::clicked, this,
                             [this] { SpeedButton1Click(); });
    platform::connectGuarded(SpeedButton4, &QToolButton::clicked, this,
                             [this] { SpeedButton4Click(); });

    std::vector<QLabel*> panels;
    StatusBar1 = platform::createStatusBar(this, "StatusBar1", {651}, panels);
    StatusText = panels.front();
    outer->addWidget(StatusBar1);
}

void Tupdater::FormCreate() {
    if (controller_) {
        return;
    }
    update::FtpSettings ftp = update::defaultFtpSettings();
    if (links.proxy) {
        const Proxy proxy = links.proxy();
        update::applyProxy(ftp, proxy.use, proxy.address, proxy.portLine, proxy.portField);
    }
    // The window's installs leave the search index to the main window's
    // rebuild in the background (tablesChanged): the user waits for the
    // merge alone.
    controller_ = std::make_unique<update::UpdateController>(session_, database::kAlias,
                                                             platform::programDir(), std::move(ftp),
                                                             *view_, update::TUTextIndex::Later);
}

update::UpdateController& Tupdater::controller() {
    FormCreate();
    return *controller_;
}

bool Tupdater::repair(update::Listener& listener) {
    return update::repairDatabase(controller().util(), session_.aliasPath(database::kAlias),
                                  listener);
}

void Tupdater::SpeedButton1Click() {
    installed_ = false;
    controller().click();
    if (installed_) {
        installed_ = false;
        Q_EMIT tablesChanged();
    }
}

void Tupdater::SpeedButton4Click() {
    close();
}
