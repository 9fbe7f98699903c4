// myveltrane: the window. Profiles and working files live in the program's
// folder (app/ProgramFolder.h) or the folder given with --dir.
#include "app/ProgramFolder.h"
#include "app/StandardOptions.h"
#include "app/myveltrane/DemoProfile.h"
#include "feed/FeedProfile.h"
#include "mainwindow/FormDefinition.h"
#include "host/QtDialogs.h"
#include "mainwindow/frmMain.h"

#include <QApplication>

#include <cstring>
#include <exception>
#include <filesystem>
#include <system_error>

namespace {
const char* const Usage =
    "Usage: myveltrane [--dir DIR] [--help] [--version]\n"
    "Opens the My Veltrane window, which turns a web page into an RSS feed by the\n"
    "markers of a profile. Profiles and working files live in the program's folder:\n"
    "beside the executable, or ~/.local/share/myveltrane for an installed program.\n"
    "\n"
    "  --dir DIR  keep profiles and working files in DIR instead\n"
    "  --help     this text\n"
    "  --version  the program's version\n"
    "\n"
    "The same engine runs without a window as veltrane (see veltrane --help).\n";
// The folder after "--dir" or in "--dir=DIR"; empty when not given.
std::filesystem::path dirOption(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--dir") == 0 && i + 1 < argc) return argv[i + 1];
        if (std::strncmp(argv[i], "--dir=", 6) == 0) return argv[i] + 6;
    }
    return {};
}
}  // namespace

int main(int argc, char** argv) {
    // Answered before Qt starts: no window, and no display needed.
    if (const int rc = answerStandardOptions(argc, argv, "myveltrane", Usage); rc >= 0) return rc;

    QApplication app(argc, argv);
    std::filesystem::path folder = dirOption(argc, argv);
    if (folder.empty()) {
        folder = programfolder::ForThisProgram(argv[0]);
    } else {
        std::error_code ec;
        folder = std::filesystem::absolute(folder, ec);
        std::filesystem::create_directories(folder, ec);
    }
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
