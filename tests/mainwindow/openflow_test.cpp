// Opening a regulation from a list row: the flow on the datasets, the archive
// and attachment tests the document window asks, and the main window's
// opening methods with the document window shown.
#include <gtest/gtest.h>

#include <QListWidget>

#include "app/wiring.h"
#include "database/datasets.h"
#include "database/filters.h"
#include "database/lookups.h"
#include "database/opening.h"
#include "database/schema.h"
#include "database/small_db.h"
#include "dbviews/dbrichedit.h"
#include "engine/session.h"
#include "mainwindow/tform1.h"
#include "platform/textconv.h"
#include "startup/session.h"
#include "support/find_child.h"
#include "support/scripted_ui.h"
#include "support/temp_program_dir.h"
#include "viewer/tform3.h"

namespace {

using database::Opening;
using testsupport::scriptedUi;

long long currentId(const engine::Table& t) {
    return t.isEmpty() ? 0 : t.field(database::pos::kZakoniId).asInteger();
}

class OpeningFlow : public ::testing::Test {
  protected:
    void SetUp() override { data.openAll(); }

    // Runs the flow; inside() sees the datasets while the window would show.
    Opening open(const std::string& title, const std::optional<std::string>& bg, bool quick,
                 const std::function<void()>& inside) {
        return database::openRegulation(data, title, bg, quick, inside);
    }

    void expectFollowsGlavna() {
        EXPECT_EQ(data.Zakoni.masterSource(), &data.Glavna);
        EXPECT_EQ(data.Zakoni.masterFields(), "ID_BROJA");
        EXPECT_EQ(data.Zakoni.indexFieldNames(), "ID_ZAKONA");
        EXPECT_EQ(currentId(data.Zakoni), data.Glavna.field(database::pos::kBrojeviId).asInteger());
    }

