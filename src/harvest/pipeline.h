// The steps a worker runs for each product, in order, for each package
// kind. Tests and other front ends may run a run over steps of their own.
#pragma once

#include <functional>
#include <vector>

#include "config/options.h"
#include "harvest/stagecontext.h"

namespace vq::harvest {

using Pipeline = std::vector<Stage>;
// Gives the steps of a run of the given kind; called once per run.
using PipelineFactory = std::function<Pipeline(config::PackageKind)>;

// Taobao Assistant: page, category, prices and SKUs, SKU pictures, category
// properties, property mapping, location, description, main pictures,
// title clean-up. Business assistant: page, attributes, prices and SKUs,
// description, main pictures, title clean-up.
Pipeline standardPipeline(config::PackageKind kind);

}  // namespace vq::harvest
