#include "harvest/harvestcontroller.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "collect/itemlist.h"
#include "collect/logpanel.h"
#include "config/endpoints.h"
#include "config/optionsstore.h"
#include "harvest/harvestfrontend.h"
#include "harvest/packagewriter.h"
#include "harvest/stages.h"
#include "support/tempdir.h"
#include "text/gbk.h"
#include "text/regex.h"
#include "web/cookiestore.h"
#include "web/webclient.h"

using namespace vq;
using namespace vq::harvest;

namespace {

// A front end that records the messages, questions and browser windows
// asked of it; UI tasks run one at a time, as on the command line.
class TestFrontEnd : public SerialFrontEnd {
public:
    void showMessage(const std::string& text, const std::string& title, MessageIcon) override
    {
        std::lock_guard lock(m_mutex);
        m_messages.push_back(title + "|" + text);
    }
    Answer askYesNoCancel(const std::string& text, const std::string& title) override
    {
        std::lock_guard lock(m_mutex);
        m_questions.push_back(title + "|" + text);
        return m_answer;
    }
    void openBrowserWindow(const std::string& url) override
    {
        std::lock_guard lock(m_mutex);
        m_browserUrls.push_back(url);
    }
    bool hasBrowserWindow() const override { return true; }

    std::vector<std::string> messages() const
    {
        std::lock_guard lock(m_mutex);
        return m_messages;
    }
    std::vector<std::string> questions() const
    {
        std::lock_guard lock(m_mutex);
        return m_questions;
    }
    std::vector<std::string> browserUrls() const
    {
        std::lock_guard lock(m_mutex);
        return m_browserUrls;
    }
    void setAnswer(Answer answer)
    {
        std::lock_guard lock(m_mutex);
        m_answer = answer;
    }

private:
    mutable std::mutex m_mutex;
    std::vector<std::string> m_messages;
    std::vector<std::string> m_questions;
    std::vector<std::string> m_browserUrls;
    Answer m_answer = Answer::Cancel;
};

struct Completion {
    int total;
    int success;
    int failure;
};

class RecordingHarvestFrontEnd : public HarvestFrontEnd {
public:
    std::optional<config::PackageKind> packageKindRadio() const override { return radio; }
    bool loginCheckBoxChecked() const override { return loginChecked; }
    void setLoginCheckBoxChecked(bool checked) override { loginChecked = checked; }
    WizardResult showWizard() override
    {
        ++wizardShown;
        return wizard;
    }
    std::optional<std::string> chooseSaveFile() override { return chosenFile; }
    void setRunning(bool running) override { runningStates.push_back(running); }
    void setPauseCaption(const std::string& caption) override { pauseCaption = caption; }
    void setItemCount(std::size_t count) override { itemCount = count; }
    void clearPastedAddresses() override { ++pastedCleared; }
    void showCompletion(int total, int success, int failure) override
    {
        completions.push_back({total, success, failure});
    }

    std::optional<config::PackageKind> radio;
    bool loginChecked = true;
    WizardResult wizard;
    int wizardShown = 0;
    std::optional<std::string> chosenFile;
    std::vector<bool> runningStates;
    std::string pauseCaption;
    std::size_t itemCount = 0;
    int pastedCleared = 0;
    std::vector<Completion> completions;
};

// The stand-in for every step of a product: the title and a few fields
// from the offer ID, or an empty title for the offer IDs asked to fail. An
// optional hook runs first (to hold products, to change files).
struct StubStage {
    std::set<std::string> failing;
    std::function<void(StageContext&)> hook;

