#include "syntaxbox/QtProgressIndicator.h"

#include "syntaxbox/ControlError.h"

#include <QMetaObject>
#include <QProgressBar>
#include <QVariant>

namespace {
bool offers(const QObject* o, const char* name) {
    return o->metaObject()->indexOfProperty(name) >= 0 || o->dynamicPropertyNames().contains(name);
}
}  // namespace

QtProgressIndicator::QtProgressIndicator(QObject* object) : object_(object) {
    if (!object) return;
    if (offers(object, "Percent"))
        kind_ = Kind::Percent;
    else if (qobject_cast<QProgressBar*>(object) ||
             (offers(object, "Min") && offers(object, "Max") && offers(object, "Value")))
        kind_ = Kind::Range;
}

void QtProgressIndicator::set(const char* name, int value) {
    if (!object_ || !object_->setProperty(name, value))
        if (!object_ || !object_->dynamicPropertyNames().contains(name))
            throw ControlError(438, std::string("Object doesn't support this property or method: ") + name);
}

void QtProgressIndicator::start() {
    if (kind_ == Kind::Percent) {
        set("Percent", 0);
        return;
    }
    if (auto* bar = qobject_cast<QProgressBar*>(object_.data())) {
        bar->setRange(0, 100);
        bar->setValue(0);
        return;
    }
    set("Min", 0);
    set("Max", 100);
    set("Value", 0);
}

void QtProgressIndicator::show(uint8_t percent) {
    if (kind_ == Kind::Percent) {
        set("Percent", percent);
    } else if (auto* bar = qobject_cast<QProgressBar*>(object_.data())) {
        bar->setValue(percent);
    } else {
        set("Value", percent);
    }
}
