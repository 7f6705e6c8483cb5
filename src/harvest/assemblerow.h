// The last step of a product: its data-package row, built from the worker's
// record for the run's package kind.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "config/options.h"
#include "harvest/productrecord.h"

namespace vq::harvest {

// Encloses the text fields of a row in the package text; the writer turns
// each into one double quote.
inline constexpr std::string_view QuoteMarker = "|*|";

// The row of the record: 50 comma-separated columns (Taobao Assistant) or
// 25 TAB-separated columns (business assistant), text fields enclosed in
// QuoteMarker and nothing escaped, ended by CR LF. Nothing when the title is
// empty: the product has failed.
std::optional<std::string> assembleRow(const ProductRecord& record, config::PackageKind kind);

}  // namespace vq::harvest
