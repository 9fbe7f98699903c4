#pragma once
// A form with its host and scripted dialogs, buttons on it, and a recorder
// that writes every event a button raises as one line of text.
#include "ControlHost.h"
#include "PropertyBag.h"
#include "ScriptedDialogs.h"
#include "modWenTimer.h"
#include "wenButtons_H.h"

#include <QApplication>
#include <QImage>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

using Lines = std::vector<std::string>;

// "MouseDown 1 0", "Click", "KeyUp 32", "MouseOnButton 1", ...
class EventLog {
public:
    void attach(wenButtons_H* b, const std::string& name = {}) {
        const std::string p = name.empty() ? "" : name + " ";
        auto num = [](auto v) { return std::string(" ").append(std::to_string(v)); };
        QObject::connect(b, &wenButtons_H::MouseDown, [=, this](short& bt, short& s, float&, float&) {
            lines.push_back(p + "MouseDown" + num(bt) + num(s));
        });
        QObject::connect(b, &wenButtons_H::MouseUp, [=, this](short& bt, short& s, float&, float&) {
            lines.push_back(p + "MouseUp" + num(bt) + num(s));
        });
        QObject::connect(b, &wenButtons_H::KeyDown, [=, this](short& k, short&) { lines.push_back(p + "KeyDown" + num(k)); });
        QObject::connect(b, &wenButtons_H::KeyPress, [=, this](short& k) { lines.push_back(p + "KeyPress" + num(k)); });
        QObject::connect(b, &wenButtons_H::KeyUp, [=, this](short& k, short&) { lines.push_back(p + "KeyUp" + num(k)); });
        QObject::connect(b, &wenButtons_H::MouseOnButton, [=, this](bool& on) { lines.push_back(p + "MouseOnButton" + num(int(on))); });
        QObject::connect(b, &wenButtons_H::Click, [=, this] { lines.push_back(p + "Click"); });
        QObject::connect(b, &wenButtons_H::DoubleClick, [=, this](short& bt) { lines.push_back(p + "DoubleClick" + num(bt)); });
    }
    int count(const std::string& line) const { return int(std::count(lines.begin(), lines.end(), line)); }
    // The lines without the hover notices.
    Lines events() const {
        Lines out;
        for (const auto& l : lines)
            if (l.find("MouseOnButton") == std::string::npos) out.push_back(l);
        return out;
    }
    Lines lines;
};

class ButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        host.setDialogs(&dialogs);
        host.setTitle("Veltrane Forms");
        form = std::make_unique<QWidget>();
        form->resize(400, 300);
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
    // A button on the form that takes its properties from a store.
    wenButtons_H* load(const PropertyBag& bag, const QString& name = "Loaded") {
        auto* b = new wenButtons_H(form.get());
        b->setObjectName(name);
        b->setHost(&host);
        b->ReadProperties(bag);
        return b;
    }

    // Shows the form with the pointer resting away from the buttons.
    void showForm() {
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        QCursor::setPos(form->mapToGlobal(QPoint(300, 200)));
        QApplication::processEvents();
    }
    void activateForm() {
        showForm();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    void designMode() { host.setUserMode(false); }

    Lines messageTexts() const {
        Lines out;
        for (const auto& c : dialogs.messages()) out.push_back(c.text);
        return out;
    }

    ControlHost host;
    ScriptedDialogs dialogs;
    std::unique_ptr<QWidget> form;
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

inline ::Picture testPicture(int w, int h, bool asIcon = false) {
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(Qt::green);
    return asIcon ? ::Picture::icon(img) : ::Picture::bitmap(img);
}
