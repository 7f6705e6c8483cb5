// vendquill-cli add: collects products from addresses in one mode and
// appends them to a list file.
#pragma once

#include <iosfwd>

#include "cli/commandline.h"

namespace vq::cli {

// Returns the exit status: 0 when rows were collected and written (or the
// addresses held none), 1 on a failure, 2 on a usage error.
int runAddCommand(const CommandLine& line, std::istream& standardInput);

}  // namespace vq::cli
