// The system colours a running application offers: the palette's colour for
// each number with a matching role, the classic table for the others.
#include "host/SystemColors.h"

#include <QGuiApplication>
#include <QPalette>
#include <optional>
#include <utility>

std::uint32_t SystemColors::valueOf(const QColor& c) {
    return std::uint32_t(c.red()) | (std::uint32_t(c.green()) << 8) | (std::uint32_t(c.blue()) << 16);
}

QColor SystemColors::toQColor(std::uint32_t value) const {
    const std::uint32_t rgb = (value & 0x80000000u) ? color(int(value & 0xFFu)) : value;
    return QColor(int(rgb & 0xFF), int((rgb >> 8) & 0xFF), int((rgb >> 16) & 0xFF));
}

const SystemColors& SystemColors::application() {
    if (!QGuiApplication::instance()) return classic();
    static std::optional<SystemColors> cached;
    if (!cached) {
        const QPalette p = QGuiApplication::palette();
        Table t{};
        for (int i = 0; i < kCount; ++i) t[std::size_t(i)] = classic().color(i);
        const std::pair<int, QColor> roles[] = {
            {2, p.color(QPalette::Highlight)},
            {4, p.color(QPalette::Window)},
            {5, p.color(QPalette::Base)},
            {7, p.color(QPalette::WindowText)},
            {8, p.color(QPalette::Text)},
            {9, p.color(QPalette::HighlightedText)},
            {12, p.color(QPalette::Mid)},
            {13, p.color(QPalette::Highlight)},
            {14, p.color(QPalette::HighlightedText)},
            {15, p.color(QPalette::Button)},
            {16, p.color(QPalette::Dark)},
            {17, p.color(QPalette::Disabled, QPalette::Text)},
            {18, p.color(QPalette::ButtonText)},
            {20, p.color(QPalette::Light)},
            {21, p.color(QPalette::Shadow)},
            {22, p.color(QPalette::Midlight)},
            {23, p.color(QPalette::ToolTipText)},
            {24, p.color(QPalette::ToolTipBase)},
            {26, p.color(QPalette::Link)},
        };
        for (const auto& [index, colour] : roles) t[std::size_t(index)] = valueOf(colour);
        cached.emplace(t);
    }
    return *cached;
}
