#include "collect/listfile.h"

#include <system_error>

#include "config/atomicfile.h"
#include "text/gbk.h"
#include "text/textops.h"

namespace vq::collect {

std::string listFileText(const std::vector<ItemRow>& rows)
{
    std::string text;
    for (const ItemRow& row : rows)
        text += row.title + "||" + row.offerId + "||" + row.price + "||" + row.address + "\r\n";
    return text::trim(text);
}

std::vector<ItemRow> parseListFileText(std::string_view text)
{
    std::vector<ItemRow> rows;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        start = end + 1;
        const std::vector<std::string> fields = text::split(line, "||");
        if (fields.size() != 4)
            continue;
        rows.push_back({fields[0], fields[2], fields[3], fields[1]});
    }
    return rows;
}

bool writeListFile(const std::filesystem::path& file, const std::vector<ItemRow>& rows, std::string& error)
{
    return config::writeFileAtomically(file, text::utf8ToGbk(listFileText(rows)), &error);
}

bool readListFile(const std::filesystem::path& file, std::vector<ItemRow>& rows, std::string& error)
{
    std::error_code code;
    if (std::filesystem::is_directory(file, code)) {
        error = "不是文件：" + file.string();
        return false;
    }
    std::string bytes;
    if (!config::readFile(file, bytes)) {
        error = "无法读取文件：" + file.string();
        return false;
    }
    rows = parseListFileText(text::gbkToUtf8(bytes));
    return true;
}

}  // namespace vq::collect
