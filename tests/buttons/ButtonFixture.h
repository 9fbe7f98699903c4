#pragma once
// A form with its host and scripted dialogs, buttons on it, and a recorder
// that writes every event a button raises as one line of text.
#include "ControlHost.h"
#include "ScriptedDialogs.h"
#include "modWenTimer.h"
#include "wenButtons_H.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// "MouseDown 1 0", "Click", "KeyUp 32", "MouseOnButton 1", ...
class EventLog {
public:
    void attach(wenButtons_H* b, const std::string& name = {}) {
        const std::string p = name.empty() ? "" : name + " ";
        QObject::connect(b, &wenButtons_H::MouseDown, [this, p](short& bt, short& s, float&, float&) {
            add(p + "MouseDown " + std::to_string(bt) + " " + std::to_string(s));
        });
        QObject::connect(b, &wenButtons_H::MouseUp, [this, p](short& bt, short& s, float&, float&) {
            add(p + "MouseUp " + std::to_string(bt) + " " + std::to_string(s));
        });
        QObject::connect(b, &wenButtons_H::KeyDown,
                         [this, p](short& k, short&) { add(p + "KeyDown " + std::to_string(k)); });
        QObject::connect(b, &wenButtons_H::KeyPress,
                         [this, p](short& k) { add(p + "KeyPress " + std::to_string(k)); });
        QObject::connect(b, &wenButtons_H::KeyUp,
                         [this, p](short& k, short&) { add(p + "KeyUp " + std::to_string(k)); });
        QObject::connect(b, &wenButtons_H::MouseOnButton,
                         [this, p](bool& on) { add(p + "MouseOnButton " + std::to_string(int(on))); });
        QObject::connect(b, &wenButtons_H::Click, [this, p] { add(p + "Click"); });
        QObject::connect(b, &wenButtons_H::DoubleClick,
                         [this, p](short& bt) { add(p + "DoubleClick " + std::to_string(bt)); });
    }
    void add(const std::string& line) { lines.push_back(line); }
    // Lines without the mouse moves and key presses, which tests rarely need.
    std::vector<std::string> lines;
    void clear() { lines.clear(); }
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

    void showForm() {
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }

    void designMode() { host.setUserMode(false); }

    std::vector<std::string> messageTexts() const {
        std::vector<std::string> out;
        for (const auto& c : dialogs.messages()) out.push_back(c.text);
        return out;
    }

    ControlHost host;
    ScriptedDialogs dialogs;
    std::unique_ptr<QWidget> form;
    EventLog log;
};

inline std::vector<std::string> Lines(std::initializer_list<const char*> l) {
    return std::vector<std::string>(l.begin(), l.end());
}
