#include "feed/AllProfiles.h"

#include "feed/FeedBuilder.h"
#include "feed/ItemCuts.h"
#include "feed/ProfileStore.h"
#include "feed/SafeFile.h"

#include <cerrno>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <thread>

namespace fs = std::filesystem;

namespace {

std::string oneLine(std::string text) {
    for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) text.replace(at, 2, " ");
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    return text;
}

// Answers the question as told and keeps the first message, on one line.
class RunDialogs : public Dialogs {
public:
    explicit RunDialogs(bool answer) : answer_(answer) {}
    std::string first;
    void message(const std::string& text, MessageIcon, const std::string&) override {
        if (first.empty()) first = oneLine(text);
    }
    void messageWithDetails(const std::string& text, MessageIcon icon, const std::string& title,
                            const std::string& details) override {
        message(details.empty() ? text : text + " (" + details + ")", icon, title);
    }
    bool askYesNo(const std::string&, MessageIcon, const std::string&) override { return answer_; }
    std::string chooseOpenFile(const FileChooserRequest&) override { return {}; }
    std::string chooseSaveFile(const FileChooserRequest&) override { return {}; }

private:
    bool answer_;
};

// What the last run learnt about a web page. The fingerprint ties the
// validators to the profile and the feed they were used for: after an edit
// of the profile, or with another output folder, the page is fetched anew.
struct PageState {
    std::string fingerprint, etag, lastModified;
};

std::string fingerprintOf(const FeedProfile& p, const fs::path& output) {
    std::uint64_t h = 0xcbf29ce484222325ull;  // 64-bit FNV-1a
    for (unsigned char c : ProfileFileContent(p) + output.string()) h = (h ^ c) * 0x100000001b3ull;
    char buf[17];
    std::snprintf(buf, sizeof buf, "%016llx", static_cast<unsigned long long>(h));
    return buf;
}

PageState readState(const fs::path& path) {
    PageState s;
    std::string bytes;
    try {
        bytes = ReadRegularFile(path, 64 * 1024);
    } catch (const std::exception&) {
        return s;  // none yet, or unusable: fetch unconditionally
    }
    std::size_t from = 0;
    while (from < bytes.size()) {
        std::size_t end = bytes.find('\n', from);
        if (end == std::string::npos) end = bytes.size();
        const std::string line = bytes.substr(from, end - from);
        from = end + 1;
        const std::size_t blank = line.find(' ');
        if (blank == std::string::npos) continue;
        const std::string key = line.substr(0, blank), value = line.substr(blank + 1);
        if (key == "profile") s.fingerprint = value;
        else if (key == "etag") s.etag = value;
        else if (key == "last-modified") s.lastModified = value;
    }
    return s;
}

void writeState(const fs::path& path, const PageState& s) {
    std::error_code ec;
    if (s.etag.empty() && s.lastModified.empty()) {
        fs::remove(path, ec);
        return;
    }
    // Header values hold no line breaks, so one key a line is enough.
    WriteFileReplacing(path, "profile " + s.fingerprint + "\netag " + oneLine(s.etag) + "\nlast-modified " +
                                 oneLine(s.lastModified) + "\n");
}

// The host a web address talks to ("" for a local page): the unit of the
// per-host cap.
std::string hostOf(const FeedProfile& p) {
    if (!p.isWeb()) return {};
    const std::string& a = p.Source;
    std::size_t from = a.find("://");
    from = from == std::string::npos ? 0 : from + 3;
    std::string host = a.substr(from, a.find_first_of("/?#", from) - from);
    if (const std::size_t at = host.rfind('@'); at != std::string::npos) host.erase(0, at + 1);
    if (const std::size_t colon = host.rfind(':'); colon != std::string::npos && host.find(']', colon) == std::string::npos)
        host.erase(colon);
    for (char& c : host) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return host.empty() ? a : host;
}

struct Job {
    FeedProfile profile;
    bool readable = false;
    std::string host;
    ProfileRun run;
};

// Hands out jobs in list order, skipping those whose host is busy enough.
class Scheduler {
public:
    Scheduler(std::vector<Job>& jobs, unsigned perHost) : jobs_(jobs), taken_(jobs.size(), false), perHost_(perHost) {}

    // The next job to run, or -1 when none is left.
    long next() {
        std::unique_lock lock(m_);
        for (;;) {
            bool waiting = false;
            for (std::size_t i = 0; i < jobs_.size(); ++i) {
                if (taken_[i]) continue;
                const std::string& host = jobs_[i].host;
                if (!host.empty() && busy_[host] >= perHost_) {
                    waiting = true;
                    continue;
                }
                taken_[i] = true;
                if (!host.empty()) ++busy_[host];
                return static_cast<long>(i);
            }
            if (!waiting) return -1;
            cv_.wait(lock);
        }
    }
    void done(std::size_t i) {
        {
            std::lock_guard lock(m_);
            if (!jobs_[i].host.empty()) --busy_[jobs_[i].host];
        }
        cv_.notify_all();
    }

private:
    std::vector<Job>& jobs_;
    std::vector<bool> taken_;
    std::map<std::string, unsigned> busy_;
    unsigned perHost_;
    std::mutex m_;
    std::condition_variable cv_;
};

