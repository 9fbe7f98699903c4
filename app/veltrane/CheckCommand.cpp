// check: the feed check from the command line, and the printing it shares
// with generate --check.
#include "app/veltrane/CheckCommand.h"

#include "app/veltrane/Cli.h"
#include "feed/SafeFile.h"

namespace cli {

void printCheck(const FeedCheckResult& result, std::ostream& to) {
    for (const CheckFinding& f : result.findings) to << FormatFinding(f) << '\n';
    to << FormatSummary(result) << '\n';
}

int runCheck(const Invocation& inv, std::ostream& out, std::ostream& err) {
    FeedCheckResult result;
    try {
        result = CheckFeedFile(inv.words[0]);
    } catch (const std::exception& e) {
        err << "veltrane: cannot read " << DescribeFailure(e) << '\n';
        return ExitFailed;
    }
    printCheck(result, out);
    return result.errors() > 0 ? ExitFailed : ExitOk;
}

}  // namespace cli
