// The item-list file: GBK text, one row per CR LF line, four fields joined
// by "||" in the order title, offer ID, price, product address. Fields
// cannot hold "||" or a line break; there is no quoting. In memory the text
// is UTF-8; the GBK form exists only on disk.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "collect/itemlist.h"

namespace vq::collect {

// The file's text (UTF-8) for rows: every row as a line ending in CR LF, the
// whole text then trimmed of blanks at both ends (so a first title loses
// its leading blanks; the final CR LF stays).
std::string listFileText(const std::vector<ItemRow>& rows);

// The rows of a list file's text (UTF-8): every line split at "||" that
// gives exactly four fields; other lines are skipped.
std::vector<ItemRow> parseListFileText(std::string_view text);

// Writes rows to file as GBK, replacing it whole. False with error set when
// the file cannot be written (nothing is changed then).
bool writeListFile(const std::filesystem::path& file, const std::vector<ItemRow>& rows, std::string& error);

// Reads the rows of a list file. False with error set when the file cannot
// be read; a readable file without valid lines gives no rows and true.
bool readListFile(const std::filesystem::path& file, std::vector<ItemRow>& rows, std::string& error);

}  // namespace vq::collect
