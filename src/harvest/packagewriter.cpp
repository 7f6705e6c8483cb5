#include "harvest/packagewriter.h"

#include <vector>

#include "config/atomicfile.h"
#include "config/optionsstore.h"
#include "harvest/assemblerow.h"
#include "text/gbk.h"
#include "text/regex.h"
#include "text/textops.h"

namespace vq::harvest {
namespace {

const std::vector<std::string> TaobaoColumns = {
    "title", "cid", "seller_cids", "stuff_status", "location_state", "location_city", "item_type", "price",
    "auction_increment", "num", "valid_thru", "freight_payer", "post_fee", "ems_fee", "express_fee",
    "has_invoice", "has_warranty", "approve_status", "has_showcase", "list_time", "description", "cateProps",
    "postage_id", "has_discount", "modified", "upload_fail_msg", "picture_status", "auction_point", "picture",
    "video", "skuProps", "inputPids", "inputValues", "outer_id", "propAlias", "auto_fill", "num_id",
    "local_cid", "navigation_type", "user_name", "syncStatus", "is_lighting_consigment", "is_xinpin",
    "foodparame", "features", "item_size", "item_weight", "wireless_desc", "input_custom_cpv", "qualification"};

const std::vector<std::string> TaobaoCaptions = {
    "宝贝名称", "宝贝类目", "店铺类目", "新旧程度", "省", "城市", "出售方式", "宝贝价格", "加价幅度", "宝贝数量",
    "有效期", "运费承担", "平邮", "EMS", "快递", "发票", "保修", "放入仓库", "橱窗推荐", "开始时间", "宝贝描述",
    "宝贝属性", "邮费模版ID", "会员打折", "修改时间", "上传状态", "图片状态", "返点比例", "新图片", "视频",
    "销售属性组合", "用户输入ID串", "用户输入名-值对", "商家编码", "销售属性别名", "代充类型", "数字ID", "本地ID",
    "宝贝分类", "账户名称", "宝贝状态", "闪电发货", "新品", "食品专项", "尺码库", "物流体积", "物流重量",
    "无线详情", "自定义属性值", "商品资质"};

const std::vector<std::string> BusinessColumns = {
    "offerId", "subject", "postCategryId", "imageList", "sendGoodsAddressId", "freightTemplateId",
    "termOfferProcess", "details", "details(sub)", "productFeatureList", "customizedFeatureList", "skuArray",
    "skuPics", "productUnitWeight", "amount", "amountOnSale", "priceRanges", "unitPrice",
    "isSupportOnlineTrade", "isSupportMix", "isSkuOffer", "isSkuTradeSupported", "isProcessingOffer",
    "isPicAuthOffer", "isPriceAuthOffer"};

const std::vector<std::string> BusinessCaptions = {
    "产品ID", "标题", "类目", "产品图片", "发货地址", "运费设置", "有效期", "产品详情", "产品详情（sub）",
    "产品属性", "自定义类目属性", "SKU属性", "SKU图片", "单位重量", "供货总量", "可售数量", "价格区间", "单价",
    "是否支持网上交易", "是否支持混批", "是否SKU信息", "是否规格报价", "是否加工定制", "是否图片授权",
    "是否价格授权"};

}  // namespace

const std::string& TaobaoHeader()
{
    static const std::string header = "version 1.00" + std::string(47, ',') + "\r\n" +
                                      text::join(TaobaoColumns, ",") + "\r\n" + text::join(TaobaoCaptions, ",") +
                                      "\r\n";
    return header;
}

const std::string& BusinessAssistantHeader()
{
    static const std::string header = std::string("\xFF\xFE") +
                                      text::utf8ToUtf16le("appname:alizhuli;version:6.2.9.11627;loginid:qvl\n" +
                                                          text::join(BusinessColumns, "\t") + "\n" +
                                                          text::join(BusinessCaptions, "\t") + "\n");
    return header;
}

std::string applyLinkRule(std::string_view packageText, config::LinkRule rule, std::string_view link,
                          const LogMessage& log)
{
    if (rule == config::LinkRule::Keep || !text::contains(packageText, "href"))
        return std::string(packageText);
    log("  根据设置，正在进行描述超链接处理……\r\n");
    std::string result;
    if (rule == config::LinkRule::Remove) {
        const text::Regex anchors = text::Regex::perl("<a(.+?)>|</a>", {true, false});
        result = anchors.replaceAll(packageText, "", text::ReplaceFormat::Literal);
    } else {
        const text::Regex targets = text::Regex::perl(R"re(href=""([\s\S]*?)"")re", {true, false});
        result = targets.replaceAll(packageText, "href=\"\"" + std::string(link) + "\"\"",
                                    text::ReplaceFormat::PerlExtended);
    }
    log("  描述超链接处理完毕\r\n");
    return result;
}

std::string applyLinkRule(std::string_view packageText, const config::OptionsStore& options, const LogMessage& log)
{
    const config::Options settings = options.get();
    return applyLinkRule(packageText, settings.qcl, settings.qcllr, log);
}

std::string restoreSourceLinks(std::string_view packageText)
{
    return text::replaceAll(text::replaceAll(packageText, "#1#1#1", "a href"), "#2#2", "</a>");
}

std::string packageBytes(std::string_view packageText, config::PackageKind kind)
{
    const std::string rows = text::replaceAll(packageText, QuoteMarker, "\"");
    if (kind == config::PackageKind::AliAssistant)
        return BusinessAssistantHeader() + text::utf8ToUtf16le(rows) + std::string(2, '\0');
    return text::utf8ToGbk(TaobaoHeader() + rows);
}

WriteOutcome writePackage(std::string_view packageText, config::PackageKind kind, const std::string& path,
                          const LogMessage& log)
{
    WriteOutcome outcome;
    if (path.empty()) {
        outcome.error = "no file name";
    } else {
        outcome.written = config::writeFileAtomically(path, packageBytes(packageText, kind), &outcome.error);
    }
    if (outcome.written) {
        log(" 文件写成功！\r\n");
        log(" 数据包存放位置" + path + "\r\n");
    } else {
        log(" 文件写入失败！" + path + " 原因：" + outcome.error + "\r\n");
    }
    return outcome;
}

}  // namespace vq::harvest
