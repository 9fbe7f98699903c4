#pragma once
// The platform's numbered colours (window background, button face, button
// text, ...), as a colour value 0x80000000 + n names them.
#include <array>
#include <cstdint>

class SystemColors {
public:
    static constexpr int kCount = 31;
    using Table = std::array<std::uint32_t, kCount>;  // 0x00BBGGRR each

    explicit SystemColors(const Table& table) : table_(table) {}

    // Colour n as 0x00BBGGRR; an unknown index gives black.
    std::uint32_t color(int index) const {
        return index >= 0 && index < kCount ? table_[index] : 0;
    }

    // A fixed table of the classic desktop colours: what tests use.
    static const SystemColors& classic();
    // Colours from the application's palette where it has a matching role,
    // from the classic table otherwise. Read once, when first asked for
    // (the classic table while no application runs).
    static const SystemColors& application();

private:
    Table table_;
};
