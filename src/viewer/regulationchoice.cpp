#include "viewer/regulationchoice.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "fonts/faces.h"
#include "platform/textconv.h"
#include "platform/ui.h"

namespace viewer {

int chooseRegulation(QWidget* parent, const std::vector<compare::Version>& regulations) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("IzborPropisa"));
    dialog.setWindowTitle(platform::qs("Izbor propisa"));
    dialog.setFont(fonts::interfaceFont());
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(
        platform::qs("U ovom broju glasila objavljeno je vi{e propisa. Izaberite propis:"),
        &dialog));
    auto* list = new QListWidget(&dialog);
    list->setObjectName(QStringLiteral("ListBoxIzbor"));
    list->setFont(fonts::textFont(false));
    for (const compare::Version& v : regulations) {
        list->addItem(platform::qs(v.title + " (" + v.bg + ")"));
    }
    list->setCurrentRow(0);
    layout->addWidget(list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(platform::qs("&Otvori"));
    buttons->button(QDialogButtonBox::Cancel)->setText(platform::qs("Odustani"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
    dialog.resize(520, 260);
    if (platform::ui().showModal(dialog) != QDialog::Accepted) {
        return -1;
    }
    return list->currentRow();
}

}  // namespace viewer
