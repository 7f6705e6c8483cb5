#include "collect/itemlist.h"

#include <gtest/gtest.h>

using vq::ItemList;
using vq::ItemRow;

TEST(ItemList, DeleteSelectedRemovesExactlyTheSelectedRows)
{
    ItemList list;
    for (int i = 0; i < 6; ++i)
        list.appendRow({"t" + std::to_string(i), "1", "addr", std::to_string(i)});
    list.selectRow(1);
    list.selectRow(4);
    list.selectRow(5);
    list.selectRow(99);  // out of range: ignored
    EXPECT_EQ(list.deleteSelected(), 3u);
    ASSERT_EQ(list.rowCount(), 3u);
    EXPECT_EQ(list.cell(0, 3), "0");
    EXPECT_EQ(list.cell(1, 3), "2");
    EXPECT_EQ(list.cell(2, 3), "3");
    EXPECT_TRUE(list.selectedRows().empty());
    EXPECT_EQ(list.cell(7, 0), "");
}

TEST(ItemList, RemovingRowsWithoutOfferIdKeepsTheSelectionOnTheSameRows)
{
    ItemList list;
    list.appendRows({{"a", "", "", "1"}, {"b", "", "", ""}, {"c", "", "", ""}, {"d", "", "", "4"}});
    list.selectRow(3);
    EXPECT_EQ(list.removeRowsWithoutOfferId(), 2u);
    ASSERT_EQ(list.rowCount(), 2u);
    EXPECT_TRUE(list.isSelected(1));
    EXPECT_EQ(list.row(1).title, "d");
}

TEST(ItemList, ListenersHearRowAndSelectionChanges)
{
    ItemList list;
    std::vector<ItemList::Change> heard;
    const int id = list.subscribe([&](ItemList::Change c) { heard.push_back(c); });
    list.appendRow({});
    list.selectRow(0);
    list.unsubscribe(id);
    list.clear();
    EXPECT_EQ(heard, (std::vector<ItemList::Change>{ItemList::Change::Rows, ItemList::Change::Selection}));
}
