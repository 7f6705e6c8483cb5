// Runs the built vendquill-cli as a separate process, the way a script
// would, and captures its standard output, standard error and exit status.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vq::test {

struct CliRun {
    int exitStatus = -1;
    std::string out;
    std::string err;
};

struct CliOptions {
    std::string standardInput;
    // Sends SIGINT to the process once its standard error contains this text
    // (empty: never).
    std::string interruptWhenErrorContains;
};

CliRun runCli(const std::vector<std::string>& arguments, const CliOptions& options = {});

}  // namespace vq::test
