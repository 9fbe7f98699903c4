// preview: the items a generation would write, without writing anything.
#include "app/veltrane/Cli.h"
#include "app/veltrane/JsonText.h"
#include "app/veltrane/StreamDialogs.h"
#include "feed/FeedPreview.h"
#include "feed/PageEncoding.h"
#include "feed/PreviewPage.h"
#include "feed/ProfileStore.h"

namespace cli {

namespace {

// One table cell: line breaks and tabs read as blanks, so that every item
// stays on one line; at most `limit` characters when a limit is given.
std::string cell(std::string_view utf8, std::size_t limit = std::string::npos) {
    std::string out;
    std::size_t characters = 0;
    for (const char c : utf8) {
        const bool starts = (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        if (starts && characters++ == limit) break;
        out += c == '\r' || c == '\n' || c == '\t' ? ' ' : c;
    }
    return out;
}

void printTable(const FeedPreview& r, std::ostream& out) {
    out << "No.\tTitle\tLink\tDescription\n";
    for (std::size_t i = 0; i < r.items.size(); ++i) {
        const PreviewItem& it = r.items[i];
        out << i + 1 << '\t' << cell(it.title) << '\t' << cell(it.link) << '\t' << cell(it.description, 60) << '\n';
    }
}

void printJson(const FeedPreview& r, std::ostream& out) {
    out << "{\"items\": [";
    for (std::size_t i = 0; i < r.items.size(); ++i) {
        const PreviewItem& it = r.items[i];
        out << (i ? ", " : "") << "{\"title\": " << JsonString(it.title) << ", \"link\": " << JsonString(it.link)
            << ", \"description\": " << JsonString(it.description) << '}';
    }
    out << "], \"stop\": ";
    if (r.stop)
        out << "{\"message\": " << JsonString(ProfileValueToUtf8(r.stop->message)) << ", \"item\": " << r.stop->item
            << '}';
    else
        out << "null";
    out << "}\n";
}

}  // namespace

int runPreview(const Invocation& inv, std::ostream& out, std::ostream& err) {
    const std::string& profileFile = inv.words[0];
    if (!isBareFileName(profileFile)) {
        err << "veltrane: PROFILE must be a file name in the folder, such as 000001.rss: " << profileFile << '\n';
        return ExitUsage;
    }
    StreamDialogs dialogs(err, false);
    ProfileSession session;
    if (!ReadProfile(inv.dir, profileFile, session, dialogs)) return ExitBadProfile;
    const std::string* address = inv.value("--address");

    PreviewPage page;
    try {
        page = LoadPreviewPage(session.Profile, address ? *address : session.Profile.Source);
    } catch (const std::exception& e) {
        err << e.what() << '\n';
        return ExitFailed;
    }
    // No question is asked: items without a title keep the "." title.
    const FeedPreview r = PreviewFeed(page, session.Profile, false);
    if (inv.has("--json")) {
        printJson(r, out);
        return r.stop ? ExitFailed : ExitOk;
    }
    if (r.stop) {
        err << r.stop->message << '\n' << r.stop->explanation << '\n';
        return ExitFailed;
    }
    printTable(r, out);
    return ExitOk;
}

}  // namespace cli
