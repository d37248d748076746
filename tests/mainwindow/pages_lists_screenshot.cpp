// Renders the lists, opinions and archive pages of the main window and the
// selection window with demo rows to PNG files.
// Usage: pages_lists_screenshot <program directory> <output directory>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <cstdio>
#include <filesystem>

#include "app/wiring.h"
#include "engine/session.h"
#include "fonts/fonts.h"
#include "mainwindow/tform1.h"
#include "platform/programdir.h"
#include "platform/textconv.h"
#include "platform/ui.h"
#include "selection/tselekt.h"
#include "startup/session.h"
#include "support/find_child.h"
#include "viewer/tform3.h"
#include "widgets/reportlist.h"

namespace {

// Nothing blocks; the selection window is grabbed while it "shows".
class ShotUi final : public platform::Ui {
  public:
    std::filesystem::path out;
    void message(const std::string&, platform::Icon) override {}
    bool confirm(const std::string&, platform::Icon) override { return true; }
    std::optional<std::string> input(const std::string&, const std::string&,
                                     const std::string&) override {
        return std::nullopt;
    }
    int showModal(QDialog& dialog) override {
        if (auto* window = qobject_cast<Tselekt*>(&dialog)) {
            window->setWindowState(Qt::WindowNoState);
            window->resize(1100, 640);
            window->show();
            QApplication::processEvents();
            testsupport::child<QLineEdit>(window, "Edit1")->setText(QStringLiteral("ZAKON"));
            testsupport::child<QToolButton>(window, "SpeedButton1")->click();
            QApplication::processEvents();
            window->grab().save(QString::fromStdString((out / "selekt.png").string()));
            window->reject();
        }
        return 0;
    }
    bool printerSetup() override { return false; }
    bool printDialog() override { return false; }
    std::string defaultPrinter() override { return {}; }
    int shellOpen(const std::string&, const std::string&, const std::string&) override { return 0; }
    std::string clipboardText() override { return {}; }
    void setClipboardText(const std::string&) override {}
    bool ownsClipboardText() override { return false; }
    void beep() override {}
};

void save(TForm1& form, int page, const std::filesystem::path& file) {
    form.selectPage(page);
    QApplication::processEvents();
    form.grab().save(QString::fromStdString(file.string()));
}

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: pages_lists_screenshot <program dir> <output dir>\n");
        return 2;
    }
    const std::filesystem::path programDir = argv[1];
    ShotUi ui;
    ui.out = argv[2];
    platform::setUi(&ui);
    platform::setProgramDir(programDir);
    std::filesystem::current_path(programDir);
    fonts::installfonts();

    engine::Session session;
    startup::openDatabase(session, programDir);
    {
        TForm1 form(session);
        TForm3 document(session, form);
        Tselekt selection;
        app::wireDocument(form, document);
        app::wireSelection(form, selection);
        form.setWindowState(Qt::WindowNoState);
        form.resize(1200, 760);
        form.show();
        form.FormActivate();

        form.liste.recent = {"Zakon o ra~unovodstvu", "Pravilnik o obrascu 'PP PDV'"};
        form.liste.history = {"'PDV' - po naslovima (nadjeno 6 propisa)",
                              "'''PP' - po naslovima i tekstovima (nadjeno 1 propisa)"};
        form.liste.quick = {"Zakon o privrednim dru{tvima"};
        form.prikaziliste();
        save(form, TForm1::kListe, ui.out / "page-liste.png");

        // A title-and-text search with the hit context of its second row.
        form.selectPage(TForm1::kPretraga);
        testsupport::child<QLineEdit>(&form, "Edit2")->setText(QStringLiteral("ZARADE"));
        testsupport::child<QRadioButton>(&form, "RadioButton5")->setChecked(true);
        testsupport::child<QAbstractButton>(&form, "SpeedButton1")->click();
        testsupport::child<widgets::ReportList>(&form, "ListBox2")->selectOnly(1);
        save(form, TForm1::kPretraga, ui.out / "page-pretraga.png");

        testsupport::child<QLineEdit>(&form, "Edit8")->setText(QStringLiteral("PDV"));
        testsupport::child<QRadioButton>(&form, "RadioButton3")->setChecked(true);
        testsupport::child<QAbstractButton>(&form, "SpeedButton14")->click();
        testsupport::child<widgets::ReportList>(&form, "Listbox6")->selectOnly(0);
        testsupport::child<QCheckBox>(&form, "SviDatumi")->click();
        testsupport::child<widgets::ReportList>(&form, "Listbox6")->clickColumn(1);
        save(form, TForm1::kMisljenja, ui.out / "page-misljenja.png");

        testsupport::child<QLineEdit>(&form, "Edit7")->setText(QStringLiteral("RA~UNOVODSTVU"));
        testsupport::child<QAbstractButton>(&form, "SpeedButton22")->click();
        testsupport::child<widgets::ReportList>(&form, "ListBox7")->selectOnly(2);
        save(form, TForm1::kArhiva, ui.out / "page-arhiva.png");

        form.liste.newest = {"Zakon o ra~unovodstvu", "Zakon o privrednim dru{tvima",
                             "Pravilnik o obrascu 'PP PDV'", "Odluka o visini najni`e cene rada"};
        testsupport::child<QAbstractButton>(&form, "SpeedButton10")->click();
    }
    platform::setUi(nullptr);
    return 0;
}