    void operator()(StageContext& context) const
    {
        if (hook)
            hook(context);
        ProductRecord& record = context.record;
        record.offerId = context.rowOfferId;
        record.title = failing.count(record.offerId) ? std::string() : "商品" + record.offerId;
        record.categoryId = "50012345";
        record.price = "12.5";
        record.num = "100";
        record.isSkuTradeSupported = "1";
    }
};

std::string offerIdOf(std::size_t i)
{
    return std::to_string(1000 + i);
}

std::string taobaoRowOf(const std::string& id)
{
    return "\"商品" + id + "\",50012345,\"\",1,\"\",\"\",1,12.5,0,100,,,,,,0,,1,0,\"\",\"\",\"\",0,0,\"\",,,0,"
           "\"\",\"\",\"\",\"\",\"\",\"\",\"\",0," + id + ",0,2,,1,0,0,,\"\",,,\"\",\"\",\"\"\r\n";
}

std::string businessRowOf(const std::string& id)
{
    return "0\t\"商品" + id + "\"\t50012345\t\"\"\t\t\t180\t\"\"\t\"\"\t\"\"\t0\t\"\"\t\"\"\t\t100\t100\t\t0\t1\t0\t1\t1\t0\t0\t0\r\n";
}

// The Taobao header as the importing tool expects it, written out by hand.
std::string taobaoHeaderText()
{
    return "version 1.00" + std::string(47, ',') +
           "\r\ntitle,cid,seller_cids,stuff_status,location_state,location_city,item_type,price,auction_increment,"
           "num,valid_thru,freight_payer,post_fee,ems_fee,express_fee,has_invoice,has_warranty,approve_status,"
           "has_showcase,list_time,description,cateProps,postage_id,has_discount,modified,upload_fail_msg,"
           "picture_status,auction_point,picture,video,skuProps,inputPids,inputValues,outer_id,propAlias,auto_fill,"
           "num_id,local_cid,navigation_type,user_name,syncStatus,is_lighting_consigment,is_xinpin,foodparame,"
           "features,item_size,item_weight,wireless_desc,input_custom_cpv,qualification\r\n"
           "宝贝名称,宝贝类目,店铺类目,新旧程度,省,城市,出售方式,宝贝价格,加价幅度,宝贝数量,有效期,运费承担,平邮,EMS,"
           "快递,发票,保修,放入仓库,橱窗推荐,开始时间,宝贝描述,宝贝属性,邮费模版ID,会员打折,修改时间,上传状态,图片状态,"
           "返点比例,新图片,视频,销售属性组合,用户输入ID串,用户输入名-值对,商家编码,销售属性别名,代充类型,数字ID,本地ID,"
           "宝贝分类,账户名称,宝贝状态,闪电发货,新品,食品专项,尺码库,物流体积,物流重量,无线详情,自定义属性值,商品资质\r\n";
}

// The rows of a written Taobao package (after the three header lines), as
// UTF-8 lines with their CR LF; checks the header bytes on the way.
std::vector<std::string> taobaoRowsOf(const std::string& bytes)
{
    const std::string header = text::utf8ToGbk(taobaoHeaderText());
    EXPECT_EQ(bytes.substr(0, header.size()), header);
    const std::string rows = text::gbkToUtf8(bytes.substr(std::min(header.size(), bytes.size())));
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < rows.size()) {
        const std::size_t end = rows.find("\r\n", start);
        const std::size_t stop = end == std::string::npos ? rows.size() : end + 2;
        lines.push_back(rows.substr(start, stop - start));
        start = stop;
    }
    return lines;
}

// A log line: the date-time text, then exactly message.
bool isLogLine(const std::string& line, const std::string& message)
{
    static const text::Regex dateTime = text::Regex::perl(R"(^\d+年\d+月\d+日(\d+时(\d+分(\d+秒)?)?)?$)");
    return line.size() > message.size() && line.compare(line.size() - message.size(), message.size(), message) == 0 &&
           dateTime.search(line.substr(0, line.size() - message.size()));
}

// A log line that starts with the date-time text and ends with suffix.
bool logLineEndsWith(const std::string& line, const std::string& suffix)
{
    static const text::Regex dateTime = text::Regex::perl(R"(^\d+年\d+月\d+日)");
    return line.size() > suffix.size() && line.compare(line.size() - suffix.size(), suffix.size(), suffix) == 0 &&
           dateTime.search(line);
}

class HarvestControllerTest : public ::testing::Test {
protected:
    HarvestControllerTest()
        : webClient(cookies),
          services{frontEnd, ui, list, logPanel, options, endpoints, webClient, brandWords, dir / "program",
                   [this] { return desktop; }, [] { return std::int64_t{1700000000}; }}
    {
        std::filesystem::create_directories(desktop);
        setKind(config::PackageKind::TaobaoAssistant);
    }

    void setKind(config::PackageKind kind)
    {
        config::Options o = options.get();
        o.type = kind;
        options.set(o);
    }

    void fillList(std::size_t rows)
    {
        std::vector<ItemRow> items;
        for (std::size_t i = 0; i < rows; ++i)
            items.push_back({"名称" + std::to_string(i), "1.00", "https://detail.example/offer/" + offerIdOf(i) + ".html",
                             offerIdOf(i)});
        list.setRows(items);
    }

    std::unique_ptr<HarvestController> makeController()
    {
        return std::make_unique<HarvestController>(services, [this](config::PackageKind) {
            return Pipeline{StubStage{failing, hook}};
        });
    }

    std::string defaultPackagePath(const char* prefix) const
    {
        return (desktop / "Quorvel生成数据包").string() + prefix + "1700000000.csv";
    }

    std::size_t countLogLines(const std::string& message) const
    {
        const auto lines = logPanel.lines();
        return static_cast<std::size_t>(
            std::count_if(lines.begin(), lines.end(), [&](const std::string& l) { return logLineEndsWith(l, message); }));
    }

    std::vector<std::string> offerIdsInList() const
    {
        std::vector<std::string> ids;
        for (const ItemRow& row : list.rows())
            ids.push_back(row.offerId);
        return ids;
    }

    test::TempDir dir;
    std::filesystem::path desktop = dir / "Desktop";
    TestFrontEnd frontEnd;
    RecordingHarvestFrontEnd ui;
    ItemList list;
    LogPanel logPanel;
    config::OptionsStore options;
    config::Endpoints endpoints;
    web::CookieStore cookies;
    web::WebClient webClient;
    std::vector<std::string> brandWords;
    std::set<std::string> failing;
    std::function<void(StageContext&)> hook;
    HarvestServices services;
};

