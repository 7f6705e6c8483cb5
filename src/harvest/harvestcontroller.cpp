#include "harvest/harvestcontroller.h"

#include <system_error>

#include "collect/itemlist.h"
#include "collect/logpanel.h"
#include "config/optionsstore.h"
#include "config/programfolder.h"
#include "harvest/harvestfrontend.h"
#include "harvest/harvestworker.h"
#include "harvest/packagewriter.h"
#include "harvest/savepath.h"
#include "harvest/wizardchoice.h"
#include "text/timestamps.h"

namespace vq::harvest {
namespace {

constexpr std::size_t MaxRowsPerRun = 1000;
constexpr const char* PauseCaption = "暂停";
constexpr const char* ResumeCaption = "继续";

}  // namespace

HarvestController::HarvestController(HarvestServices services, PipelineFactory pipeline)
    : m_services(std::move(services)), m_pipeline(std::move(pipeline))
{
    if (!m_services.desktopFolder)
        m_services.desktopFolder = [] { return config::desktopFolder(); };
    if (!m_services.secondsStamp)
        m_services.secondsStamp = [] { return text::SecondsStamp(); };
    if (!m_pipeline)
        m_pipeline = standardPipeline;
}

HarvestController::~HarvestController()
{
    stop(Answer::No);
    std::vector<WorkerThread> threads;
    {
        std::lock_guard lock(m_stateMutex);
        threads = std::move(m_workerThreads);
        for (WorkerThread& retired : m_retiredThreads)
            threads.push_back(std::move(retired));
        m_retiredThreads.clear();
    }
    for (WorkerThread& worker : threads) {
        if (worker.thread.joinable())
            worker.thread.join();
    }
}

void HarvestController::onUi(const std::function<void()>& task)
{
    m_services.frontEnd.runOnUiThread(task);
}

void HarvestController::log(const std::string& message)
{
    const std::string line = text::LogDateTime() + message;
    onUi([this, &line] { m_services.logPanel.append(line); });
}

void HarvestController::message(const std::string& text, const std::string& title)
{
    onUi([this, &text, &title] { m_services.frontEnd.showMessage(text, title, MessageIcon::Information); });
}

void HarvestController::setBrowserUrl(const std::string& url)
{
    std::lock_guard lock(m_stateMutex);
    m_browserUrl = url;
}

std::string HarvestController::browserUrl() const
{
    std::lock_guard lock(m_stateMutex);
    return m_browserUrl;
}

RewriteOptions HarvestController::rewriteOptions() const
{
    std::lock_guard lock(m_stateMutex);
    return m_rewrite;
}

void HarvestController::setRewriteOptions(const RewriteOptions& options)
{
    std::lock_guard lock(m_stateMutex);
    m_rewrite = options;
}

std::shared_ptr<const HarvestRun> HarvestController::lastRun() const
{
    std::lock_guard lock(m_stateMutex);
    return m_run;
}

bool HarvestController::running() const
{
    std::lock_guard lock(m_stateMutex);
    return m_phase != Phase::Idle;
}

bool HarvestController::paused() const
{
    std::lock_guard lock(m_stateMutex);
    return m_phase == Phase::Running && m_run && m_run->paused();
}

bool HarvestController::setSavePath(const std::string& path)
{
    std::string boxText = path;
    const std::size_t slash = boxText.rfind('/');
    const std::string fileName = slash == std::string::npos ? boxText : boxText.substr(slash + 1);
    if (fileName.find('.') == std::string::npos)
        boxText += ".csv";
    const SavePathParts parts = splitSavePath(boxText);
    {
        std::lock_guard lock(m_stateMutex);
        m_outputDir = parts.outputDir;
        m_outputBaseName = parts.outputBaseName;
    }
    if (parts.outputBaseName.empty()) {
        message("请检查文件名是否正确！", "提示");
        onUi([this] { m_services.harvestFrontEnd.setSavePathText(""); });
        return false;
    }
    onUi([this, &boxText] { m_services.harvestFrontEnd.setSavePathText(boxText); });
    return true;
}

void HarvestController::changeSavePath()
{
    if (running())
        return;
    std::optional<std::string> chosen;
    onUi([this, &chosen] { chosen = m_services.harvestFrontEnd.chooseSaveFile(); });
    if (chosen)
        setSavePath(*chosen);
}

bool HarvestController::prepareOutputPath()
{
    HarvestFrontEnd& ui = m_services.harvestFrontEnd;
    std::string boxText;
    std::optional<config::PackageKind> radio;
    onUi([&] {
        boxText = ui.savePathText();
        radio = ui.packageKindRadio();
    });
    if (boxText == SavePathPlaceholder) {
        const std::filesystem::path desktop = m_services.desktopFolder();
        std::error_code ignored;  // a folder that cannot be made is reported when the run creates its pictures folder
        std::filesystem::create_directories(desktop / DefaultPackageFolderName, ignored);
        const config::PackageKind kind = radio.value_or(m_services.options.get().type);
        const std::string path = defaultSavePath(desktop, kind, m_services.secondsStamp());
        onUi([&] { ui.setSavePathText(path); });
        const SavePathParts parts = splitSavePath(path);
        std::lock_guard lock(m_stateMutex);
        m_outputDir = parts.outputDir;
        m_outputBaseName = parts.outputBaseName;
        return true;
    }
    // A box emptied after a bad file name, or a path whose name gives no
    // base name, has nowhere to write the package: refuse rather than run
    // all products into a write that must fail.
    bool usable = false;
    {
        std::lock_guard lock(m_stateMutex);
        usable = !boxText.empty() && !m_outputBaseName.empty();
    }
    if (!usable)
        message("数据包保存位置无效，请点‘更改’重新设置保存位置！", "提示");
    return usable;
}

bool HarvestController::promptLogin()
{
    HarvestFrontEnd& ui = m_services.harvestFrontEnd;
    bool checked = true;
    onUi([&] { checked = ui.loginCheckBoxChecked(); });
    if (checked)
        return false;
    message("采集1688宝贝生成数据包时：\r\n请先登陆一下阿里网站，可用任意阿里或淘宝账号登陆\r\n点确定后弹出登陆窗口！",
            "注意：登陆才能匹配属性！不登陆采集无属性");
    onUi([&] { ui.setLoginCheckBoxChecked(true); });
    const std::string url = m_services.endpoints.loginPageUrl();
    setBrowserUrl(url);
    m_services.frontEnd.openBrowserWindow(url);
    return true;
}

bool HarvestController::askWizard(config::PackageKind kind)
{
    if (kind == config::PackageKind::TaobaoAssistant) {
        WizardResult result;
        onUi([&] { result = m_services.harvestFrontEnd.showWizard(); });
        std::lock_guard lock(m_stateMutex);
        if (result.outcome == WizardOutcome::Confirmed) {
            applyWizardChoice(m_rewrite, result.options);
            m_wizardCancelled = false;
        } else if (result.outcome == WizardOutcome::Cancelled) {
            m_wizardCancelled = true;
        }
    }
    std::lock_guard lock(m_stateMutex);
    if (m_wizardCancelled) {
        m_wizardCancelled = false;
        return false;
    }
    return true;
}

bool HarvestController::createPictureFolder()
{
    std::string folder;
    {
        std::lock_guard lock(m_stateMutex);
        folder = m_outputDir + m_outputBaseName;
    }
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!error && std::filesystem::is_directory(folder, error))
        return true;
    message("无法创建数据包保存文件夹：" + folder + "\r\n" + (error ? error.message() : std::string("不是文件夹")) +
                "\r\n请点‘更改’重新设置保存位置！",
            "提示");
    return false;
}

