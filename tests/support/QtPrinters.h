#pragma once
#include <QString>
#include <ostream>
// Defined in qt_test_main.cpp; declared here so GoogleTest finds it.
void PrintTo(const QString& s, std::ostream* os);
