// Renders the comparison window for two versions of a demo regulation and
// the document window with the links of its text, to PNG files.
// Usage: compare_screenshot <program directory> <output directory> [ID]
#include <QApplication>
#include <QPixmap>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "compare/versions.h"
#include "database/datasets.h"
#include "database/opening.h"
#include "engine/session.h"
#include "fonts/fonts.h"
#include "platform/programdir.h"
#include "platform/textconv.h"
#include "quiet_ui.h"
#include "startup/session.h"
#include "viewer/tform3.h"
#include "viewer/tporedjenje.h"

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: compare_screenshot <program dir> <output dir> [ID]\n");
        return 2;
    }
    const std::filesystem::path programDir = argv[1];
    const std::filesystem::path out = argv[2];
    const long long id = argc > 3 ? std::atoll(argv[3]) : 38;
    testsupport::QuietUi ui;
    platform::setUi(&ui);
    platform::setProgramDir(programDir);
    fonts::installfonts();

    engine::Session session;
    startup::openDatabase(session, programDir);
    {
        Tporedjenje comparison(session);
        comparison.setWindowState(Qt::WindowNoState);
        comparison.resize(1100, 720);
        if (comparison.prepare(id)) {
            comparison.show();
            app.processEvents();
            comparison.grab().save(QString::fromStdString((out / "compare-latin.png").string()));
            std::printf("%zu changed articles\n", comparison.comparison().changes().size());
        }

        database::MainData data(session);
        data.openAll();
        TForm3 form(session, data);
        form.setWindowState(Qt::WindowNoState);
        form.resize(1100, 720);
        const auto chain = compare::versionChain(session, id);
        if (!chain.empty()) {
            const compare::Version& v = chain.back();
            database::openRegulation(data, v.title, v.bg, false, [&] {
                form.setWindowTitle(platform::qs(v.title));
                form.show();
                app.processEvents();
                form.grab().save(QString::fromStdString((out / "document-links.png").string()));
                form.done(0);
            });
        }
    }
    session.close();
    platform::setUi(nullptr);
    return 0;
}
