// Prints how long the document window takes for a large regulation: the
// opening (RTF to shown text), the first paint, a search, the script switch
// and the article list. Usage: docwindow_timing [KB of RTF per script]
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QToolButton>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "database/datasets.h"
#include "database/schema.h"
#include "dbviews/dbrichedit.h"
#include "demo/generator.h"
#include "engine/session.h"
#include "platform/textconv.h"
#include "quiet_ui.h"
#include "richtext/plaintext.h"
#include "richtext/reader.h"
#include "startup/session.h"
#include "support/find_child.h"
#include "viewer/tform3.h"

namespace {

double ms(QElapsedTimer& t) {
    const double v = static_cast<double>(t.nsecsElapsed()) / 1e6;
    t.restart();
    return v;
}

// A word of about eight letters near the end of the text, so that a search
// scans most of it.
std::string lateWord(const std::string& text) {
    size_t p = text.size() * 9 / 10;
    while (p < text.size()) {
        const size_t start = text.find(' ', p) + 1;
        const size_t end = text.find_first_of(" .,\n", start);
        if (start == 0 || end == std::string::npos) {
            break;
        }
        if (end - start >= 8) {
            return text.substr(start, end - start);
        }
        p = end;
    }
    return "zakon";
}

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication app(argc, argv);
    testsupport::QuietUi ui;
    platform::setUi(&ui);
    const int kb = argc > 1 ? std::atoi(argv[1]) : 1024;

    const auto dir = std::filesystem::temp_directory_path() / "korvet-docwindow-timing";
    std::filesystem::remove_all(dir);
    demo::GenerateOptions options;
    options.regulations = 2;
    options.opinions = 1;
    options.textKb = kb;
    demo::generateDatabase(options, dir);

    engine::Session session;
    startup::openDatabase(session, dir);
    {
        database::MainData data(session);
        data.openAll();
        TForm3 form(session, data);
        form.setWindowState(Qt::WindowNoState);
        form.resize(1200, 800);

        data.Zakoni.setMasterFields("");
        data.Zakoni.first();
        const size_t latinBytes = data.Zakoni.fieldByName("Latinica").dataSize();
        const size_t cyrillicBytes = data.Zakoni.fieldByName("Cirilica").dataSize();
        form.setWindowTitle(
            platform::qs(data.Zakoni.field(database::pos::kZakoniNaziv).asString()));

        QElapsedTimer t;
        t.start();
        const std::string rtf = data.Zakoni.fieldByName("Latinica").asString();
        const double fetch = ms(t);
        const std::string plain = rtf::plainText(rtf);
        const double plainMs = ms(t);
        auto standalone = richtext::read(rtf);
        const double readMs = ms(t);
        std::printf(
            "fetch RTF %.1f ms, rtf::plainText %.1f ms, read into a free document %.1f ms\n", fetch,
            plainMs, readMs);

        form.show();  // activation: loads the Latin text
        const double open = ms(t);
        form.grab();
        const double paint = ms(t);
        app.processEvents();
        const double events = ms(t);

        const std::string text =
            testsupport::child<dbviews::DBRichEdit>(&form, "DBRichEdit1")->plainText();
        const std::string word = lateWord(text);
        testsupport::child<QLineEdit>(&form, "Edit1")->setText(platform::qs(word));
        testsupport::child<QToolButton>(&form, "SpeedButton1")->click();
        const double search1 = ms(t);
        testsupport::child<QToolButton>(&form, "SpeedButton1")->click();
        const double search2 = ms(t);

        form.ubaciclanove();
        const double articles = ms(t);
        testsupport::child<QListWidget>(&form, "clanovi")
            ->setCurrentRow(testsupport::child<QListWidget>(&form, "clanovi")->count() - 1);
        testsupport::doubleClickCurrent(testsupport::child<QListWidget>(&form, "clanovi"));
        const double jump = ms(t);

        // The view lays the rest of the text out while the window is idle.
        QElapsedTimer idle;
        idle.start();
        while (idle.elapsed() < 3000) {
            app.processEvents(QEventLoop::AllEvents, 50);
        }
        testsupport::child<QListWidget>(&form, "clanovi")
            ->setCurrentRow(testsupport::child<QListWidget>(&form, "clanovi")->count() / 2);
        t.restart();
        testsupport::doubleClickCurrent(testsupport::child<QListWidget>(&form, "clanovi"));
        const double jumpIdle = ms(t);

        testsupport::child<QToolButton>(&form, "SpeedButton5")->click();
        const double toCyrillic = ms(t);
        form.grab();
        const double paintCyrillic = ms(t);
        testsupport::child<QToolButton>(&form, "SpeedButton5")->click();
        const double toLatin = ms(t);

        std::printf("RTF: Latin %zu bytes, Cyrillic %zu bytes; plain text %zu characters\n",
                    latinBytes, cyrillicBytes, text.size());
        std::printf("open (activation, RTF -> shown)   %8.1f ms\n", open);
        std::printf("first paint                       %8.1f ms\n", paint);
        std::printf("pending events                    %8.1f ms\n", events);
        std::printf("search '%s', first press          %8.1f ms (shadow filled)\n", word.c_str(),
                    search1);
        std::printf("search, next press                %8.1f ms\n", search2);
        std::printf("article list (%d entries)          %8.1f ms\n",
                    testsupport::child<QListWidget>(&form, "clanovi")->count(), articles);
        std::printf("jump to the last article          %8.1f ms\n", jump);
        std::printf("jump after 3 s idle                %8.1f ms\n", jumpIdle);
        std::printf("switch to Cyrillic                %8.1f ms\n", toCyrillic);
        std::printf("paint after the switch            %8.1f ms\n", paintCyrillic);
        std::printf("switch back to Latin              %8.1f ms\n", toLatin);
        form.done(0);
    }
    session.close();
    std::filesystem::remove_all(dir);
    platform::setUi(nullptr);
    return 0;
}
