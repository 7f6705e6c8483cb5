// Writing the item list as a spreadsheet workbook (header row "宝贝名称",
// "宝贝价格", "宝贝地址", "id", then one row per list row, every cell
// formatted as text) for viewing in the user's spreadsheet program.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "collect/itemlist.h"

namespace vq::collect {

// Writes the workbook to file, replacing it whole. afterRow (when given) is
// called once per written list row. False with error set on failure.
bool writeListSpreadsheet(const std::filesystem::path& file, const std::vector<ItemRow>& rows, std::string& error,
                          const std::function<void()>& afterRow = {});

}  // namespace vq::collect
