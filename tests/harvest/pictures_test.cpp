#include "harvest/pictures.h"

#include <algorithm>
#include <set>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "harvest/picturetype.h"
#include "harvest/stages.h"
#include "picturestagerig.h"
#include "text/regex.h"
#include "text/textops.h"

namespace vq::harvest {
namespace {

using test::filesIn;
using test::PictureStageRig;

struct Entry {
    std::string name;
    std::string rest;  // what follows the name up to "|;"
};

std::vector<Entry> entriesOf(const std::string& picture)
{
    std::vector<Entry> entries;
    for (const std::string& piece : text::split(picture, "|;")) {
        entries.push_back({piece.substr(0, 32), piece.substr(std::min<std::size_t>(32, piece.size()))});
        EXPECT_TRUE(text::Regex::perl("^[0-9a-f]{32}$").search(entries.back().name)) << piece;
    }
    return entries;
}

TEST(DownloadMainPictures, EightOnThePageGiveFiveEntriesAndFiveFiles)
{
    PictureStageRig rig;
    rig.loadProduct("2002000001");
    downloadMainPictures(rig.context());

    const std::vector<Entry> entries = entriesOf(rig.record.picture);
    ASSERT_EQ(entries.size(), 5U);
    EXPECT_TRUE(text::endsWith(rig.record.picture, "|;"));
    std::set<std::string> names;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].rest, ":1:" + std::to_string(i) + ":");
        names.insert(entries[i].name);
    }
    EXPECT_EQ(names.size(), 5U) << "two pictures of one product share a name";
    EXPECT_EQ(filesIn(rig.pictureFolder()).size(), 5U);
    for (int i = 5; i < 8; ++i)
        EXPECT_EQ(PictureStageRig::requests("/pictures/main/2002000001/" + std::to_string(i) + ".jpg"), 0);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string served = rig.served("/pictures/main/2002000001/" + std::to_string(i) + ".jpg");
        ASSERT_FALSE(served.empty());
        EXPECT_TRUE(test::sameBytes(rig.pictureFolder() / (entries[i].name + ".tbi"), served)) << "picture " << i;
    }

    const std::vector<std::string> log = rig.log();
    ASSERT_EQ(log.size(), 7U);
    EXPECT_EQ(log.front(), "  开始下载 第：1/3  个宝贝   宝贝主图数据！\r\n");
    EXPECT_EQ(log[1], "  正在下载 第：1  张 宝贝主图数据... \r\n");
    EXPECT_EQ(log[5], "  正在下载 第：5  张 宝贝主图数据... \r\n");
    EXPECT_EQ(log.back(), "  下载完毕 第：1/3  个宝贝   宝贝主图数据！\r\n");
}

TEST(DownloadMainPictures, SwapGivesThreePicturesThePositionsTwoOneZero)
{
    PictureStageRig rig;
    rig.rewrite.swapFirstThirdPicture = true;
    rig.loadProduct("2002000002");
    rig.record.picture = "0123456789abcdef0123456789abcdef:2:0:黑色|;";
    downloadMainPictures(rig.context());

    const std::vector<Entry> entries = entriesOf(rig.record.picture);
    ASSERT_EQ(entries.size(), 4U);
    EXPECT_EQ(entries[0].rest, ":2:0:黑色");
    EXPECT_EQ(entries[1].rest, ":1:2:");
    EXPECT_EQ(entries[2].rest, ":1:1:");
    EXPECT_EQ(entries[3].rest, ":1:0:");
    // The entries keep the download order a, b, c: only the positions move.
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_TRUE(test::sameBytes(rig.pictureFolder() / (entries[i + 1].name + ".tbi"), rig.served("/pictures/main/2002000002/" + std::to_string(i) + ".jpg")));
}

TEST(DownloadMainPictures, BusinessAssistantFilesEndInAli)
{
    PictureStageRig rig(config::PackageKind::AliAssistant);
    rig.loadProduct("2002000002");
    downloadMainPictures(rig.context());
    const std::vector<Entry> entries = entriesOf(rig.record.picture);
    ASSERT_EQ(entries.size(), 3U);
    for (const Entry& entry : entries)
        EXPECT_TRUE(std::filesystem::exists(rig.pictureFolder() / (entry.name + ".ali")));
    EXPECT_EQ(filesIn(rig.pictureFolder()).size(), 3U);
}

