// button-gallery OUT.png: a contact sheet of the button in every style,
// shape and state, rendered without a display.
// button-gallery --compact OUT.png: the small sheet shown in the README.
#include "app/StandardOptions.h"
#include "app/button-gallery/ContactSheet.h"

#include <QApplication>
#include <QFont>
#include <cstdio>

namespace {
const char* const Usage =
    "Usage: button-gallery [--compact] OUT.png\n"
    "Renders the owner-drawn button in every style, shape and state into one PNG\n"
    "contact sheet, without a display.\n"
    "\n"
    "  --compact  the small sheet shown in the README\n"
    "  --help     this text\n"
    "  --version  the program's version\n";
}  // namespace

int main(int argc, char** argv) {
    if (const int rc = answerStandardOptions(argc, argv, "button-gallery", Usage); rc >= 0) return rc;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setFont(QFont("DejaVu Sans", 9));

    const QStringList args = app.arguments().mid(1);
    const bool compact = args.size() == 2 && args[0] == "--compact";
    if (!(args.size() == 1 || compact)) {
        std::fputs(Usage, stderr);
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