class AllRun {
public:
    explicit AllRun(const AllProfilesOptions& o) : o_(o), outDir_(o.outputDir.empty() ? o.folder : o.outputDir) {}

    void runOne(Job& job) {
        ProfileRun& r = job.run;
        if (!job.readable) {
            r.message = "Bad file format";
            return;
        }
        const fs::path statePath = o_.folder / (r.fileName + PageStateSuffix);
        PageState state;
        std::string page;
        PageOrigin origin;
        if (job.profile.isWeb()) {
            DownloadRequest request;
            request.address = job.profile.Source;
            request.limits = o_.limits;
            state = readState(statePath);
            std::error_code ec;
            if (state.fingerprint == fingerprintOf(job.profile, r.output) && fs::is_regular_file(r.output, ec)) {
                request.etag = state.etag;
                request.lastModified = state.lastModified;
            }
            const DownloadReply reply = Download(request, [&](const char* data, std::size_t size) {
                page.append(data, size);
                return true;
            });
            if (reply.status != 0) {
                r.message = "Unable to download webpage, Please try again. (" + reply.cause + ")";
                return;
            }
            if (reply.notModified) {
                r.outcome = ProfileRun::Unchanged;
                return;
            }
            origin.contentType = reply.contentType;
            origin.address = reply.address;
            state = {fingerprintOf(job.profile, r.output), reply.etag, reply.lastModified};
        } else if (!readLocal(job.profile.Source, page, r.message)) {
            return;
        }
        build(job, page, origin);
        if (r.outcome == ProfileRun::Written && job.profile.isWeb()) {
            try {
                writeState(statePath, state);
            } catch (const std::exception&) {
                // Without the state the next run simply fetches the whole page.
            }
        }
    }

    const fs::path& outDir() const { return outDir_; }

private:
    const AllProfilesOptions& o_;
    fs::path outDir_;
    std::mutex buildLock_;

    bool readLocal(const std::string& source, std::string& page, std::string& message) {
        std::error_code ec;
        const fs::path real = source.empty() ? fs::path() : fs::canonical(source, ec);
        if (source.empty() || ec || !fs::is_regular_file(real, ec)) {
            message = "Source file not found, Please specify a valid file";
            return false;
        }
        try {
            page = ReadRegularFile(real, o_.limits.maxBytes);
        } catch (const std::system_error& e) {
            message = e.code().value() == EFBIG
                          ? "The page is larger than " + std::to_string(o_.limits.maxBytes) + " bytes"
                          : oneLine(DescribeFailure(e) + UnableToGenerateSuffix);
            return false;
        }
        return true;
    }

    void build(Job& job, const std::string& page, const PageOrigin& origin) {
        ProfileRun& r = job.run;
        RunDialogs dialogs(o_.useFeedTitle);
        // One build at a time: the builder's parsers are not shared between
        // threads, and building is quick beside the downloads.
        std::lock_guard lock(buildLock_);
        const bool ok = WriteShowingStops(dialogs, [&] {
            ReplacingFile file(r.output);
            r.items = WriteFeedDocument(page, origin, job.profile, dialogs, FeedOutput{r.output, file.fd()},
                                        std::time(nullptr));
            file.commit();
        });
        if (ok) r.outcome = ProfileRun::Written;
        else r.message = dialogs.first;
    }
};

}  // namespace

std::vector<ProfileRun> GenerateAllProfiles(const AllProfilesOptions& options) {
    AllRun all(options);
    std::vector<Job> jobs;
    for (const std::string& entry : LoadProfilesInList(options.folder)) {
        Job job;
        job.run.fileName = ParseProfileEntry(entry).fileName;
        job.run.output = all.outDir() / (fs::path(job.run.fileName).stem().string() + ".xml");
        job.readable = TryReadProfile(options.folder, job.run.fileName, job.profile);
        job.host = job.readable ? hostOf(job.profile) : std::string();
        jobs.push_back(std::move(job));
    }
    Scheduler scheduler(jobs, std::max(1u, options.perHost));
    auto worker = [&] {
        for (long i; (i = scheduler.next()) >= 0;) {
            all.runOne(jobs[static_cast<std::size_t>(i)]);
            scheduler.done(static_cast<std::size_t>(i));
        }
    };
    std::vector<std::thread> workers;
    const unsigned count = std::max(1u, std::min<unsigned>(options.jobs, static_cast<unsigned>(jobs.size())));
    for (unsigned i = 1; i < count; ++i) workers.emplace_back(worker);
    worker();
    for (std::thread& t : workers) t.join();

    std::vector<ProfileRun> runs;
    runs.reserve(jobs.size());
    for (Job& job : jobs) runs.push_back(std::move(job.run));
    return runs;
}

std::string DescribeProfileRun(const ProfileRun& run) {
    switch (run.outcome) {
    case ProfileRun::Written:
        return run.fileName + ": " + std::to_string(run.items) + (run.items == 1 ? " item -> " : " items -> ") +
               run.output.string();
    case ProfileRun::Unchanged: return run.fileName + ": unchanged";
    case ProfileRun::Failed: break;
    }
    return run.fileName + ": failed: " + run.message;
}