// Holds products at their step until released, and counts who is held.
class Gate {
public:
    void hold()
    {
        std::unique_lock lock(m_mutex);
        ++m_held;
        m_changed.notify_all();
        m_changed.wait(lock, [this] { return m_open; });
    }
    void waitForHeld(int count)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return m_held >= count; });
    }
    void open()
    {
        std::lock_guard lock(m_mutex);
        m_open = true;
        m_changed.notify_all();
    }
    int held() const
    {
        std::lock_guard lock(m_mutex);
        return m_held;
    }

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    int m_held = 0;
    bool m_open = false;
};

}  // namespace

TEST_F(HarvestControllerTest, EmptyListStartsNothing)
{
    auto controller = makeController();
    EXPECT_FALSE(controller->startRun());
    EXPECT_FALSE(controller->running());
    EXPECT_EQ(frontEnd.messages(),
              std::vector<std::string>{"提示|请先粘贴待采集的宝贝链接在地址栏，并点添加到列表后，再点生成数据包！"});
    EXPECT_EQ(ui.savePathText(), SavePathPlaceholder);
    EXPECT_FALSE(controller->lastRun());
}

class RunSizeTest : public HarvestControllerTest, public ::testing::WithParamInterface<std::size_t> {};

TEST_P(RunSizeTest, EveryRowProcessedOnceAndFinishedOnce)
{
    const std::size_t rows = GetParam();
    fillList(rows);
    auto controller = makeController();
    ASSERT_TRUE(controller->startRun());
    controller->waitUntilIdle();

    const auto run = controller->lastRun();
    ASSERT_TRUE(run);
    EXPECT_EQ(run->total(), static_cast<int>(rows));
    EXPECT_EQ(run->successCount(), static_cast<int>(rows));
    EXPECT_EQ(run->failureCount(), 0);
    EXPECT_EQ(run->nextIndex(), static_cast<int>(rows));
    EXPECT_EQ(run->finishedWorkers(), HarvestRun::WorkerCount);

    // Exactly one finishing sequence: one count line, one write, one window.
    EXPECT_EQ(countLogLines(" 正在写文件...\r\n") + countLogLines(" 文件写成功！\r\n"), 2u);
    ASSERT_EQ(ui.completions.size(), 1u);
    EXPECT_EQ(ui.completions[0].total, static_cast<int>(rows));
    EXPECT_EQ(ui.completions[0].success, static_cast<int>(rows));
    EXPECT_EQ(ui.completions[0].failure, 0);
    EXPECT_EQ(ui.runningStates, (std::vector<bool>{true, false}));
    EXPECT_EQ(ui.pastedCleared, 1);
    EXPECT_EQ(countLogLines(" 个宝贝 下载完成！\r\n"), rows);

    // Every product's row exactly once, in whatever order they finished.
    const std::string path = defaultPackagePath("/aliT");
    std::vector<std::string> written = taobaoRowsOf(test::readBytes(path));
    std::vector<std::string> expected;
    for (std::size_t i = 0; i < rows; ++i)
        expected.push_back(taobaoRowOf(offerIdOf(i)));
    std::sort(written.begin(), written.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(written, expected);

    EXPECT_EQ(list.rowCount(), 0u);
    EXPECT_EQ(ui.itemCount, 0u);
    EXPECT_EQ(ui.savePathText(), SavePathPlaceholder);
    EXPECT_TRUE(isLogLine(logPanel.lines().back(), " 数据包存放位置" + path + "\r\n"));
}

INSTANTIATE_TEST_SUITE_P(Rows, RunSizeTest, ::testing::Values(1u, 4u, 5u, 6u, 1000u),
                         [](const auto& param) { return "Rows" + std::to_string(param.param); });

TEST_F(HarvestControllerTest, OneRowPackageBytesAndLogLines)
{
    fillList(1);
    auto controller = makeController();
    ASSERT_TRUE(controller->startRun());
    controller->waitUntilIdle();

    const std::string path = defaultPackagePath("/aliT");
    EXPECT_EQ(test::readBytes(path), text::utf8ToGbk(taobaoHeaderText() + taobaoRowOf("1000")));
    EXPECT_TRUE(std::filesystem::is_directory(desktop / "Quorvel生成数据包" / "aliT1700000000"));

    const auto lines = logPanel.lines();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_TRUE(isLogLine(lines[0], "  去除空ID宝贝【实际宝贝数量为1  个宝贝】\r\n"));
    const int worker = lines[1].find(" 线程：") != std::string::npos ? lines[1][lines[1].find(" 线程：") + 10] - '0' : 0;
    EXPECT_GE(worker, 1);
    EXPECT_LE(worker, 5);
    EXPECT_TRUE(isLogLine(lines[1], " 线程：" + std::to_string(worker) + " 第：1/1 个宝贝 下载完成！\r\n")) << lines[1];
    // The last worker is one of the five; it took the only row only if it
    // is the worker that processed it, otherwise it took none.
    const bool lastTookTheRow = isLogLine(lines[2], " 线程：" + std::to_string(worker) +
                                                         " 第：1/1 个宝贝 下载完成！成功： 1 失败：0 正在写文件...\r\n");
    const text::Regex countLine =
        text::Regex::perl(R"( 线程：[1-5] 第：0/1 个宝贝 下载完成！成功： 1 失败：0 正在写文件\.\.\.\r\n$)");
    EXPECT_TRUE(lastTookTheRow || countLine.search(lines[2])) << lines[2];
    EXPECT_TRUE(isLogLine(lines[3], " 文件写成功！\r\n"));
    EXPECT_TRUE(isLogLine(lines[4], " 数据包存放位置" + path + "\r\n"));
}

TEST_F(HarvestControllerTest, BusinessPackageBytesAndPrefixFollowTheRadio)
{
    // The saved kind is the business assistant; the radio as it stands
    // chooses the name's prefix, the saved kind chooses the package.
    setKind(config::PackageKind::AliAssistant);
    ui.radio = config::PackageKind::TaobaoAssistant;
    fillList(2);
    failing = {"1001"};
    auto controller = makeController();
    ASSERT_TRUE(controller->startRun());
    controller->waitUntilIdle();

    EXPECT_EQ(ui.wizardShown, 0);
    const std::string bytes = test::readBytes(defaultPackagePath("/aliT"));
    std::string expected = "\xFF\xFE";
    expected += text::utf8ToUtf16le(
        "appname:alizhuli;version:6.2.9.11627;loginid:qvl\n"
        "offerId\tsubject\tpostCategryId\timageList\tsendGoodsAddressId\tfreightTemplateId\ttermOfferProcess\t"
        "details\tdetails(sub)\tproductFeatureList\tcustomizedFeatureList\tskuArray\tskuPics\tproductUnitWeight\t"
        "amount\tamountOnSale\tpriceRanges\tunitPrice\tisSupportOnlineTrade\tisSupportMix\tisSkuOffer\t"
        "isSkuTradeSupported\tisProcessingOffer\tisPicAuthOffer\tisPriceAuthOffer\n"
        "产品ID\t标题\t类目\t产品图片\t发货地址\t运费设置\t有效期\t产品详情\t产品详情（sub）\t产品属性\t自定义类目属性\t"
        "SKU属性\tSKU图片\t单位重量\t供货总量\t可售数量\t价格区间\t单价\t是否支持网上交易\t是否支持混批\t是否SKU信息\t"
        "是否规格报价\t是否加工定制\t是否图片授权\t是否价格授权\n");
    ASSERT_EQ(expected.size(), 1086u);
    expected += text::utf8ToUtf16le(businessRowOf("1000"));
    expected += std::string(2, '\0');
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(offerIdsInList(), std::vector<std::string>{"1001"});
}

TEST_F(HarvestControllerTest, RadioForBusinessGivesAliSPrefix)
{
    ui.radio = config::PackageKind::AliAssistant;
    fillList(1);
    auto controller = makeController();
    ASSERT_TRUE(controller->startRun());
    controller->waitUntilIdle();
    EXPECT_TRUE(std::filesystem::exists(defaultPackagePath("/aliS")));
    EXPECT_EQ(controller->lastRun()->outputDir(), (desktop / "Quorvel生成数据包").string() + "/");
    EXPECT_EQ(controller->lastRun()->outputBaseName(), "aliS1700000000");
}

TEST_F(HarvestControllerTest, FailedProductsStayInTheListAndCount)
{
    fillList(6);
    failing = {"1001", "1004"};
    auto controller = makeController();
    ASSERT_TRUE(controller->startRun());
    controller->waitUntilIdle();

    EXPECT_EQ(offerIdsInList(), (std::vector<std::string>{"1001", "1004"}));
    EXPECT_TRUE(list.selectedRows().empty());
    ASSERT_EQ(ui.completions.size(), 1u);
    EXPECT_EQ(ui.completions[0].success, 4);
    EXPECT_EQ(ui.completions[0].failure, 2);
    // The closing line is written for failed products too.
    EXPECT_EQ(countLogLines(" 个宝贝 下载完成！\r\n"), 6u);
    EXPECT_EQ(taobaoRowsOf(test::readBytes(defaultPackagePath("/aliT"))).size(), 4u);
}

TEST_F(HarvestControllerTest, AllFailingWritesHeaderOnlyAndKeepsEveryRow)
{
    fillList(5);
    for (std::size_t i = 0; i < 5; ++i)
        failing.insert(offerIdOf(i));
    auto controller = makeController();
    ASSERT_TRUE(controller->startRun());
    controller->waitUntilIdle();

    EXPECT_EQ(test::readBytes(defaultPackagePath("/aliT")), text::utf8ToGbk(taobaoHeaderText()));
    EXPECT_EQ(list.rowCount(), 5u);
    ASSERT_EQ(ui.completions.size(), 1u);
    EXPECT_EQ(ui.completions[0].success, 0);
    EXPECT_EQ(ui.completions[0].failure, 5);
}

TEST_F(HarvestControllerTest, RowsWithoutOfferIdAreRemovedAndCountLogged)
{
    list.setRows({{"a", "", "", "1000"}, {"b", "", "", ""}, {"c", "", "", ""}, {"d", "", "", "1003"}});
    auto controller = makeController();
    ASSERT_TRUE(controller->startRun());
    controller->waitUntilIdle();
    EXPECT_TRUE(isLogLine(logPanel.lines().front(), "  去除空ID宝贝【实际宝贝数量为2  个宝贝】\r\n"));
    EXPECT_EQ(controller->lastRun()->total(), 2);
    EXPECT_EQ(list.rowCount(), 0u);
}

TEST_F(HarvestControllerTest, OnlyRowsWithoutOfferIdRunZeroProductsAndWriteTheHeader)
{
    list.setRows({{"a", "", "", ""}});
    auto controller = makeController();
    ASSERT_TRUE(controller->startRun());
    controller->waitUntilIdle();
    EXPECT_EQ(controller->lastRun()->total(), 0);
    EXPECT_EQ(test::readBytes(defaultPackagePath("/aliT")), text::utf8ToGbk(taobaoHeaderText()));
    ASSERT_EQ(ui.completions.size(), 1u);
    EXPECT_EQ(countLogLines(" 线程：" + std::to_string(0) + " 第：0/0 个宝贝 下载完成！成功： 0 失败：0 正在写文件...\r\n"),
              0u);  // the last worker has a number from 1 to 5
    EXPECT_EQ(countLogLines(" 第：0/0 个宝贝 下载完成！成功： 0 失败：0 正在写文件...\r\n"), 1u);
}

TEST_F(HarvestControllerTest, ThousandAndOneRowsRefusedAfterPathAndLoginPrompt)
{
    fillList(1001);
    ui.loginChecked = false;
    auto controller = makeController();
    EXPECT_FALSE(controller->startRun());
    EXPECT_FALSE(controller->running());
    EXPECT_EQ(ui.savePathText(), defaultPackagePath("/aliT"));
    const auto messages = frontEnd.messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], "注意：登陆才能匹配属性！不登陆采集无属性|采集1688宝贝生成数据包时：\r\n请先登陆一下阿里网站，"
                           "可用任意阿里或淘宝账号登陆\r\n点确定后弹出登陆窗口！");
    EXPECT_EQ(messages[1], "提示|每次采集数量不超过1000个，如超过，请按帮助拆分为几次分别采集！");
    EXPECT_EQ(list.rowCount(), 1001u);
    EXPECT_TRUE(logPanel.lines().empty());
}

