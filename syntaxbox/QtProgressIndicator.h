#pragma once
// A progress indicator held by the host as a QObject: a QProgressBar, or any
// object with Min, Max and Value properties, is a range indicator; an object
// with a Percent property is a percent indicator; anything else is none.
#include "syntaxbox/ProgressIndicator.h"

#include <QObject>
#include <QPointer>

class QtProgressIndicator : public ProgressIndicator {
public:
    explicit QtProgressIndicator(QObject* object);
    Kind kind() const override { return kind_; }
    void start() override;
    void show(uint8_t percent) override;

private:
    void set(const char* name, int value);
    QPointer<QObject> object_;
    Kind kind_ = Kind::None;
};
