#pragma once
// The drawing side of the button: everything the widget calls to prepare and
// paint a ButtonModel. The widget owns one ButtonDrawing for its life; it
// keeps the derived colours, the caption font, the prepared picture copy, the
// back buffer and the clip regions, and paints the whole face into the back
// buffer on every Redraw before the window shows it in one piece.
#include "ButtonLayout.h"
#include "ButtonModel.h"
#include "ButtonWindow.h"
#include "ColorMath.h"
#include "SystemColors.h"

#include <QFont>
#include <QImage>
#include <QRegion>
#include <QString>
#include <memory>
#include <optional>

class ButtonDrawing {
public:
    ButtonDrawing(ButtonModel& model, ButtonWindow& window,
                  const SystemColors& system = SystemColors::application());
    ~ButtonDrawing();
    ButtonDrawing(const ButtonDrawing&) = delete;
    ButtonDrawing& operator=(const ButtonDrawing&) = delete;

    // Prepares one aspect: "BackColor" (the four derived face colours),
    // "Font" (the caption font) or "Picture" (kind, native size and the
    // prepared copy of the picture). Other keys do nothing.
    void RefreshDerived(const QString& key);

    // Places caption and picture (the model's rcCaption and rcPicture).
    // refreshPicture rebuilds the prepared picture copy at its new size.
    // Text is measured with the caption font unless measure is given.
    void CalculateLayout(bool refreshPicture, const MeasureText& measure = {});

    // Builds the outline for the current shape and style, hands it to the
    // window as its region and keeps the two clip regions one and two pixels
    // inside it. Slanted and picture shapes may resize the window.
    void BuildShapeRegion();

    // The window changed size: a back buffer of the new size, then (unless
    // drawing is delayed) a new outline, layout and redraw.
    void HandleResize();

    // Paints the whole button into the back buffer with the painter of its
    // style, copies it to the screen image, frames shaped outlines there and
    // asks the window to show it. Does nothing while drawing is delayed.
    void Redraw();

    // The system colour table and colour translation this drawing uses.
    Rgb TranslateColor(std::uint32_t colour) const;
    const SystemColors& systemColors() const { return system_; }

    // State kept between redraws, readable for the widget and for tests.
    const DerivedColors& derived() const { return derived_; }
    const QFont& captionFont() const { return captionFont_; }
    const QImage& backBuffer() const { return backBuffer_; }
    const QImage& screen() const { return screen_; }
    const QImage& pictureCopy() const { return picCopy_; }
    const std::optional<QRegion>& edgeRegion() const { return rgnEdge_; }
    const std::optional<QRegion>& innerRegion() const { return rgnInner_; }

private:
    ButtonModel& m_;
    ButtonWindow& window_;
    const SystemColors& system_;

    DerivedColors derived_;
    QFont captionFont_;
    QImage picCopy_;           // picture scaled to its drawn size (bitmaps only)
    QImage backBuffer_;        // client size; every redraw paints all of it
    QImage screen_;            // back buffer plus the outline frame
    std::optional<QRegion> rgnEdge_;   // one pixel inside the outline
    std::optional<QRegion> rgnInner_;  // two pixels inside the outline
};
