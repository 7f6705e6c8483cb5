// The generation command and everything that frames a run: the checks and
// choices of the run start, five HarvestWorker threads over the ItemList,
// pause and resume, stop, and the finishing sequence that writes the data
// package and removes the copied rows from the list.
//
// Threads: the commands (startRun, changeSavePath, pauseOrResume, stopRun)
// are the handlers of the window's buttons and run on the UI thread. Every
// update of the list, the log and the HarvestFrontEnd goes through
// FrontEnd::runOnUiThread, so workers never touch the window themselves.
//
// Headless use (the command line): set the save path with setSavePath()
// and the options with setRewriteOptions(), call startRun(), then
// waitUntilIdle(); stop(Answer::Yes) from any thread writes what is
// finished and ends the run. With the default HarvestFrontEnd no wizard and
// no login window appear.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "collect/frontend.h"
#include "config/endpoints.h"
#include "harvest/harvestrun.h"
#include "harvest/pipeline.h"
#include "harvest/rewriteoptions.h"

namespace vq {
class ItemList;
class LogPanel;
}  // namespace vq
namespace vq::config {
class OptionsStore;
}
namespace vq::web {
class WebClient;
}

namespace vq::harvest {

class HarvestFrontEnd;
class HarvestWorker;

// What a run works with; all of it outlives the controller.
struct HarvestServices {
    FrontEnd& frontEnd;
    HarvestFrontEnd& harvestFrontEnd;
    ItemList& itemList;
    LogPanel& logPanel;
    config::OptionsStore& options;
    const config::Endpoints& endpoints;
    web::WebClient& web;
    const std::vector<std::string>& brandWords;  // BrandWordList, read-only during runs
    std::filesystem::path programFolder;
    // Where default packages go, and the clock of their names.
    std::function<std::filesystem::path()> desktopFolder;
    std::function<std::int64_t()> secondsStamp;
};

class HarvestController {
public:
    // pipeline gives the steps of each run; tests pass steps of their own.
    explicit HarvestController(HarvestServices services, PipelineFactory pipeline = standardPipeline);
    // Ends a run that is still going (as stop "否") and waits for the
    // workers' threads.
    ~HarvestController();
    HarvestController(const HarvestController&) = delete;
    HarvestController& operator=(const HarvestController&) = delete;

    // "生成数据包": the run start. Returns true when workers were started;
    // false when a check refused (its message shown), the wizard was
    // cancelled or a run is going already.
    bool startRun();
    // "更改": the file dialog, then setSavePath with its answer.
    void changeSavePath();
    // Puts path into the save-path box and derives the output folder and
    // base name from it (".csv" appended when the name has no "."). False,
    // with "请检查文件名是否正确！" and an emptied box, when the name has no
    // base name.
    bool setSavePath(const std::string& path);
    // "暂停" / "继续": holds every worker at its next step, or releases them.
    void pauseOrResume();
    // "停止": asks the stop question, then acts on the answer as stop().
    void stopRun();
    // Yes: end the workers and write what is finished; No: end the workers
    // and write nothing; Cancel: nothing. Does nothing when no run is going
    // or its finishing sequence has begun. Callable from any thread.
    void stop(Answer answer);

    bool running() const;
    bool paused() const;
    // Blocks until no run is going, then joins the workers' threads. Not for
    // a UI thread whose tasks the workers wait for.
    void waitUntilIdle();
    // As waitUntilIdle, giving up after timeout; true when idle.
    bool waitUntilIdleFor(std::chrono::milliseconds timeout);

    // The wizard's options, kept from run to run.
    RewriteOptions rewriteOptions() const;
    void setRewriteOptions(const RewriteOptions& options);

    // The current or last run (nothing before the first); its counters and
    // package text stay until the next run start.
    std::shared_ptr<const HarvestRun> lastRun() const;
    // The address the browser window opens.
    std::string browserUrl() const;
    std::mutex& runLock() { return m_runLock; }

private:
    friend class HarvestWorker;
    enum class Phase { Idle, Running, Finishing };
    struct WorkerThread {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> done;
    };

    void onUi(const std::function<void()>& task);
    void log(const std::string& message);
    void message(const std::string& text, const std::string& title);
    void setBrowserUrl(const std::string& url);
    bool prepareOutputPath();
    bool promptLogin();
    bool askWizard(config::PackageKind kind);
    bool createPictureFolder();
    void startWorkers(const std::shared_ptr<HarvestRun>& run, const Pipeline& pipeline);
    void reapFinishedThreads();

    // The finishing sequence, run by the last worker.
    void finishRun(const std::shared_ptr<HarvestRun>& run, int workerNumber, int lastRowNumber);
    // Steps shared by the finishing sequence and stop "是": counts, link
    // rule, and (countLine) the count line, then the write and what follows.
    void writeAndClose(const std::shared_ptr<HarvestRun>& run, int workerNumber, int lastRowNumber,
                       bool countLine);
    void becomeIdle();

    HarvestServices m_services;
    PipelineFactory m_pipeline;

    mutable std::mutex m_stateMutex;
    std::condition_variable m_idle;
    Phase m_phase = Phase::Idle;
    std::shared_ptr<HarvestRun> m_run;
    RewriteOptions m_rewrite;
    std::string m_outputDir;
    std::string m_outputBaseName;
    bool m_wizardCancelled = false;
    std::string m_browserUrl;
    std::vector<WorkerThread> m_workerThreads;
    std::vector<WorkerThread> m_retiredThreads;

    std::mutex m_runLock;
};

}  // namespace vq::harvest
