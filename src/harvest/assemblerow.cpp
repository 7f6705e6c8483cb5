#include "harvest/assemblerow.h"

#include <vector>

namespace vq::harvest {
namespace {

struct Column {
    std::string_view value;
    bool quoted = false;
};

std::string joinColumns(const std::vector<Column>& columns, char separator)
{
    std::string row;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (i > 0)
            row += separator;
        if (columns[i].quoted)
            row += QuoteMarker;
        row += columns[i].value;
        if (columns[i].quoted)
            row += QuoteMarker;
    }
    row += "\r\n";
    return row;
}

std::string taobaoRow(const ProductRecord& r)
{
    constexpr bool q = true;
    const std::vector<Column> columns = {
        {r.title, q},            // title
        {r.categoryId},          // cid
        {"", q},                 // seller_cids
        {"1"},                   // stuff_status
        {r.location_state, q},   // location_state
        {r.location_city, q},    // location_city
        {"1"},                   // item_type
        {r.price},               // price
        {"0"},                   // auction_increment
        {r.num},                 // num
        {""},                    // valid_thru
        {""},                    // freight_payer
        {""},                    // post_fee
        {""},                    // ems_fee
        {""},                    // express_fee
        {"0"},                   // has_invoice
        {""},                    // has_warranty
        {"1"},                   // approve_status
        {"0"},                   // has_showcase
        {"", q},                 // list_time
        {r.description, q},      // description
        {r.cateProps, q},        // cateProps
        {"0"},                   // postage_id
        {"0"},                   // has_discount
        {"", q},                 // modified
        {""},                    // upload_fail_msg
        {""},                    // picture_status
        {"0"},                   // auction_point
        {r.picture, q},          // picture
        {"", q},                 // video
        {r.skuProps, q},         // skuProps
        {r.inputPids, q},        // inputPids
        {r.inputValues, q},      // inputValues
        {"", q},                 // outer_id
        {r.propAlias, q},        // propAlias
        {"0"},                   // auto_fill
        {r.offerId},             // num_id
        {"0"},                   // local_cid
        {"2"},                   // navigation_type
        {""},                    // user_name
        {"1"},                   // syncStatus
        {"0"},                   // is_lighting_consigment
        {"0"},                   // is_xinpin
        {r.foodparame},          // foodparame
        {"", q},                 // features
        {""},                    // item_size
        {""},                    // item_weight
        {r.wireless_desc, q},    // wireless_desc
        {r.input_custom_cpv, q}, // input_custom_cpv
        {r.qualification, q},    // qualification
    };
    return joinColumns(columns, ',');
}

std::string businessRow(const ProductRecord& r)
{
    constexpr bool q = true;
    const std::vector<Column> columns = {
        {"0"},                     // offerId
        {r.title, q},              // subject
        {r.categoryId},            // postCategryId
        {r.picture, q},            // imageList
        {""},                      // sendGoodsAddressId
        {""},                      // freightTemplateId
        {"180"},                   // termOfferProcess
        {r.description, q},        // details
        {"", q},                   // details(sub)
        {r.productFeatureList, q}, // productFeatureList
        {"0"},                     // customizedFeatureList
        {r.skuArray, q},           // skuArray
        {r.skuPics, q},            // skuPics
        {""},                      // productUnitWeight
        {r.num},                   // amount
        {r.num},                   // amountOnSale
        {r.priceRanges},           // priceRanges
        {"0"},                     // unitPrice
        {"1"},                     // isSupportOnlineTrade
        {"0"},                     // isSupportMix
        {"1"},                     // isSkuOffer
        {r.isSkuTradeSupported},   // isSkuTradeSupported
        {"0"},                     // isProcessingOffer
        {"0"},                     // isPicAuthOffer
        {"0"},                     // isPriceAuthOffer
    };
    return joinColumns(columns, '\t');
}

}  // namespace

std::optional<std::string> assembleRow(const ProductRecord& record, config::PackageKind kind)
{
    if (record.title.empty())
        return std::nullopt;
    return kind == config::PackageKind::AliAssistant ? businessRow(record) : taobaoRow(record);
}

}  // namespace vq::harvest
