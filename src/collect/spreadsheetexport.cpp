#include "collect/spreadsheetexport.h"

#include <array>
#include <system_error>

#include <xlsxwriter.h>

#include "config/atomicfile.h"

namespace vq::collect {
namespace {

// libxlsxwriter writes straight to a named file; the workbook goes to a
// scratch file beside the target first, so that the target is replaced
// whole or not at all.
std::filesystem::path scratchFileFor(const std::filesystem::path& file)
{
    std::filesystem::path scratch = file;
    scratch += ".writing.xlsx";
    return scratch;
}

}  // namespace

bool writeListSpreadsheet(const std::filesystem::path& file, const std::vector<ItemRow>& rows, std::string& error,
                          const std::function<void()>& afterRow)
{
    const std::filesystem::path scratch = scratchFileFor(file);
    lxw_workbook* workbook = workbook_new(scratch.string().c_str());
    if (!workbook) {
        error = "无法创建表格文件：" + scratch.string();
        return false;
    }
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, nullptr);
    lxw_format* textFormat = workbook_add_format(workbook);
    format_set_num_format_index(textFormat, 49);  // the built-in text format "@"
    // Columns formatted as text too, so that what the user types later
    // stays text; widths give the title and address room.
    worksheet_set_column(sheet, 0, 0, 60, textFormat);
    worksheet_set_column(sheet, 1, 1, 12, textFormat);
    worksheet_set_column(sheet, 2, 2, 50, textFormat);
    worksheet_set_column(sheet, 3, 3, 16, textFormat);

    bool cellsWritten = true;
    const std::array<const char*, 4> header = {"宝贝名称", "宝贝价格", "宝贝地址", "id"};
    for (lxw_col_t column = 0; column < header.size(); ++column)
        cellsWritten = worksheet_write_string(sheet, 0, column, header[column], textFormat) == LXW_NO_ERROR
            && cellsWritten;
    lxw_row_t rowNumber = 1;
    for (const ItemRow& row : rows) {
        for (lxw_col_t column = 0; column < 4; ++column)
            cellsWritten = worksheet_write_string(sheet, rowNumber, column,
                                                  row.column(static_cast<int>(column)).c_str(), textFormat)
                    == LXW_NO_ERROR
                && cellsWritten;
        ++rowNumber;
        if (afterRow)
            afterRow();
    }

    const lxw_error closed = workbook_close(workbook);
    std::error_code ignored;
    if (closed != LXW_NO_ERROR || !cellsWritten) {
        std::filesystem::remove(scratch, ignored);
        error = closed != LXW_NO_ERROR ? std::string("无法写入表格文件：") + lxw_strerror(closed)
                                       : std::string("表格中有过长的单元格文本");
        return false;
    }
    std::string bytes;
    const bool read = config::readFile(scratch, bytes);
    std::filesystem::remove(scratch, ignored);
    if (!read) {
        error = "无法读取表格文件：" + scratch.string();
        return false;
    }
    return config::writeFileAtomically(file, bytes, &error);
}

}  // namespace vq::collect
