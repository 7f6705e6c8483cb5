// A stage context for the picture and description stages, wired to the
// stand-in marketplace and a temporary picture folder, with the log lines
// kept for inspection.
#pragma once

#include <algorithm>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "config/optionsstore.h"
#include "harvest/stagecontext.h"
#include "support/marketplaceenv.h"
#include "support/tempdir.h"
#include "text/pagetext.h"
#include "text/textbetween.h"
#include "web/cookiestore.h"
#include "web/webclient.h"
#include "sharedstate.h"

namespace vq::test {

// The stage context gains fields as stages need them; the ones not named
// here start value-initialised and are set in the constructor body.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

class PictureStageRig {
public:
    explicit PictureStageRig(config::PackageKind kind = config::PackageKind::TaobaoAssistant)
        : m_context{.record = record,
                    .kind = kind,
                    .options = options,
                    .rewrite = rewrite,
                    .endpoints = endpoints,
                    .web = web,
                    .brandWords = m_brandWords,
                    .runLock = m_runLock}
    {
        std::filesystem::create_directories(pictureFolder());
        m_context.pictureFolder = pictureFolder();
        m_context.workerNumber = 2;
        m_context.rowIndex = 0;
        m_context.total = 3;
        m_context.log = [this](const std::string& line) {
            std::lock_guard lock(m_logMutex);
            m_log.push_back(line);
        };
        m_context.checkpoint = [] { return true; };
    }

    // Loads a stand-in product page the way the page stage does.
    void loadProduct(const std::string& offerId)
    {
        const std::string body = web.fetch(endpoints.detail + "/offer/" + offerId + ".html");
        ASSERT_FALSE(body.empty()) << "no stand-in page for " << offerId;
        record.offerId = offerId;
        record.pageText = text::PageText(body);
        record.title = text::TextBetween(record.pageText, "。这是", "的详细页面。");
        record.picture.clear();
        record.wireless_desc.clear();
    }

    std::filesystem::path pictureFolder() const { return m_folder.path() / "aliT0001"; }
    harvest::StageContext& context() { return m_context; }
    std::vector<std::string> log() const
    {
        std::lock_guard lock(m_logMutex);
        return m_log;
    }

    // What the stand-in serves at a path of its plain HTTP server, asked
    // again after the stage ran (the picture routes answer the same bytes
    // every time, except where a test says otherwise).
    std::string served(const std::string& path) const { return web.fetch(httpBase() + path); }
    static std::string httpBase() { return marketplace().httpBase(); }
    static int requests(const std::string& path) { return marketplace().state().count("pictures:" + path); }

    harvest::ProductRecord record;
    config::OptionsStore options;
    harvest::RewriteOptions rewrite;
    config::Endpoints endpoints = standInEndpoints();
    web::CookieStore store;
    web::WebClient web{store, standInClientSettings()};

private:
    TempDir m_folder;
    std::vector<std::string> m_brandWords;
    std::mutex m_runLock;
    mutable std::mutex m_logMutex;
    std::vector<std::string> m_log;
    harvest::StageContext m_context;
};

#pragma GCC diagnostic pop

// Whether a written file holds exactly the expected bytes; a mismatch is
// told by sizes and the first differing offset, not by dumping both.
inline ::testing::AssertionResult sameBytes(const std::filesystem::path& file, const std::string& expected)
{
    if (!std::filesystem::exists(file))
        return ::testing::AssertionFailure() << file << " was not written";
    const std::string actual = readBytes(file);
    if (actual == expected)
        return ::testing::AssertionSuccess();
    const auto mismatch = std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
    return ::testing::AssertionFailure() << file << " holds " << actual.size() << " bytes, expected "
                                         << expected.size() << ", first difference at "
                                         << (mismatch.first - actual.begin());
}

// The files of a folder (not its subfolders), by name.
inline std::vector<std::filesystem::path> filesIn(const std::filesystem::path& folder)
{
    std::vector<std::filesystem::path> files;
    if (!std::filesystem::exists(folder))
        return files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.is_regular_file())
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace vq::test
