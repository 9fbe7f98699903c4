// The feed engine on an arbitrary page cut by fixed markers: the classic
// and the reader-ready documents are written without a crash, the feed
// check reads both, and a reader-ready document is always well-formed.
#include "feed/FeedBuilder.h"
#include "feed/FeedCheck.h"
#include "feed/SafeFile.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/FuzzFolder.h"
#include "tests/support/ScriptedDialogs.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace {
namespace fs = std::filesystem;

FeedProfile profileFor(const fs::path& page, const char* format, const char* strip) {
    FeedProfile p = NewFeedProfile("fuzz");
    p.SourceType = "Local";
    p.Source = page.string();
    p.StartString = "<ul>";
    p.StartItemString = "<li>";
    p.EndString = "</ul>";
    p.TitleEndString = "</a>";
    p.EndItemString = "</li>";
    p.LinkString = "href=";
    p.FeedTitle = "Fuzz & news";
    p.FeedLink = "http://example.com/news/";
    p.StripHTMLTags = strip;
    p.FeedFormat = format;
    return p;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const FuzzFolder folder("feed");
    const fs::path page = folder.path / "page.htm";
    WriteFileReplacing(page, std::string(reinterpret_cast<const char*>(data), size));
    const fs::path doc = folder.path / FeedFileName;
    for (auto [format, strip] : {std::pair{"", "1"}, {"", "0"}, {"2.0", "1"}}) {
        ScriptedDialogs dialogs;
        if (!GenerateFeed(folder.path, profileFor(page, format, strip), page.string(), dialogs)) continue;
        const bool wellFormed = CheckFeedFile(doc).wellFormed;
        FUZZ_CHECK(wellFormed || *format == '\0');
    }
    return 0;
}