TEST(DownloadMainPictures, OversizedPictureLeavesAnEmptyFileAndKeepsItsEntry)
{
    PictureStageRig rig;
    rig.loadProduct("2002000008");
    const int before = PictureStageRig::requests("/pictures/size/20971521.jpg");
    downloadMainPictures(rig.context());
    const std::vector<Entry> entries = entriesOf(rig.record.picture);
    ASSERT_EQ(entries.size(), 2U);
    EXPECT_EQ(PictureStageRig::requests("/pictures/size/20971521.jpg") - before, 1);
    EXPECT_TRUE(test::sameBytes(rig.pictureFolder() / (entries[0].name + ".tbi"), ""));
    EXPECT_TRUE(test::sameBytes(rig.pictureFolder() / (entries[1].name + ".tbi"), rig.served("/pictures/main/2002000008/1.jpg")));
}

TEST(DownloadSkuPictures, EntriesInPageOrderWithTheirValueNames)
{
    PictureStageRig rig;
    rig.loadProduct("2002000001");
    downloadSkuPictures(rig.context());

    const std::vector<Entry> entries = entriesOf(rig.record.picture);
    ASSERT_EQ(entries.size(), 2U);
    EXPECT_EQ(entries[0].rest, ":2:0:红色");
    EXPECT_EQ(entries[1].rest, ":2:0:天蓝色");
    EXPECT_NE(entries[0].name, entries[1].name);
    ASSERT_EQ(rig.record.skuPictures.size(), 2U);
    EXPECT_EQ(rig.record.skuPictures[1].pictureName, entries[1].name);
    EXPECT_EQ(rig.record.skuPictures[1].valueName, "天蓝色");
    for (std::size_t i = 0; i < 2; ++i)
        EXPECT_TRUE(test::sameBytes(rig.pictureFolder() / (entries[i].name + ".tbi"), rig.served("/pictures/sku/2002000001/" + std::to_string(i) + ".jpg")));

    const std::vector<std::string> log = rig.log();
    ASSERT_EQ(log.size(), 3U);
    EXPECT_EQ(log[0], " 线程：2  正在下载 第：1/2  张 销售属性图片数据... \r\n");
    EXPECT_EQ(log[1], " 线程：2  正在下载 第：2/2  张 销售属性图片数据... \r\n");
    EXPECT_EQ(log[2], " 线程：2  下载完毕 第：1/3  个宝贝   销售属性图片数据！\r\n");
}

TEST(DownloadSkuPictures, BusinessAssistantRunsDownloadNone)
{
    PictureStageRig rig(config::PackageKind::AliAssistant);
    rig.loadProduct("2002000002");
    downloadSkuPictures(rig.context());
    EXPECT_EQ(rig.record.picture, "");
    EXPECT_TRUE(rig.log().empty());
    EXPECT_EQ(PictureStageRig::requests("/pictures/sku/2002000002/0.jpg"), 0);
    EXPECT_TRUE(filesIn(rig.pictureFolder()).empty());
}

TEST(DownloadSkuAndMainPictures, NamesOfOneProductNeverCollide)
{
    PictureStageRig rig;
    rig.loadProduct("2002000001");
    downloadSkuPictures(rig.context());
    downloadMainPictures(rig.context());
    std::set<std::string> names;
    for (const Entry& entry : entriesOf(rig.record.picture))
        names.insert(entry.name);
    EXPECT_EQ(names.size(), 7U);
    EXPECT_EQ(filesIn(rig.pictureFolder()).size(), 7U);
}

TEST(DownloadMainPictures, FiveWorkersOnTheSameProductNeverOverwriteEachOther)
{
    // The same product listed five times, taken by five workers at once:
    // title and offer ID are equal, so only the stamps tell the names apart.
    test::TempDir shared;
    std::vector<std::unique_ptr<PictureStageRig>> rigs;
    for (int worker = 1; worker <= 5; ++worker) {
        rigs.push_back(std::make_unique<PictureStageRig>());
        rigs.back()->loadProduct("2002000001");
        rigs.back()->context().pictureFolder = shared.path();
        rigs.back()->context().workerNumber = worker;
    }
    std::vector<std::thread> workers;
    for (auto& rig : rigs)
        workers.emplace_back([&rig] { downloadMainPictures(rig->context()); });
    for (auto& worker : workers)
        worker.join();

    std::set<std::string> names;
    for (const auto& rig : rigs)
        for (const Entry& entry : entriesOf(rig->record.picture))
            names.insert(entry.name);
    EXPECT_EQ(names.size(), 25U);
    EXPECT_EQ(filesIn(shared.path()).size(), 25U);
}

}  // namespace
}  // namespace vq::harvest
