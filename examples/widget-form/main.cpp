// The form from SourceForm.ui: a syntax box and three buttons. "Colour"
// colours the text, "Entities" (a check box button) switches the typing of
// entities for & < > on and off, "Close" ends the program.
#include <ui_SourceForm.h>  // made by uic in the build tree

#include <QApplication>
#include <QTimer>

#include <cstring>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget form;
    Ui::SourceForm ui;
    ui.setupUi(&form);

    QObject::connect(ui.colourButton, &wenButtons_H::Click, [&] { ui.source->Colorize(); });
    QObject::connect(ui.entitiesButton, &wenButtons_H::Click,
                     [&] { ui.source->setEntities(ui.entitiesButton->Value() ? 62 : 0); });
    QObject::connect(ui.closeButton, &wenButtons_H::Click, &form, &QWidget::close);

    ui.source->Colorize();
    form.show();
    // --quit: show the form and end at once (a check that it starts).
    if (argc > 1 && std::strcmp(argv[1], "--quit") == 0) QTimer::singleShot(0, &app, &QApplication::quit);
    return app.exec();
}
