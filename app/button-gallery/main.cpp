// button-gallery OUT.png: a contact sheet of the button in every style,
// shape and state, rendered without a display.
// button-gallery --compact OUT.png: the small sheet shown in the README.
#include "app/button-gallery/ContactSheet.h"

#include <QApplication>
#include <QFont>
#include <cstdio>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setFont(QFont("DejaVu Sans", 9));

    const QStringList args = app.arguments().mid(1);
    const bool compact = args.size() == 2 && args[0] == "--compact";
    if (!(args.size() == 1 || compact)) {
        std::fprintf(stderr, "usage: button-gallery [--compact] OUT.png\n");
        return 2;
    }
    const QString out = args.last();
    const QImage sheet = RenderSheet(compact ? CompactSheet() : FullSheet());
    if (!sheet.save(out, "PNG")) {
        std::fprintf(stderr, "button-gallery: cannot write %s\n", qPrintable(out));
        return 1;
    }
    return 0;
}
