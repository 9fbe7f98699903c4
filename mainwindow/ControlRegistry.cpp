#include "mainwindow/ControlRegistry.h"

#include <QWidget>

void ControlRegistry::add(const QString& className, Factory factory) {
    factories_[className] = std::move(factory);
}

QWidget* ControlRegistry::create(const ControlDefinition& definition, QWidget* parent) const {
    const auto it = factories_.find(definition.className);
    if (it == factories_.end())
        throw FormDefinitionError(QStringLiteral("line %1: no control class \"%2\" for \"%3\"")
                                      .arg(definition.line)
                                      .arg(definition.className, definition.name)
                                      .toStdString());
    QWidget* w = it->second(definition, parent);
    w->setObjectName(definition.name);
    return w;
}
