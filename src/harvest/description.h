// The product description: where the page says it lies, how its answer is
// unpacked and cleaned, and the hidden link back to the source page. The
// stage that fetches it is fetchDescription (stages.h).
#pragma once

#include <string>
#include <string_view>

#include "harvest/stagecontext.h"

namespace vq::harvest {

// The description address named by the page's data-tfs-url attribute.
std::string descriptionAddress(std::string_view pageText);

// The HTML of the "var offer_details={"content":"...""};" form, every
// backslash removed; empty when the answer has no such form.
std::string offerDetailsContent(std::string_view answerText);

// The HTML of the "var desc='...';" form, with protocol-relative sources
// ("=\"//") given http; empty when the answer has no such form.
std::string descVarContent(std::string_view answerText);

// Doubles every double quote (the description stands inside a quoted
// package field) and removes every "_.webp" ending.
std::string prepareDescription(std::string_view html);

// Removes every src attribute left empty (src followed by four quotes).
std::string removeEmptySources(std::string_view description);

// The hidden link to the source page, with its quotes doubled: white text
// between the markers that the package writer turns into "a href" and
// "</a>" after the hyperlink rule has run.
std::string hiddenSourceLink(std::string_view pageAddress);

// Fetches the description named by the page, cleans it, saves its pictures
// when the settings ask for it (building the mobile description), appends
// the hidden source link when asked, and stores it in the record.
void buildDescription(StageContext& context);

}  // namespace vq::harvest
