#include "dbviews/dbgrid.h"

#include <gtest/gtest.h>

#include <QHeaderView>

#include "dbviews/dbedit.h"
#include "engine/datasource.h"
#include "views_db.h"

namespace {

using engine::State;

QString cell(const dbviews::DBGrid& grid, int row, int column) {
    return grid.model()->index(row, column).data().toString();
}

QString title(const dbviews::DBGrid& grid, int column) {
    return grid.model()->headerData(column, Qt::Horizontal).toString();
}

class DBGridTest : public ::testing::Test {
  protected:
    void SetUp() override { grid.setDataSource(&source); }

    void choose(int row) { grid.setCurrentIndex(grid.model()->index(row, 0)); }

    viewstest::ViewsDb db;
    std::unique_ptr<engine::Table> table = db.open("Ugovori");
    engine::DataSource source{table.get()};
    dbviews::DBGrid grid;
};

TEST_F(DBGridTest, ShowsTheRowsWithHiddenColumnsAndTitlesKept) {
    ASSERT_EQ(grid.model()->rowCount(), 3);
    ASSERT_EQ(grid.model()->columnCount(), 2);
    EXPECT_EQ(cell(grid, 0, 0), QStringLiteral("Prvi"));
    EXPECT_EQ(cell(grid, 2, 0), QStringLiteral("Tre\uE07Di"));
    EXPECT_EQ(cell(grid, 0, 1), QStringLiteral("(MEMO)"));
    EXPECT_EQ(cell(grid, 2, 1), QStringLiteral("(Memo)"));
    EXPECT_EQ(title(grid, 1), QStringLiteral("TEKST_UG"));

    grid.setColumnHidden(1, true);
    grid.setColumnTitle(0, "Naziv ugovora");
    EXPECT_EQ(title(grid, 0), QStringLiteral("Naziv ugovora"));

    table->setFilter("NAZIV_UG <> 'Drugi'");  // a new row set
    table->setFiltered(true);
    ASSERT_EQ(grid.model()->rowCount(), 2);
    EXPECT_EQ(cell(grid, 1, 0), QStringLiteral("Tre\uE07Di"));
    table->close();  // closing and opening reset the columns
    EXPECT_EQ(grid.model()->columnCount(), 0);
    table->open();
    EXPECT_TRUE(grid.isColumnHidden(1));
    EXPECT_FALSE(grid.isColumnHidden(0));
    EXPECT_EQ(title(grid, 0), QStringLiteral("Naziv ugovora"));
}

TEST_F(DBGridTest, TheGridFollowsTheTable) {
    EXPECT_EQ(grid.currentRow(), 0);
    table->next();
    EXPECT_EQ(grid.currentRow(), 1);
    table->last();
    EXPECT_EQ(grid.currentRow(), 2);
    EXPECT_TRUE(grid.selectionModel()->isRowSelected(2));
    table->setFilter("NAZIV_UG = 'Drugi'");
    table->setFiltered(true);
    EXPECT_EQ(grid.currentRow(), 0);
    table->setFilter("NAZIV_UG = 'nema'");
    EXPECT_EQ(grid.currentRow(), -1);
}

TEST_F(DBGridTest, TheTableFollowsTheGridAndSoDoOtherViews) {
    dbviews::DBEdit edit;
    edit.setDataSource(&source);
    edit.setDataField("NAZIV_UG");
    choose(2);
    EXPECT_EQ(table->recNo(), 3);
    EXPECT_EQ(edit.value(), "Tre}i");
    choose(0);
    EXPECT_EQ(table->recNo(), 1);
    EXPECT_EQ(edit.value(), "Prvi");
}

TEST_F(DBGridTest, EditedRowShowsItsValuesAndIsPostedWhenAnotherRowIsChosen) {
    table->edit();
    table->fieldByName("NAZIV_UG").setString("Prvi novi");
    EXPECT_EQ(cell(grid, 0, 0), QStringLiteral("Prvi novi"));
    choose(1);
    EXPECT_EQ(table->state(), State::Browse);
    EXPECT_EQ(table->recNo(), 2);
    EXPECT_EQ(cell(grid, 0, 0), QStringLiteral("Prvi novi"));
    EXPECT_EQ(db.stored("Ugovori", "TEKST_UG", "{\\rtf1 Tekst prvog}", "NAZIV_UG"), "Prvi novi");

    table->edit();
    table->fieldByName("NAZIV_UG").setString("Drugi novi");
    table->cancel();
    EXPECT_EQ(cell(grid, 1, 0), QStringLiteral("Drugi"));
}

TEST_F(DBGridTest, AnAppendedRowIsSelectedOncePostedADeletedOneGoes) {
    table->append();
    table->fieldByName("NAZIV_UG").setString("Korisnicki Ugovor o delu");
    table->post();
    ASSERT_EQ(grid.model()->rowCount(), 4);
    EXPECT_EQ(grid.currentRow(), table->recNo() - 1);
    EXPECT_EQ(cell(grid, grid.currentRow(), 0), QStringLiteral("Korisnicki Ugovor o delu"));

    table->first();
    table->deleteRecord();
    ASSERT_EQ(grid.model()->rowCount(), 3);
    EXPECT_EQ(cell(grid, 0, 0), QStringLiteral("Drugi"));
    EXPECT_EQ(grid.currentRow(), 0);
}

TEST_F(DBGridTest, AFailedPostKeepsTheGridOnTheEditedRow) {
    table->edit();
    table->fieldByName("NAZIV_UG").setString("Drugi");  // the name is taken
    EXPECT_THROW(choose(2), engine::Error);
    EXPECT_EQ(table->state(), State::Edit);
    EXPECT_EQ(table->recNo(), 1);
    EXPECT_EQ(grid.currentRow(), 0);
    table->cancel();
    choose(2);
    EXPECT_EQ(table->recNo(), 3);
}

TEST_F(DBGridTest, ReadOnlyOrEditableValues) {
    grid.setReadOnly(true);
    const QModelIndex second = grid.model()->index(1, 0);
    EXPECT_FALSE(grid.model()->flags(second) & Qt::ItemIsEditable);
    EXPECT_FALSE(grid.model()->setData(second, QStringLiteral("X")));
    EXPECT_EQ(table->state(), State::Browse);

    grid.setReadOnly(false);
    EXPECT_FALSE(grid.model()->flags(grid.model()->index(1, 1)) & Qt::ItemIsEditable);  // memo
    EXPECT_TRUE(grid.model()->setData(second, QStringLiteral("Drugi \uE05Bpis")));
    EXPECT_EQ(table->recNo(), 2);
    EXPECT_EQ(grid.currentRow(), 1);
    EXPECT_EQ(table->state(), State::Edit);
    table->post();
    EXPECT_EQ(db.stored("Ugovori", "TEKST_UG", "{\\rtf1 Tekst drugog}", "NAZIV_UG"), "Drugi [pis");
}

TEST(DBGridRows, ADetailGridFollowsItsMaster) {
    viewstest::ViewsDb db;
    auto master = db.open("Glavna");
    auto detail = db.open("Stavke");
    detail->setIndexFieldNames("ID_G");
    detail->setMasterSource(master.get());
    detail->setMasterFields("ID");
    engine::DataSource source(detail.get());
    dbviews::DBGrid grid;
    grid.setDataSource(&source);
    ASSERT_EQ(grid.model()->rowCount(), 2);
    EXPECT_EQ(cell(grid, 1, 1), QStringLiteral("b"));
    master->next();
    ASSERT_EQ(grid.model()->rowCount(), 1);
    EXPECT_EQ(cell(grid, 0, 1), QStringLiteral("c"));
    EXPECT_EQ(grid.currentRow(), 0);
}

TEST(DBGridRows, ThousandsOfRowsAreReadWithoutMovingTheTable) {
    viewstest::ViewsDb db(true);
    auto table = db.open("Mnogo");
    engine::DataSource source(table.get());
    int moves = 0;
    source.addListener([&moves](engine::Event e) { moves += e == engine::Event::RecordChanged; });
    dbviews::DBGrid grid;
    grid.setDataSource(&source);
    ASSERT_EQ(grid.model()->rowCount(), viewstest::kManyRows);
    for (int row = 0; row < viewstest::kManyRows; ++row) {
        ASSERT_EQ(cell(grid, row, 1), QStringLiteral("red %1").arg(row + 1));
    }
    EXPECT_EQ(cell(grid, 1499, 0), QStringLiteral("1500"));
    EXPECT_EQ(moves, 0);
    EXPECT_EQ(table->recNo(), 1);

    grid.setCurrentIndex(grid.model()->index(1499, 1));
    EXPECT_EQ(table->fieldByName("BROJ").asInteger(), 1500);
    table->last();
    EXPECT_EQ(grid.currentRow(), viewstest::kManyRows - 1);
}

}  // namespace
