#include "app/button-gallery/ContactSheet.h"

#include "buttons/paint/ButtonPainting.h"
#include "buttons/paint/OffscreenWindow.h"

#include <QFont>
#include <QPainter>

namespace {

constexpr int kButtonW = 120, kButtonH = 30;
constexpr int kCellW = 132, kCellH = 40;
constexpr int kLabelW = 112, kHeaderH = 34;

const Picture& smallPicture() {
    static const Picture p = Picture::fromFile(":/gallery/picture16.bmp");
    return p;
}
const Picture& shapePicture() {
    static const Picture p = Picture::fromFile(":/gallery/shape.bmp");
    return p;
}

// The face colour of the platform's buttons.
QColor sheetBackground() { return SystemColors::application().toQColor(kButtonFaceColor); }

const char* stateName(ButtonState s) {
    switch (s) {
    case ButtonState::Normal: return "normal";
    case ButtonState::Hot: return "hot";
    case ButtonState::Pressed: return "pressed";
    case ButtonState::Disabled: return "disabled";
    case ButtonState::Default: return "default";
    case ButtonState::On: return "check on";
    }
    return "";
}

}  // namespace

QImage RenderButton(int style, int shape, ButtonState state, bool gradient) {
    ButtonModel m;
    m.ScaleWidth = kButtonW;
    m.ScaleHeight = kButtonH;
    m.ButtonStyle = style;
    m.ButtonShape = shape;
    m.Caption = shape >= 7 ? "&Go" : "&Caption";
    m.CaptionAlign = 2;
    m.ShowFocusRect = true;
    m.BackColor = kButtonFaceColor;
    m.HoverBackColor = kButtonFaceColor;
    m.ForeColor = kButtonTextColor;
    m.HoverForeColor = MakeRgb(0, 0, 160);
    m.HoverColorLocks = 2;
    m.Font = QFont("DejaVu Sans", 8);
    m.cParentBack = TranslateColor(kButtonFaceColor, SystemColors::application().table());
    if (shape >= 7) {
        m.Picture = shapePicture();
        m.nPicSize = 48;
    } else {
        m.Picture = smallPicture();
        m.nPicSize = 16;
        m.PictureAlign = 1;
    }
    if (gradient) {
        m.GradientMode = 1;
        m.GradientColor = MakeRgb(150, 190, 240);
        m.HoverBackColor = m.GradientColor;  // a locked hover colour follows the gradient
    }
    switch (state) {
    case ButtonState::Normal: break;
    case ButtonState::Hot:
        m.bHoverTracking = true;
        m.nFlags |= FlagHover;
        break;
    case ButtonState::Pressed:
        m.bHoverTracking = true;
        m.bHeld = true;
        m.nFlags |= FlagHover | FlagPressed;
        break;
    case ButtonState::Disabled: m.Enabled = false; break;
    case ButtonState::Default: m.nFlags |= FlagDefaultLook; break;
    case ButtonState::On:
        m.Mode = 1;
        m.Value = true;
        break;
    }

    OffscreenWindow window(m);
    ButtonDrawing drawing(m, window);
    drawing.RefreshDerived("BackColor");
    drawing.RefreshDerived("Picture");
    drawing.HandleResize();  // back buffer, outline, layout, first redraw
    drawing.CalculateLayout(true);
    drawing.Redraw();

    QImage cell(drawing.screen().size(), QImage::Format_RGB32);
    cell.fill(sheetBackground());
    QPainter p(&cell);
    if (!window.region.isEmpty()) p.setClipRegion(window.region);
    p.drawImage(0, 0, drawing.screen());
    return cell;
}

SheetLayout FullSheet() {
    SheetLayout s;
    for (int shape = 0; shape <= 8; ++shape)
        for (int style = 0; style <= 7; ++style) s.rows.push_back({style, shape});
    for (bool gradient : {false, true})
        for (ButtonState st : {ButtonState::Normal, ButtonState::Hot, ButtonState::Pressed,
                               ButtonState::Disabled, ButtonState::Default, ButtonState::On})
            s.columns.push_back({st, gradient});
    return s;
}

SheetLayout CompactSheet() {
    SheetLayout s;
    for (int style = 0; style <= 7; ++style) s.rows.push_back({style, 0});
    const SheetRow shaped[] = {{7, 1}, {2, 2}, {1, 3}, {0, 4}, {2, 5}, {6, 6}, {7, 7}, {0, 8}};
    for (const SheetRow& r : shaped) s.rows.push_back(r);
    for (ButtonState st : {ButtonState::Normal, ButtonState::Hot, ButtonState::Pressed,
                           ButtonState::Disabled, ButtonState::Default, ButtonState::On})
        s.columns.push_back({st, false});
    s.columns.push_back({ButtonState::Normal, true});
    s.columns.push_back({ButtonState::Hot, true});
    return s;
}

QImage RenderSheet(const SheetLayout& layout) {
    const int width = kLabelW + int(layout.columns.size()) * kCellW;
    const int height = kHeaderH + int(layout.rows.size()) * kCellH;
    QImage sheet(width, height, QImage::Format_RGB32);
    sheet.fill(sheetBackground());
    QPainter p(&sheet);
    QFont labelFont("DejaVu Sans");
    labelFont.setPixelSize(11);
    p.setFont(labelFont);
    p.setPen(QColor(40, 40, 40));

    for (std::size_t c = 0; c < layout.columns.size(); ++c) {
        const SheetColumn& col = layout.columns[c];
        const QRect r(kLabelW + int(c) * kCellW, 2, kCellW, kHeaderH - 4);
        p.drawText(r, Qt::AlignCenter,
                   QString("%1%2").arg(stateName(col.state), col.gradient ? "\ngradient" : ""));
    }
    for (std::size_t i = 0; i < layout.rows.size(); ++i) {
        const SheetRow& row = layout.rows[i];
        const int y = kHeaderH + int(i) * kCellH;
        p.drawText(QRect(6, y, kLabelW - 8, kCellH), Qt::AlignVCenter | Qt::AlignLeft,
                   QString("style %1, shape %2").arg(row.style).arg(row.shape));
        for (std::size_t c = 0; c < layout.columns.size(); ++c) {
            const SheetColumn& col = layout.columns[c];
            const QImage button = RenderButton(row.style, row.shape, col.state, col.gradient);
            const int x = kLabelW + int(c) * kCellW + (kCellW - button.width()) / 2;
            p.drawImage(x, y + (kCellH - button.height()) / 2, button);
        }
    }
    return sheet;
}
