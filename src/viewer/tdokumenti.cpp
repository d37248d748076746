#include "viewer/tdokumenti.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "database/datasets.h"
#include "database/schema.h"
#include "dbviews/dbimage.h"
#include "engine/types.h"
#include "fonts/faces.h"
#include "platform/guard.h"
#include "platform/log.h"
#include "platform/textconv.h"
#include "platform/ui.h"
#include "platform/windowframe.h"
#include "printing/tpreviewprinter.h"
#include "viewer/smallwindow.h"

namespace {

constexpr const char* kEntry = "Prilog br. ";
constexpr const char* kChooseFirst = "Prvo izaberite sliku za stampanje";

// "Prilog br. 7" names "S7".
std::string fieldOfEntry(const std::string& entry) {
    const std::string number = entry.substr(std::min(entry.size(), std::string(kEntry).size()));
    return "S" + number;
}

}  // namespace

Tdokumenti::Tdokumenti(engine::Session& session, database::MainData& data, QWidget* parent)
    : QDialog(parent),
      attachments_(std::make_unique<database::AttachmentData>(session, data.Zakoni)) {
    setObjectName(QStringLiteral("dokumenti"));
    setWindowTitle(platform::qs("Prilozi"));
    resize(748, 574);
    buildWindow();
    setFont(fonts::interfaceFont());
}

Tdokumenti::~Tdokumenti() {
    // The pictures' views go with the widgets, after the members: let go of
    // the data source first.
    Image1->setDataSource(nullptr);
    DBImage1->setDataSource(nullptr);
}

void Tdokumenti::buildWindow() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    QWidget* row = viewer::addTitleAndCommandRow(*this, *layout);
    QHBoxLayout* rowLayout = viewer::commandRowLayout(row);
    SpeedButton6 = platform::textButton(row, "SpeedButton6", "[tam&paj", nullptr);
    SpeedButton3 =
        platform::textButton(row, "SpeedButton3", "Pret&hodna strana", "Povratak na izbor propisa");
    rowLayout->addWidget(SpeedButton6);
    rowLayout->addStretch(1);
    rowLayout->addWidget(SpeedButton3);
    rowLayout->addSpacing(40);

    auto* body = new QHBoxLayout;
    body->setContentsMargins(4, 4, 4, 4);
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setFixedWidth(232);
    body->addWidget(ListBox1);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel3"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(4, 4, 4, 4);
    Image1 = new dbviews::DBImage(panel);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setDataSource(&attachments_->DataSource1);
    panelLayout->addWidget(Image1);
    body->addWidget(panel, 1);
    layout->addLayout(body, 1);

    DBImage1 = new dbviews::DBImage(this);
    DBImage1->setObjectName(QStringLiteral("DBImage1"));
    DBImage1->setDataSource(&attachments_->DataSource1);
    DBImage1->hide();

    platform::connectGuarded(ListBox1, &QListWidget::currentItemChanged, this,
                             [this](QListWidgetItem* item) {
                                 if (item != nullptr) {
                                     ListBox1Click();
                                 }
                             });
    platform::connectGuarded(SpeedButton6, &QToolButton::clicked, this,
                             [this] { SpeedButton6Click(); });
    platform::connectGuarded(SpeedButton3, &QToolButton::clicked, this, [this] { reject(); });
}

void Tdokumenti::FormActivate() {
    setFont(fonts::interfaceFont());
    ListBox1->clear();
    try {
        if (!attachments_->Table1.active()) {
            attachments_->open();
        }
    } catch (const engine::Error& e) {
        // A picture table that cannot be read shows no attachments.
        platform::log(std::string("Prilozi: ") + e.what());
    }
    for (int slot = 1; slot <= database::kPictureSlots; ++slot) {
        DBImage1->setDataField(database::pictureField(slot));
        if (DBImage1->picture().height() > 0) {
            ListBox1->addItem(platform::qs(kEntry + std::to_string(slot)));
        }
    }
    showSlot(database::pictureField(1));
}

void Tdokumenti::showSlot(const std::string& field) {
    DBImage1->setDataField(field);
    // The display shows the holder's picture.
    Image1->setDataField(DBImage1->dataField());
}

void Tdokumenti::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

void Tdokumenti::done(int result) {
    QDialog::done(result);
    attachments_->close();
}

void Tdokumenti::ListBox1Click() {
    if (QListWidgetItem* item = ListBox1->currentItem()) {
        showSlot(fieldOfEntry(platform::ys(item->text())));
    }
}

void Tdokumenti::SpeedButton6Click() {
    if (ListBox1->selectedItems().isEmpty()) {
        platform::ui().message(kChooseFirst);
        return;
    }
    if (!printing::hasDefaultPrinter() || !platform::ui().printDialog()) {
        return;
    }
    const QImage picture = Image1->picture();
    auto job = platform::ui().startPrintJob("", false);
    if (!job) {
        return;
    }
    // The page's printable area, in the printer's pixels from its corner.
    const platform::PageMetrics page = job->metrics();
    const int width = page.width - 2 * page.offsetX;
    const int height = page.height - 2 * page.offsetY;
    if (QPainter* painter = job->newPage(1)) {
        const QRect target(kPrintInset, kPrintInset, width - 2 * kPrintInset,
                           height - 2 * kPrintInset);
        if (!picture.isNull() && target.isValid()) {
            painter->drawImage(target, picture);  // stretched: proportions not kept
        }
    }
    job->finish();
}
