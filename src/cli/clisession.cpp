#include "cli/clisession.h"

#include <cstdio>
#include <system_error>

#include "config/options.h"
#include "config/programfolder.h"

namespace vq::cli {

std::unique_ptr<CliSession> CliSession::open(const CommandLine& line, int& exitStatus)
{
    const auto fail = [&exitStatus](int status, const std::string& message) {
        std::fprintf(stderr, "vendquill-cli: %s\n", message.c_str());
        exitStatus = status;
        return nullptr;
    };
    std::unique_ptr<CliSession> session(new CliSession);
    session->m_home = line.home.empty() ? config::defaultProgramFolder() : std::filesystem::absolute(line.home);
    std::error_code ec;
    std::filesystem::create_directories(session->m_home, ec);
    if (!config::ensureOptionsFile(session->m_home))
        return fail(1, "cannot create " + config::optionsFilePath(session->m_home).string());
    session->m_options.set(config::loadOptions(config::optionsFilePath(session->m_home)));

    std::string error;
    if (!line.endpointsFile.empty() && !config::loadEndpoints(line.endpointsFile, session->m_endpoints, error))
        return fail(2, "--endpoints " + line.endpointsFile.string() + ": " + error);
    web::WebClientSettings settings;
    if (!line.trustedCertificate.empty()) {
        if (!std::filesystem::is_regular_file(line.trustedCertificate, ec))
            return fail(2, "--trust-cert " + line.trustedCertificate.string() + ": no such file");
        settings.trustedCaFile = line.trustedCertificate;
    }
    session->m_cookies = std::make_unique<web::CookieStore>(config::cookieStoreFile(session->m_home));
    session->m_web = std::make_unique<web::WebClient>(*session->m_cookies, settings);

    session->m_logSubscription = session->m_log.subscribe([](const std::string& text) {
        std::fputs(forTerminal(text).c_str(), stderr);
        std::fflush(stderr);
    });
    return session;
}

// The cookie store writes its file itself whenever a cookie changes.
CliSession::~CliSession()
{
    m_log.unsubscribe(m_logSubscription);
}

}  // namespace vq::cli
