#include "harvest/productpage.h"

#include <algorithm>
#include <mutex>
#include <thread>

#include "harvest/producttitle.h"
#include "harvest/stages.h"
#include "text/pagetext.h"
#include "text/textops.h"
#include "web/webclient.h"

namespace vq::harvest {

namespace {

constexpr std::chrono::milliseconds kPauseSlice{100};

std::string workerPrefix(const StageContext& context)
{
    return "线程：" + std::to_string(context.workerNumber);
}

std::string rowPosition(const StageContext& context)
{
    return std::to_string(context.rowIndex + 1) + "/" + std::to_string(context.total);
}

// Sleeps for pause in short slices, passing the pause gate between them;
// false as soon as the run is stopped.
bool pauseUnlessStopped(StageContext& context, std::chrono::milliseconds pause)
{
    const auto until = std::chrono::steady_clock::now() + pause;
    while (std::chrono::steady_clock::now() < until) {
        if (context.checkpoint && !context.checkpoint())
            return false;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
        std::this_thread::sleep_for(std::min(kPauseSlice, std::max(left, std::chrono::milliseconds(0))));
    }
    return !context.checkpoint || context.checkpoint();
}

void log(StageContext& context, const std::string& message)
{
    if (context.log)
        context.log(message);
}

// Waits until a download is no verification page. False when the run was
// stopped or, without a browser window, the retries are used up.
bool passVerification(StageContext& context, const std::string& address, const HeadlessVerification& headless)
{
    ProductRecord& record = context.record;
    int retries = 0;
    while (isVerificationPage(record.pageText)) {
        if (context.checkpoint && !context.checkpoint())
            return false;
        log(context, workerPrefix(context) + "  ！！！需要验证，请验证后，关闭窗口！\r\n");
        if (context.browserAvailable && context.openBrowserWindow) {
            // One window at a time: the others wait here, then show theirs.
            std::lock_guard<std::mutex> lock(context.runLock);
            context.openBrowserWindow(address);
        } else {
            if (retries >= headless.retries) {
                log(context, workerPrefix(context) + "  没有浏览器窗口，无法验证，放弃 第：" + rowPosition(context) +
                                 " 个宝贝！\r\n");
                return false;
            }
            ++retries;
            if (!pauseUnlessStopped(context, headless.pause))
                return false;
        }
        if (context.checkpoint && !context.checkpoint())
            return false;
        record.pageText = text::PageText(context.web.fetch(address));
    }
    return true;
}

}  // namespace

std::string productPageAddress(const config::Endpoints& endpoints, std::string_view offerId)
{
    return endpoints.detail + "/offer/" + std::string(offerId) + ".html";
}

bool isVerificationPage(std::string_view pageText)
{
    return text::contains(pageText, "security-X5");
}

void acquireProductPage(StageContext& context, const HeadlessVerification& headless)
{
    ProductRecord& record = context.record;
    record.offerId = context.rowOfferId;
    // Cleared first, so that a product given up half-way never carries the
    // previous product's title into a row.
    record.title.clear();
    log(context, workerPrefix(context) + "  开始下载 第：" + rowPosition(context) + " 个宝贝:" + context.rowName +
                     "\r\n");

    const std::string address = productPageAddress(context.endpoints, record.offerId);
    record.pageText = text::PageText(context.web.fetch(address));
    if (!passVerification(context, address, headless)) {
        // Later steps then work on nothing rather than on the verification
        // page or the previous product's pictures.
        record.pageText.clear();
        record.picture.clear();
        record.wireless_desc.clear();
        return;
    }

    log(context, workerPrefix(context) + "  开始获取 第：" + rowPosition(context) + " 个宝贝   基本信息！\r\n");
    record.picture.clear();
    record.wireless_desc.clear();
    record.title = extractTitle(record.pageText);
}

void acquireProductPage(StageContext& context)
{
    acquireProductPage(context, HeadlessVerification{});
}

}  // namespace vq::harvest
