// The title clean-up of the rewrite options: every brand and banned word is
// removed from the title.
#include "harvest/stages.h"
#include "text/textops.h"

namespace vq::harvest {

void cleanTitle(StageContext& context)
{
    if (!context.rewrite.cleanTitle)
        return;
    // A copy per product, so the shared list is only ever read.
    const std::vector<std::string> words = context.brandWords;
    std::string title = context.record.title;
    for (const std::string& word : words) {
        if (!word.empty())
            title = text::replaceAllIgnoreCase(title, word, "");
    }
    context.record.title = title;
}

}  // namespace vq::harvest
