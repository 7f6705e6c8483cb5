// The shared browser cookie store: what the embedded browser and every
// request without a caller-held jar read and write. Thread-safe; persisted
// in the Netscape cookie-file format in the program's options folder so a
// login outlives a restart.
#pragma once

#include <cstdint>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

namespace vq::web {

struct Cookie {
    std::string domain;        // host, or ".host" for a domain cookie
    bool includeSubdomains = false;
    std::string path = "/";
    bool secure = false;
    bool httpOnly = false;
    std::int64_t expires = 0;  // Unix time; 0 for a session cookie
    std::string name;
    std::string value;
};

// Cookies are told apart by domain, path and name; a new one with the same
// three replaces the old one in place. A cookie set with the value "deleted"
// or an expiry in the past removes its namesake. With a file, the store
// loads it at construction and writes it whole after every change (session
// cookies included, so that a login outlives a restart).
class CookieStore {
public:
    // An in-memory store; with a file it loads from and saves to that file.
    CookieStore() = default;
    explicit CookieStore(std::filesystem::path file);

    // Stores the cookies of "Set-Cookie" header values received from address.
    void storeFromResponse(const std::string& address, const std::vector<std::string>& setCookieValues);
    // Stores one cookie as the embedded browser hands it over.
    void put(const Cookie& cookie);
    // The "name=value; ..." text of the cookies that apply to address;
    // HttpOnly cookies only when asked.
    std::string cookieHeaderFor(const std::string& address, bool includeHttpOnly = true) const;
    std::vector<Cookie> cookiesFor(const std::string& address, bool includeHttpOnly = true) const;
    std::vector<Cookie> all() const;
    void clear();

    // Writes the whole store (temporary file then rename). No-op without a file.
    bool save() const;
    // Replaces the contents with the file's cookies (expired ones dropped);
    // false when the file cannot be read (the store is then left as it was).
    bool load();
    const std::filesystem::path& file() const { return m_file; }

private:
    // Adds or replaces (or, for a removal, deletes) under m_mutex.
    bool applyLocked(const Cookie& cookie, bool removal);
    void changed() const;

    std::filesystem::path m_file;
    mutable std::mutex m_mutex;
    mutable std::mutex m_saveMutex;  // keeps the snapshots in order on disk
    std::vector<Cookie> m_cookies;
};

// The browser store's cookies for "http://" + hostPath as a jar text; only
// the named cookie ("name=value") when name is not empty.
std::string BrowserCookies(const CookieStore& store, const std::string& hostPath, const std::string& name = {});

}  // namespace vq::web
