#include <gtest/gtest.h>

#include <QHeaderView>

#include "widgets/reportlist.h"

namespace {

using lists::Row;
using lists::Rule;
using widgets::Column;
using widgets::ReportList;

std::vector<std::string> captions(const ReportList& list) {
    std::vector<std::string> out;
    for (const auto& row : list.rows()) {
        out.push_back(row.caption);
    }
    return out;
}

TEST(ReportList, HeaderClickSortsOnceAscendingAndMovesTheMarker) {
    ReportList list;
    list.setColumns({{"Naziv propisa", 300}, {"Broj/godina", 150, true, Rule::YearFirst}});
    list.addRow({"Zakon o radu", {"3/2005"}, lists::kDocument});
    list.addRow({"Zakon o PDV", {"12/2005"}, lists::kWithNotes});
    list.addRow({"Uredba", {"5/1999"}, lists::kArchived});

    list.clickColumn(1);
    EXPECT_EQ(captions(list), (std::vector<std::string>{"Uredba", "Zakon o PDV", "Zakon o radu"}));
    EXPECT_EQ(list.sortColumn(), 1);
    auto* model = list.model();
    EXPECT_FALSE(model->headerData(1, Qt::Horizontal, Qt::DecorationRole).isNull());
    EXPECT_TRUE(model->headerData(0, Qt::Horizontal, Qt::DecorationRole).isNull());

    list.clickColumn(0);
    list.clickColumn(0);  // no descending order
    EXPECT_EQ(captions(list), (std::vector<std::string>{"Uredba", "Zakon o PDV", "Zakon o radu"}));
    EXPECT_EQ(list.sortColumn(), 0);
    EXPECT_TRUE(model->headerData(1, Qt::Horizontal, Qt::DecorationRole).isNull());

    // Rows added later are not placed in order.
    list.addRow({"Akt", {"1/2001"}});
    EXPECT_EQ(list.row(3).caption, "Akt");
}

TEST(ReportList, SelectionFollowsTheRowThroughASort) {
    ReportList list;
    list.setColumns({{"Naziv", 300}});
    list.setRows({{"c"}, {"a"}, {"b"}});
    EXPECT_EQ(list.selectedIndex(), -1);
    EXPECT_EQ(list.selected(), nullptr);
    list.selectOnly(0);
    list.clickColumn(0);
    ASSERT_NE(list.selected(), nullptr);
    EXPECT_EQ(list.selected()->caption, "c");
    EXPECT_EQ(list.selectedIndex(), 2);
}

TEST(ReportList, MultiSelectKeepsSeveralRows) {
    ReportList list;
    list.setMultiSelect(true);
    list.setColumns({{"Naziv", 300}});
    list.setRows({{"a"}, {"b"}, {"c"}});
    list.setSelected(0, true);
    list.setSelected(2, true);
    EXPECT_EQ(list.selectedRowList(), (std::vector<int>{0, 2}));
    list.setSelected(0, false);
    EXPECT_EQ(list.selectedRowList(), (std::vector<int>{2}));
}

}  // namespace
