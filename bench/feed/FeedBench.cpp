// feed-bench: `veltrane generate` as a whole process against the floor of
// the same work, memmem-floor (read the page, count the Start Item String
// with glibc's memmem, write a copy), side by side on synthetic pages of
// about 2,000 items a MB. Runs alternate between the three programs, so that
// a busy machine slows them alike; the best of the runs counts.
//
// Also times the marker search alone, once a page, for the searchers one
// could use: std::string_view::find, glibc's memmem, the standard
// Boyer-Moore-Horspool searcher and the engine's FindMarker.
//
// Usage: feed-bench [--sizes 25,50,100] [--repeat 5] [--tmp DIR] [--smoke]
// --smoke: one 1 MB page, one run, outputs checked; exits 1 on any fault.
#include "feed/ProfileStore.h"
#include "bench/feed/SizeList.h"
#include "bench/feed/SyntheticProfile.h"
#include "feed/SafeFile.h"
#include "feed/TextSearch.h"
#include "tests/support/RunProgram.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr double MB = 1024.0 * 1024.0;
const std::string ItemMarker = "<li>";

// Writes a page of about `megabytes` MB, streaming, so the bench process
// itself stays small. Returns the number of items.
long writePage(const fs::path& path, double megabytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        std::perror(path.c_str());
        std::exit(2);
    }
    const std::string head = "<html><head><title>Synthetic news</title></head>\r\n<body><h1>News</h1>\r\n<ul>";
    std::fwrite(head.data(), 1, head.size(), f);
    const long target = static_cast<long>(megabytes * MB);
    long written = static_cast<long>(head.size());
    long items = 0;
    std::string chunk;
    while (written < target - 64) {
        chunk = "<li><a href=\"/story/" + std::to_string(items) + ".html\">Story number " + std::to_string(items) +
                " &amp; its <b>headline</b></a>\r\n\t<p class=\"summary\">";
        // Pad every item to about 520 bytes with ordinary prose and markup.
        while (chunk.size() < 490) chunk += "Some words of the summary, a <i>link</i>&nbsp;and   spaces / slashes. ";
        chunk += "</p></li>\r\n";
        std::fwrite(chunk.data(), 1, chunk.size(), f);
        written += static_cast<long>(chunk.size());
        ++items;
    }
    const std::string tail = "</ul>\r\n</body></html>\r\n";
    std::fwrite(tail.data(), 1, tail.size(), f);
    std::fclose(f);
    return items;
}

void writeProfile(const fs::path& folder, const std::string& fileName, const fs::path& page, bool strip) {
    FeedProfile p = SyntheticListProfile(page.string(), false, strip, ItemMarker);
    p.ProfileName = strip ? "bench, stripped" : "bench, raw";
    WriteFileReplacing(folder / fileName, ProfileFileContent(p));
}

long count(std::string_view text, std::string_view marker) {
    long n = 0;
    for (std::size_t at = FindMarker(text, marker); at != NoMarker; at = FindMarker(text, marker, at + marker.size()))
        ++n;
    return n;
}

struct Best {
    double seconds = 1e300, cpu = 1e300, peakMB = 0;
    void add(const ProgramRun& r) {
        seconds = std::min(seconds, r.seconds);
        cpu = std::min(cpu, r.cpuSeconds);
        peakMB = std::max(peakMB, r.peakMB);
    }
};

bool failed = false;

void check(bool ok, const std::string& what) {
    if (ok) return;
    std::fprintf(stderr, "feed-bench: %s\n", what.c_str());
    failed = true;
}

ProgramRun run(const std::string& exe, const std::vector<std::string>& args) {
    ProgramRun r = RunProgram(exe, args);
    check(r.status == 0, exe + " ended with status " + std::to_string(r.status) + ": " + r.err);
    return r;
}

