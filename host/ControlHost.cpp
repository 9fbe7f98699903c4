#include "host/ControlHost.h"

#include <QApplication>

ControlHost::ControlHost(QObject* parent) : QObject(parent), font_(QApplication::font()) {}

ControlHost* ControlHost::runtime() {
    static ControlHost* host = new ControlHost(qApp);
    return host;
}

void ControlHost::setUserMode(bool on) {
    if (userMode_ == on) return;
    userMode_ = on;
    emit ambientChanged("UserMode");
}

void ControlHost::setFont(const QFont& font) {
    font_ = font;
    emit ambientChanged("Font");
}

void ControlHost::setBackColor(ColourValue colour) {
    if (backColor_ == colour) return;
    backColor_ = colour;
    emit ambientChanged("BackColor");
}

bool ControlHost::displayAsDefault(const QWidget* control) const {
    return control && control == defaultButton_.data();
}

QString ControlHost::displayName(const QWidget* control) const {
    return control ? control->objectName() : QString();
}

void ControlHost::setDefaultButton(QWidget* button) {
    if (defaultButton_ == button) return;
    defaultButton_ = button;
    emit ambientChanged("DisplayAsDefault");
}
