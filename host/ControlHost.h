#pragma once
// What a containing window tells the controls it holds: whether it is in
// design mode, its ambient font and back colour, which button is the default
// (Enter) and which the cancel (Esc) button, and where messages go.
// A control without a host of its own uses ControlHost::runtime().
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

    // Colour value in the program's convention (0x00BBGGRR, or 0x80000000 + n
    // for a system colour).
    quint32 backColor() const { return backColor_; }
    void setBackColor(quint32 colour);

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
    quint32 backColor_ = 0x8000000F;
    QPointer<QWidget> defaultButton_;
    QPointer<QWidget> cancelButton_;
    Dialogs* dialogs_ = nullptr;
    QString title_;
};
