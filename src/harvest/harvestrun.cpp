#include "harvest/harvestrun.h"

namespace vq::harvest {

HarvestRun::HarvestRun(int total, config::PackageKind kind, RewriteOptions rewrite, std::string outputDir,
                       std::string outputBaseName)
    : m_total(total < 0 ? 0 : total),
      m_kind(kind),
      m_rewrite(std::move(rewrite)),
      m_outputDir(std::move(outputDir)),
      m_outputBaseName(std::move(outputBaseName))
{
}

std::filesystem::path HarvestRun::pictureFolder() const
{
    return std::filesystem::path(m_outputDir + m_outputBaseName);
}

std::optional<std::size_t> HarvestRun::takeNextRow()
{
    // A bounded fetch-and-increment: nextIndex never passes total, so a
    // late worker cannot push it past the end.
    int current = m_nextIndex.load();
    while (current < m_total) {
        if (m_nextIndex.compare_exchange_weak(current, current + 1))
            return static_cast<std::size_t>(current);
    }
    return std::nullopt;
}

bool HarvestRun::appendRow(const std::string& row, std::size_t listRow)
{
    std::lock_guard lock(m_packageLock);
    if (m_ended.load())
        return false;
    m_packageText += row;
    ++m_successCount;
    m_appendedRows.push_back(listRow);
    return true;
}

bool HarvestRun::workerFinished()
{
    return m_finishedWorkers.fetch_add(1) + 1 == WorkerCount;
}

HarvestRun::PackageSnapshot HarvestRun::closePackage()
{
    end();
    std::lock_guard lock(m_packageLock);
    return {m_packageText, m_successCount, m_appendedRows};
}

int HarvestRun::successCount() const
{
    std::lock_guard lock(m_packageLock);
    return m_successCount;
}

int HarvestRun::failureCount() const
{
    std::lock_guard lock(m_packageLock);
    return m_failureCount;
}

void HarvestRun::setFailureCount(int count)
{
    std::lock_guard lock(m_packageLock);
    m_failureCount = count;
}

std::string HarvestRun::packageText() const
{
    std::lock_guard lock(m_packageLock);
    return m_packageText;
}

void HarvestRun::setPackageText(std::string text)
{
    std::lock_guard lock(m_packageLock);
    m_packageText = std::move(text);
}

void HarvestRun::setPaused(bool paused)
{
    {
        std::lock_guard lock(m_gateMutex);
        m_paused = paused;
    }
    m_gate.notify_all();
}

bool HarvestRun::paused() const
{
    std::lock_guard lock(m_gateMutex);
    return m_paused;
}

void HarvestRun::end()
{
    {
        // Taking packageLock orders the flag against appendRow: a row is
        // appended either before the end or never.
        std::lock_guard packageLock(m_packageLock);
        std::lock_guard gateLock(m_gateMutex);
        m_ended.store(true);
    }
    m_gate.notify_all();
}

bool HarvestRun::checkpoint()
{
    std::unique_lock lock(m_gateMutex);
    m_gate.wait(lock, [this] { return !m_paused || m_ended.load(); });
    return !m_ended.load();
}

}  // namespace vq::harvest
