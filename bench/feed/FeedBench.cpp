// Measures GenerateFeed on synthetic pages of 25, 50 and 100 MB (about
// 2,000 items a MB) against the physical floor of the same work: read the
// page, find every item marker once, write a file of the page's size.
//
// Each measurement runs in a child process so that its peak resident
// memory is its own. Usage: feed-bench [--sizes 25,50,100] [--repeat 5] [--tmp DIR]
#include "feed/FeedBuilder.h"
#include "feed/SafeFile.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>
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
        std::fprintf(stderr, "feed-bench: unexpected message: %s\n", text.c_str());
        std::_Exit(3);
    }
    bool askYesNo(const std::string&, MessageIcon, const std::string&) override { return false; }
    std::string chooseOpenFile(const FileChooserRequest&) override { return {}; }
    std::string chooseSaveFile(const FileChooserRequest&) override { return {}; }
};

// Writes a page of about `megabytes` MB with about 2,000 items a MB,
// streaming, so the bench process itself stays small. Returns the item count.
long writePage(const fs::path& path, int megabytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        std::perror(path.c_str());
        std::exit(2);
    }
    std::string head = "<html><head><title>Synthetic news</title></head>\r\n<body><h1>News</h1>\r\n<ul>";
    std::fwrite(head.data(), 1, head.size(), f);
    const long target = static_cast<long>(megabytes * MB);
    long written = static_cast<long>(head.size());
    long items = 0;
    std::string chunk;
    while (written < target - 64) {
        chunk.clear();
        chunk += "<li><a href=\"/story/" + std::to_string(items) + ".html\">Story number " + std::to_string(items) +
                 " &amp; its <b>headline</b></a>\r\n\t<p class=\"summary\">";
        // Pad every item to about 520 bytes with ordinary prose and markup.
        while (chunk.size() < 490)
            chunk += "Some words of the summary, a <i>link</i>&nbsp;and   spaces / slashes. ";
        chunk += "</p></li>\r\n";
        std::fwrite(chunk.data(), 1, chunk.size(), f);
        written += static_cast<long>(chunk.size());
        ++items;
    }
    std::string tail = "</ul>\r\n</body></html>\r\n";
    std::fwrite(tail.data(), 1, tail.size(), f);
    std::fclose(f);
    return items;
}

struct Sample {
    double seconds = 0;  // wall time
    double cpu = 0;      // user + system time of the run
    double peakMB = 0;
};

// Runs `work` in a child; returns its wall time and peak resident memory.
template <class Work>
Sample inChild(Work work) {
    int fds[2];
    if (::pipe(fds) != 0) std::exit(2);
    pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        auto t0 = std::chrono::steady_clock::now();
        work();
        double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        if (::write(fds[1], &s, sizeof s) != sizeof s) std::_Exit(2);
        std::_Exit(0);
    }
    ::close(fds[1]);
    Sample sample;
    if (::read(fds[0], &sample.seconds, sizeof sample.seconds) != sizeof sample.seconds) sample.seconds = -1;
    ::close(fds[0]);
    int status = 0;
    rusage ru{};
    ::wait4(pid, &status, 0, &ru);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "feed-bench: a measurement failed\n");
        std::exit(2);
    }
    sample.peakMB = ru.ru_maxrss / 1024.0;  // kB on Linux
    sample.cpu = ru.ru_utime.tv_sec + ru.ru_stime.tv_sec + (ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) / 1e6;
    return sample;
}

// The floor: the page read whole, the item marker counted in one pass, a
// file of the page's size written.
void baseline(const fs::path& page, const fs::path& out, std::string_view marker) {
    std::string text = ReadWholeFile(page);
    long count = 0;
    std::string_view v(text);
    for (std::size_t at = v.find(marker); at != std::string_view::npos; at = v.find(marker, at + marker.size()))
        ++count;
    int fd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const char* p = text.data();
    std::size_t left = text.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n <= 0) std::_Exit(2);
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (count < 0) std::_Exit(2);
}

FeedProfile benchProfile(const fs::path& page, bool strip) {
    FeedProfile p = NewFeedProfile("bench");
    p.SourceType = "Local";
    p.Source = page.string();
    p.StartString = "<ul><li>";
    p.StartItemString = "<li>";
    p.EndString = "</ul>";
    p.TitleEndString = "</a>";
    p.EndItemString = "</li>";
    p.FeedTitle = "Synthetic news";
    p.FeedLink = "http://example.com/";
    p.StripHTMLTags = strip ? "1" : "0";
    return p;
}

