#pragma once
// A form with its host and scripted dialogs, buttons on it, and a recorder
// that writes every event a button raises as one line of text.
#include "host/ControlHost.h"
#include "host/PropertyBag.h"
#include "tests/support/ScriptedDialogs.h"
#include "buttons/modWenTimer.h"
#include "buttons/wenButtons_H.h"

#include <QApplication>
#include <QCursor>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

using Lines = std::vector<std::string>;

// "MouseDown 1 0", "Click", "KeyUp 32", "MouseOnButton 1", ...: the event's
// name and its first arguments (the button and shift state, the key, ...).
class EventLog {
public:
    void attach(wenButtons_H* b) {
        auto record = [&](auto signal, const char* event, int shown) {
            QObject::connect(b, signal, [=, this](auto&... args) {
                std::string line = event;
                int i = 0;
                ((i++ < shown ? line.append(" ").append(std::to_string(+args)) : line), ...);
                lines.push_back(line);
            });
        };
        record(&wenButtons_H::MouseDown, "MouseDown", 2);
        record(&wenButtons_H::MouseUp, "MouseUp", 2);
        record(&wenButtons_H::KeyDown, "KeyDown", 1);
        record(&wenButtons_H::KeyPress, "KeyPress", 1);
        record(&wenButtons_H::KeyUp, "KeyUp", 1);
        record(&wenButtons_H::MouseOnButton, "MouseOnButton", 1);
        record(&wenButtons_H::Click, "Click", 0);
        record(&wenButtons_H::DoubleClick, "DoubleClick", 1);
    }
    // The lines without the hover notices.
    Lines events() const {
        Lines out;
        for (const auto& l : lines)
            if (l.find("MouseOnButton") == std::string::npos) out.push_back(l);
        return out;
    }
    Lines lines;
};

// A form with one new button, b, on it.
class ButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        host.setDialogs(&dialogs);
        host.setTitle("Veltrane Forms");
        form = std::make_unique<QWidget>();
        form->resize(400, 300);
        b = addButton();
    }
    void TearDown() override {
        modWenTimer::setPointerSource({});
        form.reset();
    }

    // A new button on the form, initialised as a control placed for the
    // first time.
    wenButtons_H* addButton(const QString& name = "wenButtons_H1", QRect geometry = QRect(10, 10, 100, 30)) {
        auto* b = new wenButtons_H(form.get());
        b->setObjectName(name);
        b->setGeometry(geometry);
        b->setHost(&host);
        b->InitProperties();
        return b;
    }

    // Shows the form, active, with the pointer resting away from the buttons.
    void showForm() {
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        QCursor::setPos(form->mapToGlobal(QPoint(300, 200)));
        QApplication::processEvents();
    }

    ControlHost host;
    ScriptedDialogs dialogs;
    std::unique_ptr<QWidget> form;
    wenButtons_H* b = nullptr;
    EventLog log;
};

// Keys a button announces while f runs.
inline Lines announced(wenButtons_H* b, const std::function<void()>& f) {
    Lines keys;
    auto c = QObject::connect(b, &wenButtons_H::PropertyChanged, [&](const QString& k) { keys.push_back(k.toStdString()); });
    f();
    QObject::disconnect(c);
    return keys;
}

// Redraw calls while f runs.
inline int redraws(wenButtons_H* b, const std::function<void()>& f) {
    const int before = b->redrawCount();
    f();
    return b->redrawCount() - before;
}

// Green; as a bitmap its magenta top-left pixel is the transparent colour.
inline ::Picture testPicture(int w, int h, bool asIcon = false) {
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(Qt::green);
    img.setPixelColor(0, 0, Qt::magenta);
    return asIcon ? ::Picture::icon(img) : ::Picture::bitmap(img);
}

// The named properties' values.
inline QVariantList props(const QObject* b, std::initializer_list<const char*> names) {
    QVariantList out;
    for (const char* name : names) out << b->property(name);
    return out;
}
inline void PrintTo(const QVariant& v, std::ostream* os) { *os << v.toString().toStdString(); }
