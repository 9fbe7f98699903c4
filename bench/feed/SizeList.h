#pragma once
// "25,50,100" as page sizes in MB, for the feed benchmarks' --sizes option.
#include <cstdlib>
#include <string>
#include <vector>

inline std::vector<double> ParseSizeList(const std::string& list) {
    std::vector<double> sizes;
    for (std::size_t pos = 0; pos <= list.size();) {
        const std::size_t comma = list.find(',', pos);
        sizes.push_back(std::atof(list.substr(pos, comma - pos).c_str()));
        if (comma == std::string::npos) break;
        pos = comma + 1;
    }
    return sizes;
}