Sample best(int repeat, const std::function<Sample()>& f) {
    Sample b{1e300, 1e300, 0};
    for (int i = 0; i < repeat; ++i) {
        Sample s = f();
        b.seconds = std::min(b.seconds, s.seconds);
        b.cpu = std::min(b.cpu, s.cpu);
        b.peakMB = std::max(b.peakMB, s.peakMB);
    }
    return b;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<int> sizes = {25, 50, 100};
    int repeat = 5;
    fs::path tmpRoot = fs::temp_directory_path();
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--sizes" && i + 1 < argc) {
            sizes.clear();
            std::string list = argv[++i];
            for (std::size_t pos = 0; pos <= list.size();) {
                std::size_t comma = list.find(',', pos);
                sizes.push_back(std::atoi(list.substr(pos, comma - pos).c_str()));
                if (comma == std::string::npos) break;
                pos = comma + 1;
            }
        } else if (a == "--repeat" && i + 1 < argc) {
            repeat = std::max(1, std::atoi(argv[++i]));
        } else if (a == "--tmp" && i + 1 < argc) {
            tmpRoot = argv[++i];
        } else {
            std::fprintf(stderr, "Usage: feed-bench [--sizes 25,50,100] [--repeat 5] [--tmp DIR]\n");
            return a == "--help" ? 0 : 64;
        }
    }
    const fs::path work = tmpRoot / ("feed-bench-" + std::to_string(::getpid()));
    fs::create_directories(work);

    std::printf("GenerateFeed on a Local profile against the floor (read page, one find pass, write page size).\n");
    std::printf("Best of %d runs; peak = largest resident set of a run.\n\n", repeat);
    std::printf("%6s %8s | %-23s | %-11s | %-23s | %-17s | %s\n", "", "", "wall s (floor off on)",
                "wall ratio", "wall s/MB", "cpu ratio", "peak MB");
    std::printf("%6s %8s | %7s %7s %7s | %5s %5s | %7s %7s %7s | %5s %5s %5s | %5s %5s %5s\n", "MB", "items",
                "floor", "off", "on", "off", "on", "floor", "off", "on", "off", "on", "fl cpu", "floor", "off", "on");

    struct Row {
        double mb, floorPerMB, offPerMB, onPerMB, floorCpuPerMB, offCpuPerMB, onCpuPerMB;
    };
    std::vector<Row> rows;
    for (int size : sizes) {
        const fs::path page = work / "page.html";
        const long items = writePage(page, size);
        const double mb = fs::file_size(page) / MB;
        const fs::path folder = work / "program";
        fs::create_directories(folder);

        Sample floor = best(repeat, [&] { return inChild([&] { baseline(page, work / "floor.out", "<li>"); }); });
        auto generate = [&](bool strip) {
            return best(repeat, [&] {
                return inChild([&] {
                    SilentDialogs d;
                    if (!GenerateFeed(folder, benchProfile(page, strip), "", d)) std::_Exit(4);
                });
            });
        };
        Sample off = generate(false);
        Sample on = generate(true);

        std::printf("%6.1f %8ld | %7.3f %7.3f %7.3f | %5.2f %5.2f | %7.4f %7.4f %7.4f | %5.2f %5.2f %5.3f | %5.0f "
                    "%5.0f %5.0f\n",
                    mb, items, floor.seconds, off.seconds, on.seconds, off.seconds / floor.seconds,
                    on.seconds / floor.seconds, floor.seconds / mb, off.seconds / mb, on.seconds / mb,
                    off.cpu / floor.cpu, on.cpu / floor.cpu, floor.cpu, floor.peakMB, off.peakMB, on.peakMB);
        std::printf("%6s peak memory / page: floor %.2f, off %.2f, on %.2f; cpu s/MB: floor %.4f, off %.4f, on %.4f\n",
                    "", floor.peakMB / mb, off.peakMB / mb, on.peakMB / mb, floor.cpu / mb, off.cpu / mb, on.cpu / mb);
        std::fflush(stdout);
        rows.push_back({mb, floor.seconds / mb, off.seconds / mb, on.seconds / mb, floor.cpu / mb, off.cpu / mb,
                        on.cpu / mb});
        fs::remove_all(folder);
        fs::remove(page);
        fs::remove(work / "floor.out");
    }
    if (rows.size() > 1) {
        auto spread = [&](double Row::*field) {
            double lo = 1e300, hi = 0;
            for (const Row& r : rows) {
                lo = std::min(lo, r.*field);
                hi = std::max(hi, r.*field);
            }
            return (hi / lo - 1) * 100;
        };
        std::printf("\nTime per MB, largest over smallest across sizes: wall floor +%.1f%%, off +%.1f%%, on +%.1f%%;"
                    " cpu floor +%.1f%%, off +%.1f%%, on +%.1f%%\n",
                    spread(&Row::floorPerMB), spread(&Row::offPerMB), spread(&Row::onPerMB),
                    spread(&Row::floorCpuPerMB), spread(&Row::offCpuPerMB), spread(&Row::onCpuPerMB));
    }
    std::printf("Goals: off/fl <= 2.5, on/fl <= 5, time per MB within 15%% across sizes, peak < 4 x page.\n");
    fs::remove_all(work);
    return 0;
}
