// The data-package writer: the description hyperlink rule and the hidden
// source links applied to the package text, the headers of both package
// kinds, and the file write. The package text is UTF-8 inside; it becomes
// GBK (Taobao Assistant) or UTF-16LE (business assistant) only here.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "config/options.h"

namespace vq::config {
class OptionsStore;
}

namespace vq::harvest {

// Receives a log message; the receiver puts the date-time text in front.
using LogMessage = std::function<void(const std::string& message)>;

// The three header lines of the Taobao Assistant 5.x file, each ended by
// CR LF, as text.
const std::string& TaobaoHeader();
// The 1086 bytes that start every business-assistant file: the byte-order
// mark FF FE and three UTF-16LE lines ended by LF alone.
const std::string& BusinessAssistantHeader();

// The hyperlink rule on the whole package text: Keep (or a text without
// "href") leaves it as it is and logs nothing; Remove deletes every anchor
// tag; any other rule replaces every doubled-quote link target by link,
// read as an extended Perl format ("$1" is the old target). Logs a line
// before and after when it acts.
std::string applyLinkRule(std::string_view packageText, config::LinkRule rule, std::string_view link,
                          const LogMessage& log);
// The same with the rule (qcl) and link (qcllr) of the live settings.
std::string applyLinkRule(std::string_view packageText, const config::OptionsStore& options, const LogMessage& log);

// Turns the markers of the hidden source link into link markup: "#1#1#1"
// becomes "a href", then "#2#2" becomes "</a>".
std::string restoreSourceLinks(std::string_view packageText);

// The file bytes: every QuoteMarker becomes one double quote; Taobao: the
// GBK header and rows; business assistant: its header, the rows in UTF-16LE
// and two zero bytes.
std::string packageBytes(std::string_view packageText, config::PackageKind kind);

struct WriteOutcome {
    bool written = false;
    std::string error;  // why not, when not written
};

// Writes the package file whole (temporary file renamed into place), then
// logs " 文件写成功！" and where the file is. When the file cannot be
// written completely nothing is left at path and the log says why.
WriteOutcome writePackage(std::string_view packageText, config::PackageKind kind, const std::string& path,
                          const LogMessage& log);

}  // namespace vq::harvest
