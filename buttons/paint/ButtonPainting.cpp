#include "ButtonPainting.h"

ButtonDrawing::ButtonDrawing(ButtonModel& model, ButtonWindow& window, const SystemColors& system)
    : m_(model), window_(window), system_(system) {}

ButtonDrawing::~ButtonDrawing() = default;

Rgb ButtonDrawing::TranslateColor(std::uint32_t colour) const {
    return ::TranslateColor(colour, system_);
}

void ButtonDrawing::RefreshDerived(const QString& key) {
    if (key.compare(QLatin1String("BackColor"), Qt::CaseInsensitive) == 0)
        derived_ = DeriveColors(m_.ButtonStyle, TranslateColor(m_.BackColor),
                                TranslateColor(m_.HoverBackColor));
}

void ButtonDrawing::CalculateLayout(bool, const MeasureText&) {}
void ButtonDrawing::BuildShapeRegion() {}
void ButtonDrawing::HandleResize() {}
void ButtonDrawing::Redraw() {}
