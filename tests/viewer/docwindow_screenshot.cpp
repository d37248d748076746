// Renders the document window with a demo regulation, in Latin and in
// Cyrillic, to PNG files.
// Usage: docwindow_screenshot <program directory> <output directory> [title]
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QToolButton>
#include <cstdio>
#include <filesystem>

#include "database/datasets.h"
#include "database/lookups.h"
#include "database/opening.h"
#include "engine/session.h"
#include "fonts/fonts.h"
#include "platform/programdir.h"
#include "platform/textconv.h"
#include "quiet_ui.h"
#include "search/hits.h"
#include "startup/session.h"
#include "support/find_child.h"
#include "viewer/tform3.h"

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: docwindow_screenshot <program dir> <output dir> [title]\n");
        return 2;
    }
    const std::filesystem::path programDir = argv[1];
    const std::filesystem::path out = argv[2];
    const std::string title = argc > 3 ? argv[3] : "Zakon o porezu na dodatu vrednost";
    testsupport::QuietUi ui;
    platform::setUi(&ui);
    platform::setProgramDir(programDir);
    fonts::installfonts();

    engine::Session session;
    startup::openDatabase(session, programDir);
    {
        database::MainData data(session);
        data.openAll();
        TForm3 form(session, data);
        form.setWindowState(Qt::WindowNoState);
        form.resize(1100, 720);
        const std::string bg = database::nadjibroj(data, title);
        // Opened as from a keyword search: its words are highlighted.
        form.setSearchHits(search::hitWords("porez dodatu", search::HitRule::Regulation));
        database::openRegulation(data, title, bg, false, [&] {
            form.setWindowTitle(platform::qs(title));
            form.show();
            app.processEvents();
            form.ubaciclanove();
            testsupport::child<QLineEdit>(&form, "Edit1")->setText(QStringLiteral("POREZ"));
            testsupport::child<QToolButton>(&form, "SpeedButton1")->click();
            form.showHint("Izbor izme|u }irili~nog ili latini~nog pisma");
            app.processEvents();
            form.grab().save(QString::fromStdString((out / "docwindow-latin.png").string()));
            testsupport::child<QToolButton>(&form, "SpeedButton5")->click();
            testsupport::child<QToolButton>(&form, "SpeedButton1")->click();
            app.processEvents();
            form.grab().save(QString::fromStdString((out / "docwindow-cyrillic.png").string()));
            form.done(0);
        });
        std::printf("%s %s\n", title.c_str(), bg.c_str());
    }
    session.close();
    platform::setUi(nullptr);
    return 0;
}
