// suggest: markers proposed from the titles of a few items seen on a page.
#include "app/veltrane/Cli.h"
#include "app/veltrane/JsonText.h"
#include "feed/MarkerSuggest.h"
#include "feed/PageEncoding.h"
#include "feed/PreviewPage.h"

namespace cli {

namespace {

// PAGE is an address when it carries a scheme, otherwise a file.
bool isAddress(const std::string& page) {
    const std::size_t colon = page.find("://");
    return colon != std::string::npos && colon > 1 &&
           page.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789+.-") == colon;
}

// A value as one shell word: in single quotes unless it is plain.
std::string shellWord(const std::string& value) {
    if (!value.empty() && value.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"
                                                  "_-./:=,%+@") == std::string::npos &&
        value[0] != '-')
        return value;
    std::string out = "'";
    for (const char c : value) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

void printProposals(const std::vector<MarkerProposal>& proposals, std::ostream& out) {
    for (std::size_t i = 0; i < proposals.size(); ++i) {
        const MarkerProposal& m = proposals[i];
        out << (i ? "\n" : "") << "# Proposal " << i + 1 << ": " << m.items << (m.items == 1 ? " item" : " items")
            << '\n';
        const std::pair<const char*, const std::string*> fields[] = {
            {"StartString", &m.StartString}, {"StartItemString", &m.StartItemString}, {"EndString", &m.EndString},
            {"TitleEndString", &m.TitleEndString}, {"EndItemString", &m.EndItemString}};
        // "--" keeps a value that begins with "-" from reading as an option.
        for (const auto& [name, value] : fields)
            out << "veltrane set PROFILE " << (value->starts_with("-") ? "-- " : "") << name << ' '
                << shellWord(*value) << '\n';
    }
}

void printJson(const std::vector<MarkerProposal>& proposals, std::ostream& out) {
    out << "{\"proposals\": [";
    for (std::size_t i = 0; i < proposals.size(); ++i) {
        const MarkerProposal& m = proposals[i];
        out << (i ? ", " : "") << "{\"StartString\": " << JsonString(ProfileValueToUtf8(m.StartString))
            << ", \"StartItemString\": " << JsonString(ProfileValueToUtf8(m.StartItemString))
            << ", \"EndString\": " << JsonString(ProfileValueToUtf8(m.EndString))
            << ", \"TitleEndString\": " << JsonString(ProfileValueToUtf8(m.TitleEndString))
            << ", \"EndItemString\": " << JsonString(ProfileValueToUtf8(m.EndItemString)) << ", \"items\": " << m.items
            << '}';
    }
    out << "]}\n";
}

}  // namespace

int runSuggest(const Invocation& inv, std::ostream& out, std::ostream& err) {
    const std::string& where = inv.words[0];
    const std::vector<std::string> titles(inv.words.begin() + 1, inv.words.end());
    FeedProfile source = NewFeedProfile("suggest");
    source.SourceType = isAddress(where) ? "Web" : "Local";
    source.Source = where;
    PreviewPage page;
    try {
        page = LoadPreviewPage(source, where);
    } catch (const std::exception& e) {
        err << e.what() << '\n';
        return ExitFailed;
    }
    const std::vector<std::string> missing = TitlesNotFound(page, titles);
    if (!missing.empty()) {
        for (const std::string& t : missing) err << "Title not found in the page: " << t << '\n';
        return ExitFailed;
    }
    const std::vector<MarkerProposal> proposals = SuggestMarkers(page, titles);
    if (proposals.empty()) {
        err << "No markers found that cut the page into items with these titles.\n";
        return ExitFailed;
    }
    if (inv.has("--json"))
        printJson(proposals, out);
    else
        printProposals(proposals, out);
    return ExitOk;
}

}  // namespace cli
