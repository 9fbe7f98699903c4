// button-demo: a few buttons of each mode (command buttons, check boxes, a
// group of option buttons) on one window. Every event they raise is printed
// on standard output as it arrives.
//
//   button-demo [--design] [--shot FILE.png]
//     --design  shows the form as in design mode
//     --shot    saves a picture of the window once shown, and ends
#include "app/StandardOptions.h"
#include "host/ControlHost.h"
#include "host/QtDialogs.h"
#include "buttons/wenButtons_H.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMimeData>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdio>
#include <cstring>

namespace {
const char* const Usage =
    "Usage: button-demo [--design] [--shot FILE.png]\n"
    "A window of owner-drawn buttons in each mode; every event they raise is\n"
    "printed on standard output as it arrives.\n"
    "\n"
    "  --design   shows the form as in design mode\n"
    "  --shot     saves a picture of the window once shown, and ends\n"
    "  --help     this text\n"
    "  --version  the program's version\n";

void print(const wenButtons_H* b, const QString& what) {
    std::printf("%-10s %s\n", qPrintable(b->objectName()), qPrintable(what));
    std::fflush(stdout);
}

QString mouseArgs(short button, short shift, float x, float y) {
    return QString("Button=%1 Shift=%2 x=%3 y=%4").arg(button).arg(shift).arg(x).arg(y);
}

void attach(wenButtons_H* b) {
    QObject::connect(b, &wenButtons_H::MouseDown, [b](short& bt, short& s, float& x, float& y) {
        print(b, "MouseDown " + mouseArgs(bt, s, x, y));
    });
    QObject::connect(b, &wenButtons_H::MouseUp, [b](short& bt, short& s, float& x, float& y) {
        print(b, "MouseUp " + mouseArgs(bt, s, x, y));
    });
    QObject::connect(b, &wenButtons_H::KeyDown,
                     [b](short& k, short& s) { print(b, QString("KeyDown KeyCode=%1 Shift=%2").arg(k).arg(s)); });
    QObject::connect(b, &wenButtons_H::KeyPress, [b](short& k) { print(b, QString("KeyPress KeyAscii=%1").arg(k)); });
    QObject::connect(b, &wenButtons_H::KeyUp,
                     [b](short& k, short& s) { print(b, QString("KeyUp KeyCode=%1 Shift=%2").arg(k).arg(s)); });
    QObject::connect(b, &wenButtons_H::MouseOnButton,
                     [b](bool& on) { print(b, QString("MouseOnButton %1").arg(on ? "True" : "False")); });
    QObject::connect(b, &wenButtons_H::Click,
                     [b] { print(b, QString("Click (Value=%1)").arg(b->Value() ? "True" : "False")); });
    QObject::connect(b, &wenButtons_H::DoubleClick,
                     [b](short& bt) { print(b, QString("DoubleClick Button=%1").arg(bt)); });
    QObject::connect(b, &wenButtons_H::OLEDragDrop,
                     [b](const QMimeData*& d, int& effect, short&, short&, float&, float&) {
                         print(b, QString("OLEDragDrop text=\"%1\" Effect=%2").arg(d ? d->text() : "").arg(effect));
                     });
    // Mouse moves are many; print only the first after each hover start.
}

wenButtons_H* button(QWidget* parent, ControlHost* host, const QString& name, const QString& caption, int mode,
                     int style) {
    auto* b = new wenButtons_H(parent);
    b->setObjectName(name);
    b->setHost(host);
    b->InitProperties();
    b->setCaption(caption);
    b->setButtonStyle(style);
    b->setMode(mode);
    b->setMinimumSize(140, 30);
    attach(b);
    return b;
}
}  // namespace

int main(int argc, char** argv) {
    if (const int rc = answerStandardOptions(argc, argv, "button-demo", Usage); rc >= 0) return rc;
    QApplication app(argc, argv);
    bool design = false;
    QString shot;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--design") == 0) design = true;
        else if (std::strcmp(argv[i], "--shot") == 0 && i + 1 < argc) shot = QString::fromLocal8Bit(argv[++i]);
    }

    QWidget form;
    form.setWindowTitle("Button demo");
    QtDialogs dialogs(&form);
    ControlHost host;
    host.setDialogs(&dialogs);
    host.setTitle("Button demo");
    host.setUserMode(!design);

    auto* layout = new QVBoxLayout(&form);
    layout->addWidget(new QLabel("Events are printed on standard output."));

    auto* commands = new QGroupBox("Command buttons");
    auto* cl = new QVBoxLayout(commands);
    auto* ok = button(commands, &host, "cmdOK", "&OK", 0, 0);
    auto* cancel = button(commands, &host, "cmdCancel", "Cancel", 0, 2);
    auto* flat = button(commands, &host, "cmdFlat", "F&lat||two lines", 0, 5);
    flat->setMinimumHeight(44);
    for (auto* b : {ok, cancel, flat}) cl->addWidget(b);
    host.setDefaultButton(ok);
    host.setCancelButton(cancel);
    layout->addWidget(commands);

    auto* checks = new QGroupBox("Check boxes");
    auto* kl = new QVBoxLayout(checks);
    kl->addWidget(button(checks, &host, "chkStrip", "&Strip markup", 1, 4));
    kl->addWidget(button(checks, &host, "chkAgain", "Ask &again", 1, 6));
    layout->addWidget(checks);

    auto* options = new QGroupBox("Option group");
    auto* ol = new QVBoxLayout(options);
    for (int i = 1; i <= 3; ++i)
        ol->addWidget(button(options, &host, QString("Option%1").arg(i), QString("Option &%1").arg(i), 2, 1));
    layout->addWidget(options);

    form.show();
    if (!shot.isEmpty()) {
        QTimer::singleShot(300, &form, [&] {
            const bool saved = form.grab().save(shot);
            if (!saved) std::fprintf(stderr, "button-demo: cannot write %s\n", qPrintable(shot));
            app.exit(saved ? 0 : 1);
        });
    }
    return app.exec();
}
