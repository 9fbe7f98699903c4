// The Designer plugin as Designer and QUiLoader see it: one collection with
// both controls under "My Veltrane", and a .ui form of them that loads with
// its properties applied.
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>

#include <QFile>
#include <QFileInfo>
#include <QPluginLoader>
#include <QUiLoader>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

TEST(DesignerPlugin, ListsBothControlsUnderOneGroup) {
    QPluginLoader loader(QStringLiteral(DESIGNER_PLUGIN));
    ASSERT_TRUE(loader.load()) << loader.errorString().toStdString();
    auto* collection = qobject_cast<QDesignerCustomWidgetCollectionInterface*>(loader.instance());
    ASSERT_NE(collection, nullptr);

    QStringList names;
    for (QDesignerCustomWidgetInterface* w : collection->customWidgets()) {
        names << w->name();
        EXPECT_EQ(w->group(), "My Veltrane");
        // The class the entry names is the one it makes, with a form size.
        std::unique_ptr<QWidget> made(w->createWidget(nullptr));
        ASSERT_NE(made, nullptr);
        EXPECT_EQ(made->metaObject()->className(), w->name());
        EXPECT_TRUE(w->domXml().contains("<width>")) << w->domXml().toStdString();
    }
    EXPECT_EQ(names, QStringList({"htmSyntaxBox", "wenButtons_H"}));
}

TEST(DesignerPlugin, UiLoaderBuildsTheExampleFormWithItsProperties) {
    QUiLoader loader;
    loader.clearPluginPaths();
    loader.addPluginPath(QFileInfo(QStringLiteral(DESIGNER_PLUGIN)).absolutePath());
    EXPECT_TRUE(loader.availableWidgets().contains("wenButtons_H"));
    QFile ui(QStringLiteral(EXAMPLE_FORM));
    ASSERT_TRUE(ui.open(QIODevice::ReadOnly));
    std::unique_ptr<QWidget> form(loader.load(&ui));
    ASSERT_NE(form, nullptr) << loader.errorString().toStdString();

    // The plugin holds its own copy of the control classes: reach them
    // through the meta-object, as Designer does.
    auto* source = form->findChild<QWidget*>("source");
    ASSERT_NE(source, nullptr);
    EXPECT_STREQ(source->metaObject()->className(), "htmSyntaxBox");
    EXPECT_EQ(source->property("Text").toString(), "<p class=\"note\">Edit me &amp; colour me</p>");
    auto* entities = form->findChild<QWidget*>("entitiesButton");
    ASSERT_NE(entities, nullptr);
    EXPECT_STREQ(entities->metaObject()->className(), "wenButtons_H");
    EXPECT_EQ(entities->property("Caption").toString(), "Entities");
    EXPECT_EQ(entities->property("Mode").toInt(), 1);
}
