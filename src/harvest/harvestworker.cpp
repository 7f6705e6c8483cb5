#include "harvest/harvestworker.h"

#include <exception>

#include "collect/itemlist.h"
#include "collect/logpanel.h"
#include "harvest/assemblerow.h"
#include "harvest/harvestcontroller.h"
#include "harvest/harvestrun.h"
#include "text/timestamps.h"

namespace vq::harvest {

HarvestWorker::HarvestWorker(HarvestController& controller, std::shared_ptr<HarvestRun> run, int workerNumber,
                             Pipeline pipeline)
    : m_controller(controller), m_run(std::move(run)), m_workerNumber(workerNumber), m_pipeline(std::move(pipeline))
{
}

void HarvestWorker::run()
{
    int lastRowNumber = 0;
    while (m_run->checkpoint()) {
        const std::optional<std::size_t> index = m_run->takeNextRow();
        if (!index) {
            if (m_run->workerFinished())
                m_controller.finishRun(m_run, m_workerNumber, lastRowNumber);
            return;
        }
        lastRowNumber = static_cast<int>(*index) + 1;
        processProduct(*index);
    }
}

void HarvestWorker::processProduct(std::size_t index)
{
    const HarvestServices& services = m_controller.m_services;
    m_record.offerId = services.itemList.cell(index, 3);
    std::shared_ptr<HarvestRun> run = m_run;
    StageContext context{
        m_record,
        run->kind(),
        services.options,
        run->rewrite(),
        services.endpoints,
        services.web,
        services.brandWords,
        services.programFolder,
        run->pictureFolder(),
        m_workerNumber,
        index,
        static_cast<std::size_t>(run->total()),
        services.itemList.cell(index, 0),
        m_record.offerId,
        services.frontEnd.hasBrowserWindow(),
        [this](const std::string& message) { log(message); },
        [run] { return run->checkpoint(); },
        m_controller.m_runLock,
        [this](const std::string& url) {
            m_controller.setBrowserUrl(url);
            m_controller.m_services.frontEnd.openBrowserWindow(url);
        },
    };
    try {
        for (const Stage& stage : m_pipeline) {
            if (!run->checkpoint())
                return;
            stage(context);
        }
    } catch (const std::exception& error) {
        // A fault in one product's steps must not take the run down: the
        // product fails and the worker goes on.
        m_record.title.clear();
        log(" 线程：" + std::to_string(m_workerNumber) + " 第：" + std::to_string(index + 1) + "/" +
            std::to_string(run->total()) + " 个宝贝 出错：" + error.what() + "\r\n");
    }
    if (!run->checkpoint())
        return;
    closeProduct(index);
}

void HarvestWorker::closeProduct(std::size_t index)
{
    const std::optional<std::string> row = assembleRow(m_record, m_run->kind());
    if (row && m_run->appendRow(*row, index)) {
        const std::shared_ptr<HarvestRun> run = m_run;
        ItemList& list = m_controller.m_services.itemList;
        m_controller.onUi([&list, run, index] {
            if (!run->ended())
                list.selectRow(index);
        });
    }
    log(" 线程：" + std::to_string(m_workerNumber) + " 第：" + std::to_string(index + 1) + "/" +
        std::to_string(m_run->total()) + " 个宝贝 下载完成！\r\n");
}

void HarvestWorker::log(const std::string& message)
{
    // An ended worker writes no further line; the check is repeated on the
    // UI thread, where stop runs, so no line slips in after it.
    if (m_run->ended())
        return;
    const std::string line = text::LogDateTime() + message;
    const std::shared_ptr<HarvestRun> run = m_run;
    LogPanel& panel = m_controller.m_services.logPanel;
    m_controller.onUi([&panel, run, &line] {
        if (!run->ended())
            panel.append(line);
    });
}

}  // namespace vq::harvest
