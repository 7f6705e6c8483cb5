#include "cli/commandline.h"

#include <cstdlib>

#include "text/textops.h"

namespace vq::cli {
namespace {

bool parsePages(const std::string& text, PageRange& range)
{
    const std::size_t dash = text.find('-');
    if (dash == std::string::npos || dash == 0 || dash + 1 >= text.size())
        return false;
    const std::string first = text.substr(0, dash);
    const std::string last = text.substr(dash + 1);
    for (const std::string& part : {first, last})
        if (part.size() > 6 || !text::isAllDigits(part))
            return false;
    range.first = std::atoi(first.c_str());
    range.last = std::atoi(last.c_str());
    return true;
}

bool isNumber(const std::string& text)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    std::strtod(text.c_str(), &end);
    return end && *end == '\0';
}

}  // namespace

std::string helpText()
{
    return "usage: vendquill-cli [--home DIR] [--endpoints FILE] COMMAND [OPTIONS]\n"
           "\n"
           "commands:\n"
           "  add       collect products from addresses into a list file: --mode single|list|shop --list LIST "
           "[--pages FIRST-LAST] ADDRESS... (\"-\" reads addresses from standard input)\n"
           "  generate  copy the products of a list file into a data package: --list LIST --out FILE "
           "[--kind taobao|ali] [--clean-title] [--source-link] [--swap-pictures] [--brand-other] "
           "[--price-op 加|减|乘|除 --price-operand NUMBER [--round]]\n"
           "  help      show this text (also --help)\n"
           "\n"
           "global options:\n"
           "  --home DIR         program folder; its options folder holds options.ini, the property cache and "
           "the cookie store\n"
           "  --endpoints FILE   endpoints INI pointing the services at other addresses\n"
           "  --trust-cert FILE  verify HTTPS servers against the certificate in FILE instead of the system's "
           "(for the stand-in marketplace)\n";
}

std::optional<CommandLine> parseCommandLine(const std::vector<std::string>& arguments, std::string& error)
{
    CommandLine line;
    bool commandSeen = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= arguments.size()) {
                error = "option " + argument + " needs a value";
                return false;
            }
            out = arguments[++i];
            return true;
        };
        std::string text;
        if (argument == "--help" || argument == "-h" || (!commandSeen && argument == "help")) {
            line.command = Command::Help;
            return line;
        }
        if (argument == "--home") {
            if (!value(text))
                return std::nullopt;
            line.home = text;
        } else if (argument == "--endpoints") {
            if (!value(text))
                return std::nullopt;
            line.endpointsFile = text;
        } else if (argument == "--trust-cert") {
            if (!value(text))
                return std::nullopt;
            line.trustedCertificate = text;
        } else if (!commandSeen && (argument == "add" || argument == "generate")) {
            commandSeen = true;
            line.command = argument == "add" ? Command::Add : Command::Generate;
        } else if (!commandSeen) {
            error = argument.rfind("-", 0) == 0 ? "unknown option " + argument + " before the command"
                                                : "unknown command " + argument;
            return std::nullopt;
        } else if (argument == "--list") {
            if (!value(text))
                return std::nullopt;
            line.listFile = text;
        } else if (line.command == Command::Add && argument == "--mode") {
            if (!value(text))
                return std::nullopt;
            if (text == "single")
                line.mode = AddMode::Single;
            else if (text == "list")
                line.mode = AddMode::List;
            else if (text == "shop")
                line.mode = AddMode::Shop;
            else {
                error = "option --mode takes single, list or shop, not " + text;
                return std::nullopt;
            }
        } else if (line.command == Command::Add && argument == "--pages") {
            if (!value(text))
                return std::nullopt;
            PageRange range;
            if (!parsePages(text, range)) {
                error = "option --pages takes FIRST-LAST, for example 5-40, not " + text;
                return std::nullopt;
            }
            line.pages = range;
        } else if (line.command == Command::Add && (argument == "-" || argument.rfind("-", 0) != 0)) {
            line.addresses.push_back(argument);
        } else if (line.command == Command::Generate && argument == "--out") {
            if (!value(text))
                return std::nullopt;
            line.outFile = text;
        } else if (line.command == Command::Generate && argument == "--kind") {
            if (!value(text))
                return std::nullopt;
            if (text != "taobao" && text != "ali") {
                error = "option --kind takes taobao or ali, not " + text;
                return std::nullopt;
            }
            line.kind = text;
        } else if (line.command == Command::Generate && argument == "--clean-title") {
            line.cleanTitle = true;
        } else if (line.command == Command::Generate && argument == "--source-link") {
            line.sourceLink = true;
        } else if (line.command == Command::Generate && argument == "--swap-pictures") {
            line.swapPictures = true;
        } else if (line.command == Command::Generate && argument == "--brand-other") {
            line.brandOther = true;
        } else if (line.command == Command::Generate && argument == "--price-op") {
            if (!value(text))
                return std::nullopt;
            if (text != "加" && text != "减" && text != "乘" && text != "除") {
                error = "option --price-op takes 加, 减, 乘 or 除, not " + text;
                return std::nullopt;
            }
            line.priceOperator = text;
        } else if (line.command == Command::Generate && argument == "--price-operand") {
            if (!value(text))
                return std::nullopt;
            if (!isNumber(text)) {
                error = "option --price-operand takes a number, not " + text;
                return std::nullopt;
            }
            line.priceOperand = text;
        } else if (line.command == Command::Generate && argument == "--round") {
            line.round = true;
        } else {
            error = "unknown option " + argument + " for this command";
            return std::nullopt;
        }
    }
    if (!commandSeen) {
        error = "no command given";
        return std::nullopt;
    }
    if (line.listFile.empty()) {
        error = "option --list is required";
        return std::nullopt;
    }
    if (line.command == Command::Add && line.addresses.empty()) {
        error = "add needs at least one ADDRESS (or - for standard input)";
        return std::nullopt;
    }
    if (line.command == Command::Add && line.mode == AddMode::Single && line.pages) {
        error = "option --pages is for --mode list or shop";
        return std::nullopt;
    }
    if (line.command == Command::Add && line.mode != AddMode::Single && line.addresses.size() != 1) {
        error = "--mode list and shop take exactly one ADDRESS";
        return std::nullopt;
    }
    if (line.command == Command::Generate) {
        if (line.outFile.empty()) {
            error = "option --out is required";
            return std::nullopt;
        }
        if (line.priceOperator.has_value() != line.priceOperand.has_value()) {
            error = line.priceOperator ? "option --price-op needs --price-operand" : "option --price-operand needs --price-op";
            return std::nullopt;
        }
        if (line.round && !line.priceOperator) {
            error = "option --round needs --price-op";
            return std::nullopt;
        }
    }
    return line;
}

}  // namespace vq::cli
