// What the wizard's "确认" does to the rewrite options kept from run to run.
#pragma once

#include "harvest/rewriteoptions.h"

namespace vq::harvest {

// Every switch is taken from chosen; the operator, operand and rounding only
// when chosen.adjustPrice is on, else they keep their earlier values.
void applyWizardChoice(RewriteOptions& current, const RewriteOptions& chosen);

}  // namespace vq::harvest