TEST_F(HarvestControllerTest, LimitCountsRowsBeforeEmptyIdsGo)
{
    fillList(1000);
    list.appendRow({"x", "", "", ""});
    auto controller = makeController();
    EXPECT_FALSE(controller->startRun());
    EXPECT_EQ(list.rowCount(), 1001u);
}

TEST_F(HarvestControllerTest, LoginPromptOnlyBeforeTheFirstRun)
{
    ui.loginChecked = false;
    fillList(1);
    auto controller = makeController();
    ASSERT_TRUE(controller->startRun());
    controller->waitUntilIdle();
    EXPECT_TRUE(ui.loginChecked);
    EXPECT_EQ(frontEnd.browserUrls(), std::vector<std::string>{endpoints.loginPageUrl()});
    EXPECT_EQ(controller->browserUrl(), endpoints.loginPageUrl());

    fillList(1);
    ASSERT_TRUE(controller->startRun());
    controller->waitUntilIdle();
    EXPECT_EQ(frontEnd.browserUrls().size(), 1u);
    EXPECT_EQ(frontEnd.messages().size(), 1u);
}

TEST_F(HarvestControllerTest, WizardCancelStartsNothingAndClearsTheFlag)
{
    fillList(2);
    ui.wizard.outcome = WizardOutcome::Cancelled;
    auto controller = makeController();
    EXPECT_FALSE(controller->startRun());
    EXPECT_FALSE(controller->running());
    EXPECT_FALSE(controller->lastRun());
    EXPECT_EQ(list.rowCount(), 2u);

    ui.wizard.outcome = WizardOutcome::Closed;
    EXPECT_TRUE(controller->startRun());
    controller->waitUntilIdle();
    EXPECT_EQ(ui.wizardShown, 2);
}