bool HarvestController::startRun()
{
    {
        std::lock_guard lock(m_stateMutex);
        if (m_phase != Phase::Idle)
            return false;
    }
    ItemList& list = m_services.itemList;
    if (list.rowCount() == 0) {
        message("请先粘贴待采集的宝贝链接在地址栏，并点添加到列表后，再点生成数据包！", "提示");
        return false;
    }
    if (!prepareOutputPath())
        return false;
    promptLogin();
    if (list.rowCount() > MaxRowsPerRun) {
        message("每次采集数量不超过1000个，如超过，请按帮助拆分为几次分别采集！", "提示");
        return false;
    }
    std::size_t rows = 0;
    onUi([&] {
        list.removeRowsWithoutOfferId();
        rows = list.rowCount();
    });
    log("  去除空ID宝贝【实际宝贝数量为" + std::to_string(rows) + "  个宝贝】\r\n");
    onUi([&] { m_services.harvestFrontEnd.setItemCount(rows); });

    const config::PackageKind kind = m_services.options.get().type;
    if (!askWizard(kind))
        return false;
    if (!createPictureFolder())
        return false;

    std::shared_ptr<HarvestRun> run;
    {
        std::lock_guard lock(m_stateMutex);
        run = std::make_shared<HarvestRun>(static_cast<int>(rows), kind, m_rewrite, m_outputDir, m_outputBaseName);
        m_run = run;
        m_phase = Phase::Running;
    }
    // The controls switch before the workers start, so a run that ends at
    // once still leaves them idle.
    onUi([this] {
        m_services.harvestFrontEnd.setPauseCaption(PauseCaption);
        m_services.harvestFrontEnd.setRunning(true);
    });
    startWorkers(run, m_pipeline(kind));
    return true;
}

