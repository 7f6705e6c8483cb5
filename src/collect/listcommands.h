// The user's operations on the item list beside the add command: delete the
// selected rows, clear, export to and import from a list file, show the list
// in a spreadsheet program, copy or open one row's title or address. Runs
// on the UI thread. File dialogs belong to the front end: it asks for the
// path first (and ends the command silently when the user cancels), then
// calls these with the chosen path.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace vq {
class FrontEnd;
class ItemList;
}  // namespace vq

namespace vq::collect {

class ItemListCommands {
public:
    static constexpr std::string_view kFileFilter = "宝贝列表文件(*.txt)|*.txt";
    static constexpr std::string_view kFileExtension = ".txt";
    static constexpr std::string_view kExported = "宝贝列表已经成功导出！";
    static constexpr std::string_view kImported = "已经成功导入宝贝列表！";
    static constexpr std::string_view kImportedTitle = "温馨提示：";
    // The spreadsheet export's file in the program folder. Without
    // spreadsheet automation the workbook is written directly, as an
    // Office Open XML workbook, hence the ".xlsx" name that spreadsheet
    // programs open without a format warning.
    static constexpr std::string_view kSpreadsheetName = "temp.xlsx";

    ItemListCommands(ItemList& list, FrontEnd& frontEnd, std::filesystem::path programFolder);

    // "删除" and "删除选中宝贝": removes exactly the selected rows.
    std::size_t deleteSelectedRows();
    // "清空".
    void clearList();

    // Whether "导出列表" has anything to write; with an empty list the front
    // end shows no save dialog.
    bool canExport() const;
    // "导出列表" to file: writes the list file and says so; a file that
    // cannot be written is reported instead. False when nothing was written.
    bool exportList(const std::filesystem::path& file);
    // "导入列表" from file: replaces the list by the file's valid rows and
    // says so. A file that cannot be read is reported and the list is kept.
    bool importList(const std::filesystem::path& file);

    // "用EXCEL打开宝贝列表": writes the workbook and opens it with the
    // system's default handler. False when it could not be written.
    bool openInSpreadsheet();
    std::filesystem::path spreadsheetFile() const;

    // The list's current row: the first selected row, if any.
    std::optional<std::size_t> currentRow() const;
    // "复制宝贝地址", "复制宝贝名称": the current row's address or title to
    // the clipboard (empty text without a current row).
    void copyRowAddress();
    void copyRowTitle();
    // "用IE打开宝贝链接": the current row's address with the system's
    // default handler; nothing happens without a current row.
    void openRowAddress();

private:
    ItemList& m_list;
    FrontEnd& m_frontEnd;
    std::filesystem::path m_programFolder;
};

}  // namespace vq::collect
