#include "config/atomicfile.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include <fcntl.h>
#include <unistd.h>

namespace vq::config {
namespace {

std::string systemError(const std::string& what)
{
    return what + ": " + std::strerror(errno);
}

}  // namespace

bool writeFileAtomically(const std::filesystem::path& target, std::string_view bytes, std::string* error)
{
    static std::atomic<unsigned> counter{0};
    std::filesystem::path temporary = target;
    temporary += ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++);

    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        if (error)
            *error = systemError("cannot create " + temporary.string());
        return false;
    }
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    bool ok = true;
    while (left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            ok = false;
            break;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    if (ok && ::fsync(fd) != 0)
        ok = false;
    if (!ok && error)
        *error = systemError("cannot write " + target.string());
    if (::close(fd) != 0 && ok) {
        ok = false;
        if (error)
            *error = systemError("cannot write " + target.string());
    }
    if (ok && ::rename(temporary.c_str(), target.c_str()) != 0) {
        ok = false;
        if (error)
            *error = systemError("cannot replace " + target.string());
    }
    if (!ok)
        ::unlink(temporary.c_str());
    return ok;
}

bool readFile(const std::filesystem::path& path, std::string& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad())
        return false;
    bytes = buffer.str();
    return true;
}

}  // namespace vq::config
