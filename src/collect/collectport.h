// The port through which collection asks the user for what only a window
// can ask: the page range of a long list and the multi-line addresses. The
// Qt window shows its dialogs; a front end without windows answers from
// what it was given (PresetCollectPort). Calls arrive on the UI thread.
#pragma once

#include <optional>
#include <string>

namespace vq::collect {

class MultiLineAddressDialog;
class PageRangeDialog;

class CollectPort {
public:
    virtual ~CollectPort();

    // Shows the page-range window modally and returns once dialog has
    // accepted a range (dialog.accepted()). A front end that cannot ask
    // returns false without a valid range; the list is then not crawled.
    // The default cannot ask.
    virtual bool runPageRangeDialog(PageRangeDialog& dialog);

    // Shows the multi-line address window modally; returns the edit text
    // when the user saves ("确定保存"), nothing when the user cancels. The
    // default cannot ask and returns nothing.
    virtual std::optional<std::string> runMultiLineAddressDialog(const MultiLineAddressDialog& dialog);
};

// For front ends without windows (the command line): the page range is
// given up front. runPageRangeDialog confirms it once with the window's
// rules; when it is missing or invalid the answer is false, and for an
// invalid range the dialog's message says why.
class PresetCollectPort : public CollectPort {
public:
    struct Range {
        int first = 0;
        int last = 0;
    };

    explicit PresetCollectPort(std::optional<Range> range = std::nullopt);

    bool runPageRangeDialog(PageRangeDialog& dialog) override;

    // Whether the last list needed a range (more than 35 pages).
    bool rangeWasAsked() const { return m_asked; }

private:
    std::optional<Range> m_range;
    bool m_asked = false;
};

}  // namespace vq::collect
