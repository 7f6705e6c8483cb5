#include "harvest/description.h"

#include "harvest/pictures.h"
#include "config/optionsstore.h"
#include "harvest/stages.h"
#include "text/pagetext.h"
#include "text/textbetween.h"
#include "text/textops.h"
#include "web/webclient.h"

namespace vq::harvest {
namespace {

std::string rowText(const StageContext& context)
{
    return std::to_string(context.rowIndex + 1) + "/" + std::to_string(context.total);
}

void log(const StageContext& context, const std::string& message)
{
    if (context.log)
        context.log(message);
}

std::string fetchText(const StageContext& context, const std::string& address)
{
    // An address the page does not give is not requested at all.
    if (address.empty())
        return {};
    return text::TextUpToZero(context.web.fetch(address));
}

}  // namespace

std::string descriptionAddress(std::string_view pageText)
{
    return text::TextBetween(pageText, "data-tfs-url=#引号", "\"");
}

std::string offerDetailsContent(std::string_view answerText)
{
    const std::string content =
        text::TextBetween(answerText, "var offer_details={#引号content#引号:#引号", "#引号};");
    return text::replaceAll(content, "\\", "");
}

std::string descVarContent(std::string_view answerText)
{
    const std::string content = text::TextBetween(answerText, "var desc='", "';");
    return text::replaceAll(content, "=\"//", "=\"http://");
}

std::string prepareDescription(std::string_view html)
{
    const std::string doubled = text::replaceAll(html, "\"", "\"\"");
    return text::replaceAll(doubled, "_.webp", "");
}

std::string removeEmptySources(std::string_view description)
{
    return text::replaceAll(description, "src=\"\"\"\"", "");
}

std::string hiddenSourceLink(std::string_view pageAddress)
{
    std::string link = "</p><#1#1#1=\"\"";
    link += pageAddress;
    link += "\"\"><span style=\"\"color:#ffffff;\"\">";
    link += pageAddress;
    link += "</span>#2#2";
    return link;
}

void buildDescription(StageContext& context)
{
    ProductRecord& record = context.record;
    const std::string worker = std::to_string(context.workerNumber);
    // Per-product state of this stage; the page stage clears the mobile
    // description as well, clearing it here keeps the stage whole on its own.
    record.descPictureBytes = 0;
    record.wireless_desc.clear();

    log(context, "线程：" + worker + "  获取成功 第：" + rowText(context) + " 个宝贝   基本信息！\r\n");
    log(context, "线程：" + worker + "  开始获取 第：" + rowText(context) + "  个宝贝   描述信息！\r\n");

    const std::string address = descriptionAddress(record.pageText);
    std::string description = offerDetailsContent(fetchText(context, address));
    if (description.empty())
        description = descVarContent(fetchText(context, address));
    description = prepareDescription(description);

    log(context, "线程：" + worker + "  成功获取 第：" + rowText(context) + "  个宝贝   描述信息！\r\n");

    if (context.options.get().download)
        description = downloadDescriptionPictures(context, std::move(description));
    description = removeEmptySources(description);

    if (context.rewrite.appendSourceLink)
        description += hiddenSourceLink(context.endpoints.detail + "/offer/" + record.offerId + ".html");
    record.description = std::move(description);
}

void fetchDescription(StageContext& context)
{
    buildDescription(context);
}

}  // namespace vq::harvest
