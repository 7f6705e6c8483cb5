// The product name as the marketplace's detail page states it in its
// description sentence, with the page's HTML entities turned into text.
#pragma once

#include <string>
#include <string_view>

namespace vq::harvest {

// The text between "。这是" and "的详细页面。" with the entities replaced;
// empty when either marker is missing.
std::string extractTitle(std::string_view pageText);

}  // namespace vq::harvest
