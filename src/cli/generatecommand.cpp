#include "cli/generatecommand.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <mutex>
#include <optional>
#include <pthread.h>
#include <thread>

#include "cli/clisession.h"
#include "collect/listfile.h"
#include "config/programfolder.h"
#include "harvest/harvestcontroller.h"
#include "harvest/harvestfrontend.h"
#include "text/timestamps.h"
#include "vendor/vendorservice.h"

namespace vq::cli {
namespace {

// The run's window parts as the command line has them: the completion
// window is remembered, not shown (the save path stays the default's
// remembered value).
class CliHarvestFrontEnd : public harvest::HarvestFrontEnd {
public:
    struct Completion {
        int total = 0;
        int successCount = 0;
        int failureCount = 0;
    };

    void showCompletion(int total, int successCount, int failureCount) override
    {
        std::lock_guard lock(m_mutex);
        m_completion = Completion{total, successCount, failureCount};
    }
    std::optional<Completion> completion() const
    {
        std::lock_guard lock(m_mutex);
        return m_completion;
    }

private:
    mutable std::mutex m_mutex;
    std::optional<Completion> m_completion;
};

harvest::RewriteOptions rewriteOptionsOf(const CommandLine& line)
{
    harvest::RewriteOptions options;
    options.cleanTitle = line.cleanTitle;
    options.appendSourceLink = line.sourceLink;
    options.swapFirstThirdPicture = line.swapPictures;
    options.brandToOther = line.brandOther;
    if (line.priceOperator) {
        options.adjustPrice = true;
        const std::string& op = *line.priceOperator;
        options.priceOperator = op == "加"   ? harvest::PriceOperator::Add
                                : op == "减" ? harvest::PriceOperator::Subtract
                                : op == "乘" ? harvest::PriceOperator::Multiply
                                             : harvest::PriceOperator::Divide;
        options.priceOperand = line.priceOperand.value_or("");
        options.priceRounding = line.round;
    }
    return options;
}

// Ctrl-C (and SIGTERM) stop the run as "是" would: the finished products
// are written. A thread waits for the signals so that nothing happens in a
// signal handler.
class StopOnSignal {
public:
    explicit StopOnSignal(harvest::HarvestController& controller) : m_controller(controller)
    {
        sigemptyset(&m_signals);
        sigaddset(&m_signals, SIGINT);
        sigaddset(&m_signals, SIGTERM);
        sigaddset(&m_signals, SIGUSR1);
        pthread_sigmask(SIG_BLOCK, &m_signals, nullptr);
        m_thread = std::thread([this] {
            int signal = 0;
            while (sigwait(&m_signals, &signal) == 0) {
                if (signal == SIGUSR1 || m_done)
                    return;
                std::fputs("vendquill-cli: stopping; the finished products are written\n", stderr);
                m_controller.stop(Answer::Yes);
            }
        });
    }
    ~StopOnSignal()
    {
        m_done = true;
        pthread_kill(m_thread.native_handle(), SIGUSR1);
        m_thread.join();
        // The run is over: Ctrl-C ends the program again as usual.
        pthread_sigmask(SIG_UNBLOCK, &m_signals, nullptr);
    }
    StopOnSignal(const StopOnSignal&) = delete;
    StopOnSignal& operator=(const StopOnSignal&) = delete;

private:
    harvest::HarvestController& m_controller;
    sigset_t m_signals{};
    std::atomic<bool> m_done{false};
    std::thread m_thread;
};

}  // namespace

int runGenerateCommand(const CommandLine& line)
{
    int failureStatus = 1;
    std::unique_ptr<CliSession> session = CliSession::open(line, failureStatus);
    if (!session)
        return failureStatus;
    std::string error;

    std::vector<ItemRow> rows;
    if (!collect::readListFile(line.listFile, rows, error)) {
        std::fprintf(stderr, "vendquill-cli: --list %s: %s\n", line.listFile.string().c_str(), error.c_str());
        return 1;
    }
    session->list().setRows(rows);

    // The package kind of this run: --kind, or the settings' type.
    config::Options options = session->options().get();
    if (line.kind)
        options.type = *line.kind == "ali" ? config::PackageKind::AliAssistant : config::PackageKind::TaobaoAssistant;
    session->options().set(options);

    // As at the desktop app's start: the brand words, with the timed request.
    const std::vector<std::string> brandWords =
        vendor::VendorService(session->web(), session->endpoints().vendor).brandWordList();

    CliHarvestFrontEnd harvestFrontEnd;
    harvest::HarvestServices services{session->frontEnd(),
                                      harvestFrontEnd,
                                      session->list(),
                                      session->log(),
                                      session->options(),
                                      session->endpoints(),
                                      session->web(),
                                      brandWords,
                                      session->home(),
                                      [] { return config::desktopFolder(); },
                                      [] { return text::SecondsStamp(); }};
    harvest::HarvestController controller(services);
    const std::string outFile = std::filesystem::absolute(line.outFile).lexically_normal().string();
    if (!controller.setSavePath(outFile)) {
        std::fprintf(stderr, "vendquill-cli: --out %s: not a usable file name\n", line.outFile.string().c_str());
        return 2;
    }
    controller.setRewriteOptions(rewriteOptionsOf(line));

    {
        StopOnSignal stopOnSignal(controller);
        if (controller.startRun())
            controller.waitUntilIdle();
        else
            std::fputs("vendquill-cli: the run did not start\n", stderr);
    }

    const auto completion = harvestFrontEnd.completion();
    const auto run = controller.lastRun();
    const int total = completion ? completion->total : (run ? run->total() : static_cast<int>(rows.size()));
    const int success = completion ? completion->successCount : 0;
    const int failed = completion ? completion->failureCount : total;
    if (completion) {
        // The copied products leave the list; the rest stay for another run.
        if (!collect::writeListFile(line.listFile, session->list().rows(), error))
            std::fprintf(stderr, "vendquill-cli: --list %s: %s\n", line.listFile.string().c_str(), error.c_str());
    }
    std::printf("total %d success %d failed %d file %s\n", total, success, failed, outFile.c_str());
    std::fflush(stdout);
    return completion ? 0 : 1;
}

}  // namespace vq::cli
