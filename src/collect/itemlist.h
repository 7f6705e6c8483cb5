// The item list of collected products: rows of four text columns (title,
// price, product address, offer ID) with a selection. The Qt list view and
// the command line both show this model. Thread-safe; listeners are told of
// every change after it happened, on the changing thread.
#pragma once

#include <array>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace vq {

struct ItemRow {
    std::string title;    // column 0 "名称"
    std::string price;    // column 1 "价格"
    std::string address;  // column 2 "宝贝地址"
    std::string offerId;  // column 3 "ID"

    const std::string& column(int index) const;
    bool operator==(const ItemRow&) const = default;
};

class ItemList {
public:
    enum class Change { Rows, Selection };
    using Listener = std::function<void(Change)>;

    std::size_t rowCount() const;
    // Text of a cell; empty for a row or column out of range.
    std::string cell(std::size_t row, int column) const;
    ItemRow row(std::size_t index) const;
    std::vector<ItemRow> rows() const;

    void appendRow(const ItemRow& row);
    void appendRows(const std::vector<ItemRow>& rows);
    void setRows(std::vector<ItemRow> rows);
    void clear();

    void selectRow(std::size_t index);  // adds to the selection
    void setSelected(std::size_t index, bool selected);
    void clearSelection();
    bool isSelected(std::size_t index) const;
    std::vector<std::size_t> selectedRows() const;

    // Deletes the selected rows, from the last to the first; returns how
    // many were deleted.
    std::size_t deleteSelected();
    // Deletes every row whose offer ID (column 3) is empty; returns how many.
    std::size_t removeRowsWithoutOfferId();

    int subscribe(const Listener& listener);
    void unsubscribe(int id);

private:
    void notify(Change change);

    mutable std::mutex m_mutex;
    std::vector<ItemRow> m_rows;
    std::set<std::size_t> m_selected;
    std::mutex m_listenerMutex;
    std::map<int, Listener> m_listeners;
    int m_nextId = 1;
};

}  // namespace vq
