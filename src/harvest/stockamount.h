// The product's stock amount as the detail page states it; both package
// kinds carry it.
#pragma once

#include <string>
#include <string_view>

namespace vq::harvest {

// The text between "max":" and the next double quote; empty when absent.
std::string readStockAmount(std::string_view pageText);

}  // namespace vq::harvest
