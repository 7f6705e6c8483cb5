// The shared state of one generation run: the rows to take, the package
// text the workers append to, the counters, the output location, and the
// pause gate and cancellation that hold or end the run's workers. A new
// HarvestRun is made at each run start; the last one keeps its values
// after the run until the next start (the completion window shows them).
// Every member is safe to call from any thread.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "config/options.h"
#include "harvest/rewriteoptions.h"

namespace vq::harvest {

class HarvestRun {
public:
    static constexpr int WorkerCount = 5;

    HarvestRun(int total, config::PackageKind kind, RewriteOptions rewrite, std::string outputDir,
               std::string outputBaseName);
    HarvestRun(const HarvestRun&) = delete;
    HarvestRun& operator=(const HarvestRun&) = delete;

    int total() const { return m_total; }
    config::PackageKind kind() const { return m_kind; }
    const RewriteOptions& rewrite() const { return m_rewrite; }
    const std::string& outputDir() const { return m_outputDir; }
    const std::string& outputBaseName() const { return m_outputBaseName; }
    // outputDir + outputBaseName: where the run's pictures go.
    std::filesystem::path pictureFolder() const;

    // The next untaken row index, in list order, or nothing when every row
    // has been taken. Each index below total is handed out exactly once.
    std::optional<std::size_t> takeNextRow();
    int nextIndex() const { return m_nextIndex.load(); }

    // Appends a finished row and counts the success, under packageLock.
    // Refused (false) once the run was ended: no row enters the package
    // after that.
    bool appendRow(const std::string& row, std::size_t listRow);

    // Counts a worker that found no row left; true for exactly one worker,
    // the one whose count reaches WorkerCount.
    bool workerFinished();
    int finishedWorkers() const { return m_finishedWorkers.load(); }

    struct PackageSnapshot {
        std::string packageText;
        int successCount = 0;
        std::vector<std::size_t> appendedRows;  // list rows whose product is in the package
    };
    // Ends the run (as end()) and returns what was appended, read under
    // packageLock so a row is either wholly in it or not at all.
    PackageSnapshot closePackage();

    int successCount() const;
    int failureCount() const;
    void setFailureCount(int count);
    std::string packageText() const;
    void setPackageText(std::string text);

    // The pause gate: while paused, checkpoint() waits. end() releases it.
    void setPaused(bool paused);
    bool paused() const;
    // Ends the run's workers at their next checkpoint; their rows and log
    // lines are dropped from then on.
    void end();
    bool ended() const { return m_ended.load(); }
    // Waits while the run is paused; false when the run was ended and the
    // caller should return at once.
    bool checkpoint();

private:
    const int m_total;
    const config::PackageKind m_kind;
    const RewriteOptions m_rewrite;
    const std::string m_outputDir;
    const std::string m_outputBaseName;

    std::atomic<int> m_nextIndex{0};
    std::atomic<int> m_finishedWorkers{0};
    std::atomic<bool> m_ended{false};

    mutable std::mutex m_packageLock;
    std::string m_packageText;
    int m_successCount = 0;
    int m_failureCount = 0;
    std::vector<std::size_t> m_appendedRows;

    mutable std::mutex m_gateMutex;
    std::condition_variable m_gate;
    bool m_paused = false;
};

}  // namespace vq::harvest
