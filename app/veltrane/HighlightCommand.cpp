#include "app/veltrane/HighlightCommand.h"

#include "app/veltrane/Cli.h"
#include "syntaxbox/SpanReport.h"

#include <fstream>
#include <iterator>

namespace {

const char* kUsage =
    "Usage: veltrane highlight FILE (--spans | --html)\n"
    "Colours FILE as HTML or XML source with the default looks (bytes as characters).\n"
    "  --spans  one line a run of positions in one look: \"START-END SLOT\", 1-based and\n"
    "           inclusive, counted in bytes; SLOT is Tag, AttributeName, AttributeValue,\n"
    "           Comment or Entity\n"
    "  --html   a standalone HTML page showing the file coloured\n";

}  // namespace

int runHighlight(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string file;
    std::string mode;
    bool optionsEnded = false;
    for (const std::string& a : args) {
        if (!optionsEnded && (a == "--help" || a == "-h")) {
            out << kUsage;
            return cli::ExitOk;
        }
        if (!optionsEnded && a == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && (a == "--spans" || a == "--html")) {
            if (!mode.empty() && mode != a) return cli::usageError(err, "give one of --spans and --html", kUsage);
            mode = a;
        } else if (!optionsEnded && a.size() > 1 && a[0] == '-' && a != "-") {
            return cli::usageError(err, "unknown option: " + a, kUsage);
        } else if (file.empty()) {
            file = a;
        } else {
            return cli::usageError(err, "too many arguments", kUsage);
        }
    }
    if (file.empty()) return cli::usageError(err, "missing FILE", kUsage);
    if (mode.empty()) return cli::usageError(err, "give --spans or --html", kUsage);

    std::ifstream in(file, std::ios::binary);
    if (!in) {
        err << "veltrane: cannot read " << file << "\n";
        return cli::ExitFailed;
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        err << "veltrane: cannot read " << file << "\n";
        return cli::ExitFailed;
    }

    const MemoryTextBox box = colorizeText(text);
    if (mode == "--spans")
        out << spansText(styledSpans(box.styleSlots()));
    else
        out << htmlPage(file, text, box.styleSlots());
    out.flush();
    if (!out) {
        err << "veltrane: cannot write the output\n";
        return cli::ExitFailed;
    }
    return cli::ExitOk;
}
