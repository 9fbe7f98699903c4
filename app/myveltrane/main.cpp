// myveltrane: the window. The program's folder is the folder of the
// executable; profiles and working files live there.
#include "feed/FeedProfile.h"
#include "mainwindow/FormDefinition.h"
#include "host/QtDialogs.h"
#include "mainwindow/frmMain.h"

#include <QApplication>
#include <QFile>

#include <exception>
#include <filesystem>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const std::filesystem::path folder = QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
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
