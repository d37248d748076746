// The attachments window: the filled slots listed, the picture shown scaled
// with its proportions, and printed stretched into the page less the inset.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QPicture>
#include <QToolButton>

#include "database/datasets.h"
#include "database/opening.h"
#include "dbviews/dbimage.h"
#include "links_db.h"
#include "platform/textconv.h"
#include "platform/ui.h"
#include "support/find_child.h"
#include "support/scripted_ui.h"
#include "viewer/tdokumenti.h"

namespace {

using testsupport::scriptedUi;

class AttachmentsWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        data.openAll();
        window = std::make_unique<Tdokumenti>(db.session, data);
    }
    void TearDown() override { window.reset(); }

    // Shows the window for a regulation; body runs while it is shown.
    void show(const std::string& title, const std::string& bg, const std::function<void()>& body) {
        database::openRegulation(data, title, bg, false, [&] {
            scriptedUi().expectModal([&](QDialog&) {
                body();
                return 0;
            });
            platform::ui().showModal(*window);
        });
    }

    QListWidget* list() const { return testsupport::child<QListWidget>(window.get(), "ListBox1"); }
    dbviews::DBImage* display() const {
        return testsupport::child<dbviews::DBImage>(window.get(), "Image1");
    }
    std::vector<std::string> entries() const {
        std::vector<std::string> out;
        for (int i = 0; i < list()->count(); ++i) {
            out.push_back(platform::ys(list()->item(i)->text()));
        }
        return out;
    }
    void clickEntry(int row) {
        testsupport::clickOn(list()->viewport(),
                             list()->visualItemRect(list()->item(row)).center());
    }

    testsupport::LinksDatabase db;
    database::MainData data{db.session};
    std::unique_ptr<Tdokumenti> window;
};

TEST_F(AttachmentsWindow, ListsTheFilledSlotsAndShowsTheChosenPictureInProportion) {
    show("Zakon o radu", "12/2005", [&] {
        EXPECT_EQ(window->windowTitle(), QStringLiteral("Prilozi"));
        EXPECT_EQ(entries(), (std::vector<std::string>{"Prilog br. 2", "Prilog br. 5"}));
        // S1 holds nothing: the display starts empty.
        EXPECT_FALSE(display()->hasPicture());

        clickEntry(1);
        EXPECT_EQ(display()->picture().size(), testsupport::kTallPicture);
        const QRect drawn = display()->pictureRect();
        const QRect area = display()->contentsRect();
        EXPECT_NEAR(drawn.width() * 60.0 / drawn.height(), 10.0, 0.5);
        EXPECT_TRUE(drawn.height() == area.height() || drawn.width() == area.width());
        EXPECT_NEAR(drawn.center().x(), area.center().x(), 1);
        EXPECT_NEAR(drawn.center().y(), area.center().y(), 1);

        clickEntry(0);
        EXPECT_EQ(display()->picture().size(), testsupport::kWidePicture);
    });
}

TEST_F(AttachmentsWindow, AllThirtyThreeSlotsAreListed) {
    show("Zakon o prilozima", "7/2007", [&] {
        ASSERT_EQ(list()->count(), 33);
        EXPECT_EQ(entries().back(), "Prilog br. 33");
        EXPECT_TRUE(display()->hasPicture());
    });
    // No attachment record: an empty list and display.
    show("Zakon o porezu", "3/2006", [&] {
        EXPECT_EQ(list()->count(), 0);
        EXPECT_FALSE(display()->hasPicture());
    });
}

TEST_F(AttachmentsWindow, PrintsTheShownPictureStretchedIntoThePageLessTheInset) {
    auto& ui = scriptedUi();
    show("Zakon o radu", "12/2005", [&] {
        auto* print = testsupport::child<QToolButton>(window.get(), "SpeedButton6");
        ui.expectMessage("Prvo izaberite sliku za stampanje");
        print->click();

        clickEntry(1);
        ui.printerName.clear();
        ui.expectMessage("Printer nije detektovan");
        print->click();

        ui.printerName = "Laser";
        ui.expectPrintDialog(false);
        print->click();
        EXPECT_TRUE(ui.printJobs.empty());

        ui.expectPrintDialog(true);
        print->click();
    });
    ASSERT_EQ(ui.printJobs.size(), 1u);
    const auto& job = ui.printJobs[0];
    EXPECT_TRUE(job.finished);
    ASSERT_EQ(job.pages, std::vector<int>{1});
    // The printable area of the job's page, less 300 pixels on every side;
    // the tall picture fills it, its proportions not kept.
    const auto& page = ui.jobPage;
    const int width = page.width - 2 * page.offsetX;
    const int height = page.height - 2 * page.offsetY;
    EXPECT_EQ(job.pictures[0]->boundingRect(), QRect(300, 300, width - 600, height - 600));
}

}  // namespace
