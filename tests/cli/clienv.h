// An isolated home folder, endpoints file and certificate for running
// vendquill-cli against the stand-in marketplace.
#pragma once

#include <string>
#include <vector>

#include "support/marketplaceenv.h"
#include "support/tempdir.h"
#include "text/gbk.h"

namespace vq::test {

class CliEnvironment {
public:
    CliEnvironment()
    {
        writeBytes(dir / "endpoints.ini", marketplace().endpointsIni());
    }

    // --home, --endpoints and --trust-cert, followed by the command's words.
    std::vector<std::string> arguments(std::vector<std::string> command) const
    {
        std::vector<std::string> all{"--home", (dir / "home").string(), "--endpoints", (dir / "endpoints.ini").string(),
                                     "--trust-cert", standInCertificate().string()};
        all.insert(all.end(), command.begin(), command.end());
        return all;
    }

    std::string path(const std::string& name) const { return (dir / name).string(); }
    // A list file from UTF-8 lines (title||id||price||address), written as GBK with CR LF.
    void writeList(const std::string& name, const std::vector<std::string>& lines) const
    {
        std::string text;
        for (const std::string& line : lines)
            text += line + "\r\n";
        writeBytes(dir / name, text::utf8ToGbk(text));
    }
    std::string readList(const std::string& name) const { return text::gbkToUtf8(readBytes(dir / name)); }

    TempDir dir;
};

}  // namespace vq::test