void HarvestController::reapFinishedThreads()
{
    // Threads of an earlier run that have returned are joined; those of a
    // stopped run that are still inside a step are kept until they return.
    std::vector<WorkerThread> finished;
    {
        std::lock_guard lock(m_stateMutex);
        for (WorkerThread& worker : m_workerThreads)
            m_retiredThreads.push_back(std::move(worker));
        m_workerThreads.clear();
        std::vector<WorkerThread> stillRunning;
        for (WorkerThread& worker : m_retiredThreads) {
            if (worker.done->load())
                finished.push_back(std::move(worker));
            else
                stillRunning.push_back(std::move(worker));
        }
        m_retiredThreads = std::move(stillRunning);
    }
    for (WorkerThread& worker : finished)
        worker.thread.join();
}

void HarvestController::startWorkers(const std::shared_ptr<HarvestRun>& run, const Pipeline& pipeline)
{
    reapFinishedThreads();
    std::lock_guard lock(m_stateMutex);
    for (int number = 1; number <= HarvestRun::WorkerCount; ++number) {
        auto done = std::make_shared<std::atomic<bool>>(false);
        std::thread thread([this, run, number, pipeline, done] {
            HarvestWorker worker(*this, run, number, pipeline);
            worker.run();
            done->store(true);
        });
        m_workerThreads.push_back({std::move(thread), std::move(done)});
    }
}

void HarvestController::pauseOrResume()
{
    std::shared_ptr<HarvestRun> run;
    {
        std::lock_guard lock(m_stateMutex);
        if (m_phase != Phase::Running)
            return;
        run = m_run;
    }
    const bool pause = !run->paused();
    run->setPaused(pause);
    onUi([this, pause] { m_services.harvestFrontEnd.setPauseCaption(pause ? ResumeCaption : PauseCaption); });
}

void HarvestController::stopRun()
{
    {
        std::lock_guard lock(m_stateMutex);
        if (m_phase != Phase::Running)
            return;
    }
    Answer answer = Answer::Cancel;
    onUi([this, &answer] {
        answer = m_services.frontEnd.askYesNoCancel(
            "点< 是 >---中止并将已完成的宝贝生成数据包！\r\n\r\n点< 否 >---直接中止！\r\n\r\n点<取消>---不中止返回继续处理！",
            "是否将已完成的宝贝生成数据包！");
    });
    stop(answer);
}

void HarvestController::stop(Answer answer)
{
    if (answer != Answer::Yes && answer != Answer::No)
        return;
    std::shared_ptr<HarvestRun> run;
    {
        std::lock_guard lock(m_stateMutex);
        if (m_phase != Phase::Running)
            return;
        m_phase = Phase::Finishing;
        run = m_run;
        for (WorkerThread& worker : m_workerThreads)
            m_retiredThreads.push_back(std::move(worker));
        m_workerThreads.clear();
    }
    if (answer == Answer::No) {
        run->end();
    } else {
        writeAndClose(run, 0, 0, false);
    }
    becomeIdle();
}

