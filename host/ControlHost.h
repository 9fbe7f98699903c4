#pragma once
// What a containing window tells the controls it holds: whether it is in
// design mode, its ambient font and back colour, which button is the default
// (Enter) and which the cancel (Esc) button, and where messages go.
// A control without a host of its own uses ControlHost::runtime().
#include "host/Colour.h"

#include <QFont>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

class Dialogs;

class ControlHost : public QObject {
    Q_OBJECT
public:
    explicit ControlHost(QObject* parent = nullptr);

    // A shared host in run mode with the application's font and the button
    // face as back colour.
    static ControlHost* runtime();

    // Ambient UserMode: true at run time, false in design mode.
    bool userMode() const { return userMode_; }
    void setUserMode(bool on);

    QFont font() const { return font_; }
    void setFont(const QFont& font);

    ColourValue backColor() const { return backColor_; }
    void setBackColor(ColourValue colour);

    // Ambient DisplayAsDefault for one control: true for the default button.
    bool displayAsDefault(const QWidget* control) const;
    // Ambient DisplayName: the control's name on its form.
    QString displayName(const QWidget* control) const;

    QWidget* defaultButton() const { return defaultButton_; }
    void setDefaultButton(QWidget* button);
    QWidget* cancelButton() const { return cancelButton_; }
    void setCancelButton(QWidget* button) { cancelButton_ = button; }

    // Where design-time messages go, and the title they carry.
    Dialogs* dialogs() const { return dialogs_; }
    void setDialogs(Dialogs* dialogs) { dialogs_ = dialogs; }
    QString title() const { return title_; }
    void setTitle(const QString& title) { title_ = title; }

signals:
    // Name of the ambient property that changed: "UserMode", "Font",
    // "BackColor", "DisplayAsDefault".
    void ambientChanged(const QString& name);

private:
    bool userMode_ = true;
    QFont font_;
    ColourValue backColor_ = kButtonFaceColor;
    QPointer<QWidget> defaultButton_;
    QPointer<QWidget> cancelButton_;
    Dialogs* dialogs_ = nullptr;
    QString title_;
};
