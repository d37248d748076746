#include "dbviews/dbedit.h"

#include <gtest/gtest.h>

#include <QToolButton>

#include "dbviews/dbnavigator.h"
#include "engine/datasource.h"
#include "views_db.h"
#include "yuscii/keyfilter.h"

namespace {

using engine::State;

class DBEditTest : public ::testing::Test {
  protected:
    void SetUp() override {
        edit.setDataSource(&source);
        edit.setDataField("NAZIV_UG");
        navigator.setDataSource(&source);
    }

    bool buttonsEnabled() const {
        EXPECT_EQ(navigator.postButton()->isEnabled(), navigator.cancelButton()->isEnabled());
        return navigator.postButton()->isEnabled();
    }

    viewstest::ViewsDb db;
    std::unique_ptr<engine::Table> table = db.open("Ugovori");
    engine::DataSource source{table.get()};
    dbviews::DBEdit edit;
    dbviews::DBNavigator navigator;
};

TEST_F(DBEditTest, FollowsTheCurrentRow) {
    EXPECT_EQ(edit.value(), "Prvi");
    EXPECT_EQ(edit.maxLength(), 40);
    table->next();
    EXPECT_EQ(edit.value(), "Drugi");
    table->last();  // YUSCII bytes reach the widget through the letter mapping
    EXPECT_EQ(edit.text(), QStringLiteral("Tre\uE07Di"));
    EXPECT_EQ(edit.value(), "Tre}i");

    table->close();
    EXPECT_EQ(edit.value(), "");
    EXPECT_TRUE(edit.isReadOnly());
    table->open();
    EXPECT_EQ(edit.value(), "Prvi");
    EXPECT_FALSE(edit.isReadOnly());

    edit.setDataSource(nullptr);
    EXPECT_EQ(edit.value(), "");
}

TEST_F(DBEditTest, TypingEditsAndPostStores) {
    EXPECT_FALSE(buttonsEnabled());
    edit.end(false);
    viewstest::type(&edit, QStringLiteral("X"));
    EXPECT_EQ(table->state(), State::Edit);
    EXPECT_EQ(table->fieldByName("NAZIV_UG").asString(), "PrviX");
    EXPECT_TRUE(buttonsEnabled());
    EXPECT_EQ(db.stored("Ugovori", "TEKST_UG", "{\\rtf1 Tekst prvog}", "NAZIV_UG"), "Prvi");

    navigator.postButton()->click();
    EXPECT_EQ(table->state(), State::Browse);
    EXPECT_FALSE(buttonsEnabled());
    EXPECT_EQ(db.stored("Ugovori", "TEKST_UG", "{\\rtf1 Tekst prvog}", "NAZIV_UG"), "PrviX");
    EXPECT_EQ(edit.value(), "PrviX");
}

TEST_F(DBEditTest, CancelShowsTheStoredValueAgain) {
    edit.end(false);
    viewstest::type(&edit, QStringLiteral("YZ"));
    EXPECT_EQ(edit.value(), "PrviYZ");
    navigator.cancelButton()->click();
    EXPECT_EQ(table->state(), State::Browse);
    EXPECT_EQ(edit.value(), "Prvi");
    EXPECT_FALSE(buttonsEnabled());
    EXPECT_EQ(db.stored("Ugovori", "TEKST_UG", "{\\rtf1 Tekst prvog}", "NAZIV_UG"), "Prvi");
}

TEST_F(DBEditTest, MovingTheRowPostsTheTypedText) {
    edit.end(false);
    viewstest::type(&edit, QStringLiteral("1"));
    table->next();
    EXPECT_EQ(edit.value(), "Drugi");
    EXPECT_FALSE(buttonsEnabled());
    EXPECT_EQ(db.stored("Ugovori", "TEKST_UG", "{\\rtf1 Tekst prvog}", "NAZIV_UG"), "Prvi1");
}

TEST_F(DBEditTest, TypedLettersPassTheKeyFilterOfThePage) {
    yuscii::installKeyFilter(&edit, yuscii::KeyFilter::Keyboard);
    edit.end(false);
    viewstest::type(&edit, QStringLiteral(" \u0161[;"));  // a Unicode letter, two US keys
    EXPECT_EQ(edit.value(), "Prvi {{~");
    EXPECT_EQ(table->fieldByName("NAZIV_UG").asString(), "Prvi {{~");
}

TEST_F(DBEditTest, TypingOnAnEmptyTableStartsANewRow) {
    table->setFilter("NAZIV_UG = 'nema'");
    table->setFiltered(true);
    viewstest::type(&edit, QStringLiteral("Novi"));
    EXPECT_EQ(table->state(), State::Insert);
    navigator.post();
    table->setFiltered(false);
    EXPECT_EQ(table->recordCount(), 4);
    EXPECT_EQ(db.stored("Ugovori", "NAZIV_UG", "Novi", "NAZIV_UG"), "Novi");
}

TEST_F(DBEditTest, ReadOnlyWhenAskedOrWhenTheFieldCannotTakeText) {
    auto readOnlyTable = db.open("Ugovori", true);
    engine::DataSource readOnlySource(readOnlyTable.get());
    struct Case {
        const char* what;
        engine::DataSource* source;
        const char* field;
        bool option;
    } cases[] = {
        {"writable text field", &source, "NAZIV_UG", false},
        {"read-only option", &source, "NAZIV_UG", true},
        {"read-only table", &readOnlySource, "NAZIV_UG", false},
        {"memo field", &source, "TEKST_UG", false},
        {"no such field", &source, "NEMA", false},
    };
    for (const Case& c : cases) {
        edit.setDataSource(c.source);
        edit.setDataField(c.field);
        edit.setReadOnly(c.option);
        const bool writable = std::string(c.what) == "writable text field";
        EXPECT_EQ(edit.isReadOnly(), !writable) << c.what;
        EXPECT_EQ(edit.canModify(), writable || c.option) << c.what;
        viewstest::type(&edit, QStringLiteral("Q"));
        EXPECT_EQ(table->state(), writable ? State::Edit : State::Browse) << c.what;
        table->cancel();
    }
}

TEST_F(DBEditTest, AFailedPostKeepsTheEditAndTheViews) {
    table->next();
    edit.selectAll();
    viewstest::type(&edit, QStringLiteral("Prvi"));  // the name is taken
    EXPECT_THROW(navigator.postButton()->click(), engine::Error);
    EXPECT_EQ(table->state(), State::Edit);
    EXPECT_TRUE(buttonsEnabled());
    EXPECT_EQ(edit.value(), "Prvi");
    EXPECT_THROW(table->next(), engine::Error);  // a move cannot post it either
    EXPECT_EQ(table->recNo(), 2);

    navigator.cancel();
    EXPECT_EQ(edit.value(), "Drugi");
    EXPECT_FALSE(buttonsEnabled());
}

TEST_F(DBEditTest, NavigatorIsEnabledOnlyWhileTheTableIsEdited) {
    table->append();
    EXPECT_TRUE(buttonsEnabled());
    EXPECT_EQ(edit.value(), "");
    navigator.cancel();
    EXPECT_FALSE(buttonsEnabled());
    EXPECT_EQ(edit.value(), "Prvi");

    table->edit();
    EXPECT_TRUE(buttonsEnabled());
    table->close();  // closing drops the edit
    EXPECT_FALSE(buttonsEnabled());
    table->open();
    table->edit();
    navigator.setDataSource(nullptr);
    EXPECT_FALSE(buttonsEnabled());
    navigator.post();  // nothing to do without a source
    EXPECT_EQ(table->state(), State::Edit);
}

}  // namespace
