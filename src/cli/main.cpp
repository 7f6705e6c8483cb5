// vendquill-cli: the headless front end over the core.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "cli/addcommand.h"
#include "cli/commandline.h"
#include "cli/generatecommand.h"

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    std::string error;
    const auto line = vq::cli::parseCommandLine(arguments, error);
    if (!line) {
        std::fprintf(stderr, "vendquill-cli: %s (see --help)\n", error.c_str());
        return 2;
    }
    switch (line->command) {
    case vq::cli::Command::Help:
        std::fputs(vq::cli::helpText().c_str(), stdout);
        return 0;
    case vq::cli::Command::Add:
        return vq::cli::runAddCommand(*line, std::cin);
    case vq::cli::Command::Generate:
        return vq::cli::runGenerateCommand(*line);
    }
    return 2;
}
