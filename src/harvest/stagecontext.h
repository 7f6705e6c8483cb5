// What one stage of a worker's product loop receives: the worker's record,
// the run's settings and services, and the worker's log and control hooks.
// A stage runs on its worker's thread; everything here is either owned by
// the worker or safe to use from several workers at once.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "config/endpoints.h"
#include "config/options.h"
#include "harvest/productrecord.h"
#include "harvest/rewriteoptions.h"

namespace vq {
class FrontEnd;
}
namespace vq::config {
class OptionsStore;
}
namespace vq::web {
class WebClient;
}

namespace vq::harvest {

struct StageContext {
    ProductRecord& record;
    config::PackageKind kind;                    // fixed for the run
    config::OptionsStore& options;               // live settings: read when needed
    const RewriteOptions& rewrite;               // fixed for the run
    const config::Endpoints& endpoints;
    web::WebClient& web;
    const std::vector<std::string>& brandWords;  // BrandWordList
    std::filesystem::path programFolder;         // its "options" folder holds the category cache
    std::filesystem::path pictureFolder;         // outputDir + outputBaseName
    int workerNumber = 0;                        // 1 to 5
    std::size_t rowIndex = 0;                    // 0-based list row
    std::size_t total = 0;                       // rows of the run
    // The list row's texts as the worker took them: column 0 (product name,
    // for the log) and column 3 (offer ID); the page stage copies the offer
    // ID into the record.
    std::string rowName;
    std::string rowOfferId;
    // Whether the front end has a browser window (FrontEnd::hasBrowserWindow).
    // Without one a verification page cannot be passed: the page stage then
    // retries a few times and gives the product up.
    bool browserAvailable = false;

    // Appends the current date-time text followed by message to the log.
    std::function<void(const std::string& message)> log;
    // The pause gate between steps: waits while the run is paused; returns
    // false when the run was stopped and the stage should return at once.
    std::function<bool()> checkpoint;
    // The run's lock for the verification window and the category cache.
    std::mutex& runLock;
    // Sets browserUrl and shows the browser window; returns when it closes.
    // Call with runLock held.
    std::function<void(const std::string& url)> openBrowserWindow;
};

// One step of the product loop.
using Stage = std::function<void(StageContext&)>;

}  // namespace vq::harvest