TEST_F(HarvestControllerTest, WizardConfirmSetsOptionsCloseKeepsThem)
{
    fillList(1);
    RewriteOptions earlier;
    earlier.adjustPrice = true;
    earlier.priceOperator = PriceOperator::Multiply;
    earlier.priceOperand = "1.5";
    auto controller = makeController();
    controller->setRewriteOptions(earlier);

    ui.wizard.outcome = WizardOutcome::Confirmed;
    ui.wizard.options = RewriteOptions{};
    ui.wizard.options.cleanTitle = true;
    ASSERT_TRUE(controller->startRun());
    controller->waitUntilIdle();
    RewriteOptions now = controller->rewriteOptions();
    EXPECT_TRUE(now.cleanTitle);
    EXPECT_FALSE(now.adjustPrice);
    // The price fields keep their values when "调整价格" is off.
    EXPECT_EQ(now.priceOperator, PriceOperator::Multiply);
    EXPECT_EQ(now.priceOperand, "1.5");
    EXPECT_TRUE(controller->lastRun()->rewrite().cleanTitle);

    fillList(1);
    ui.wizard.outcome = WizardOutcome::Closed;
    ui.wizard.options.cleanTitle = false;
    ASSERT_TRUE(controller->startRun());
    controller->waitUntilIdle();
    EXPECT_TRUE(controller->rewriteOptions().cleanTitle);
}

