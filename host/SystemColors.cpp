#include "host/SystemColors.h"

namespace {
constexpr std::uint32_t rgb(int r, int g, int b) {
    return std::uint32_t(r) | (std::uint32_t(g) << 8) | (std::uint32_t(b) << 16);
}
}  // namespace

const SystemColors& SystemColors::classic() {
    static const SystemColors table({
        rgb(212, 208, 200), rgb(58, 110, 165),  rgb(10, 36, 106),   rgb(128, 128, 128),
        rgb(212, 208, 200), rgb(255, 255, 255), rgb(0, 0, 0),       rgb(0, 0, 0),
        rgb(0, 0, 0),       rgb(255, 255, 255), rgb(212, 208, 200), rgb(212, 208, 200),
        rgb(128, 128, 128), rgb(10, 36, 106),   rgb(255, 255, 255), rgb(212, 208, 200),
        rgb(128, 128, 128), rgb(128, 128, 128), rgb(0, 0, 0),       rgb(212, 208, 200),
        rgb(255, 255, 255), rgb(64, 64, 64),    rgb(212, 208, 200), rgb(0, 0, 0),
        rgb(255, 255, 225), rgb(0, 0, 0),       rgb(0, 0, 128),     rgb(166, 202, 240),
        rgb(192, 192, 192), rgb(10, 36, 106),   rgb(212, 208, 200),
    });
    return table;
}
