#include "app/myveltrane/DemoProfile.h"

#include "feed/ProfileStore.h"
#include "feed/SafeFile.h"

#include <algorithm>
#include <system_error>

namespace fs = std::filesystem;

namespace {
// A path that ends in demo/harbour-news.htm, wherever it starts.
bool namesADemoPage(const fs::path& page) {
    return page.filename() == DemoPage.filename() && page.parent_path().filename() == DemoPage.parent_path();
}
}  // namespace

std::vector<std::string> RelayDemoProfile(const fs::path& programFolder) {
    std::vector<std::string> rewritten;
    std::error_code ec;
    const fs::path ownPage = (programFolder / DemoPage).lexically_normal();
    if (!fs::is_regular_file(ownPage, ec)) return rewritten;
    for (const fs::directory_entry& e : fs::directory_iterator(programFolder, ec)) {
        if (e.path().extension() != ".rss" || !e.is_regular_file(ec)) continue;
        const std::string fileName = e.path().filename().string();
        FeedProfile p;
        if (!TryReadProfile(programFolder, fileName, p)) continue;
        if (p.ProfileName != DemoProfileName || p.isWeb()) continue;
        const fs::path page = fs::path(p.Source).lexically_normal();
        if (!namesADemoPage(page) || page == ownPage) continue;
        p.Source = ownPage.string();
        try {
            WriteFileReplacing(programFolder / fileName, ProfileFileContent(p));
            rewritten.push_back(fileName);
        } catch (const std::exception&) {
            // A read-only program folder: the profile keeps its old page.
        }
    }
    std::sort(rewritten.begin(), rewritten.end());
    return rewritten;
}
