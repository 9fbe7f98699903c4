// The plain form of a fuzz target, for compilers without libFuzzer: runs
// every input of the given files and folders once, then random mutations of
// them until the time is up. It understands the libFuzzer options the tests
// and scripts/fuzz.sh pass, so both forms are run alike:
//
//   TARGET [-max_total_time=SECONDS] [-seed=N] [-artifact_prefix=PREFIX]
//          [-malloc_limit_mb=MB] [-timeout=SECONDS] FILE_OR_FOLDER...
//
// An input that crashes, aborts, runs past the timeout or asks for one
// block above the malloc limit is written to PREFIX + "crash-N" and the
// program exits 1. There is no coverage guidance: what this form finds in a
// few seconds are the regressions of the kept inputs and shallow faults.
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace {

using Bytes = std::vector<uint8_t>;

// The input being run and where a finding goes, for the signal handler.
const Bytes* current = nullptr;
char findingPath[4096] = "crash";
std::size_t mallocLimit = std::size_t(2048) << 20;
bool running = false;
const char* abortReason = nullptr;

void writeFinding(const char* why) {
    const int fd = ::open(findingPath, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd >= 0 && current) {
        ssize_t ignored = ::write(fd, current->data(), current->size());
        (void)ignored;
        ::close(fd);
    }
    const char* parts[] = {"fuzz: ", why, "; the input is in ", findingPath, "\n"};
    for (const char* p : parts) {
        ssize_t ignored = ::write(2, p, std::strlen(p));
        (void)ignored;
    }
}

void onSignal(int sig) {
    writeFinding(abortReason ? abortReason : sig == SIGALRM ? "timeout" : strsignal(sig));
    std::signal(sig == SIGALRM ? SIGABRT : sig, SIG_DFL);
    std::raise(sig == SIGALRM ? SIGABRT : sig);
}

bool startsWith(const std::string& s, const char* prefix, std::string& rest) {
    const std::size_t n = std::strlen(prefix);
    if (s.compare(0, n, prefix) != 0) return false;
    rest = s.substr(n);
    return true;
}

Bytes readAll(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// Byte-level changes in the manner of libFuzzer's: bit flips, boundary
// values over a big-endian 32-bit length or count, inserted random bytes,
// erased runs, and pieces of this or another input.
class Mutator {
public:
    Mutator(unsigned seed, const std::vector<Bytes>& pool, std::size_t maxLen)
        : rng_(seed), pool_(pool), maxLen_(maxLen) {}

    Bytes next() {
        Bytes b = pool_[pick(pool_.size())];
        for (std::size_t k = 0, n = 1 + pick(8); k < n; ++k) mutate(b);
        if (b.size() > maxLen_) b.resize(maxLen_);
        return b;
    }

private:
    std::size_t pick(std::size_t n) { return n == 0 ? 0 : std::size_t(rng_() % n); }
    auto it(Bytes& b, std::size_t at) { return b.begin() + std::ptrdiff_t(at); }

    void mutate(Bytes& b) {
        static const uint32_t boundaries[] = {0, 1, 0x7F, 0xFF, 0xFFFF, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF};
        const std::size_t at = pick(b.size() + 1);
        switch (pick(5)) {
        case 0:
            if (!b.empty()) b[pick(b.size())] ^= uint8_t(1u << pick(8));
            break;
        case 1:
            if (b.size() >= 4) {
                const uint32_t v = boundaries[pick(std::size(boundaries))] - uint32_t(pick(3));
                const std::size_t p = pick(b.size() - 3);
                for (std::size_t k = 0; k < 4; ++k) b[p + k] = uint8_t(v >> (24 - 8 * k));
            }
            break;
        case 2:
            for (std::size_t k = 0, n = 1 + pick(8); k < n; ++k) b.insert(it(b, at), uint8_t(rng_()));
            break;
        case 3:
            if (at < b.size()) b.erase(it(b, at), it(b, at + 1 + pick(std::min<std::size_t>(b.size() - at, 16))));
            break;
        default: {
            Bytes other = pick(2) ? b : pool_[pick(pool_.size())];
            if (other.empty()) break;
            const std::size_t from = pick(other.size());
            const std::size_t n = 1 + pick(std::min<std::size_t>(other.size() - from, 64));
            b.insert(it(b, at), it(other, from), it(other, from + n));
        }
        }
    }

    std::mt19937 rng_;
    const std::vector<Bytes>& pool_;
    std::size_t maxLen_;
};

}  // namespace

// One block larger than the limit is a finding, as with libFuzzer's
// -malloc_limit_mb: a reader must not ask for memory its input does not
// justify, even when the system would grant it.
extern "C" void* __libc_malloc(std::size_t);
extern "C" void* __libc_calloc(std::size_t, std::size_t);
extern "C" void* __libc_realloc(void*, std::size_t);
namespace {
void checkSize(std::size_t n) {
    if (running && n > mallocLimit) {
        running = false;
        abortReason = "an allocation above the malloc limit";
        std::abort();
    }
}
}  // namespace
extern "C" void* malloc(std::size_t n) {
    checkSize(n);
    return __libc_malloc(n);
}
extern "C" void* calloc(std::size_t count, std::size_t n) {
    if (n != 0 && count > SIZE_MAX / n) return nullptr;
    checkSize(count * n);
    return __libc_calloc(count, n);
}
extern "C" void* realloc(void* p, std::size_t n) {
    checkSize(n);
    return __libc_realloc(p, n);
}

int main(int argc, char** argv) {
    double seconds = 0;
    unsigned seed = unsigned(std::chrono::steady_clock::now().time_since_epoch().count());
    unsigned timeout = 30;
    std::string prefix;
    std::vector<Bytes> pool;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        std::string v;
        if (startsWith(a, "-max_total_time=", v)) seconds = std::atof(v.c_str());
        else if (startsWith(a, "-seed=", v)) seed = unsigned(std::strtoul(v.c_str(), nullptr, 10));
        else if (startsWith(a, "-timeout=", v)) timeout = unsigned(std::atoi(v.c_str()));
        else if (startsWith(a, "-malloc_limit_mb=", v)) mallocLimit = std::size_t(std::atoll(v.c_str())) << 20;
        else if (startsWith(a, "-artifact_prefix=", v)) prefix = v;
        else if (!a.empty() && a[0] == '-') std::fprintf(stderr, "fuzz: option %s ignored\n", a.c_str());
        else if (std::filesystem::is_directory(a)) {
            for (const auto& e : std::filesystem::directory_iterator(a))
                if (e.is_regular_file()) pool.push_back(readAll(e.path()));
        } else {
            pool.push_back(readAll(a));
        }
    }
    if (pool.empty()) pool.emplace_back();
    if (LLVMFuzzerInitialize) LLVMFuzzerInitialize(&argc, &argv);
    for (int sig : {SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL, SIGALRM}) std::signal(sig, onSignal);

    std::size_t maxLen = 4096;
    for (const Bytes& b : pool) maxLen = std::max(maxLen, 2 * b.size());
    long runs = 0;
    auto run = [&](const Bytes& input) {
        std::snprintf(findingPath, sizeof findingPath, "%scrash-%ld", prefix.c_str(), runs++);
        current = &input;
        alarm(timeout);
        running = true;
        LLVMFuzzerTestOneInput(input.data(), input.size());
        running = false;
        alarm(0);
    };
    for (const Bytes& b : pool) run(b);

    Mutator mutator(seed, pool, maxLen);
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < end) run(mutator.next());
    std::printf("fuzz: %zu kept inputs and %ld mutations (seed %u) passed\n", pool.size(), runs - long(pool.size()),
                seed);
    return 0;
}