    testsupport::SmallDatabase db;
    database::MainData data{db.session};
};

TEST_F(OpeningFlow, FindsTheRegulationOfTheRow) {
    struct Case {
        const char* title;
        std::optional<std::string> bg;
        long long id;
    } cases[] = {
        {"Zakon o radu", "12/2005", 1},
        {"Zakon o radu", "5/1999", 3},      // the same title in another issue
        {"Zakon o radu", std::nullopt, 1},  // variant B: the first of them
        {"Zakon o 'porezu'", "12a/2005", 2},
        {"zakon o radu", "5/1999", 3},  // the filter ignores letter case
    };
    for (const Case& c : cases) {
        long long shown = -1;
        EXPECT_EQ(open(c.title, c.bg, false, [&] { shown = currentId(data.Zakoni); }),
                  Opening::Shown);
        EXPECT_EQ(shown, c.id) << c.title << " " << c.bg.value_or("-");
    }
}

TEST_F(OpeningFlow, AfterTheWindowZakoniFollowsGlavnaWhichKeepsItsRows) {
    data.Glavna.setFilter(database::filters::brojeviByGazette(1));
    data.Glavna.setFiltered(true);
    data.Glavna.first();
    data.Glavna.next();
    const int rows = data.Glavna.recordCount();
    const int row = data.Glavna.recNo();

    open("Zakon o radu", "5/1999", false, [&] {
        EXPECT_EQ(data.Zakoni.masterFields(), "");
        data.Zakoni.setFilter("");  // what the document window's close does
    });
    EXPECT_EQ(data.Glavna.filter(), database::filters::brojeviByGazette(1));
    EXPECT_EQ(data.Glavna.recordCount(), rows);
    EXPECT_EQ(data.Glavna.recNo(), row);
    expectFollowsGlavna();
    data.Glavna.first();
    expectFollowsGlavna();
}

TEST_F(OpeningFlow, ATitleNobodyHasOpensOnAnEmptyRow) {
    bool empty = false;
    EXPECT_EQ(open("Nema takvog", std::nullopt, false, [&] { empty = data.Zakoni.isEmpty(); }),
              Opening::Shown);
    EXPECT_TRUE(empty);
}

TEST_F(OpeningFlow, QuickOpenStopsForATitleNobodyHas) {
    bool shown = false;
    EXPECT_EQ(open("Porez na dobit", std::nullopt, true, [&] { shown = true; }),
              Opening::NoRegulation);
    EXPECT_FALSE(shown);
    EXPECT_EQ(data.Zakoni.filter(), "");
    expectFollowsGlavna();

    long long id = 0;
    EXPECT_EQ(open("Uredba o ceni", std::nullopt, true, [&] { id = currentId(data.Zakoni); }),
              Opening::Shown);
    EXPECT_EQ(id, 4);
    EXPECT_EQ(data.Zakoni.filter(), "");
    expectFollowsGlavna();
}

TEST_F(OpeningFlow, ArchiveTestGoesByTheFirstRegulationOfTheTitle) {
    struct Case {
        const char* title;
        bool result;
    } cases[] = {
        {"Zakon o radu", true},                                 // 1 follows 3
        {"ZAKON O RADU", true},   {"Zakon o 'porezu'", false},  // no archive row
        {"Uredba o ceni", false}, {"Nema takvog", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(database::jelimastariji(data, c.title), c.result) << c.title;
    }
}

TEST_F(OpeningFlow, ArchiveTestLeavesNoTrace) {
    data.lookzakoni.setFilter(database::filters::zakoniByTitle("Uredba o ceni"));
    data.lookzakoni.setFiltered(true);
    data.Zakoni.setMasterFields("");
    data.Zakoni.first();  // regulation 1, whose archive row follows it
    const int archiveRows = data.arhiva.recordCount();

    EXPECT_TRUE(database::jelimastariji(data, "Zakon o radu"));
    EXPECT_EQ(data.lookzakoni.filter(), database::filters::zakoniByTitle("Uredba o ceni"));
    EXPECT_EQ(currentId(data.lookzakoni), 4);
    EXPECT_EQ(data.arhiva.masterFields(), "ID_BROJA");
    EXPECT_EQ(data.arhiva.filter(), "");
    EXPECT_EQ(data.arhiva.recordCount(), archiveRows);
    EXPECT_EQ(data.arhiva.field(database::pos::kArhivaBroj).asInteger(), 1);
    EXPECT_EQ(currentId(data.Zakoni), 1);
}

TEST_F(OpeningFlow, PictureTestLooksAtEverySlot) {
    database::AttachmentData pictures(db.session, data.Zakoni);
    EXPECT_FALSE(database::imaslike(pictures.Table1));  // closed
    pictures.open();
    data.Zakoni.setMasterFields("");
    data.Zakoni.first();
    EXPECT_TRUE(database::imaslike(pictures.Table1));  // S2 of regulation 1
    data.Zakoni.next();
    EXPECT_FALSE(database::imaslike(pictures.Table1));
    pictures.close();
}

// The main window and the document window, wired as the program wires them.
class MainWindowOpening : public ::testing::Test {
  protected:
    void SetUp() override {
        startup::openDatabase(session, dir.path());
        main = std::make_unique<TForm1>(session);
        main->openAll();
        document = std::make_unique<TForm3>(session, *main);
        app::wireDocument(*main, *document);
    }
    void TearDown() override {
        document.reset();
        main.reset();
    }

    testsupport::TempProgramDir dir;
    engine::Session session;
    std::unique_ptr<TForm1> main;
    std::unique_ptr<TForm3> document;
};

TEST_F(MainWindowOpening, OpensTheRowInTheDocumentWindow) {
    const std::string title = "Odluka o visini najni`e cene rada";
    for (const char* bg : {"12a/2005", "2/2006"}) {
        std::string caption;
        std::string shownBg;
        scriptedUi().expectModal([&](QDialog& d) {
            caption = platform::ys(d.windowTitle());
            shownBg = main->Zakoni.field(database::pos::kZakoniBg).asString();
            EXPECT_TRUE(
                testsupport::child<dbviews::DBRichEdit>(document.get(), "DBRichEdit1")->loaded());
            return 0;
        });
        main->open(title, std::string(bg));
        EXPECT_EQ(caption, title);
        EXPECT_EQ(shownBg, bg);
        EXPECT_EQ(main->Zakoni.masterSource(), &main->Glavna);
        EXPECT_EQ(main->Zakoni.masterFields(), "ID_BROJA");
    }
    EXPECT_EQ(main->nadjibroj(title), "12a/2005");
}

TEST_F(MainWindowOpening, QuickOpenOfAnOpinionTitleShowsNothing) {
    EXPECT_FALSE(main->openQuick("Nije propis"));
    EXPECT_EQ(main->Zakoni.filter(), "");
    scriptedUi().expectModal([](QDialog&) { return 0; });
    EXPECT_TRUE(main->openQuick("Pravilnik o obrascu 'PP PDV'"));
}

TEST_F(MainWindowOpening, QuickOpenListTakesAnEighthTitleFromTheWindowAndRefusesANinth) {
    main->liste.quick.clear();
    for (int i = 1; i <= 7; ++i) {
        main->liste.quick.push_back("Propis " + std::to_string(i));
    }
    const auto mark = [&](const std::string& title, bool full) {
        scriptedUi().expectModal([&](QDialog&) {
            if (full) {
                scriptedUi().expectMessage("Lista propisa oznacenih za brzo otvaranje je puna");
            }
            testsupport::child<QAction>(document.get(), "Oznacizabrzootvaranje1")->trigger();
            return 0;
        });
        main->open(title);
    };
    mark("Pravilnik o obrascu 'PP PDV'", false);
    ASSERT_EQ(main->liste.quick.size(), 8u);
    EXPECT_EQ(main->liste.quick.back(), "Pravilnik o obrascu 'PP PDV'");
    EXPECT_EQ(testsupport::child<QListWidget>(main.get(), "ListBox8")->count(), 8);

    mark("Odluka o visini najni`e cene rada", true);
    EXPECT_EQ(main->liste.quick.size(), 8u);
}

}  // namespace
