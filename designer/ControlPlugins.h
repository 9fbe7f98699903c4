#pragma once
// The two controls as entries of Qt Designer's widget box, group
// "My Veltrane". Both create a control with its new-control defaults
// (InitProperties), so a form shows what a running program shows.
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <QObject>

// One entry: the class, its header, its look in the box and the size a new
// instance gets on a form.
class ControlPlugin : public QObject, public QDesignerCustomWidgetInterface {
    Q_OBJECT
    Q_INTERFACES(QDesignerCustomWidgetInterface)
public:
    using Factory = QWidget* (*)(QWidget* parent);
    ControlPlugin(const char* className, const char* header, const char* toolTip, QSize size, const char* extraXml,
                  Factory factory, QObject* parent);

    QString name() const override { return className_; }
    QString group() const override { return QStringLiteral("My Veltrane"); }
    QString toolTip() const override { return toolTip_; }
    QString whatsThis() const override { return toolTip_; }
    QString includeFile() const override { return header_; }
    QIcon icon() const override { return {}; }
    bool isContainer() const override { return false; }
    QWidget* createWidget(QWidget* parent) override { return factory_(parent); }
    bool isInitialized() const override { return initialized_; }
    void initialize(QDesignerFormEditorInterface*) override { initialized_ = true; }
    QString domXml() const override;

private:
    QString className_, header_, toolTip_, extraXml_;
    QSize size_;
    Factory factory_;
    bool initialized_ = false;
};

class ControlPlugins : public QObject, public QDesignerCustomWidgetCollectionInterface {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetCollectionInterface")
    Q_INTERFACES(QDesignerCustomWidgetCollectionInterface)
public:
    explicit ControlPlugins(QObject* parent = nullptr);
    QList<QDesignerCustomWidgetInterface*> customWidgets() const override { return widgets_; }

private:
    QList<QDesignerCustomWidgetInterface*> widgets_;
};
