// vendquill-cli generate, run from outside against the stand-in marketplace.
#include <gtest/gtest.h>

#include "clienv.h"
#include "runcli.h"

namespace {

using vq::test::CliEnvironment;
using vq::test::readBytes;
using vq::test::runCli;

const std::string kTaobaoFirstLine = "version 1.00" + std::string(47, ',') + "\r\n";

std::size_t countOf(const std::string& text, const std::string& what)
{
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size()))
        ++n;
    return n;
}

TEST(GenerateCommand, TaobaoPackageFromAListWithOneFailure)
{
    CliEnvironment env;
    env.writeList("list.txt", {"款一||1001000001||12.5||https://detail/1", "不存在||1001999999||1||https://detail/x",
                               "款四||1001000004||8||https://detail/4"});
    const std::string out = env.path("pkg/taobao.csv");
    std::filesystem::create_directories(env.path("pkg"));
    const auto run = runCli(env.arguments({"generate", "--list", env.path("list.txt"), "--out", out, "--kind", "taobao"}));

    ASSERT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.out, "total 3 success 2 failed 1 file " + out + "\n");
    // Every log line goes to standard error with its date-time text.
    EXPECT_NE(run.err.find("年"), std::string::npos);
    EXPECT_NE(run.err.find(" 文件写成功！\n"), std::string::npos);
    EXPECT_EQ(run.err.find('\r'), std::string::npos);

    const std::string package = readBytes(out);
    ASSERT_EQ(package.substr(0, kTaobaoFirstLine.size()), kTaobaoFirstLine);
    EXPECT_EQ(countOf(package, "\r\n"), 3u + 2u);  // three header lines, two rows
    const std::string text = vq::text::gbkToUtf8(package);
    EXPECT_NE(text.find("\"双色T恤 款一\""), std::string::npos);
    EXPECT_NE(text.find("\"单色T恤 款四\""), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_directory(env.path("pkg/taobao")));

    // The copied products left the list; the failed one stays for another run.
    EXPECT_EQ(env.readList("list.txt"), "不存在||1001999999||1||https://detail/x\r\n");
    // Like the desktop app, the command made the options file first.
    EXPECT_TRUE(std::filesystem::exists(env.dir / "home" / "options" / "options.ini"));
}

TEST(GenerateCommand, BusinessAssistantPackage)
{
    CliEnvironment env;
    env.writeList("list.txt", {"批发||1001000011||9||https://detail/11"});
    const std::string out = env.path("ali.csv");
    const auto run = runCli(env.arguments({"generate", "--list", env.path("list.txt"), "--out", out, "--kind", "ali"}));

    ASSERT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.out, "total 1 success 1 failed 0 file " + out + "\n");
    const std::string package = readBytes(out);
    ASSERT_GT(package.size(), 1086u);
    EXPECT_EQ(package.substr(0, 6), std::string("\xFF\xFE" "a\0p\0", 6));
    EXPECT_EQ(package.substr(package.size() - 6), std::string("\r\0\n\0\0\0", 6));
    const std::string row = vq::text::utf16leToUtf8(package.substr(1086, package.size() - 1086 - 2));
    EXPECT_EQ(row.substr(0, 2), "0\t");
    EXPECT_NE(row.find("奎维纯棉T恤 批发"), std::string::npos);
    EXPECT_EQ(env.readList("list.txt"), "");
}

TEST(GenerateCommand, PackageThatCannotBeWrittenKeepsTheListAndFails)
{
    CliEnvironment env;
    env.writeList("list.txt", {"款一||1001000001||12.5||https://detail/1"});
    // The package's folder is taken by a file.
    vq::test::writeBytes(env.dir / "blocked", "a file, not a folder");
    const std::string out = env.path("blocked/p.csv");
    const auto run = runCli(env.arguments({"generate", "--list", env.path("list.txt"), "--out", out}));

    EXPECT_EQ(run.exitStatus, 1) << run.err;
    EXPECT_NE(run.out.find("file " + out), std::string::npos);
    EXPECT_EQ(env.readList("list.txt"), "款一||1001000001||12.5||https://detail/1\r\n");
}

TEST(GenerateCommand, UsageAndFileErrors)
{
    CliEnvironment env;
    struct Case {
        std::vector<std::string> command;
        int status;
        const char* message;
    };
    const Case cases[] = {
        {{"generate", "--list", env.path("missing.txt"), "--out", env.path("p.csv")}, 1, "missing.txt"},
        {{"generate", "--list", env.path("l.txt")}, 2, "option --out is required"},
        {{"generate", "--list", env.path("l.txt"), "--out", "p.csv", "--kind", "tmall"}, 2, "--kind"},
    };
    for (const Case& c : cases) {
        const auto run = runCli(env.arguments(c.command));
        EXPECT_EQ(run.exitStatus, c.status) << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
    const auto badEndpoints = runCli({"--home", env.path("home"), "--endpoints", env.path("nope.ini"), "generate",
                                      "--list", env.path("l.txt"), "--out", env.path("p.csv")});
    EXPECT_EQ(badEndpoints.exitStatus, 2);
    EXPECT_NE(badEndpoints.err.find("--endpoints"), std::string::npos);
}

TEST(GenerateCommand, InterruptWritesTheFinishedProducts)
{
    CliEnvironment env;
    // 1001000021 shows the verification page until a login cookie is set; a
    // run without a browser keeps retrying it for a while, so the interrupt
    // can arrive after the first product has finished and before this one
    // gives up.
    env.writeList("list.txt", {"款一||1001000001||12.5||https://detail/1", "验证||1001000021||1||https://detail/21"});
    const std::string out = env.path("stopped.csv");
    vq::test::CliOptions options;
    options.interruptWhenErrorContains = "第：1/2 个宝贝 下载完成！";
    const auto run = runCli(env.arguments({"generate", "--list", env.path("list.txt"), "--out", out}), options);

    ASSERT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.out, "total 2 success 1 failed 1 file " + out + "\n");
    EXPECT_EQ(countOf(readBytes(out), "\r\n"), 3u + 1u);
    EXPECT_EQ(env.readList("list.txt"), "验证||1001000021||1||https://detail/21\r\n");
}

}  // namespace
