#include "collect/listcommands.h"

#include <string>
#include <vector>

#include "collect/frontend.h"
#include "collect/itemlist.h"
#include "collect/listfile.h"
#include "collect/spreadsheetexport.h"

namespace vq::collect {

ItemListCommands::ItemListCommands(ItemList& list, FrontEnd& frontEnd, std::filesystem::path programFolder)
    : m_list(list), m_frontEnd(frontEnd), m_programFolder(std::move(programFolder))
{
}

std::size_t ItemListCommands::deleteSelectedRows()
{
    return m_list.deleteSelected();
}

void ItemListCommands::clearList()
{
    m_list.clear();
}

bool ItemListCommands::canExport() const
{
    return m_list.rowCount() > 0;
}

bool ItemListCommands::exportList(const std::filesystem::path& file)
{
    const std::vector<ItemRow> rows = m_list.rows();
    if (rows.empty())
        return false;
    std::string error;
    if (!writeListFile(file, rows, error)) {
        m_frontEnd.showMessage("宝贝列表导出失败！" + error, "提示", MessageIcon::Warning);
        return false;
    }
    m_frontEnd.showMessage(std::string(kExported), "", MessageIcon::Information);
    return true;
}

bool ItemListCommands::importList(const std::filesystem::path& file)
{
    std::vector<ItemRow> rows;
    std::string error;
    if (!readListFile(file, rows, error)) {
        m_frontEnd.showMessage("宝贝列表导入失败！" + error, "提示", MessageIcon::Warning);
        return false;
    }
    m_list.setRows(std::move(rows));
    m_frontEnd.showMessage(std::string(kImported), std::string(kImportedTitle), MessageIcon::Information);
    return true;
}

std::filesystem::path ItemListCommands::spreadsheetFile() const
{
    return m_programFolder / std::string(kSpreadsheetName);
}

bool ItemListCommands::openInSpreadsheet()
{
    const std::filesystem::path file = spreadsheetFile();
    std::string error;
    const bool written = writeListSpreadsheet(file, m_list.rows(), error, [this] { m_frontEnd.processPendingEvents(); });
    m_frontEnd.processPendingEvents();
    if (!written) {
        m_frontEnd.showMessage("无法生成表格文件！" + error, "提示", MessageIcon::Warning);
        return false;
    }
    m_frontEnd.openWithSystemHandler(file.string());
    return true;
}

std::optional<std::size_t> ItemListCommands::currentRow() const
{
    const std::vector<std::size_t> selected = m_list.selectedRows();
    if (selected.empty())
        return std::nullopt;
    return selected.front();
}

void ItemListCommands::copyRowAddress()
{
    const std::optional<std::size_t> row = currentRow();
    m_frontEnd.copyToClipboard(row ? m_list.cell(*row, 2) : std::string());
}

void ItemListCommands::copyRowTitle()
{
    const std::optional<std::size_t> row = currentRow();
    m_frontEnd.copyToClipboard(row ? m_list.cell(*row, 0) : std::string());
}

void ItemListCommands::openRowAddress()
{
    const std::optional<std::size_t> row = currentRow();
    if (!row)
        return;
    const std::string address = m_list.cell(*row, 2);
    if (!address.empty())
        m_frontEnd.openWithSystemHandler(address);
}

}  // namespace vq::collect
