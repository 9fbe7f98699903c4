#include "app/veltrane/DownloadOptions.h"

#include <cmath>
#include <cstdlib>

namespace cli {

namespace {

// "SECONDS": a positive number, fractions allowed ("0.5").
bool parseSeconds(const std::string& text, std::chrono::milliseconds& out) {
    char* end = nullptr;
    const double s = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(s) || s <= 0 || s > 1e9) return false;
    out = std::chrono::milliseconds(std::max<long long>(1, std::llround(s * 1000)));
    return true;
}

// "BYTES": a whole number, optionally followed by K, M or G (powers of 1024).
bool parseBytes(const std::string& text, std::uint64_t& out) {
    char* end = nullptr;
    if (text.empty() || !std::isdigit(static_cast<unsigned char>(text[0]))) return false;
    const unsigned long long n = std::strtoull(text.c_str(), &end, 10);
    int shift = 0;
    const std::string unit = end;
    if (unit == "K" || unit == "k") shift = 10;
    else if (unit == "M" || unit == "m") shift = 20;
    else if (unit == "G" || unit == "g") shift = 30;
    else if (!unit.empty()) return false;
    if (n == 0 || n > (~0ull >> shift)) return false;
    out = n << shift;
    return true;
}

}  // namespace

bool parseDownloadLimits(const Invocation& inv, DownloadLimits& limits, std::ostream& err) {
    const std::pair<const char*, std::chrono::milliseconds*> times[] = {
        {"--timeout", &limits.total}, {"--connect-timeout", &limits.connect}, {"--stall-timeout", &limits.stall}};
    for (const auto& [name, into] : times) {
        if (const std::string* v = inv.value(name); v && !parseSeconds(*v, *into)) {
            err << "veltrane: " << name << " needs a number of seconds above 0: " << *v << '\n';
            return false;
        }
    }
    if (const std::string* v = inv.value("--max-size"); v && !parseBytes(*v, limits.maxBytes)) {
        err << "veltrane: --max-size needs a number of bytes above 0, optionally with K, M or G: " << *v << '\n';
        return false;
    }
    return true;
}

}  // namespace cli
