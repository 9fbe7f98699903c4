#pragma once
// The platform's numbered colours (window background, button face, button
// text, ...), as a colour value 0x80000000 + n names them.
#include <array>
#include <cstdint>

#include <QColor>

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

    // A colour value (0x00BBGGRR, or 0x80000000 + n for system colour n)
    // as a QColor, system colours taken from this table.
    QColor toQColor(std::uint32_t value) const;
    // The value of an explicit colour: 0x00BBGGRR.
    static std::uint32_t valueOf(const QColor& colour);

private:
    Table table_;
};
