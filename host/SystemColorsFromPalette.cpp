// The system colours a running application offers: the palette's colour for
// each number with a matching role, the classic table for the others.
#include "host/SystemColors.h"

#include <QGuiApplication>
#include <QPalette>
#include <optional>
#include <utility>

QColor SystemColors::toQColor(ColourValue value) const {
    const Rgb rgb = TranslateColor(value, table_);
    return QColor(RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
}

const SystemColors& SystemColors::application() {
    if (!QGuiApplication::instance()) return classic();
    static std::optional<SystemColors> cached;
    if (!cached) {
        const QPalette p = QGuiApplication::palette();
        Table t = classic().table();
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
        for (const auto& [index, c] : roles) t[std::size_t(index)] = MakeRgb(c.red(), c.green(), c.blue());
        cached.emplace(t);
    }
    return *cached;
}
