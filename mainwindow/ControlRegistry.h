#pragma once
// Which widget class stands behind a class name of the form definition
// ("Corvane.wenButtons_H"), and how a stored block becomes a live control.
#include "mainwindow/FormDefinition.h"

#include <QString>

#include <functional>
#include <map>

class QWidget;

class ControlRegistry {
public:
    // Creates the control under parent, named after the block, with the
    // block's stored settings applied.
    using Factory = std::function<QWidget*(const ControlDefinition&, QWidget* parent)>;

    void add(const QString& className, Factory factory);
    bool knows(const QString& className) const { return factories_.count(className) != 0; }

    // Throws FormDefinitionError for a class nobody registered.
    QWidget* create(const ControlDefinition& definition, QWidget* parent) const;

private:
    std::map<QString, Factory> factories_;
};