TEST_F(HarvestControllerTest, ChosenSavePathNamesFileAndPictureFolder)
{
    fillList(1);
    auto controller = makeController();
    ui.chosenFile = (dir / "out" / "my.data.csv").string();
    std::filesystem::create_directories(dir / "out");
    controller->changeSavePath();
    EXPECT_EQ(ui.savePathText(), (dir / "out" / "my.data.csv").string());
    ASSERT_TRUE(controller->startRun());
    controller->waitUntilIdle();
    EXPECT_TRUE(std::filesystem::exists(dir / "out" / "my.data.csv"));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "out" / "my"));
    EXPECT_EQ(ui.savePathText(), SavePathPlaceholder);
}

TEST_F(HarvestControllerTest, ChosenNameWithoutDotGetsCsv)
{
    auto controller = makeController();
    EXPECT_TRUE(controller->setSavePath((dir / "pkg").string()));
    EXPECT_EQ(ui.savePathText(), (dir / "pkg.csv").string());
}

TEST_F(HarvestControllerTest, NameWithoutBaseEmptiesTheBoxAndRunIsRefused)
{
    fillList(1);
    auto controller = makeController();
    EXPECT_FALSE(controller->setSavePath((dir / ".csv").string()));
    EXPECT_EQ(ui.savePathText(), "");
    EXPECT_FALSE(controller->startRun());
    const auto messages = frontEnd.messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], "提示|请检查文件名是否正确！");
    EXPECT_EQ(messages[1], "提示|数据包保存位置无效，请点‘更改’重新设置保存位置！");
    EXPECT_EQ(list.rowCount(), 1u);
    EXPECT_FALSE(controller->lastRun());
}

TEST_F(HarvestControllerTest, FolderThatCannotBeCreatedRefusesTheRun)
{
    fillList(1);
    test::writeBytes(dir / "afile", "x");
    auto controller = makeController();
    ASSERT_TRUE(controller->setSavePath((dir / "afile" / "pkg.csv").string()));
    EXPECT_FALSE(controller->startRun());
    EXPECT_FALSE(controller->running());
    const auto messages = frontEnd.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind("提示|无法创建数据包保存文件夹：" + (dir / "afile" / "pkg").string(), 0), 0u)
        << messages[0];
    EXPECT_EQ(list.rowCount(), 1u);
}

TEST_F(HarvestControllerTest, FailedWriteKeepsEveryRowAndSaysWhy)
{
    fillList(3);
    const std::filesystem::path target = dir / "out" / "pkg.csv";
    std::filesystem::create_directories(dir / "out");
    // While the products run, a folder takes the package's place, so the
    // file cannot be written.
    hook = [&](StageContext&) {
        std::error_code ignored;
        std::filesystem::create_directories(target, ignored);
    };
    auto controller = makeController();
    ASSERT_TRUE(controller->setSavePath(target.string()));
    ASSERT_TRUE(controller->startRun());
    controller->waitUntilIdle();

    EXPECT_EQ(list.rowCount(), 3u);
    EXPECT_TRUE(list.selectedRows().empty());
    EXPECT_TRUE(ui.completions.empty());
    EXPECT_EQ(countLogLines(" 文件写成功！\r\n"), 0u);
    const std::string last = logPanel.lines().back();
    EXPECT_NE(last.find(" 文件写入失败！" + target.string() + " 原因："), std::string::npos) << last;
    const auto messages = frontEnd.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind("提示|数据包写入失败：" + target.string(), 0), 0u);
    EXPECT_EQ(ui.runningStates, (std::vector<bool>{true, false}));
    EXPECT_FALSE(controller->running());
}

TEST_F(HarvestControllerTest, LinkRuleAndSourceLinksApplyBeforeTheWrite)
{
    config::Options o = options.get();
    o.qcl = config::LinkRule::Remove;
    options.set(o);
    fillList(1);
    hook = [](StageContext& context) {
        context.record.description = "<a href=\"\"http://x.example/\"\">T</a><#1#1#1=\"\"http://src.example/\"\">s#2#2";
    };
    ui.wizard.outcome = WizardOutcome::Confirmed;
    ui.wizard.options.appendSourceLink = true;
    auto controller = makeController();
    ASSERT_TRUE(controller->startRun());
    controller->waitUntilIdle();

    const std::string rows = text::gbkToUtf8(test::readBytes(defaultPackagePath("/aliT")));
    EXPECT_NE(rows.find(",\"T<a href=\"\"http://src.example/\"\">s</a>\","), std::string::npos);
    EXPECT_EQ(countLogLines("  根据设置，正在进行描述超链接处理……\r\n"), 1u);
    EXPECT_EQ(countLogLines("  描述超链接处理完毕\r\n"), 1u);
    // The rule runs before the count line.
    const auto lines = logPanel.lines();
    const auto ruleAt = std::find_if(lines.begin(), lines.end(),
                                     [](const std::string& l) { return isLogLine(l, "  描述超链接处理完毕\r\n"); });
    const auto countAt = std::find_if(lines.begin(), lines.end(), [](const std::string& l) {
        return l.find(" 正在写文件...\r\n") != std::string::npos;
    });
    EXPECT_LT(ruleAt, countAt);
}

