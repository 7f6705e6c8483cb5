// What every vendquill-cli command works with: the program folder with its
// options file, the endpoints, the settings, the shared cookie store, the
// web client, the item list and the log, whose lines go to standard error.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "cli/clifrontend.h"
#include "cli/commandline.h"
#include "collect/itemlist.h"
#include "collect/logpanel.h"
#include "config/endpoints.h"
#include "config/optionsstore.h"
#include "web/cookiestore.h"
#include "web/webclient.h"

namespace vq::cli {

class CliSession {
public:
    // Makes sure home/options/options.ini exists and loads the settings and
    // the endpoints. On failure it says why on standard error, returns
    // nothing and sets exitStatus: 2 for a bad option value, 1 otherwise.
    static std::unique_ptr<CliSession> open(const CommandLine& line, int& exitStatus);
    ~CliSession();

    const std::filesystem::path& home() const { return m_home; }
    const config::Endpoints& endpoints() const { return m_endpoints; }
    config::OptionsStore& options() { return m_options; }
    web::CookieStore& cookies() { return *m_cookies; }
    web::WebClient& web() { return *m_web; }
    ItemList& list() { return m_list; }
    LogPanel& log() { return m_log; }
    CliFrontEnd& frontEnd() { return m_frontEnd; }

private:
    CliSession() = default;

    std::filesystem::path m_home;
    config::Endpoints m_endpoints;
    config::OptionsStore m_options;
    std::unique_ptr<web::CookieStore> m_cookies;
    std::unique_ptr<web::WebClient> m_web;
    ItemList m_list;
    LogPanel m_log;
    CliFrontEnd m_frontEnd;
    int m_logSubscription = 0;
};

}  // namespace vq::cli
