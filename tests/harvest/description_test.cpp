#include "harvest/description.h"

#include <string>
#include <ostream>
#include <vector>

#include <gtest/gtest.h>

#include "harvest/picturename.h"
#include "harvest/stages.h"
#include "picturestagerig.h"
#include "text/digest.h"
#include "text/textops.h"

namespace vq::harvest {
namespace {

TEST(DescriptionAddress, IsTheDataTfsUrlValue)
{
    EXPECT_EQ(descriptionAddress(R"(<div id="desc" data-tfs-url="http://h/desc/1.html" data-x="y">)"),
              "http://h/desc/1.html");
    EXPECT_EQ(descriptionAddress("<div id=\"desc\">"), "");
}

struct ContentCase {
    const char* name;
    std::string answer;
    std::string content;

    friend void PrintTo(const ContentCase& c, std::ostream* os) { *os << c.name; }
};

class OfferDetailsContent : public ::testing::TestWithParam<ContentCase> {};

TEST_P(OfferDetailsContent, LosesEveryBackslash)
{
    EXPECT_EQ(offerDetailsContent(GetParam().answer), GetParam().content);
}

INSTANTIATE_TEST_SUITE_P(
    Escapes, OfferDetailsContent,
    ::testing::Values(
        ContentCase{"EscapedQuotes", R"(var offer_details={"content":"<img src=\"http://h/a.jpg\">"};)",
                    R"(<img src="http://h/a.jpg">)"},
        ContentCase{"EscapedLineBreakLeavesN", R"(var offer_details={"content":"a\nb"};)", "anb"},
        ContentCase{"EscapedSlash", R"(var offer_details={"content":"<\/p>"};)", "</p>"},
        ContentCase{"UnicodeEscapeLeavesU", R"(var offer_details={"content":"\u4e2d"};)", "u4e2d"},
        ContentCase{"NoSuchForm", R"(var desc='<p>x</p>';)", ""}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

TEST(DescVarContent, GivesProtocolRelativeSourcesHttp)
{
    EXPECT_EQ(descVarContent(R"(var desc='<img src="//h/a.jpg"><img src="https://h/b.jpg">';)"),
              R"(<img src="http://h/a.jpg"><img src="https://h/b.jpg">)");
    EXPECT_EQ(descVarContent("nothing"), "");
}

TEST(PrepareDescription, DoublesQuotesAndDropsWebpEndings)
{
    EXPECT_EQ(prepareDescription(R"(<img src="http://h/a.jpg_.webp" alt="x">)"),
              R"(<img src=""http://h/a.jpg"" alt=""x"">)");
}

TEST(RemoveEmptySources, RemovesOnlyEmptySrc)
{
    EXPECT_EQ(removeEmptySources(R"(<img src="""" alt=""a""><img src=""file:///x.jpg"">)"),
              R"(<img  alt=""a""><img src=""file:///x.jpg"">)");
}

TEST(HiddenSourceLink, WhiteTextBetweenMarkers)
{
    EXPECT_EQ(hiddenSourceLink("https://d/offer/2002000001.html"),
              "</p><#1#1#1=\"\"https://d/offer/2002000001.html\"\"><span style=\"\"color:#ffffff;\"\">"
              "https://d/offer/2002000001.html</span>#2#2");
}

// The stage against the stand-in marketplace.

using test::filesIn;
using test::PictureStageRig;
using test::sameBytes;

config::Options withPictures(bool download, bool mobile)
{
    config::Options options;
    options.download = download;
    options.zdsj = mobile;
    return options;
}

std::string kindAddress(const std::string& name)
{
    return PictureStageRig::httpBase() + "/pictures/kind/" + name;
}

bool logHas(const std::vector<std::string>& log, const std::string& line)
{
    for (const std::string& entry : log)
        if (entry == line)
            return true;
    return false;
}

struct SavedPicture {
    const char* name;
    std::string writtenAddress;  // as the description writes it
    std::string servedPath;      // where the same bytes are served again
    std::string type;
    int requests;                // of the address during the stage
};

TEST(BuildDescription, SavesEveryKindOfPictureAndWritesItsFileAddress)
{
    PictureStageRig rig;
    rig.options.set(withPictures(true, false));
    rig.loadProduct("2002000003");

    const std::string base = PictureStageRig::httpBase();
    const std::filesystem::path folder = rig.pictureFolder() / "描述图片齐全的连衣裙";
    const std::vector<SavedPicture> pictures = {
        {"WebpEndingRemoved", kindAddress("photo.jpg"), "/pictures/kind/photo.jpg", "jpg", 1},
        {"PngWith404AfterHeader", kindAddress("png404.png"), "/pictures/kind/png404.png", "png", 1},
        {"Gif", kindAddress("pixel.gif"), "/pictures/kind/pixel.gif", "gif", 1},
        {"Bmp", kindAddress("pixel.bmp"), "/pictures/kind/pixel.bmp", "bmp", 1},
        {"WebpIsRiff", kindAddress("pixel.webp"), "/pictures/kind/pixel.webp", "ani", 1},
        // Types longer than three letters are downloaded again through the
        // time-out engine.
        {"UnknownTypeDownloadedTwice", kindAddress("unknown.bin"), "/pictures/kind/unknown.bin", "123456789A.JPG", 2},
        {"TiffDownloadedTwice", base + "/pictures/slow/300/pixel.tif", "/pictures/slow/300/pixel.tif", "tiff", 2},
        // Named from the written form, downloaded with "&".
        {"AmpersandEntity", base + "/pictures/query.jpg?a=1&amp;b=2", "/pictures/query.jpg?a=1&b=2", "jpg", 1},
        {"Background", kindAddress("back.gif"), "/pictures/kind/back.gif", "gif", 1},
    };
    // Request counts as deltas, so the cases hold in any order in one process.
    std::vector<int> before;
    for (const SavedPicture& picture : pictures)
        before.push_back(PictureStageRig::requests(text::TextBeforeFirst(picture.servedPath + "?", "?")));
    fetchDescription(rig.context());

    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const SavedPicture& picture = pictures[i];
        SCOPED_TRACE(picture.name);
        const std::string fileName = text::Md5ShortText(picture.writtenAddress) + "." + picture.type;
        const std::filesystem::path file = folder / fileName;
        const std::string path = text::TextBeforeFirst(picture.servedPath + "?", "?");
        EXPECT_EQ(PictureStageRig::requests(path) - before[i], picture.requests);
        EXPECT_TRUE(text::contains(rig.record.description, "\"\"" + fileAddress(file) + "\"\""));
        EXPECT_FALSE(text::contains(rig.record.description, picture.writtenAddress));
        EXPECT_TRUE(sameBytes(file, rig.served(picture.servedPath)));
    }
    EXPECT_EQ(filesIn(folder).size(), pictures.size());
    EXPECT_EQ(fileAddress(folder / "x").substr(0, 8), "file:///");
    EXPECT_FALSE(text::contains(rig.record.description, "http://"));
    EXPECT_FALSE(text::contains(rig.record.description, "_.webp"));
    EXPECT_FALSE(text::contains(rig.record.description, "\\"));
    EXPECT_TRUE(text::contains(rig.record.description, "<td>面料说明</td>"));
    EXPECT_TRUE(text::startsWith(rig.record.description, "<div class=\"\"desc\"\"><p><img src=\"\"file:///"));
    EXPECT_EQ(rig.record.wireless_desc, "") << "the mobile description is off";

    const std::vector<std::string> log = rig.log();
    ASSERT_GE(log.size(), 3U);
    EXPECT_EQ(log[0], "线程：2  获取成功 第：1/3 个宝贝   基本信息！\r\n");
    EXPECT_EQ(log[1], "线程：2  开始获取 第：1/3  个宝贝   描述信息！\r\n");
    EXPECT_EQ(log[2], "线程：2  成功获取 第：1/3  个宝贝   描述信息！\r\n");
    EXPECT_TRUE(logHas(log, " 线程：2  正在下载第:1/3 个宝贝 描述图片 1/8\r\n"));
    EXPECT_TRUE(logHas(log, " 线程：2  正在下载第:1/3 个宝贝 描述图片 8/8\r\n"));
    EXPECT_TRUE(logHas(log, " 线程：2  正在下载第:1/3 个宝贝 描述图片 1/1\r\n"));
}

TEST(BuildDescription, FailedPicturesLeaveEmptySourcesAndNoFile)
{
    PictureStageRig rig;
    rig.options.set(withPictures(true, false));
    rig.loadProduct("2002000004");
    // The flaky picture fails only on the first request of its key.
    test::marketplace().state().resetCount("pictures-flaky:first");
    const std::vector<std::string> paths = {"/pictures/kind/placeholder.gif", "/pictures/kind/empty.jpg",
                                            "/pictures/flaky/first.jpg", "/pictures/kind/placeholder-back.gif"};
    std::vector<int> before;
    for (const std::string& path : paths)
        before.push_back(PictureStageRig::requests(path));
    fetchDescription(rig.context());

    // Placeholder: first try and second try. Empty answer: each try is
    // followed by the time-out retry its long name asks for. Flaky: the
    // placeholder first, the picture on the second try.
    const std::vector<int> expected = {2, 4, 2, 2};
    for (std::size_t i = 0; i < paths.size(); ++i)
        EXPECT_EQ(PictureStageRig::requests(paths[i]) - before[i], expected[i]) << paths[i];

    const std::filesystem::path folder = rig.pictureFolder() / "描述图片下载失败的帽子";
    const std::string flakyAddress = PictureStageRig::httpBase() + "/pictures/flaky/first.jpg";
    const std::filesystem::path flakyFile = folder / (text::Md5ShortText(flakyAddress) + ".jpg");
    EXPECT_EQ(rig.record.description,
              "<p><img ></p><p><img ></p><p><img src=\"\"" + fileAddress(flakyFile) +
                  "\"\"></p><div background=\"\"\"\">尺码表</div>");
    ASSERT_EQ(filesIn(folder).size(), 1U);
    EXPECT_TRUE(sameBytes(flakyFile, rig.served("/pictures/flaky/first.jpg")));

    const std::vector<std::string> log = rig.log();
    EXPECT_TRUE(logHas(log, " 线程：2  第:1/3 个宝贝 描述图片 字节集为0 正在重新下载 1/3\r\n"));
    EXPECT_TRUE(logHas(log, " 线程：2  第:1/3 个宝贝 描述图片 字节集为0 正在重新下载 2/3\r\n"));
    EXPECT_TRUE(logHas(log, " 线程：2  第:1/3 个宝贝 描述图片 字节集为0 正在重新下载 3/3\r\n"));
    EXPECT_TRUE(logHas(log, " 线程：2  第:1/3 个宝贝 描述图片 字节集为0 重新下载失败===已经删除图片 1/1\r\n"));
}

TEST(BuildDescription, ScriptVariableFormIsFetchedAgainAndGetsHttp)
{
    PictureStageRig rig;
    rig.options.set(withPictures(true, false));
    rig.loadProduct("2002000005");
    const int before = PictureStageRig::requests("/pictures/desc/2002000005.js");
    fetchDescription(rig.context());

    EXPECT_EQ(PictureStageRig::requests("/pictures/desc/2002000005.js") - before, 2);
    const std::string address = kindAddress("photo.jpg");
    const std::filesystem::path file =
        rig.pictureFolder() / "旧式描述的围巾" / (text::Md5ShortText(address) + ".jpg");
    EXPECT_EQ(rig.record.description, "<p><img src=\"\"" + fileAddress(file) + "\"\"></p><p>旧式描述</p>");
    EXPECT_TRUE(sameBytes(file, rig.served("/pictures/kind/photo.jpg")));
}

TEST(BuildDescription, MobileDescriptionTakesOnlyTheMiddleSizedPicture)
{
    PictureStageRig rig;
    rig.options.set(withPictures(true, true));
    rig.loadProduct("2002000006");
    fetchDescription(rig.context());

    const std::filesystem::path folder = rig.pictureFolder() / "手机详情的背包";
    const std::string address = PictureStageRig::httpBase() + "/pictures/size/9000.jpg";
    const std::filesystem::path file = folder / (text::Md5ShortText(address) + ".jpg");
    ASSERT_TRUE(file.is_absolute());
    EXPECT_EQ(rig.record.wireless_desc, "<wapDesc><img>" + file.generic_string() + "</img></wapDesc>");
    EXPECT_EQ(rig.record.descPictureBytes, 5000U + 9000U + 3000000U);
    for (const char* size : {"5000", "9000", "3000000", "9001"}) {
        const std::string path = std::string("/pictures/size/") + size + ".jpg";
        const std::string name = text::Md5ShortText(PictureStageRig::httpBase() + path) + ".jpg";
        EXPECT_TRUE(sameBytes(folder / name, rig.served(path))) << size;
    }
}

TEST(BuildDescription, BusinessAssistantRunsBuildNoMobileDescription)
{
    PictureStageRig rig(config::PackageKind::AliAssistant);
    rig.options.set(withPictures(true, true));
    rig.loadProduct("2002000006");
    fetchDescription(rig.context());
    EXPECT_EQ(rig.record.wireless_desc, "");
    EXPECT_TRUE(text::contains(rig.record.description, "file:///"));
}

TEST(BuildDescription, WithoutPictureDownloadAddressesStay)
{
    PictureStageRig rig;
    rig.options.set(withPictures(false, true));
    rig.loadProduct("2002000006");
    const int before = PictureStageRig::requests("/pictures/size/9000.jpg");
    fetchDescription(rig.context());
    EXPECT_EQ(PictureStageRig::requests("/pictures/size/9000.jpg"), before);
    EXPECT_TRUE(text::contains(rig.record.description,
                               "<img src=\"\"" + PictureStageRig::httpBase() + "/pictures/size/9000.jpg\"\">"));
    EXPECT_EQ(rig.record.wireless_desc, "");
    EXPECT_TRUE(filesIn(rig.pictureFolder()).empty());
    EXPECT_FALSE(std::filesystem::exists(rig.pictureFolder() / "手机详情的背包"));
}

TEST(BuildDescription, NoDescriptionAddressGivesOnlyTheSourceLink)
{
    PictureStageRig rig;
    rig.options.set(withPictures(true, false));
    rig.rewrite.appendSourceLink = true;
    rig.loadProduct("2002000007");
    fetchDescription(rig.context());
    EXPECT_EQ(rig.record.description, hiddenSourceLink(rig.endpoints.detail + "/offer/2002000007.html"));
}

TEST(BuildDescription, SourceLinkEndsADescription)
{
    PictureStageRig rig;
    rig.options.set(withPictures(false, false));
    rig.rewrite.appendSourceLink = true;
    rig.loadProduct("2002000009");
    fetchDescription(rig.context());
    EXPECT_TRUE(text::startsWith(rig.record.description, "<p><img src=\"\"http://"));
    EXPECT_TRUE(text::endsWith(rig.record.description, "/offer/2002000009.html</span>#2#2"));
}

TEST(BuildDescription, OversizedPictureCountsAsFailed)
{
    PictureStageRig rig;
    rig.options.set(withPictures(true, false));
    rig.loadProduct("2002000008");
    fetchDescription(rig.context());
    EXPECT_EQ(rig.record.description, "<p><img ></p><p>超大</p>");
    EXPECT_TRUE(filesIn(rig.pictureFolder() / "超大图片的海报").empty());
}

TEST(BuildDescription, TitleOfRemovedCharactersUsesTheOfferIdFolder)
{
    PictureStageRig rig;
    rig.options.set(withPictures(true, false));
    rig.loadProduct("2002000009");
    ASSERT_EQ(rig.record.title, "./:*?|");
    fetchDescription(rig.context());
    const std::filesystem::path file =
        rig.pictureFolder() / "2002000009" / (text::Md5ShortText(kindAddress("photo.jpg")) + ".jpg");
    EXPECT_TRUE(sameBytes(file, rig.served("/pictures/kind/photo.jpg")));
    EXPECT_TRUE(text::contains(rig.record.description, fileAddress(file)));
}

TEST(BuildDescription, OverlongTitleGetsAFolderTheFileSystemTakes)
{
    PictureStageRig rig;
    rig.options.set(withPictures(true, false));
    rig.loadProduct("2002000009");
    rig.record.title.clear();
    for (int i = 0; i < 100; ++i)
        rig.record.title += "超长标题";  // 1200 bytes of UTF-8
    fetchDescription(rig.context());
    const std::filesystem::path folder = rig.pictureFolder() / descPictureFolderName(rig.record.title, "2002000009");
    EXPECT_LE(folder.filename().string().size(), kDescFolderNameMaxBytes);
    const std::filesystem::path file = folder / (text::Md5ShortText(kindAddress("photo.jpg")) + ".jpg");
    EXPECT_TRUE(sameBytes(file, rig.served("/pictures/kind/photo.jpg")));
    EXPECT_TRUE(text::contains(rig.record.description, fileAddress(file)));
}

}  // namespace
}  // namespace vq::harvest