TEST_F(HarvestControllerTest, StopYesAfterThreeOfTenWritesThoseThree)
{
    fillList(10);
    Gate gate;
    hook = [&](StageContext& context) {
        if (context.rowIndex >= 3)
            gate.hold();
    };
    auto controller = makeController();
    ASSERT_TRUE(controller->startRun());
    // Rows 0 to 2 finish; the five workers then hold rows 3 to 7.
    gate.waitForHeld(5);
    while (controller->lastRun()->successCount() < 3)
        std::this_thread::yield();

    frontEnd.setAnswer(Answer::Yes);
    controller->stopRun();
    EXPECT_FALSE(controller->running());
    gate.open();
    controller->waitUntilIdle();

    ASSERT_EQ(frontEnd.questions().size(), 1u);
    EXPECT_EQ(frontEnd.questions()[0],
              "是否将已完成的宝贝生成数据包！|点< 是 >---中止并将已完成的宝贝生成数据包！\r\n\r\n点< 否 >---直接中止！"
              "\r\n\r\n点<取消>---不中止返回继续处理！");
    std::vector<std::string> written = taobaoRowsOf(test::readBytes(defaultPackagePath("/aliT")));
    std::sort(written.begin(), written.end());
    EXPECT_EQ(written, (std::vector<std::string>{taobaoRowOf("1000"), taobaoRowOf("1001"), taobaoRowOf("1002")}));
    EXPECT_EQ(offerIdsInList(),
              (std::vector<std::string>{"1003", "1004", "1005", "1006", "1007", "1008", "1009"}));
    ASSERT_EQ(ui.completions.size(), 1u);
    EXPECT_EQ(ui.completions[0].total, 10);
    EXPECT_EQ(ui.completions[0].success, 3);
    EXPECT_EQ(ui.completions[0].failure, 7);
    // No count line, and no worker line after the write.
    EXPECT_EQ(countLogLines(" 正在写文件...\r\n"), 0u);
    EXPECT_EQ(countLogLines(" 个宝贝 下载完成！\r\n"), 3u);
    EXPECT_TRUE(isLogLine(logPanel.lines().back(),
                          " 数据包存放位置" + defaultPackagePath("/aliT") + "\r\n"));
    EXPECT_EQ(controller->lastRun()->nextIndex(), 8);
    EXPECT_EQ(ui.runningStates, (std::vector<bool>{true, false}));
}

TEST_F(HarvestControllerTest, StopNoWhilePausedWritesNothing)
{
    fillList(10);
    Gate gate;
    hook = [&](StageContext& context) {
        if (context.rowIndex == 0)
            gate.hold();
    };
    auto controller = makeController();
    ASSERT_TRUE(controller->startRun());
    gate.waitForHeld(1);
    controller->pauseOrResume();
    EXPECT_TRUE(controller->paused());
    EXPECT_EQ(ui.pauseCaption, "继续");
    const std::string savePath = ui.savePathText();
    // Row 0 is held inside its step; every other worker stops at its next
    // step while paused. Released from its step, row 0 goes no further.
    gate.open();

    frontEnd.setAnswer(Answer::No);
    controller->stopRun();
    controller->waitUntilIdle();

    EXPECT_FALSE(std::filesystem::exists(savePath));
    EXPECT_EQ(list.rowCount(), 10u);
    EXPECT_TRUE(ui.completions.empty());
    EXPECT_EQ(ui.savePathText(), savePath);
    EXPECT_EQ(ui.pauseCaption, "暂停");
    EXPECT_EQ(ui.runningStates, (std::vector<bool>{true, false}));
    EXPECT_EQ(countLogLines(" 文件写成功！\r\n"), 0u);
    // Row 0, held inside its step when the pause came, never closed.
    EXPECT_EQ(countLogLines(" 第：1/10 个宝贝 下载完成！\r\n"), 0u);
    EXPECT_FALSE(controller->running());
}

TEST_F(HarvestControllerTest, PausedRunTakesNoRowsUntilResumed)
{
    fillList(20);
    Gate gate;
    hook = [&](StageContext& context) {
        if (context.rowIndex < 5)
            gate.hold();
    };
    auto controller = makeController();
    ASSERT_TRUE(controller->startRun());
    gate.waitForHeld(5);
    controller->pauseOrResume();
    gate.open();
    // Held at the gate: each worker ends its current step, then waits.
    const int takenWhilePaused = controller->lastRun()->nextIndex();
    EXPECT_EQ(takenWhilePaused, 5);
    EXPECT_TRUE(controller->running());
    EXPECT_EQ(controller->lastRun()->successCount(), 0);

    controller->pauseOrResume();
    EXPECT_EQ(ui.pauseCaption, "暂停");
    controller->waitUntilIdle();
    EXPECT_EQ(controller->lastRun()->successCount(), 20);
    EXPECT_EQ(list.rowCount(), 0u);
}

