#include "feed/SignalCleanup.h"

#include <atomic>
#include <csignal>
#include <cstring>
#include <limits.h>
#include <mutex>
#include <unistd.h>

namespace {

// A fixed table, so that the handler reads it without allocating or
// locking. A slot is Free, being Filled by its owner, or Ready.
constexpr int Slots = 64;
enum : int { Free, Filling, Ready };
std::atomic<int> state[Slots];
char names[Slots][PATH_MAX];

void removeAll(int sig) {
    for (int i = 0; i < Slots; ++i)
        if (state[i].load() == Ready) ::unlink(names[i]);
    // Then end as the signal would have ended the process.
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

void installOnce() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (int sig : {SIGINT, SIGTERM}) {
            struct sigaction old {};
            if (::sigaction(sig, nullptr, &old) != 0 || old.sa_handler != SIG_DFL) continue;
            struct sigaction sa {};
            sa.sa_handler = removeAll;
            sigemptyset(&sa.sa_mask);
            ::sigaction(sig, &sa, nullptr);
        }
    });
}

}  // namespace

int RemoveOnSignal(const char* path) {
    if (std::strlen(path) >= PATH_MAX) return -1;
    installOnce();
    for (int i = 0; i < Slots; ++i) {
        int expected = Free;
        if (!state[i].compare_exchange_strong(expected, Filling)) continue;
        std::strcpy(names[i], path);
        state[i].store(Ready);
        return i;
    }
    return -1;
}

void KeepOnSignal(int slot) {
    if (slot >= 0) state[slot].store(Free);
}
