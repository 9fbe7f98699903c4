// The reader-ready format against the classic one on synthetic pages of
// 25, 50 and 100 MB (about 2,000 items a MB, each with a relative link,
// markup, entities and non-ASCII text), in the same run: time as a ratio to
// the classic document with the same stripping, and peak memory as a
// multiple of the page. Beside them, the floor libxml2 sets: its HTML parser
// reading the page once with no work in the callbacks. Each measurement
// runs in a child process so that its peak resident memory is its own.
//
// Usage: reader-bench [--sizes 25,50,100] [--repeat 3] [--tmp DIR]
#include "feed/FeedBuilder.h"
#include "bench/feed/SizeList.h"
#include "bench/feed/SyntheticProfile.h"
#include "feed/SafeFile.h"

#include <libxml/HTMLparser.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr double MB = 1024.0 * 1024.0;

class SilentDialogs : public Dialogs {
public:
    void message(const std::string& text, MessageIcon, const std::string&) override {
        std::fprintf(stderr, "reader-bench: unexpected message: %s\n", text.c_str());
        std::_Exit(3);
    }
    bool askYesNo(const std::string&, MessageIcon, const std::string&) override { return false; }
    std::string chooseOpenFile(const FileChooserRequest&) override { return {}; }
    std::string chooseSaveFile(const FileChooserRequest&) override { return {}; }
};

void writePage(const fs::path& path, int megabytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) std::exit(2);
    std::string head = "<html><head><meta charset=\"utf-8\"><title>Synthetic news</title>"
                       "<base href=\"http://example.com/news/\"></head>\r\n<body><ul>";
    std::fwrite(head.data(), 1, head.size(), f);
    long written = static_cast<long>(head.size());
    std::string chunk;
    for (long item = 0; written < static_cast<long>(megabytes * MB) - 64; ++item) {
        chunk = "<li><a href=\"story/" + std::to_string(item) + ".html\">Story " + std::to_string(item) +
                " &amp; its <b>caf\xc3\xa9</b> headline</a>\r\n\t<p class=\"summary\">";
        while (chunk.size() < 490) chunk += "Some words of the summary, a <i>link</i>&nbsp;and   spaces / slashes. ";
        chunk += "</p></li>\r\n";
        std::fwrite(chunk.data(), 1, chunk.size(), f);
        written += static_cast<long>(chunk.size());
    }
    std::string tail = "</ul>\r\n</body></html>\r\n";
    std::fwrite(tail.data(), 1, tail.size(), f);
    std::fclose(f);
}

struct Sample {
    double seconds = 1e300;
    double peakMB = 0;
};

// Best wall time and largest peak of `repeat` runs of `work`, each in a child.
template <class Work>
Sample measure(int repeat, Work work) {
    Sample best;
    for (int i = 0; i < repeat; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        const pid_t pid = ::fork();
        if (pid == 0) std::_Exit(work() ? 0 : 4);
        int status = 0;
        rusage ru{};
        ::wait4(pid, &status, 0, &ru);
        const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            std::fprintf(stderr, "reader-bench: a measurement failed\n");
            std::exit(2);
        }
        best.seconds = std::min(best.seconds, s);
        best.peakMB = std::max(best.peakMB, ru.ru_maxrss / 1024.0);
    }
    return best;
}

bool generate(const fs::path& folder, const FeedProfile& profile) {
    SilentDialogs d;
    return GenerateFeed(folder, profile, "", d);
}

// libxml2's HTML parser over the whole page, callbacks that do nothing, read
// the way the engine hands it pieces (UTF-8 marked by a byte-order mark).
bool parseOnly(const fs::path& page) {
    const std::string text = "\xEF\xBB\xBF" + ReadWholeFile(page);
    htmlSAXHandler sax{};
    sax.startElement = [](void*, const xmlChar*, const xmlChar**) {};
    sax.endElement = [](void*, const xmlChar*) {};
    sax.characters = [](void*, const xmlChar*, int) {};
    htmlParserCtxtPtr ctxt = htmlNewParserCtxt();
    *ctxt->sax = sax;
    htmlDocPtr doc = htmlCtxtReadMemory(ctxt, text.data(), static_cast<int>(text.size()), nullptr, nullptr,
                                        HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING |
                                            HTML_PARSE_IGNORE_ENC);
    if (doc) xmlFreeDoc(doc);
    htmlFreeParserCtxt(ctxt);
    return true;
}

FeedProfile profileFor(const fs::path& page, bool readerReady, bool strip) {
    return SyntheticListProfile(page.string(), readerReady, strip);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<double> sizes = {25, 50, 100};
    int repeat = 3;
    fs::path tmpRoot = fs::temp_directory_path();
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--sizes" && i + 1 < argc) {
            sizes = ParseSizeList(argv[++i]);
        } else if (a == "--repeat" && i + 1 < argc) {
            repeat = std::max(1, std::atoi(argv[++i]));
        } else if (a == "--tmp" && i + 1 < argc) {
            tmpRoot = argv[++i];
        } else {
            std::fprintf(stderr, "Usage: reader-bench [--sizes 25,50,100] [--repeat 3] [--tmp DIR]\n");
            return a == "--help" ? 0 : 64;
        }
    }
    const fs::path work = tmpRoot / ("reader-bench-" + std::to_string(::getpid()));
    const fs::path folder = work / "program";
    fs::create_directories(folder);

    std::printf("Reader-ready (2.0) against classic (0.91) generation, best of %d; peak = largest resident set.\n",
                repeat);
    std::printf("%6s | %-5s | %8s %8s %8s | %-12s | %7s %7s | %s\n", "MB", "strip", "classic", "reader",
                "libxml2", "reader / cl", "peak cl", "peak rd", "peak / page (cl, rd)");
    for (double size : sizes) {
        const fs::path page = work / "page.html";
        writePage(page, static_cast<int>(size));
        const double mb = fs::file_size(page) / MB;
        const Sample floor = measure(repeat, [&] { return parseOnly(page); });
        for (bool strip : {false, true}) {
            const Sample classic = measure(repeat, [&] { return generate(folder, profileFor(page, false, strip)); });
            const Sample reader = measure(repeat, [&] { return generate(folder, profileFor(page, true, strip)); });
            std::printf("%6.1f | %-5s | %7.3fs %7.3fs %7.3fs | %5.2fx       | %5.0fMB %5.0fMB | %.2f %.2f\n", mb,
                        strip ? "on" : "off", classic.seconds, reader.seconds, floor.seconds,
                        reader.seconds / classic.seconds, classic.peakMB, reader.peakMB, classic.peakMB / mb,
                        reader.peakMB / mb);
            std::fflush(stdout);
        }
        std::printf("%6s   libxml2's parser alone: %.2fx the classic time without stripping\n", "", floor.seconds /
                    measure(repeat, [&] { return generate(folder, profileFor(page, false, false)); }).seconds);
        fs::remove(page);
    }
    std::printf("Goals: reader-ready at most 3x the classic time, peak memory under 4x the page.\n");
    fs::remove_all(work);
    return 0;
}
