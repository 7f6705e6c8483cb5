// vendquill-cli add, run from outside against the stand-in marketplace.
#include <gtest/gtest.h>

#include "clienv.h"
#include "runcli.h"

namespace {

using vq::test::CliEnvironment;
using vq::test::marketplace;
using vq::test::runCli;

std::size_t lineCount(const std::string& text)
{
    std::size_t n = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
        ++n;
    return n;
}

std::string shop(const std::string& name)
{
    return "http://" + name + ".localhost:" + std::to_string(marketplace().httpPort()) + "/";
}

TEST(AddCommand, SingleProductsFromArgumentsAndStandardInputAppendToTheList)
{
    CliEnvironment env;
    const std::string base = marketplace().httpBase() + "/demo/offer/";
    auto run = runCli(env.arguments({"add", "--mode", "single", "--list", env.path("list.txt"), base + "1001000001.html"}));
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(env.readList("list.txt"), "演示宝贝 1001000001||1001000001||||" + base + "1001000001.html\r\n");

    vq::test::CliOptions input;
    input.standardInput = base + "2002000001.html\n\n" + base + "1001000004.html\r\n";
    run = runCli(env.arguments({"add", "--mode", "single", "--list", env.path("list.txt"), "-"}), input);
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    const std::string list = env.readList("list.txt");
    EXPECT_EQ(lineCount(list), 3u);
    EXPECT_NE(list.find("||2002000001||"), std::string::npos);
    EXPECT_NE(list.find("||1001000004||"), std::string::npos);
    EXPECT_EQ(run.out, "added 2 rows to " + env.path("list.txt") + " (3 rows in the list)\n");
}

TEST(AddCommand, UnrecognisedAddressIsLoggedAndFails)
{
    CliEnvironment env;
    const auto run = runCli(env.arguments({"add", "--mode", "single", "--list", env.path("list.txt"),
                                           marketplace().httpBase() + "/single/notitle/42.html"}));
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_NE(run.err.find("  地址输入不正确，未识别到宝贝！\n"), std::string::npos) << run.err;
    EXPECT_EQ(env.readList("list.txt"), "");
}

TEST(AddCommand, ShopAndListModes)
{
    CliEnvironment env;
    auto run = runCli(env.arguments({"add", "--mode", "shop", "--list", env.path("shop.txt"), shop("pages3")}));
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(lineCount(env.readList("shop.txt")), 6u);

    run = runCli(env.arguments({"add", "--mode", "list", "--list", env.path("category.txt"),
                                shop("ordinary") + "search.htm?x=1&catId=88&pageNum=1"}));
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_GT(lineCount(env.readList("category.txt")), 0u);

    run = runCli(env.arguments({"add", "--mode", "shop", "--list", env.path("bad.txt"), "not an address"}));
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_NE(run.err.find("  店铺地址输入不正确，未识别到宝贝！\n"), std::string::npos);
}

TEST(AddCommand, MoreThan35PagesNeedAValidRange)
{
    CliEnvironment env;
    auto run = runCli(env.arguments({"add", "--mode", "shop", "--list", env.path("list.txt"), shop("pages40")}));
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_NE(run.err.find("40 pages; more than 35 need --pages"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(env.path("list.txt")) && !env.readList("list.txt").empty());

    struct Case {
        const char* pages;
        const char* message;
    };
    for (const Case& c : {Case{"40-40", "起始页或结束页输入有误！请修改！"}, Case{"1-37", "超始页大于结束页或间隔大于35页！请修改！"}}) {
        run = runCli(env.arguments({"add", "--mode", "shop", "--list", env.path("list.txt"), "--pages", c.pages,
                                    shop("pages40")}));
        EXPECT_EQ(run.exitStatus, 2) << c.pages;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }

    run = runCli(env.arguments({"add", "--mode", "shop", "--list", env.path("list.txt"), "--pages", "5-40",
                                shop("pages40")}));
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    // Pages 5 to 40 of two entries each.
    EXPECT_EQ(lineCount(env.readList("list.txt")), 72u);
}

TEST(HelpCommand, ListsEveryCommandWithOneLineEach)
{
    const auto run = runCli({"--help"});
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_NE(run.out.find("\n  add "), std::string::npos);
    EXPECT_NE(run.out.find("\n  generate "), std::string::npos);
    EXPECT_NE(run.out.find("\n  help "), std::string::npos);
    const auto bad = runCli({"generate"});
    EXPECT_EQ(bad.exitStatus, 2);
    EXPECT_NE(bad.err.find("option --list is required"), std::string::npos);
}

}  // namespace
