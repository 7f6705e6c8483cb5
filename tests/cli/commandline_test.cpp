#include "cli/commandline.h"

#include <gtest/gtest.h>

using namespace vq::cli;

namespace {

std::optional<CommandLine> parse(std::vector<std::string> arguments, std::string& error)
{
    return parseCommandLine(arguments, error);
}

TEST(CommandLine, AddWithGlobalsPagesAndAddresses)
{
    std::string error;
    const auto line = parse({"--home", "/h", "add", "--mode", "shop", "--list", "l.txt", "--pages", "5-40",
                             "--endpoints", "e.ini", "http://shop.example/"},
                            error);
    ASSERT_TRUE(line) << error;
    EXPECT_EQ(line->command, Command::Add);
    EXPECT_EQ(line->home, "/h");
    EXPECT_EQ(line->endpointsFile, "e.ini");
    EXPECT_EQ(line->mode, AddMode::Shop);
    ASSERT_TRUE(line->pages);
    EXPECT_EQ(line->pages->first, 5);
    EXPECT_EQ(line->pages->last, 40);
    EXPECT_EQ(line->addresses, std::vector<std::string>{"http://shop.example/"});
}

TEST(CommandLine, GenerateWithRewriteOptions)
{
    std::string error;
    const auto line = parse({"generate", "--list", "l.txt", "--out", "p.csv", "--kind", "ali", "--clean-title",
                             "--source-link", "--swap-pictures", "--brand-other", "--price-op", "乘",
                             "--price-operand", "1.5", "--round"},
                            error);
    ASSERT_TRUE(line) << error;
    EXPECT_EQ(line->command, Command::Generate);
    EXPECT_EQ(line->kind, "ali");
    EXPECT_TRUE(line->cleanTitle && line->sourceLink && line->swapPictures && line->brandOther && line->round);
    EXPECT_EQ(line->priceOperator, "乘");
    EXPECT_EQ(line->priceOperand, "1.5");
}

TEST(CommandLine, UsageErrorsNameTheOffendingOption)
{
    struct Case {
        std::vector<std::string> arguments;
        const char* expected;
    };
    const Case cases[] = {
        {{}, "no command given"},
        {{"frobnicate"}, "unknown command frobnicate"},
        {{"--bogus", "add"}, "unknown option --bogus"},
        {{"add", "--mode", "shop", "x"}, "option --list is required"},
        {{"add", "--list", "l", "--mode", "bulk", "x"}, "option --mode takes single, list or shop, not bulk"},
        {{"add", "--list", "l", "--mode", "list", "--pages", "40", "x"}, "option --pages takes FIRST-LAST"},
        {{"add", "--list", "l"}, "add needs at least one ADDRESS"},
        {{"add", "--list", "l", "--pages", "1-2", "x"}, "option --pages is for --mode list or shop"},
        {{"add", "--list", "l", "--mode", "shop", "a", "b"}, "take exactly one ADDRESS"},
        {{"generate", "--list", "l"}, "option --out is required"},
        {{"generate", "--list", "l", "--out", "o", "--kind", "tmall"}, "option --kind takes taobao or ali"},
        {{"generate", "--list", "l", "--out", "o", "--price-op", "加"}, "option --price-op needs --price-operand"},
        {{"generate", "--list", "l", "--out", "o", "--price-op", "plus", "--price-operand", "1"}, "option --price-op takes"},
        {{"generate", "--list", "l", "--out", "o", "--price-op", "加", "--price-operand", "x1"},
         "option --price-operand takes a number, not x1"},
        {{"generate", "--list", "l", "--out", "o", "--round"}, "option --round needs --price-op"},
        {{"generate", "--list"}, "option --list needs a value"},
        {{"generate", "--list", "l", "--out", "o", "--pages", "1-2"}, "unknown option --pages for this command"},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(parse(c.arguments, error));
        EXPECT_NE(error.find(c.expected), std::string::npos) << "got: " << error;
    }
}

TEST(CommandLine, HelpListsEveryCommand)
{
    std::string error;
    const auto line = parse({"--help"}, error);
    ASSERT_TRUE(line);
    EXPECT_EQ(line->command, Command::Help);
    for (const char* command : {"\n  add ", "\n  generate ", "\n  help "})
        EXPECT_NE(helpText().find(command), std::string::npos) << command;
}

}  // namespace
