#include "dbviews/dbrichedit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTextCursor>

#include "database/datasets.h"
#include "database/filters.h"
#include "database/small_db.h"
#include "engine/datasource.h"
#include "richtext/reader.h"
#include "support/scripted_ui.h"

namespace {

class DBRichEditTest : public ::testing::Test {
  protected:
    void SetUp() override {
        data.openAll();
        data.Zakoni.setMasterFields("");  // all regulations, in ID_ZAKONA order
        view = std::make_unique<dbviews::DBRichEdit>();
        view->setDataSource(&data.DataSource2);
        view->setDataField("Latinica");
    }
    void TearDown() override { view.reset(); }

    testsupport::SmallDatabase db;
    database::MainData data{db.session};
    std::unique_ptr<dbviews::DBRichEdit> view;
};

TEST_F(DBRichEditTest, LoadsOnlyWhenAsked) {
    EXPECT_FALSE(view->loaded());
    EXPECT_EQ(view->plainText(), "(Latinica)");
    view->loadMemo();
    EXPECT_TRUE(view->loaded());
    EXPECT_EQ(view->plainText(), "Zakon o radu");

    data.Zakoni.next();  // another record: not loaded, the old text gone
    EXPECT_FALSE(view->loaded());
    EXPECT_EQ(view->plainText(), "(Latinica)");
    view->loadMemo();
    EXPECT_EQ(view->plainText(), "Zakon o 'porezu'");

    view->setDataField("Cirilica");  // a field change unloads too
    EXPECT_FALSE(view->loaded());
    EXPECT_EQ(view->plainText(), "(Cirilica)");
}

TEST_F(DBRichEditTest, NothingToReadGivesAnEmptyLoadedText) {
    struct Case {
        const char* field;
        const char* filter;
    } cases[] = {
        {"Nepostojece", ""},                   // no such field
        {"Latinica", "Naziv_zakona= 'Nema'"},  // no current record
    };
    for (const Case& c : cases) {
        data.Zakoni.setFilter(c.filter);
        data.Zakoni.setFiltered(true);
        view->setDataField(c.field);
        view->loadMemo();
        EXPECT_TRUE(view->loaded()) << c.field;
        EXPECT_EQ(view->plainText(), "") << c.field;
    }
    view->setDataSource(nullptr);
    view->loadMemo();
    EXPECT_EQ(view->plainText(), "");
    EXPECT_EQ(view->dataSource(), nullptr);
}

TEST_F(DBRichEditTest, TellsItsDataSource) {
    EXPECT_EQ(view->dataSource(), &data.DataSource2);
    view->setDataSource(&data.DataSource4);
    EXPECT_EQ(view->dataSource(), &data.DataSource4);
    data.Zakoni.next();  // the old source no longer reaches the view
    view->loadMemo();
    data.Zakoni.next();
    EXPECT_TRUE(view->loaded());
}

TEST_F(DBRichEditTest, CopyKeyGoesThroughTheSeamAndLeavesShortcutsAlone) {
    auto& ui = testsupport::scriptedUi();
    view->loadMemo();
    QTextCursor cursor(view->document());
    cursor.setPosition(6);
    cursor.setPosition(12, QTextCursor::KeepAnchor);
    view->setTextCursor(cursor);

    QKeyEvent override(QEvent::ShortcutOverride, Qt::Key_C, Qt::ControlModifier);
    QApplication::sendEvent(view.get(), &override);
    EXPECT_FALSE(override.isAccepted());

    QKeyEvent press(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier);
    QApplication::sendEvent(view.get(), &press);
    EXPECT_EQ(ui.clipboard, "o radu");
    EXPECT_TRUE(ui.clipboardOwned);

    ui.clipboard = "old";
    view->moveCursor(QTextCursor::End);
    view->copyToClipboard();  // an empty selection copies nothing
    EXPECT_EQ(ui.clipboard, "old");
}

TEST_F(DBRichEditTest, AClickOnALinkOpensItThroughTheShell) {
    auto& ui = testsupport::scriptedUi();
    view->resize(400, 200);
    view->show();
    richtext::read(
        "{\\rtf1 Vidi {\\field{\\*\\fldinst HYPERLINK \"https://a.rs/z\"}"
        "{\\fldrslt ovde}} i tu.}",
        *view->document());
    QTextCursor cursor(view->document());
    auto click = [&](int position) {
        cursor.setPosition(position);
        const QPoint at = view->cursorRect(cursor).center() + QPoint(2, 0);
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, at, view->viewport()->mapToGlobal(at), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                              Qt::NoModifier);
            QApplication::sendEvent(view->viewport(), &event);
        }
    };
    click(1);  // plain text: nothing
    EXPECT_TRUE(ui.shellCalls.empty());
    click(6);  // inside "ovde"
    ASSERT_EQ(ui.shellCalls.size(), 1u);
    EXPECT_NE(ui.shellCalls[0].find("https://a.rs/z"), std::string::npos) << ui.shellCalls[0];
}

}  // namespace
