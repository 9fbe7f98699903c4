#pragma once
// veltrane highlight FILE (--spans | --html): colours a file as the syntax box
// does, with the default looks, and prints the result.
#include <ostream>
#include <string>
#include <vector>

int runHighlight(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
