// vendquill-cli generate: one harvest run over the rows of a list file,
// writing the data package and its picture folder, then the list file again
// without the rows that were copied.
#pragma once

#include "cli/commandline.h"

namespace vq::cli {

// Returns the exit status: 0 when the package file was written, 1 when it
// could not be, 2 on a usage error.
int runGenerateCommand(const CommandLine& line);

}  // namespace vq::cli