// Milliseconds for the best of `repeat` counting passes over the text.
double searchMs(int repeat, const std::function<long()>& pass, long expected) {
    double best = 1e300;
    for (int i = 0; i < repeat; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        const long n = pass();
        best = std::min(best, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
        check(n == expected, "a searcher counted " + std::to_string(n) + " instead of " + std::to_string(expected));
    }
    return best;
}

void compareSearchers(const std::string& page, int repeat) {
    std::printf("\nThe search alone on the largest page, ms a pass (best of %d):\n", repeat);
    std::printf("%-22s %9s %9s %9s %11s\n", "marker", "find", "memmem", "BMH", "FindMarker");
    const std::string_view text(page);
    for (const std::string_view marker : {std::string_view("<li>"), std::string_view("</li>"),
                                          std::string_view("<p class=\"summary\">"),
                                          std::string_view("slashes. Some words of the summary")}) {
        const long expected = count(text, marker);
        const double find = searchMs(repeat, [&] {
            long n = 0;
            for (std::size_t at = text.find(marker); at != std::string_view::npos; at = text.find(marker, at + marker.size()))
                ++n;
            return n;
        }, expected);
        const double memmem = searchMs(repeat, [&] {
            long n = 0;
            const char* end = text.data() + text.size();
            for (const char* at = text.data();
                 (at = static_cast<const char*>(::memmem(at, static_cast<std::size_t>(end - at), marker.data(), marker.size())));
                 at += marker.size())
                ++n;
            return n;
        }, expected);
        const double bmh = searchMs(repeat, [&] {
            long n = 0;
            const std::boyer_moore_horspool_searcher searcher(marker.begin(), marker.end());
            for (auto at = text.begin();; ++n) {
                auto found = searcher(at, text.end());
                if (found.first == text.end()) break;
                at = found.second;
            }
            return n;
        }, expected);
        const double ours = searchMs(repeat, [&] { return count(text, marker); }, expected);
        std::printf("%-22.22s %9.1f %9.1f %9.1f %11.1f\n", std::string(marker).c_str(), find, memmem, bmh, ours);
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<double> sizes = {25, 50, 100};
    int repeat = 5;
    fs::path tmpRoot = fs::temp_directory_path();
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--sizes" && i + 1 < argc) {
            sizes = ParseSizeList(argv[++i]);
        } else if (a == "--repeat" && i + 1 < argc) {
            repeat = std::max(1, std::atoi(argv[++i]));
        } else if (a == "--tmp" && i + 1 < argc) {
            tmpRoot = argv[++i];
        } else if (a == "--smoke") {
            sizes = {1};
            repeat = 1;
        } else {
            std::fprintf(stderr, "Usage: feed-bench [--sizes 25,50,100] [--repeat 5] [--tmp DIR] [--smoke]\n");
            return a == "--help" ? 0 : 64;
        }
    }
    const fs::path work = tmpRoot / ("feed-bench-" + std::to_string(::getpid()));
    const fs::path folder = work / "program";
    fs::create_directories(folder);
    const fs::path page = work / "page.html";

    std::printf("Whole processes, best of %d runs each: memmem-floor PAGE COPY \"%s\" against\n"
                "veltrane --dir DIR generate PROFILE with stripping off and on.\n\n",
                repeat, ItemMarker.c_str());
    std::printf("%6s %7s | %-21s | %-11s | %-11s | %-17s\n", "", "", "wall s", "wall ratio", "cpu ratio", "peak MB");
    std::printf("%6s %7s | %6s %6s %6s | %5s %5s | %5s %5s | %5s %5s %5s\n", "MB", "items", "floor", "off", "on", "off",
                "on", "off", "on", "floor", "off", "on");
    double worstOff = 0, worstOn = 0;
    for (const double size : sizes) {
        const long items = writePage(page, size);
        const double mb = static_cast<double>(fs::file_size(page)) / MB;
        writeProfile(folder, "000001.rss", page, false);
        writeProfile(folder, "000002.rss", page, true);
        const std::vector<std::string> floorArgs = {page.string(), (work / "floor.out").string(), ItemMarker};
        auto generate = [&](const char* profile) {
            return std::vector<std::string>{"--dir", folder.string(), "generate", profile};
        };
        Best floor, off, on;
        for (int r = 0; r < repeat; ++r) {
            const ProgramRun f = run(MEMMEM_FLOOR_EXE, floorArgs);
            floor.add(f);
            if (r == 0) check(std::atol(f.out.c_str()) == items, "memmem-floor counted " + f.out);
            off.add(run(VELTRANE_EXE, generate("000001.rss")));
            if (r == 0) check(count(ReadWholeFile(folder / "test.xml"), "<item>") == items, "items missing (off)");
            on.add(run(VELTRANE_EXE, generate("000002.rss")));
            if (r == 0) check(count(ReadWholeFile(folder / "test.xml"), "<item>") == items, "items missing (on)");
        }
        worstOff = std::max(worstOff, off.seconds / floor.seconds);
        worstOn = std::max(worstOn, on.seconds / floor.seconds);
        std::printf("%6.1f %7ld | %6.3f %6.3f %6.3f | %5.2f %5.2f | %5.2f %5.2f | %5.0f %5.0f %5.0f\n", mb, items,
                    floor.seconds, off.seconds, on.seconds, off.seconds / floor.seconds, on.seconds / floor.seconds,
                    off.cpu / floor.cpu, on.cpu / floor.cpu, floor.peakMB, off.peakMB, on.peakMB);
        std::fflush(stdout);
    }
    compareSearchers(ReadWholeFile(page), repeat);
    std::printf("\nWorst wall ratio against the floor: off %.2f (goal 2.5), on %.2f (goal 5)\n", worstOff, worstOn);
    fs::remove_all(work);
    return failed ? 1 : 0;
}
