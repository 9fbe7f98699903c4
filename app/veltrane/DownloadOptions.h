#pragma once
// The download limits of the generate command: --timeout, --connect-timeout,
// --stall-timeout and --max-size.
#include "app/veltrane/Cli.h"
#include "feed/PageDownload.h"

#include <ostream>

namespace cli {

// Reads the limits given, starting from the defaults. On a bad value says
// so on `err` and returns false.
bool parseDownloadLimits(const Invocation& inv, DownloadLimits& limits, std::ostream& err);

}  // namespace cli
