// myveltrane: the window. The program's folder is the folder of the
// executable; profiles and working files live there.
#include "app/StandardOptions.h"
#include "app/myveltrane/DemoProfile.h"
#include "feed/FeedProfile.h"
#include "mainwindow/FormDefinition.h"
#include "host/QtDialogs.h"
#include "mainwindow/frmMain.h"

#include <QApplication>
#include <QFile>

#include <exception>
#include <filesystem>

namespace {
const char* const Usage =
    "Usage: myveltrane [--help] [--version]\n"
    "Opens the My Veltrane window, which turns a web page into an RSS feed by the\n"
    "markers of a profile. Profiles and working files live in the program's folder.\n"
    "\n"
    "  --help     this text\n"
    "  --version  the program's version\n"
    "\n"
    "The same engine runs without a window as veltrane (see veltrane --help).\n";
}  // namespace

int main(int argc, char** argv) {
    // Answered before Qt starts: no window, and no display needed.
    if (const int rc = answerStandardOptions(argc, argv, "myveltrane", Usage); rc >= 0) return rc;

    QApplication app(argc, argv);
    const std::filesystem::path folder = QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
    RelayDemoProfile(folder);
    QtDialogs dialogs;
    try {
        frmMain window(folder, dialogs);
        dialogs.setOwner(&window);
        window.show();
        return app.exec();
    } catch (const std::exception& e) {
        dialogs.message(e.what(), MessageIcon::Error, AppTitle);
        return 1;
    }
}
