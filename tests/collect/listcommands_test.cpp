#include "collect/listcommands.h"

#include <gtest/gtest.h>

#include <minizip/unzip.h>

#include "collect/frontend.h"
#include "collect/itemlist.h"
#include "support/tempdir.h"
#include "text/gbk.h"

using namespace vq::collect;
using vq::ItemRow;

namespace {

struct Shown {
    std::string text;
    std::string title;
};

class RecordingFrontEnd : public vq::FrontEnd {
public:
    std::vector<Shown> messages;
    std::vector<std::string> opened;
    std::vector<std::string> clipboard;
    int events = 0;

    void showMessage(const std::string& text, const std::string& title, vq::MessageIcon) override
    {
        messages.push_back({text, title});
    }
    bool openWithSystemHandler(const std::string& target) override
    {
        opened.push_back(target);
        return true;
    }
    void copyToClipboard(const std::string& text) override { clipboard.push_back(text); }
    void processPendingEvents() override { ++events; }
};

// One file of a zip archive (the workbook); empty when missing.
std::string zipEntry(const std::filesystem::path& archive, const char* name)
{
    unzFile zip = unzOpen(archive.string().c_str());
    if (!zip)
        return {};
    std::string bytes;
    if (unzLocateFile(zip, name, 0) == UNZ_OK && unzOpenCurrentFile(zip) == UNZ_OK) {
        char buffer[4096];
        int got = 0;
        while ((got = unzReadCurrentFile(zip, buffer, sizeof buffer)) > 0)
            bytes.append(buffer, static_cast<std::size_t>(got));
        unzCloseCurrentFile(zip);
    }
    unzClose(zip);
    return bytes;
}

class ListCommands : public testing::Test {
protected:
    ListCommands() : m_commands(m_list, m_frontEnd, m_dir.path())
    {
        m_list.appendRows({{" 首个宝贝", "25.00", "http://a/offer/101.html", "101"},
                           {"同名宝贝", "", "http://a/offer/102.html", "102"},
                           {"同名宝贝", "9.80", "http://a/offer/103.html", "103"}});
    }

