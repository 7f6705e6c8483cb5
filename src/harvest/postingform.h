// The requests of the business-assistant attribute mapping: the offer
// posting form of a category (a POST that replays a recorded form
// submission) and the standard-product level service.
#pragma once

#include <string>
#include <string_view>

#include "config/endpoints.h"

namespace vq::harvest {

inline constexpr std::string_view kPostingFormPath = "/offer/post/fill_product_info.htm";

// https://<posting host>/offer/post/fill_product_info.htm
std::string postingFormAddress(const config::Endpoints& endpoints);

// The three extra header lines, CR LF separated: the browser's User-Agent,
// the form content type and the category chooser page as Referer.
std::string postingFormHeaders(const config::Endpoints& endpoints);

// The recorded 705-character form submission with the category filled in:
// a 419-character cookie fragment, a blank line, then the form fields.
std::string postingFormBody(std::string_view categoryId);

// The level service address for a category and a path of attribute:value
// ID steps ("3216%3A28320", or "...%3E450%3A1001" for a child step).
std::string spuLevelAddress(const config::Endpoints& endpoints, std::string_view categoryId,
                            std::string_view pathValues);

}  // namespace vq::harvest