TEST_F(HarvestControllerTest, StopCancelChangesNothing)
{
    fillList(6);
    Gate gate;
    hook = [&](StageContext&) { gate.hold(); };
    auto controller = makeController();
    ASSERT_TRUE(controller->startRun());
    gate.waitForHeld(5);
    frontEnd.setAnswer(Answer::Cancel);
    controller->stopRun();
    EXPECT_TRUE(controller->running());
    gate.open();
    controller->waitUntilIdle();
    EXPECT_EQ(controller->lastRun()->successCount(), 6);
    EXPECT_EQ(ui.completions.size(), 1u);
    EXPECT_EQ(list.rowCount(), 0u);
}

TEST_F(HarvestControllerTest, StopAfterFinishingDoesNothing)
{
    fillList(2);
    auto controller = makeController();
    ASSERT_TRUE(controller->startRun());
    controller->waitUntilIdle();
    controller->stop(Answer::Yes);
    controller->stop(Answer::No);
    EXPECT_EQ(ui.completions.size(), 1u);
    EXPECT_EQ(countLogLines(" 文件写成功！\r\n"), 1u);
    EXPECT_EQ(ui.runningStates, (std::vector<bool>{true, false}));
}

TEST_F(HarvestControllerTest, StopRacingTheFinishRunsExactlyOneOfThem)
{
    for (int round = 0; round < 20; ++round) {
        fillList(5);
        ui.completions.clear();
        ui.runningStates.clear();
        auto controller = makeController();
        ASSERT_TRUE(controller->startRun());
        controller->stop(Answer::Yes);
        controller->waitUntilIdle();
        // Whichever came first wrote the package; never both.
        EXPECT_EQ(ui.completions.size(), 1u);
        EXPECT_EQ(ui.runningStates, (std::vector<bool>{true, false}));
        const auto run = controller->lastRun();
        EXPECT_EQ(list.rowCount(), static_cast<std::size_t>(5 - run->successCount()));
        EXPECT_EQ(taobaoRowsOf(test::readBytes(defaultPackagePath("/aliT"))).size(),
                  static_cast<std::size_t>(run->successCount()));
    }
}

TEST_F(HarvestControllerTest, WorkersSeeTheirNumberAndTheRunsContext)
{
    fillList(12);
    std::mutex mutex;
    std::set<int> numbers;
    std::set<std::size_t> indexes;
    hook = [&](StageContext& context) {
        std::lock_guard lock(mutex);
        numbers.insert(context.workerNumber);
        indexes.insert(context.rowIndex);
        EXPECT_EQ(context.total, 12u);
        EXPECT_EQ(context.rowName, "名称" + std::to_string(context.rowIndex));
        EXPECT_EQ(context.record.offerId, offerIdOf(context.rowIndex));
        EXPECT_EQ(context.pictureFolder, desktop / "Quorvel生成数据包" / "aliT1700000000");
        EXPECT_TRUE(context.checkpoint());
    };
    auto controller = makeController();
    ASSERT_TRUE(controller->startRun());
    controller->waitUntilIdle();
    EXPECT_EQ(indexes.size(), 12u);
    for (const int n : numbers) {
        EXPECT_GE(n, 1);
        EXPECT_LE(n, 5);
    }
}

TEST_F(HarvestControllerTest, BrowserWindowFromAStepSetsTheAddress)
{
    fillList(1);
    hook = [](StageContext& context) {
        std::lock_guard lock(context.runLock);
        context.openBrowserWindow("https://detail.example/offer/1000.html");
    };
    auto controller = makeController();
    ASSERT_TRUE(controller->startRun());
    controller->waitUntilIdle();
    EXPECT_EQ(controller->browserUrl(), "https://detail.example/offer/1000.html");
    EXPECT_EQ(frontEnd.browserUrls(), std::vector<std::string>{"https://detail.example/offer/1000.html"});
}

TEST_F(HarvestControllerTest, AFaultInOneProductFailsOnlyThatProduct)
{
    fillList(3);
    hook = [](StageContext& context) {
        if (context.rowIndex == 1)
            throw std::runtime_error("broken page");
    };
    auto controller = makeController();
    ASSERT_TRUE(controller->startRun());
    controller->waitUntilIdle();
    EXPECT_EQ(offerIdsInList(), std::vector<std::string>{"1001"});
    EXPECT_EQ(controller->lastRun()->successCount(), 2);
    EXPECT_EQ(countLogLines(" 第：2/3 个宝贝 出错：broken page\r\n"), 1u);
}

TEST(StandardPipeline, StepsInTheirOrderForEachKind)
{
    using Step = void (*)(StageContext&);
    const auto steps = [](config::PackageKind kind) {
        std::vector<Step> out;
        for (const Stage& stage : standardPipeline(kind))
            out.push_back(*stage.target<Step>());
        return out;
    };
    EXPECT_EQ(steps(config::PackageKind::TaobaoAssistant),
              (std::vector<Step>{acquireProductPage, findTaobaoCategory, readTaobaoPricesAndSkus, downloadSkuPictures,
                                 readCategoryProperties, mapProperties, readLocation, fetchDescription,
                                 downloadMainPictures, cleanTitle}));
    EXPECT_EQ(steps(config::PackageKind::AliAssistant),
              (std::vector<Step>{acquireProductPage, mapBusinessAttributes, readBusinessPricesAndSkus,
                                 fetchDescription, downloadMainPictures, cleanTitle}));
}
