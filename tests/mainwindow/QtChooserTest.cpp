// The labels of the Qt file choosers' filters.
#include "host/QtDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QTimer>
#include <gtest/gtest.h>

TEST(QtChoosers, AFilterLabelShowsItsPatternsOnce) {
    const struct {
        FileFilter filter;
        QString label;
    } cases[] = {
        {{"HTML Files", "*.htm;*.html"}, "HTML Files (*.htm *.html)"},
        {{"XML Files *.xml", "*.xml"}, "XML Files (*.xml)"},
        {{"HTML Files (*.htm)", "*.htm"}, "HTML Files (*.htm)"},
    };
    for (const auto& c : cases) {
        QStringList shown;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                poll.stop();
                shown = d->nameFilters();
                d->reject();
            }
        });
        poll.start(10);
        QtDialogs().chooseOpenFile({"Open", {c.filter}, 0});
        EXPECT_EQ(shown, QStringList{c.label});
    }
}
