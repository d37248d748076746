// Page 3 "^&esto kori{}eni propisi": the remembered lists.
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QSpinBox>
#include <QVBoxLayout>

#include "mainwindow/apphint.h"
#include "mainwindow/tform1.h"
#include "platform/textconv.h"

namespace {

QGroupBox* group(QWidget* parent, const char* name, const char* caption) {
    auto* box = new QGroupBox(platform::qs(caption), parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

QListWidget* listIn(QGroupBox* box, const char* name, const char* hint) {
    auto* list = new QListWidget(box);
    list->setObjectName(QString::fromLatin1(name));
    apphint::setHint(list, hint);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(list);
    return list;
}

QSpinBox* limitField(QWidget* parent, const char* name, const char* hint) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(QString::fromLatin1(name));
    spin->setRange(remembered::kLimitMin, remembered::kLimitMax);
    spin->setValue(remembered::kLimitDefault);
    apphint::setHint(spin, hint);
    return spin;
}

}  // namespace

void TForm1::buildPageListe() {
    auto* grid = new QGridLayout(TabSheetListe);

    QGroupBox* recent = group(TabSheetListe, "GroupBoxCesti", "^esto kori{}eni propisi");
    ListBox5 = listIn(recent, "ListBox5",
                      "Poslednjih nekoliko otvaranih propisa  - dupli klik otvara propis");
    QGroupBox* history = group(TabSheetListe, "GroupBoxPretrage", "Poslednjih nekoliko pretraga");
    ListBox4 =
        listIn(history, "ListBox4", "Poslednjih nekoliko pretraga - dupli klik rekreira pretragu");
    grid->addWidget(recent, 0, 0);
    grid->addWidget(history, 0, 1);

    QGroupBox* limits =
        group(TabSheetListe, "GroupBoxPamcenje", "Pode{avanja za pam}enje poslednjih pretraga");
    auto* limitsLayout = new QGridLayout(limits);
    SpinEdit2 = limitField(limits, "SpinEdit2",
                           "Izaberite koli~inu skoro kori{}enih propisa koji se pamte");
    SpinEdit4 = limitField(limits, "SpinEdit4", "Izaberite koli~inu pretraga koje se pamte");
    limitsLayout->addWidget(
        new QLabel(platform::qs("Koliko poslednjih ~esto kori{}enih propisa se pamti"), limits), 0,
        0);
    limitsLayout->addWidget(SpinEdit2, 0, 1);
    limitsLayout->addWidget(new QLabel(platform::qs("Koliko poslednjih pretraga se pamti"), limits),
                            1, 0);
    limitsLayout->addWidget(SpinEdit4, 1, 1);
    limitsLayout->setColumnStretch(2, 1);
    limitsLayout->setRowStretch(2, 1);
    grid->addWidget(limits, 1, 0);

    auto* quick = new QWidget(TabSheetListe);
    auto* quickLayout = new QVBoxLayout(quick);
    quickLayout->setContentsMargins(0, 0, 0, 0);
    quickLayout->addWidget(new QLabel(platform::qs("Propisi ozna~eni za brzo otvaranje"), quick));
    ListBox8 = new QListWidget(quick);
    ListBox8->setObjectName(QStringLiteral("ListBox8"));
    apphint::setHint(ListBox8, "Lista propisa obele`enih za brzo otvaranje");
    quickLayout->addWidget(ListBox8);
    grid->addWidget(quick, 1, 1);
    grid->setRowStretch(0, 3);
    grid->setRowStretch(1, 2);
}

void TForm1::PopupMenuItemsClick(int /*position*/) {
    // Opens the quick-open title at that position.
}
