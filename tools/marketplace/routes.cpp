#include "routes.h"

#include <fstream>
#include <sstream>

namespace vq::market {
namespace {
thread_local Exchange* t_current = nullptr;
}

void Exchange::begin(bool secure, std::string rawHead)
{
    m_secure = secure;
    m_rawHead = std::move(rawHead);
    m_reset = false;
}

Exchange* currentExchange()
{
    return t_current;
}

// Used by the server around each request it routes.
void setCurrentExchange(Exchange* exchange)
{
    t_current = exchange;
}

Routes::Routes(std::filesystem::path fixtureRoot, SharedState& state)
    : m_fixtureRoot(std::move(fixtureRoot)), m_state(state)
{
}

void Routes::get(const std::string& pattern, Handler handler)
{
    m_routes.push_back({"GET", pattern, std::move(handler)});
}

void Routes::post(const std::string& pattern, Handler handler)
{
    m_routes.push_back({"POST", pattern, std::move(handler)});
}

void Routes::put(const std::string& pattern, Handler handler)
{
    m_routes.push_back({"PUT", pattern, std::move(handler)});
}

void Routes::del(const std::string& pattern, Handler handler)
{
    m_routes.push_back({"DELETE", pattern, std::move(handler)});
}

void Routes::options(const std::string& pattern, Handler handler)
{
    m_routes.push_back({"OPTIONS", pattern, std::move(handler)});
}

void Routes::any(const std::string& pattern, const Handler& handler)
{
    for (const char* method : {"GET", "POST", "PUT", "DELETE", "OPTIONS"})
        m_routes.push_back({method, pattern, handler});
}

std::filesystem::path Routes::fixturePath(const std::string& area, const std::string& name) const
{
    return m_fixtureRoot / area / name;
}

std::string Routes::fixture(const std::string& area, const std::string& name) const
{
    return readFixture(m_fixtureRoot, area, name);
}

std::string readFixture(const std::filesystem::path& root, const std::string& area, const std::string& name)
{
    std::ifstream in(root / area / name, std::ios::binary);
    if (!in)
        return {};
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace vq::market
