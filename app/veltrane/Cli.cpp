#include "app/veltrane/Cli.h"

#include "app/veltrane/HighlightCommand.h"

#include <algorithm>
#include <system_error>

namespace fs = std::filesystem;

namespace cli {

namespace {

struct Command {
    const char* name;
    const char* usage;
    std::size_t words;  // exact number of positional arguments
    std::vector<std::string> flags;
    std::vector<std::string> valueOptions;
    int (*run)(const Invocation&, std::ostream&, std::ostream&);
    bool moreWords = false;  // further positional arguments may follow
};

const std::vector<Command>& commands() {
    static const std::vector<Command> table = {
        {"list",
         "Usage: veltrane list [--dir DIR]\n"
         "Prints the profile list entries, one a line, as \"Name (000001.rss)\".\n",
         0, {}, {}, runList},
        {"new",
         "Usage: veltrane new [--dir DIR] NAME\n"
         "Creates a profile named NAME under the first free number and prints its file name.\n",
         1, {}, {}, runNew},
        {"show",
         "Usage: veltrane show [--dir DIR] PROFILE\n"
         "Prints the fourteen fields of PROFILE (such as 000001.rss), one a line, as \"Field: value\".\n",
         1, {}, {}, runShow},
        {"set",
         "Usage: veltrane set [--dir DIR] PROFILE FIELD VALUE\n"
         "Sets one field of PROFILE and saves it. FIELD is one of: ProfileName, SourceType, Source,\n"
         "StartString, StartItemString, EndString, FeedTitle, FeedDesc, FeedLink, TitleEndString,\n"
         "EndItemString, StripHTMLTags, FeedFormat, LinkString. Use -- before a VALUE that begins with \"--\".\n"
         "FeedFormat is empty or \"0.91\" for the classic RSS 0.91 document, \"2.0\" for the RSS 2.0\n"
         "document for feed readers. LinkString: an item's link is the first link after this marker.\n",
         3, {}, {}, runSet},
        {"delete",
         "Usage: veltrane delete [--dir DIR] PROFILE\n"
         "Deletes the profile file PROFILE (such as 000001.rss).\n",
         1, {}, {}, runDelete},
        {"generate",
         "Usage: veltrane generate [--dir DIR] PROFILE [--use-feed-title] [--address URL] [--output FILE]\n"
         "                        [--check] [--wait SECONDS]\n"
         "Fetches the page of PROFILE into src.dat and writes the feed to test.xml, both in DIR.\n"
         "  --use-feed-title  items without a title get the feed's title\n"
         "  --address URL     the address to download (default: the profile's Source)\n"
         "  --output FILE     also copy test.xml to FILE\n"
         "  --check           check the feed as \"veltrane check\" does; findings go to standard\n"
         "                    error, and errors make the exit status 3 (the feed is written anyway)\n"
         "  --wait SECONDS    how long to wait for another generation in DIR to end (default 60)\n",
         1, {"--use-feed-title", "--check"}, {"--address", "--output", "--wait"}, runGenerate},
        {"check",
         "Usage: veltrane check FILE\n"
         "Checks the RSS document FILE for what makes feed readers reject it or lose items (errors)\n"
         "and for what they show badly (warnings). Prints one finding a line,\n"
         "\"LINE:COLUMN: error: TEXT\" or \"LINE:COLUMN: warning: TEXT\", then\n"
         "\"N items, E errors, W warnings\". Exit status 0 without errors, 1 with errors or when\n"
         "FILE cannot be read.\n",
         1, {}, {}, runCheck},
        {"preview",
         "Usage: veltrane preview [--dir DIR] PROFILE [--address URL] [--json]\n"
         "Cuts the page of PROFILE by its markers as generate does, without writing src.dat or test.xml,\n"
         "and prints the items as a table: number, title, link and the first 60 characters of the\n"
         "description, separated by tabs (line breaks inside a text read as blanks). When the cut stops,\n"
         "prints the stop message and what it means on standard error instead, and exits with 1.\n"
         "  --address URL  the address to download (default: the profile's Source)\n"
         "  --json         one object {\"items\": [{\"title\", \"link\", \"description\"}], \"stop\": null\n"
         "                 or {\"message\", \"item\"}}, texts as the profile's format writes them, in UTF-8\n",
         1, {"--json"}, {"--address"}, runPreview},
        {"suggest",
         "Usage: veltrane suggest PAGE TITLE [TITLE...] [--json]\n"
         "Proposes markers that cut the page PAGE (a file or an address) into items whose titles contain\n"
         "the TITLEs, each the title of one item as a browser shows it. Prints up to three proposals,\n"
         "best first: five lines \"FIELD VALUE\" ready for \"veltrane set PROFILE FIELD VALUE\", then\n"
         "the number of items. Exits with 1 when no TITLE is found in the page.\n"
         "  --json  one object {\"proposals\": [{\"StartString\", ..., \"items\": N}]}\n",
         2, {"--json"}, {}, runSuggest, true},
    };
    return table;
}

std::string mainUsage() {
    std::string u =
        "Usage: veltrane [--dir DIR] COMMAND [ARGUMENTS]\n"
        "Turns a web page into an RSS feed by the markers of a profile.\n"
        "\n"
        "Commands:\n"
        "  list                      the profile list entries, one a line\n"
        "  new NAME                  create a profile; prints its file name\n"
        "  show PROFILE              the fourteen fields of a profile\n"
        "  set PROFILE FIELD VALUE   set one field and save\n"
        "  delete PROFILE            delete a profile\n"
        "  generate PROFILE [--use-feed-title] [--address URL] [--output FILE] [--check]\n"
        "                            write test.xml from the profile's page\n"
        "  check FILE                check an RSS file for what feed readers reject\n"
        "  preview PROFILE [--address URL] [--json]\n"
        "                            the items the profile's markers give, writing nothing\n"
        "  suggest PAGE TITLE [TITLE...] [--json]\n"
        "                            markers proposed from the titles of items seen on a page\n";
    u += "  highlight ...             colour HTML or XML source (see highlight --help)\n";
    u +=
        "\n"
        "Options:\n"
        "  --dir DIR   folder of the profiles, src.dat and test.xml (default: the program's folder)\n"
        "  --help      this text; COMMAND --help describes one command\n"
        "  --version   the program's version\n"
        "\n"
        "PROFILE is a profile's file name in DIR, such as 000001.rss.\n"
        "Exit status: 0 success, 1 stopped with a message (check: the file has errors),\n"
        "2 unreadable profile, 3 generate --check found errors, 64 usage error.\n";
    return u;
}

bool contains(const std::vector<std::string>& v, const std::string& s) {
    return std::find(v.begin(), v.end(), s) != v.end();
}

// Takes "--dir DIR" or "--dir=DIR" at args[i]; returns false if args[i] is
// something else.
bool takeDir(const std::vector<std::string>& args, std::size_t& i, std::string& dir, bool& missing) {
    const std::string& a = args[i];
    if (a == "--dir") {
        if (i + 1 >= args.size()) {
            missing = true;
            return true;
        }
        dir = args[++i];
        missing = dir.empty();
        return true;
    }
    if (a.rfind("--dir=", 0) == 0) {
        dir = a.substr(6);
        missing = dir.empty();
        return true;
    }
    return false;
}

}  // namespace

bool Invocation::has(const std::string& flag) const { return contains(flags, flag); }

const std::string* Invocation::value(const std::string& name) const {
    const std::string* found = nullptr;
    for (const auto& [k, v] : values)
        if (k == name) found = &v;  // the last one given wins
    return found;
}

int usageError(std::ostream& err, const std::string& message, const std::string& usage) {
    err << "veltrane: " << message << '\n' << usage;
    return ExitUsage;
}

bool isBareFileName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\0') == std::string::npos;
}

