#pragma once
// The drawing side of the button: everything the widget calls to prepare and
// paint a ButtonModel. The widget owns one ButtonDrawing for its life; it
// keeps the derived colours, the caption font, the prepared picture copy, the
// back buffer and the clip regions, and paints the whole face into the back
// buffer on every Redraw before the window shows it in one piece.
#include "buttons/paint/ButtonLayout.h"
#include "buttons/paint/ButtonModel.h"
#include "buttons/paint/ButtonWindow.h"
#include "buttons/paint/ColorMath.h"
#include "buttons/paint/MemorySurface.h"
#include "host/SystemColors.h"

#include <QFont>
#include <QImage>
#include <QRegion>
#include <QString>
#include <array>
#include <cstdint>
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
    // drawing is delayed) a new outline, layout and redraw. The one place
    // that runs this sequence.
    void HandleResize();

    // Paints the whole button into the back buffer with the painter of its
    // style, copies it to the screen image, frames shaped outlines there and
    // asks the window to show it. Does nothing while drawing is delayed.
    void Redraw();
    // Calls of Redraw so far, and those that painted (drawing not delayed).
    int redrawCount() const { return redrawCount_; }
    int paintedCount() const { return paintedCount_; }

    // The system colours this drawing translates colour values with.
    const SystemColourTable& systemColors() const { return system_; }

    // State kept between redraws, readable for the widget and for tests.
    const QFont& captionFont() const { return captionFont_; }
    const QImage& backBuffer() const { return hMemDC_.image(); }
    const QImage& screen() const { return screen_; }

private:
    // Per-redraw state handed between a painter and Redraw: the three rings'
    // points, one colour per ring side (1..12, none = not drawn; 12 is also
    // the colour the shaped outline is framed in), the look and the finish
    // code (0 nothing to show, 1 copy, 3 or 4 copy and frame).
    struct PaintState {
        std::array<QPoint, 16> EdgePoints{};
        std::array<std::optional<Rgb>, 13> EdgeColors{};
        int nLook = 0;
        int nFinish = 0;
    };

    // Runs one painter into the back buffer without showing it; returns the
    // finished state.
    PaintState PaintOnly();
    // Back buffer: created when missing (prepare), or copied to the screen.
    void UpdateBackBuffer(bool prepare);
    void ensureBackBuffer();
    // Whether the back buffer has the client size and the window's ratio.
    bool backBufferFits() const;
    QSize measureCaption(const QString& text, int width, int height) const;

    // Face fill and colours.
    // A filled rectangle without a visible border.
    void FillBox(int left, int top, int right, int bottom, Rgb fill);
    void GradientFill(Rgb first, Rgb last, int mode);
    void PaintBackground(Rgb face, int& nLook, int& nFinish, Rgb gradient, Rgb hover);
    void PrepareFaceClip(int& nFinish);
    bool CustomClickShift();

    // Pens, brushes and the text colour: kind 0 brush (and the pen too when
    // penToo), 1 pen, 2 text colour.
    void SetDrawTool(int kind, Rgb colour, bool penToo = false, int penWidth = 1,
                     int penStyle = PenSolid);

    // Painters, one a style; 0, 1, 3, 4, 5 and 6 share one skeleton.
    void PaintStyle(int style, PaintState& st);
    void PaintStyle0(PaintState& st) { PaintCommon(0, st); }
    void PaintStyle1(PaintState& st) { PaintCommon(1, st); }
    void PaintStyle2(PaintState& st);
    void PaintStyle3(PaintState& st) { PaintCommon(3, st); }
    void PaintStyle4(PaintState& st) { PaintCommon(4, st); }
    void PaintStyle5(PaintState& st) { PaintCommon(5, st); }
    void PaintStyle6(PaintState& st) { PaintCommon(6, st); }
    void PaintStyle7(PaintState& st);
    void PaintCommon(int style, PaintState& st);
    void FinishShape(PaintState& st);
    void DrawEdges(PaintState& st, int outerPenStyle);

    // Caption, picture and focus.
    void BuildPictureRegion(int width, int height, QRegion* region);
    void DrawPicture(Rect rect);
    // bitmap scaled into dest, leaving out the colour of its top-left pixel.
    void DrawTransparentBitmap(MemorySurface& target, const QRect& dest, const QImage& bitmap);
    // captionColour: the painter's own caption colour, if it has one.
    void DrawCaptionAndPicture(Rgb face, std::optional<Rgb> captionColour, bool shownDown, bool singlePass);
    // colour: the focus outline's colour; black when none.
    void DrawFocus(std::optional<Rgb> colour, bool solidOutline, bool aroundCaption);
    void drawCaption(const QString& text, const Rect& cap, Rgb colour);

    // Outline of the shaped buttons on the screen image.
    void frameOutline(const PaintState& st);

    bool pressedInside() const { return (m_.nFlags & (FlagPressed | FlagHover)) == (FlagPressed | FlagHover); }
    bool defaultLook() const { return (m_.nFlags & FlagDefaultLook) != 0; }
    int W() const { return m_.ScaleWidth; }
    int H() const { return m_.ScaleHeight; }

    ButtonModel& m_;
    ButtonWindow& window_;
    const SystemColourTable& system_;
    int redrawCount_ = 0;
    int paintedCount_ = 0;

    DerivedColors derived_;
    QFont captionFont_;
    QImage hPicBitmap_;           // picture scaled to its drawn size (bitmaps only)
    QImage hPicDevice_;           // the same at the back buffer's device pixels, above ratio 1
    MemorySurface hMemDC_;        // the back buffer and its tools
    QImage screen_;            // back buffer plus the outline frame
    std::optional<QRegion> hRgnEdge_;   // one pixel inside the outline
    std::optional<QRegion> hRgnInner_;  // two pixels inside the outline
};
