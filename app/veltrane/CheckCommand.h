#pragma once
#include "feed/FeedCheck.h"

#include <ostream>

namespace cli {

// Every finding, one a line, then the summary line.
void printCheck(const FeedCheckResult& result, std::ostream& to);

}  // namespace cli
