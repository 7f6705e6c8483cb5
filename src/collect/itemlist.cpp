#include "collect/itemlist.h"

#include <algorithm>

namespace vq {

const std::string& ItemRow::column(int index) const
{
    static const std::string empty;
    switch (index) {
    case 0:
        return title;
    case 1:
        return price;
    case 2:
        return address;
    case 3:
        return offerId;
    default:
        return empty;
    }
}

std::size_t ItemList::rowCount() const
{
    std::lock_guard lock(m_mutex);
    return m_rows.size();
}

std::string ItemList::cell(std::size_t row, int column) const
{
    std::lock_guard lock(m_mutex);
    return row < m_rows.size() ? m_rows[row].column(column) : std::string();
}

ItemRow ItemList::row(std::size_t index) const
{
    std::lock_guard lock(m_mutex);
    return index < m_rows.size() ? m_rows[index] : ItemRow{};
}

std::vector<ItemRow> ItemList::rows() const
{
    std::lock_guard lock(m_mutex);
    return m_rows;
}

void ItemList::appendRow(const ItemRow& row)
{
    {
        std::lock_guard lock(m_mutex);
        m_rows.push_back(row);
    }
    notify(Change::Rows);
}

void ItemList::appendRows(const std::vector<ItemRow>& rows)
{
    {
        std::lock_guard lock(m_mutex);
        m_rows.insert(m_rows.end(), rows.begin(), rows.end());
    }
    notify(Change::Rows);
}

void ItemList::setRows(std::vector<ItemRow> rows)
{
    {
        std::lock_guard lock(m_mutex);
        m_rows = std::move(rows);
        m_selected.clear();
    }
    notify(Change::Rows);
}

void ItemList::clear()
{
    setRows({});
}

void ItemList::selectRow(std::size_t index)
{
    setSelected(index, true);
}

void ItemList::setSelected(std::size_t index, bool selected)
{
    {
        std::lock_guard lock(m_mutex);
        if (index >= m_rows.size())
            return;
        if (selected)
            m_selected.insert(index);
        else
            m_selected.erase(index);
    }
    notify(Change::Selection);
}

void ItemList::clearSelection()
{
    {
        std::lock_guard lock(m_mutex);
        m_selected.clear();
    }
    notify(Change::Selection);
}

bool ItemList::isSelected(std::size_t index) const
{
    std::lock_guard lock(m_mutex);
    return m_selected.count(index) > 0;
}

std::vector<std::size_t> ItemList::selectedRows() const
{
    std::lock_guard lock(m_mutex);
    return {m_selected.begin(), m_selected.end()};
}

std::size_t ItemList::deleteSelected()
{
    std::size_t deleted = 0;
    {
        std::lock_guard lock(m_mutex);
        for (auto it = m_selected.rbegin(); it != m_selected.rend(); ++it) {
            m_rows.erase(m_rows.begin() + static_cast<std::ptrdiff_t>(*it));
            ++deleted;
        }
        m_selected.clear();
    }
    notify(Change::Rows);
    return deleted;
}

std::size_t ItemList::removeRowsWithoutOfferId()
{
    std::size_t removed = 0;
    {
        std::lock_guard lock(m_mutex);
        std::vector<ItemRow> kept;
        std::set<std::size_t> selected;
        for (std::size_t i = 0; i < m_rows.size(); ++i) {
            if (m_rows[i].offerId.empty()) {
                ++removed;
                continue;
            }
            if (m_selected.count(i))
                selected.insert(kept.size());
            kept.push_back(std::move(m_rows[i]));
        }
        m_rows = std::move(kept);
        m_selected = std::move(selected);
    }
    if (removed)
        notify(Change::Rows);
    return removed;
}

int ItemList::subscribe(const Listener& listener)
{
    std::lock_guard lock(m_listenerMutex);
    const int id = m_nextId++;
    m_listeners.emplace(id, listener);
    return id;
}

void ItemList::unsubscribe(int id)
{
    std::lock_guard lock(m_listenerMutex);
    m_listeners.erase(id);
}

void ItemList::notify(Change change)
{
    std::lock_guard lock(m_listenerMutex);
    for (const auto& [id, listener] : m_listeners)
        listener(change);
}

}  // namespace vq
