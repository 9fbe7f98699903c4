// Every program answers --help and --version before it starts anything.
#include "tests/support/TempDir.h"

#include <QProcess>
#include <gtest/gtest.h>

TEST(ProgramOptions, EveryProgramAnswersHelpAndVersionWithoutOpeningAWindow) {
    TempDir work;
    // No display: a program that started its window here would fail.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.insert("QT_QPA_PLATFORM", "xcb");
    for (const char* exe : {MYVELTRANE_EXE, VELTRANE_EXE, BUTTON_DEMO_EXE, BUTTON_GALLERY_EXE}) {
        const std::string name = std::filesystem::path(exe).filename().string();
        for (const std::string option : {"--help", "--version"}) {
            QProcess run;
            run.setProcessEnvironment(env);
            run.setWorkingDirectory(QString::fromStdString(work.str()));
            run.start(exe, {QString::fromStdString(option)});
            ASSERT_TRUE(run.waitForFinished(20000)) << name << option;
            EXPECT_EQ(run.exitCode(), 0) << name << option;
            const std::string out = run.readAllStandardOutput().toStdString();
            EXPECT_EQ(option == "--version" ? out : out.substr(0, 7 + name.size()),
                      option == "--version" ? name + " " + PROJECT_VERSION + "\n" : "Usage: " + name)
                << out;
        }
    }
    EXPECT_TRUE(std::filesystem::is_empty(work.path())) << "a program wrote a file";
}
