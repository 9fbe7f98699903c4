// The plain form of a fuzz target, for compilers without libFuzzer: runs
// every input of the given files and folders once, then random byte
// mutations of them until the time is up. It takes the libFuzzer options the
// tests and scripts/fuzz.sh pass (others are ignored):
//
//   TARGET [-max_total_time=SECONDS] [-seed=N] [-artifact_prefix=PREFIX]
//          [-malloc_limit_mb=MB] [-timeout=SECONDS] FILE_OR_FOLDER...
//
// An input that crashes, aborts, runs past the timeout or asks for more
// memory than the malloc limit is written to PREFIX + "crash" and the
// program dies of the signal. There is no coverage guidance: what this form
// finds in a few seconds are the regressions of the kept inputs and shallow
// faults.
#include <algorithm>
#include <array>
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
#include <new>
#include <random>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace {

using Bytes = std::vector<uint8_t>;

// What the signal handler needs: the input being run and where it goes.
const Bytes* current = nullptr;
std::string findingPath = "crash";
bool overLimit = false;

void onSignal(int sig) {
    const int fd = ::open(findingPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd >= 0 && current) (void)!::write(fd, current->data(), current->size());
    const char* why = overLimit ? "memory beyond the malloc limit" : sig == SIGALRM ? "timeout" : strsignal(sig);
    for (const char* p : {"fuzz: ", why, "; the input is in ", findingPath.c_str(), "\n"})
        (void)!::write(2, p, std::strlen(p));
    std::signal(sig == SIGALRM ? SIGABRT : sig, SIG_DFL);
    std::raise(sig == SIGALRM ? SIGABRT : sig);
}

}  // namespace

int main(int argc, char** argv) {
    double seconds = 0;
    unsigned seed = unsigned(std::chrono::steady_clock::now().time_since_epoch().count());
    unsigned timeout = 30;
    rlim_t mallocLimit = rlim_t(2048) << 20;
    std::string prefix;
    std::vector<Bytes> pool;
    auto read = [&](const std::filesystem::path& p) {
        std::ifstream in(p, std::ios::binary);
        pool.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    };
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i], value = a.substr(a.find('=') + 1);
        if (a.starts_with("-max_total_time=")) seconds = std::atof(value.c_str());
        else if (a.starts_with("-seed=")) seed = unsigned(std::strtoul(value.c_str(), nullptr, 10));
        else if (a.starts_with("-timeout=")) timeout = unsigned(std::atoi(value.c_str()));
        else if (a.starts_with("-malloc_limit_mb=")) mallocLimit = rlim_t(std::atoll(value.c_str())) << 20;
        else if (a.starts_with("-artifact_prefix=")) prefix = value;
        else if (a.starts_with("-")) std::fprintf(stderr, "fuzz: option %s ignored\n", a.c_str());
        else if (!std::filesystem::is_directory(a)) read(a);
        else
            for (const auto& e : std::filesystem::directory_iterator(a))
                if (e.is_regular_file()) read(e.path());
    }
    if (pool.empty()) pool.emplace_back();
    if (LLVMFuzzerInitialize) LLVMFuzzerInitialize(&argc, &argv);
    for (int sig : {SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL, SIGALRM}) std::signal(sig, onSignal);
    findingPath = prefix + "crash";
    // A reader must not ask for memory its input does not justify, even
    // when the system would grant it: the malloc limit caps the address
    // space, and a refused allocation is a finding.
    const rlimit space{mallocLimit, mallocLimit};
    setrlimit(RLIMIT_AS, &space);
    std::set_new_handler([] {
        overLimit = true;
        std::abort();
    });

    auto run = [&](const Bytes& input) {
        current = &input;
        alarm(timeout);
        LLVMFuzzerTestOneInput(input.data(), input.size());
        alarm(0);
    };
    for (const Bytes& b : pool) run(b);

    // Each mutation makes one to eight changes to a kept input: a flipped
    // bit, an extreme byte, inserted random bytes, an erased run, or a piece
    // of another kept input spliced in.
    std::mt19937 rng(seed);
    auto pick = [&](std::size_t n) { return n == 0 ? 0 : std::size_t(rng() % n); };
    std::size_t maxLen = 4096;
    for (const Bytes& b : pool) maxLen = std::max(maxLen, 2 * b.size());
    long mutations = 0;
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    for (; std::chrono::steady_clock::now() < end; ++mutations) {
        Bytes b = pool[pick(pool.size())];
        for (std::size_t k = 0, n = 1 + pick(8); k < n; ++k) {
            const auto at = b.begin() + std::ptrdiff_t(pick(b.size() + 1));
            const std::size_t after = std::size_t(b.end() - at);
            const Bytes& other = pool[pick(pool.size())];
            const auto from = other.begin() + std::ptrdiff_t(pick(other.size()));
            const auto len = std::ptrdiff_t(std::min<std::size_t>(std::size_t(other.end() - from), 1 + pick(64)));
            const std::size_t change = pick(5);
            if (change == 0 && after) *at ^= uint8_t(1u << pick(8));
            else if (change == 1 && after) *at = std::array<uint8_t, 4>{0, 0x7F, 0x80, 0xFF}[pick(4)];
            else if (change == 2) b.insert(at, 1 + pick(8), uint8_t(rng()));
            else if (change == 3) b.erase(at, at + std::ptrdiff_t(std::min<std::size_t>(after, 1 + pick(16))));
            else if (change == 4) b.insert(at, from, from + len);
        }
        if (b.size() > maxLen) b.resize(maxLen);
        run(b);
    }
    std::printf("fuzz: %zu kept inputs and %ld mutations (seed %u) passed\n", pool.size(), mutations, seed);
    return 0;
}
