#include "designer/ControlPlugins.h"

#include "buttons/wenButtons_H.h"
#include "syntaxbox/htmSyntaxBox.h"

ControlPlugin::ControlPlugin(const char* className, const char* header, const char* toolTip, QSize size,
                             const char* extraXml, Factory factory, QObject* parent)
    : QObject(parent), className_(QString::fromLatin1(className)), header_(QString::fromLatin1(header)),
      toolTip_(QString::fromLatin1(toolTip)), extraXml_(QString::fromLatin1(extraXml)), size_(size),
      factory_(factory) {}

QString ControlPlugin::domXml() const {
    // The object name Designer starts from, and the size a new instance gets.
    QString objectName = className_;
    objectName[0] = objectName[0].toLower();
    return QStringLiteral(
               "<ui language=\"c++\"><widget class=\"%1\" name=\"%2\">"
               "<property name=\"geometry\"><rect><x>0</x><y>0</y><width>%3</width><height>%4</height></rect>"
               "</property>%5</widget></ui>")
        .arg(className_, objectName)
        .arg(size_.width())
        .arg(size_.height())
        .arg(extraXml_);
}

ControlPlugins::ControlPlugins(QObject* parent) : QObject(parent) {
    widgets_.append(new ControlPlugin(
        "htmSyntaxBox", "syntaxbox/htmSyntaxBox.h", "Text box that colours HTML and XML source", QSize(320, 200), "",
        [](QWidget* parent) -> QWidget* { return new htmSyntaxBox(parent); }, this));
    // The caption a new button starts with is its own name, as in a running
    // program; the entry gives it a readable one instead. The button has no
    // size hint of its own, so in a layout it keeps the height of a button
    // only with a minimum size and a fixed vertical policy.
    widgets_.append(new ControlPlugin(
        "wenButtons_H", "buttons/wenButtons_H.h", "Owner-drawn button: push button, check box or option button",
        QSize(100, 30),
        "<property name=\"minimumSize\"><size><width>60</width><height>30</height></size></property>"
        "<property name=\"sizePolicy\"><sizepolicy hsizetype=\"Preferred\" vsizetype=\"Fixed\">"
        "<horstretch>0</horstretch><verstretch>0</verstretch></sizepolicy></property>"
        "<property name=\"Caption\"><string>Button</string></property>",
        [](QWidget* parent) -> QWidget* {
            auto* b = new wenButtons_H(parent);
            b->InitProperties();
            return b;
        },
        this));
}
