// A stage context for the page, attribute and price stages, wired to the
// stand-in marketplace, with the log lines and the browser windows it opens
// kept for inspection; and the saved product pages of the stand-in read the
// way the page stage reads a download.
#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "config/optionsstore.h"
#include "harvest/stagecontext.h"
#include "marketplace.h"
#include "support/marketplaceenv.h"
#include "support/tempdir.h"
#include "text/pagetext.h"
#include "web/cookiestore.h"
#include "web/webclient.h"

namespace vq::test {

// The page text of a saved stand-in product fixture (GBK bytes on disk).
inline std::string productFixture(const std::string& name)
{
    return text::PageText(readBytes(market::Marketplace::defaultFixtureRoot() / "product" / name));
}

class ProductStageRig {
public:
    explicit ProductStageRig(config::PackageKind kind = config::PackageKind::TaobaoAssistant, int workerNumber = 1)
        : m_context{.record = record,
                    .kind = kind,
                    .options = options,
                    .rewrite = rewrite,
                    .endpoints = endpoints,
                    .web = web,
                    .brandWords = m_brandWords,
                    .programFolder = {},
                    .pictureFolder = {},
                    .workerNumber = workerNumber,
                    .rowIndex = 0,
                    .total = 5,
                    .rowName = {},
                    .rowOfferId = {},
                    .browserAvailable = true,
                    .log = {},
                    .checkpoint = {},
                    .runLock = runLockFor(),
                    .openBrowserWindow = {}}
    {
        m_context.log = [this](const std::string& line) {
            std::lock_guard lock(m_mutex);
            m_log.push_back(line);
        };
        m_context.checkpoint = [] { return true; };
        m_context.openBrowserWindow = [this](const std::string& url) {
            {
                std::lock_guard lock(m_mutex);
                m_windows.push_back(url);
            }
            if (onWindow)
                onWindow(url);
        };
    }

    // Points the context at list row index with the given offer.
    void takeRow(std::size_t index, const std::string& offerId, const std::string& name = "示例宝贝")
    {
        m_context.rowIndex = index;
        m_context.rowOfferId = offerId;
        m_context.rowName = name;
    }

    harvest::StageContext& context() { return m_context; }
    std::vector<std::string> log() const
    {
        std::lock_guard lock(m_mutex);
        return m_log;
    }
    std::vector<std::string> windows() const
    {
        std::lock_guard lock(m_mutex);
        return m_windows;
    }

    // What the browser window "does" while open (the user's part).
    std::function<void(const std::string& url)> onWindow;

    harvest::ProductRecord record;
    config::OptionsStore options;
    harvest::RewriteOptions rewrite;
    config::Endpoints endpoints = standInEndpoints();
    web::CookieStore store;
    web::WebClient web{store, standInClientSettings()};

    // The run's lock; rigs made with a shared lock stand for workers of one run.
    static std::mutex& runLockFor()
    {
        static std::mutex lock;
        return lock;
    }

private:
    std::vector<std::string> m_brandWords;
    mutable std::mutex m_mutex;
    std::vector<std::string> m_log;
    std::vector<std::string> m_windows;
    harvest::StageContext m_context;
};

}  // namespace vq::test