int run(const std::vector<std::string>& args, const fs::path& programFolder, std::ostream& out, std::ostream& err) {
    std::string dir;
    bool dirMissing = false;
    std::size_t i = 0;
    for (; i < args.size(); ++i) {
        if (args[i] == "--help" || args[i] == "-h") {
            out << mainUsage();
            return ExitOk;
        }
        if (args[i] == "--version") {
            out << "veltrane " << MV_VERSION << '\n';
            return ExitOk;
        }
        if (takeDir(args, i, dir, dirMissing)) {
            if (dirMissing) return usageError(err, "--dir needs a folder", mainUsage());
            continue;
        }
        break;
    }
    if (i >= args.size()) return usageError(err, "no command given", mainUsage());
    const std::string& name = args[i];

    if (name == "highlight") return ::runHighlight(std::vector<std::string>(args.begin() + i + 1, args.end()), out, err);

    const Command* cmd = nullptr;
    for (const Command& c : commands())
        if (name == c.name) cmd = &c;
    if (!cmd) return usageError(err, "unknown command: " + name, mainUsage());

    Invocation inv;
    bool optionsEnded = false;
    for (++i; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (optionsEnded || a.size() < 2 || a.rfind("--", 0) != 0) {
            inv.words.push_back(a);
            continue;
        }
        if (a == "--") {
            optionsEnded = true;
            continue;
        }
        if (a == "--help") {
            out << cmd->usage;
            return ExitOk;
        }
        if (takeDir(args, i, dir, dirMissing)) {
            if (dirMissing) return usageError(err, "--dir needs a folder", cmd->usage);
            continue;
        }
        if (contains(cmd->flags, a)) {
            inv.flags.push_back(a);
            continue;
        }
        std::size_t eq = a.find('=');
        std::string key = a.substr(0, eq);
        if (contains(cmd->valueOptions, key)) {
            if (eq != std::string::npos) {
                inv.values.emplace_back(key, a.substr(eq + 1));
            } else if (i + 1 < args.size()) {
                inv.values.emplace_back(key, args[++i]);
            } else {
                return usageError(err, key + " needs a value", cmd->usage);
            }
            continue;
        }
        return usageError(err, "unknown option: " + a, cmd->usage);
    }
    if (inv.words.size() < cmd->words || (inv.words.size() > cmd->words && !cmd->moreWords))
        return usageError(err,
                          inv.words.size() < cmd->words ? "missing arguments" : "too many arguments",
                          cmd->usage);

    inv.dir = dir.empty() ? programFolder : fs::path(dir);
    std::error_code ec;
    if (!fs::is_directory(inv.dir, ec)) {
        err << "Folder not found: " << inv.dir.string() << '\n';
        return ExitFailed;
    }
    return cmd->run(inv, out, err);
}

}  // namespace cli
