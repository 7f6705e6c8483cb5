// The business-assistant attribute step: fetches the category's posting
// form and the level answers and hands them to the attribute mapping.
#include <optional>

#include "harvest/attributemapping.h"
#include "harvest/postingform.h"
#include "harvest/stages.h"
#include "text/pagetext.h"
#include "text/textbetween.h"
#include "web/cookiestore.h"
#include "web/webclient.h"

namespace vq::harvest {

void mapBusinessAttributes(StageContext& context)
{
    ProductRecord& record = context.record;
    record.categoryId = text::TextBetween(record.pageText, "catid':'", "'");

    // The user's login from the browser window travels with the form request.
    web::FetchRequest request;
    request.address = postingFormAddress(context.endpoints);
    request.method = 1;
    request.postText = postingFormBody(record.categoryId);
    request.cookieJar = web::BrowserCookies(context.web.cookieStore(),
                                            web::UrlHost(request.address) + std::string(kPostingFormPath));
    request.extraHeaders = postingFormHeaders(context.endpoints);
    std::string postingForm = text::TextUpToZero(context.web.fetch(request).body);

    const std::string& categoryId = record.categoryId;
    const LevelLookup lookup = [&context, &categoryId](const std::string& pathValues) {
        return text::TextUpToZero(context.web.fetch(spuLevelAddress(context.endpoints, categoryId, pathValues)));
    };
    AttributeMapping mapping = mapAttributes(record.pageText, std::move(postingForm), lookup);
    record.featurePairs = std::move(mapping.featurePairs);
    record.postingFormText = std::move(mapping.postingFormText);
}

}  // namespace vq::harvest