void HarvestController::finishRun(const std::shared_ptr<HarvestRun>& run, int workerNumber, int lastRowNumber)
{
    {
        std::lock_guard lock(m_stateMutex);
        if (m_phase != Phase::Running || m_run != run)
            return;
        m_phase = Phase::Finishing;
    }
    writeAndClose(run, workerNumber, lastRowNumber, true);
    becomeIdle();
}

void HarvestController::writeAndClose(const std::shared_ptr<HarvestRun>& run, int workerNumber, int lastRowNumber,
                                      bool countLine)
{
    HarvestFrontEnd& ui = m_services.harvestFrontEnd;
    ItemList& list = m_services.itemList;
    const HarvestRun::PackageSnapshot snapshot = run->closePackage();
    const int failures = run->total() - snapshot.successCount;
    run->setFailureCount(failures);
    onUi([&ui] { ui.clearPastedAddresses(); });

    const LogMessage logLine = [this](const std::string& text) { log(text); };
    std::string packageText = applyLinkRule(snapshot.packageText, m_services.options, logLine);
    if (run->rewrite().appendSourceLink)
        packageText = restoreSourceLinks(packageText);
    run->setPackageText(packageText);

    if (countLine) {
        log(" 线程：" + std::to_string(workerNumber) + " 第：" + std::to_string(lastRowNumber) + "/" +
            std::to_string(run->total()) + " 个宝贝 下载完成！成功： " + std::to_string(snapshot.successCount) +
            " 失败：" + std::to_string(failures) + " 正在写文件...\r\n");
    }

    std::string path;
    onUi([&] { path = ui.savePathText(); });
    const WriteOutcome outcome = writePackage(packageText, run->kind(), path, logLine);
    onUi([&ui] { ui.setSavePathText(SavePathPlaceholder); });

    if (outcome.written) {
        // The run's own record of appended rows selects them once more: a
        // selection a worker had not yet shown when the run was stopped
        // still removes its row.
        onUi([&] {
            for (const std::size_t row : snapshot.appendedRows)
                list.selectRow(row);
            list.deleteSelected();
            ui.setItemCount(list.rowCount());
        });
        onUi([&] { ui.showCompletion(run->total(), snapshot.successCount, failures); });
    } else {
        // Nothing was written, so every product stays in the list for the
        // next run; the run's selections are taken back so that a later run
        // does not delete them without having copied them.
        onUi([&] {
            for (const std::size_t row : snapshot.appendedRows)
                list.setSelected(row, false);
        });
        message("数据包写入失败：" + path + "\r\n" + outcome.error + "\r\n宝贝仍保留在列表中，可重新生成。", "提示");
    }
}

void HarvestController::becomeIdle()
{
    onUi([this] {
        m_services.harvestFrontEnd.setPauseCaption(PauseCaption);
        m_services.harvestFrontEnd.setRunning(false);
    });
    {
        std::lock_guard lock(m_stateMutex);
        m_phase = Phase::Idle;
    }
    m_idle.notify_all();
}

void HarvestController::waitUntilIdle()
{
    std::vector<WorkerThread> threads;
    {
        std::unique_lock lock(m_stateMutex);
        m_idle.wait(lock, [this] { return m_phase == Phase::Idle; });
        threads = std::move(m_workerThreads);
        m_workerThreads.clear();
        for (WorkerThread& retired : m_retiredThreads)
            threads.push_back(std::move(retired));
        m_retiredThreads.clear();
    }
    for (WorkerThread& worker : threads) {
        if (worker.thread.get_id() == std::this_thread::get_id())
            worker.thread.detach();
        else if (worker.thread.joinable())
            worker.thread.join();
    }
}

bool HarvestController::waitUntilIdleFor(std::chrono::milliseconds timeout)
{
    {
        std::unique_lock lock(m_stateMutex);
        if (!m_idle.wait_for(lock, timeout, [this] { return m_phase == Phase::Idle; }))
            return false;
    }
    waitUntilIdle();
    return true;
}

}  // namespace vq::harvest
