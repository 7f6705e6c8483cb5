#include "cli/addcommand.h"

#include <cstdio>
#include <istream>
#include <system_error>

#include "cli/clisession.h"
#include "collect/addressrecognition.h"
#include "collect/collectport.h"
#include "collect/linkcollector.h"
#include "collect/listfile.h"
#include "text/textops.h"

namespace vq::cli {
namespace {

collect::CollectionMode collectionMode(AddMode mode)
{
    switch (mode) {
    case AddMode::List:
        return collect::CollectionMode::List;
    case AddMode::Shop:
        return collect::CollectionMode::Shop;
    case AddMode::Single:
        break;
    }
    return collect::CollectionMode::Single;
}

// The addresses of the command line, with "-" replaced by the lines of
// standard input.
std::vector<std::string> addressesOf(const CommandLine& line, std::istream& standardInput)
{
    std::vector<std::string> addresses;
    for (const std::string& address : line.addresses) {
        if (address != "-") {
            addresses.push_back(address);
            continue;
        }
        std::string input;
        while (std::getline(standardInput, input)) {
            if (!input.empty() && input.back() == '\r')
                input.pop_back();
            if (!text::trim(input).empty())
                addresses.push_back(input);
        }
    }
    return addresses;
}

}  // namespace

int runAddCommand(const CommandLine& line, std::istream& standardInput)
{
    int failureStatus = 1;
    std::unique_ptr<CliSession> session = CliSession::open(line, failureStatus);
    if (!session)
        return failureStatus;
    std::string error;

    std::vector<ItemRow> existing;
    std::error_code ec;
    if (std::filesystem::exists(line.listFile, ec) && !collect::readListFile(line.listFile, existing, error)) {
        std::fprintf(stderr, "vendquill-cli: --list %s: %s\n", line.listFile.string().c_str(), error.c_str());
        return 1;
    }

    const std::vector<std::string> addresses = addressesOf(line, standardInput);
    if (addresses.empty()) {
        std::fprintf(stderr, "vendquill-cli: no addresses given\n");
        return 2;
    }
    if (line.mode != AddMode::Single && addresses.size() != 1) {
        std::fprintf(stderr, "vendquill-cli: --mode list and shop take exactly one ADDRESS\n");
        return 2;
    }

    std::optional<collect::PresetCollectPort::Range> range;
    if (line.pages)
        range = collect::PresetCollectPort::Range{line.pages->first, line.pages->last};
    collect::PresetCollectPort port(range);
    collect::LinkCollector collector(session->web(), session->endpoints(), session->list(), session->log(),
                                     session->frontEnd(), port);

    collect::AddResult result;
    if (line.mode == AddMode::Single && addresses.size() > 1) {
        collector.pasteAddresses(text::join(addresses, "\r\n"));
        result = collector.addToList(collect::CollectionMode::Single, std::string(collect::kMultiLinePrompt));
    } else {
        result = collector.addToList(collectionMode(line.mode), addresses.front());
    }

    if (result.outcome == collect::AddOutcome::RangeNotChosen) {
        if (result.message.empty())
            std::fprintf(stderr,
                         "vendquill-cli: the list has %d pages; more than 35 need --pages FIRST-LAST; nothing added\n",
                         result.listPages);
        else
            std::fprintf(stderr, "vendquill-cli: --pages: %s; nothing added\n",
                         forTerminal(result.message).c_str());
        return 2;
    }

    std::vector<ItemRow> rows = existing;
    const std::vector<ItemRow> collected = session->list().rows();
    rows.insert(rows.end(), collected.begin(), collected.end());
    if (!collected.empty() || !std::filesystem::exists(line.listFile, ec)) {
        if (!collect::writeListFile(line.listFile, rows, error)) {
            std::fprintf(stderr, "vendquill-cli: --list %s: %s\n", line.listFile.string().c_str(), error.c_str());
            return 1;
        }
    }
    std::printf("added %zu rows to %s (%zu rows in the list)\n", collected.size(), line.listFile.string().c_str(),
                rows.size());
    const bool failed = result.outcome == collect::AddOutcome::AddressRejected ||
                        (collected.empty() && result.linesNotRecognised > 0);
    return failed ? 1 : 0;
}

}  // namespace vq::cli
