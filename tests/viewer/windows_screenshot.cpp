// Renders the document window's small windows and the print preview to PNG
// files: the relations of a regulation, its attachments, its notes, and the
// preview of its print at two zooms.
// Usage: windows_screenshot <program directory> <output directory>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QListWidget>
#include <QToolButton>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>

#include "database/datasets.h"
#include "database/lookups.h"
#include "database/opening.h"
#include "engine/session.h"
#include "fonts/fonts.h"
#include "platform/programdir.h"
#include "platform/textconv.h"
#include "platform/ui.h"
#include "startup/session.h"
#include "support/find_child.h"
#include "viewer/tdokumenti.h"
#include "viewer/tform3.h"
#include "viewer/tform5.h"
#include "viewer/trelacije.h"

namespace {

// Shows each modal window, lets a step act on it, saves it and hides it.
class ShotUi final : public platform::Ui {
  public:
    std::filesystem::path out;
    std::map<std::string, std::function<void(QDialog&)>> steps;  // by object name

    int showModal(QDialog& dialog) override {
        dialog.show();
        QApplication::processEvents();
        const std::string name = dialog.objectName().toStdString();
        save(dialog, name);
        if (auto step = steps.find(name); step != steps.end()) {
            step->second(dialog);
        }
        dialog.hide();
        return 0;
    }
    void save(QWidget& window, const std::string& name) {
        QApplication::processEvents();
        window.grab().save(QString::fromStdString((out / (name + ".png")).string()));
    }

    void message(const std::string& text, platform::Icon) override {
        std::printf("message: %s\n", text.c_str());
    }
    bool confirm(const std::string&, platform::Icon) override { return false; }
    std::optional<std::string> input(const std::string&, const std::string&,
                                     const std::string&) override {
        return std::nullopt;
    }
    bool printerSetup() override { return true; }
    bool printDialog() override { return false; }
    std::string defaultPrinter() override { return "Screen"; }
    std::optional<platform::PageMetrics> printerPage(bool) override { return std::nullopt; }
    int shellOpen(const std::string&, const std::string&, const std::string&) override { return 0; }
    std::string clipboardText() override { return {}; }
    void setClipboardText(const std::string&) override {}
    bool ownsClipboardText() override { return true; }
    void beep() override {}
};

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Trevion"));
    if (argc < 3) {
        std::fprintf(stderr, "usage: windows_screenshot <program dir> <output dir>\n");
        return 2;
    }
    const std::filesystem::path programDir = argv[1];
    ShotUi ui;
    ui.out = argv[2];
    platform::setUi(&ui);
    platform::setProgramDir(programDir);
    fonts::installfonts();

    engine::Session session;
    startup::openDatabase(session, programDir);
    {
        database::MainData data(session);
        data.openAll();
        TForm3 form(session, data);
        TForm5 notes(data.DataSource2);
        Tdokumenti attachments(session, data);
        Trelacije relations(data);
        form.links.showNotes = [&] { ui.showModal(notes); };
        form.links.showAttachments = [&] { ui.showModal(attachments); };
        form.links.showRelations = [&](bool opinion) { relations.Prikazirelacije1Click(opinion); };
        notes.links.previewPrinter = [&] { return &form.PreviewPrinter1(); };

        ui.steps["dokumenti"] = [&](QDialog& window) {
            auto* list = testsupport::child<QListWidget>(&window, "ListBox1");
            list->setCurrentRow(list->count() - 1);
            ui.save(window, "dokumenti-chosen");
        };
        ui.steps["PreviewForm"] = [&](QDialog& window) {
            testsupport::child<QComboBox>(&window, "ZoomBox")->setCurrentIndex(9);  // 150%
            ui.save(window, "PreviewForm-150");
        };
        ui.steps["Form3"] = [&](QDialog& window) {
            for (const char* button :
                 {"SpeedButton10", "SpeedButton4", "SpeedButton8", "SpeedButton6"}) {
                if (auto* b = testsupport::child<QToolButton>(&window, button); b->isEnabled()) {
                    b->click();
                }
            }
        };
        for (const auto& [title, bg] :
             {std::pair<std::string, std::string>{"Zakon o radu", "12/2005"},
              {"Pravilnik o poreskoj prijavi za porez po odbitku", "10/2014"}}) {
            database::openRegulation(data, title, bg, false, [&] {
                form.setWindowTitle(platform::qs(title));
                form.setWindowState(Qt::WindowNoState);
                form.resize(1100, 720);
                ui.showModal(form);
            });
        }
    }
    session.close();
    platform::setUi(nullptr);
    return 0;
}
