// main() for widget tests: an offscreen QApplication around GoogleTest.
#include <QApplication>
#include <QFont>
#include <QString>
#include <gtest/gtest.h>

#include <ostream>

// Lets GoogleTest print QStrings readably in failure messages.
void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setFont(QFont("DejaVu Sans", 9));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