    vq::test::TempDir m_dir;
    vq::ItemList m_list;
    RecordingFrontEnd m_frontEnd;
    ItemListCommands m_commands;
};

TEST_F(ListCommands, ExportThenImportRoundTripsTheList)
{
    const std::filesystem::path file = m_dir / "list.txt";
    ASSERT_TRUE(m_commands.exportList(file));
    ASSERT_EQ(m_frontEnd.messages.size(), 1u);
    EXPECT_EQ(m_frontEnd.messages[0].text, "宝贝列表已经成功导出！");
    EXPECT_EQ(m_frontEnd.messages[0].title, "");

    const std::vector<ItemRow> before = m_list.rows();
    m_commands.clearList();
    EXPECT_EQ(m_list.rowCount(), 0u);
    ASSERT_TRUE(m_commands.importList(file));
    ASSERT_EQ(m_frontEnd.messages.size(), 2u);
    EXPECT_EQ(m_frontEnd.messages[1].text, "已经成功导入宝贝列表！");
    EXPECT_EQ(m_frontEnd.messages[1].title, "温馨提示：");
    std::vector<ItemRow> expected = before;
    expected[0].title = "首个宝贝";  // the whole-text trim takes the first title's blank
    EXPECT_EQ(m_list.rows(), expected);
}

TEST_F(ListCommands, ImportReplacesTheListEvenByNothing)
{
    const std::filesystem::path file = m_dir / "bars.txt";
    vq::test::writeBytes(file, "t|1|p|a\r\nu|2|q|b\r\n");
    ASSERT_TRUE(m_commands.importList(file));
    EXPECT_EQ(m_list.rowCount(), 0u);
    EXPECT_EQ(m_frontEnd.messages.back().text, "已经成功导入宝贝列表！");
}

TEST_F(ListCommands, AnUnreadableFileIsReportedAndTheListKept)
{
    EXPECT_FALSE(m_commands.importList(m_dir / "missing.txt"));
    EXPECT_EQ(m_list.rowCount(), 3u);
    ASSERT_EQ(m_frontEnd.messages.size(), 1u);
    EXPECT_NE(m_frontEnd.messages[0].text, "已经成功导入宝贝列表！");
    EXPECT_EQ(m_frontEnd.messages[0].text.rfind("宝贝列表导入失败！", 0), 0u);
}

TEST_F(ListCommands, AnUnwritableFileIsReportedNotExported)
{
    EXPECT_FALSE(m_commands.exportList(m_dir / "no-such-folder" / "list.txt"));
    ASSERT_EQ(m_frontEnd.messages.size(), 1u);
    EXPECT_EQ(m_frontEnd.messages[0].text.rfind("宝贝列表导出失败！", 0), 0u);
}

TEST_F(ListCommands, AnEmptyListExportsNothing)
{
    m_commands.clearList();
    EXPECT_FALSE(m_commands.canExport());
    EXPECT_FALSE(m_commands.exportList(m_dir / "list.txt"));
    EXPECT_FALSE(std::filesystem::exists(m_dir / "list.txt"));
    EXPECT_TRUE(m_frontEnd.messages.empty());
}

TEST_F(ListCommands, DeletingASelectedRowLeavesItsNamesake)
{
    m_list.selectRow(2);
    EXPECT_EQ(m_commands.deleteSelectedRows(), 1u);
    ASSERT_EQ(m_list.rowCount(), 2u);
    EXPECT_EQ(m_list.cell(1, 0), "同名宝贝");
    EXPECT_EQ(m_list.cell(1, 3), "102");
}

TEST_F(ListCommands, CopyAndOpenUseTheCurrentRow)
{
    m_commands.copyRowTitle();
    m_commands.openRowAddress();
    EXPECT_EQ(m_frontEnd.clipboard, std::vector<std::string>{""});
    EXPECT_TRUE(m_frontEnd.opened.empty());

    m_list.selectRow(1);
    m_commands.copyRowTitle();
    m_commands.copyRowAddress();
    m_commands.openRowAddress();
    EXPECT_EQ(m_frontEnd.clipboard, (std::vector<std::string>{"", "同名宝贝", "http://a/offer/102.html"}));
    EXPECT_EQ(m_frontEnd.opened, std::vector<std::string>{"http://a/offer/102.html"});
}

TEST_F(ListCommands, TheSpreadsheetIsARealWorkbookOfTextCells)
{
    ASSERT_TRUE(m_commands.openInSpreadsheet());
    const std::filesystem::path file = m_dir / "temp.xlsx";
    EXPECT_EQ(m_commands.spreadsheetFile(), file);
    ASSERT_TRUE(std::filesystem::exists(file));
    EXPECT_EQ(m_frontEnd.opened, std::vector<std::string>{file.string()});
    EXPECT_GE(m_frontEnd.events, 3);  // once per row, once at the end

    const std::string strings = zipEntry(file, "xl/sharedStrings.xml");
    for (const char* text : {"宝贝名称", "宝贝价格", "宝贝地址", ">id<", " 首个宝贝", "http://a/offer/103.html", ">101<"})
        EXPECT_NE(strings.find(text), std::string::npos) << text;
    const std::string sheet = zipEntry(file, "xl/worksheets/sheet1.xml");
    EXPECT_NE(sheet.find("r=\"A1\""), std::string::npos);
    EXPECT_NE(sheet.find("r=\"D4\""), std::string::npos);
    EXPECT_EQ(sheet.find("r=\"A5\""), std::string::npos);
    // Every one of the 16 cells carries the text style, the empty price too.
    std::size_t styled = 0;
    for (std::size_t at = sheet.find("<c r="); at != std::string::npos; at = sheet.find("<c r=", at + 1))
        styled += sheet.substr(at, sheet.find('>', at) - at).find(" s=\"1\"") != std::string::npos ? 1 : 0;
    EXPECT_EQ(styled, 16u);
    // "@" is the built-in text number format 49.
    EXPECT_NE(zipEntry(file, "xl/styles.xml").find("numFmtId=\"49\""), std::string::npos);
    // No scratch file is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir.path()), std::filesystem::directory_iterator()),
              1);
}

TEST_F(ListCommands, ASpreadsheetThatCannotBeWrittenIsReported)
{
    ItemListCommands commands(m_list, m_frontEnd, m_dir / "no-such-folder");
    EXPECT_FALSE(commands.openInSpreadsheet());
    EXPECT_TRUE(m_frontEnd.opened.empty());
    ASSERT_EQ(m_frontEnd.messages.size(), 1u);
}

}  // namespace
