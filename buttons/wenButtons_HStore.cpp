// The button's life cycle with its store: a new control, loading and saving.
#include "buttons/wenButtons_H.h"

#include "buttons/AccessKey.h"
#include "host/ControlHost.h"
#include "host/PropertyBag.h"

namespace {
ColourValue colourOf(const QVariant& v) { return static_cast<ColourValue>(v.toLongLong()); }
QVariant colour(ColourValue c) { return QVariant::fromValue<ColourValue>(c); }
QVariant int16(int v) { return QVariant::fromValue<qint16>(static_cast<qint16>(v)); }

// Runs one step of the load; a failure ends that step only.
template <typename F>
void step(F&& f) {
    try {
        f();
    } catch (...) {
    }
}
}  // namespace

void wenButtons_H::InitProperties() {
    recordContainer();
    ControlHost* h = host();
    m.Caption = h->displayName(this);
    m.CaptionAlign = 2;
    m.ShowFocusRect = true;
    m.HoverForeColor = kButtonTextColor;
    m.HoverBackColor = kButtonFaceColor;
    if (QWidget* form = window(); form && form != this) QWidget::setFont(form->font());
    m.cParentBack = parentBack();
    m.BackColor = kButtonFaceColor;
    RefreshDerived("BackColor");
    for (const char* key : {"Caption", "CapAlign", "Focus", "cFHover", "cBHover", "Font"}) announce(key);
}

void wenButtons_H::ReadProperties(const PropertyBag& bag) {
    recordContainer();
    ControlHost* h = host();
    m.cParentBack = parentBack();
    DelayDrawing(true);

    // Values go straight into place: a store written elsewhere may hold
    // values outside the setters' ranges, and they stay as read.
    m.Caption = bag.read("Caption", QString()).toString();
    m.CaptionAlign = bag.read("CapAlign", 2).toInt();
    m.ButtonStyle = bag.read("BackStyle", 0).toInt();
    m.ButtonShape = bag.read("Shape", 0).toInt();
    m.GradientMode = bag.read("Gradient", 0).toInt();
    m.GradientColor = colourOf(bag.read("cGradient", colour(kButtonFaceColor)));
    foreColor_ = colourOf(bag.read("cFore", colour(kButtonTextColor)));
    if (const QVariant f = bag.read("Font"); f.canConvert<QFont>() && f.isValid()) QWidget::setFont(f.value<QFont>());
    m.ShowFocusRect = bag.read("Focus", true).toBool();
    m.Mode = bag.read("Mode", 0).toInt();
    m.Value = bag.read("Value", false).toBool();
    m.CustomClick = bag.read("CustomClick", 0).toInt();
    m.Picture = bag.read("Image").value<::Picture>();
    m.nPicSize = static_cast<std::int16_t>(bag.read("ImgSize", 16).toInt());
    m.PictureAlign = bag.read("ImgAlign", 0).toInt();
    m.HoverForeColor = colourOf(bag.read("cFHover", colour(kButtonTextColor)));
    changingEnabled_ = true;
    QWidget::setEnabled(bag.read("Enabled", true).toBool());
    changingEnabled_ = false;
    m.BackColor = colourOf(bag.read("cBack", colour(h->backColor())));
    m.HoverBackColor = colourOf(bag.read("cBHover", colour(m.BackColor)));
    m.HoverColorLocks = bag.read("LockHover", 0).toInt();
    m.CaptionStyle = bag.read("CapStyle", 0).toInt();
    setMouseIcon(bag.read("mIcon").value<::Picture>());
    setMousePointer(bag.read("mPointer", 0).toInt());

    step([&] { RefreshDerived("Picture"); });
    step([&] { RefreshDerived("BackColor"); });
    step([&] { setCaption(m.Caption); });
    step([&] {
        if (m.Mode == 2) OptionToggle(1);
    });

    m.bDelayDrawing = false;
    HandleResize();
}

void wenButtons_H::WriteProperties(PropertyBag& bag) const {
    bag.write("Caption", m.Caption, QString());
    bag.write("CapAlign", m.CaptionAlign, 2);
    bag.write("BackStyle", m.ButtonStyle, 0);
    bag.write("Shape", m.ButtonShape, 0);
    bag.write("Font", font());
    bag.write("cFore", colour(foreColor_), colour(kButtonTextColor));
    bag.write("cFHover", colour(m.HoverForeColor), colour(kButtonTextColor));
    bag.write("cBhover", colour(m.HoverBackColor), colour(m.BackColor));
    bag.write("Focus", m.ShowFocusRect, true);
    bag.write("LockHover", m.HoverColorLocks, 0);
    bag.write("cGradient", colour(m.GradientColor), colour(kButtonFaceColor));
    bag.write("Gradient", m.GradientMode, 0);
    bag.write("CapStyle", m.CaptionStyle, 0);
    bag.write("Mode", m.Mode);
    bag.write("Value", m.Value);
    bag.write("CustomClick", m.CustomClick, 0);
    bag.write("ImgAlign", m.PictureAlign, 0);
    bag.write("Image", QVariant::fromValue(m.Picture), QVariant::fromValue(::Picture()));
    // A size never set counts as 16.
    bag.write("ImgSize", int16(m.picSize()), int16(16));
    bag.write("Enabled", Enabled(), true);
    bag.write("cBack", colour(m.BackColor));
    bag.write("mPointer", int16(mousePointer_), int16(0));
    if (!mouseIcon_.isNull() && mouseIcon_.handle() != 0) bag.write("mIcon", QVariant::fromValue(mouseIcon_));
}
