// Reading the stand-in's echo of a request: the header lines as they
// arrived and the body after them.
#pragma once

#include <string>
#include <vector>

namespace vq::test {

// The request line.
inline std::string echoedRequestLine(const std::string& echo)
{
    return echo.substr(0, echo.find("\r\n"));
}

// The header lines in the order and spelling they were received.
inline std::vector<std::string> echoedHeaders(const std::string& echo)
{
    std::vector<std::string> lines;
    std::size_t pos = echo.find("\r\n");
    while (pos != std::string::npos) {
        const std::size_t start = pos + 2;
        const std::size_t end = echo.find("\r\n", start);
        if (end == std::string::npos || end == start)
            break;
        lines.push_back(echo.substr(start, end - start));
        pos = end;
    }
    return lines;
}

// The lines whose name (text before ":") equals name, ignoring case.
inline std::vector<std::string> echoedHeaderLines(const std::string& echo, const std::string& name)
{
    std::vector<std::string> found;
    for (const std::string& line : echoedHeaders(echo)) {
        const std::string lineName = line.substr(0, line.find(':'));
        if (lineName.size() == name.size()) {
            bool same = true;
            for (std::size_t i = 0; i < name.size(); ++i)
                same = same && (lineName[i] | 0x20) == (name[i] | 0x20);
            if (same)
                found.push_back(line);
        }
    }
    return found;
}

inline std::string echoedBody(const std::string& echo)
{
    const std::size_t end = echo.find("\r\n\r\n");
    return end == std::string::npos ? std::string() : echo.substr(end + 4);
}

}  // namespace vq::test
