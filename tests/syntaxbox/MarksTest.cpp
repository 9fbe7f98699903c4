// Marks over a syntax box: the box is handed the marks on screen, clipped
// to it, in the order given, and hands them again as it scrolls.
#include "syntaxbox/RichBox.h"
#include "syntaxbox/htmSyntaxBox.h"
#include "syntaxbox/htmSyntaxBoxMarks.h"

#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {
// 5000 lines "<p>line</p>", one mark on each "<p>".
struct MarkedBox : ::testing::Test {
    htmSyntaxBox box;
    htmSyntaxBoxMarks* marks = new htmSyntaxBoxMarks(&box);
    static constexpr int LineLength = 12;  // "<p>line</p>" and the break

    void SetUp() override {
        QString text;
        for (int i = 0; i < 5000; ++i) text += "<p>line</p>\n";
        box.setText(text);
        box.resize(300, 200);
        box.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    }
    QList<QTextEdit::ExtraSelection> shown() const { return box.rtfHTML()->extraSelections(); }
};
}  // namespace

TEST_F(MarkedBox, OnlyTheMarksNearTheScreenAreHandedAndTheyFollowTheScroll) {
    std::vector<BoxMark> all;
    for (int i = 0; i < 5000; ++i) all.push_back({i * LineLength, i * LineLength + 3, Qt::yellow, {}});
    marks->setMarks(all);
    const int atTop = marks->shownCount();
    EXPECT_GT(atTop, 10);     // the lines on screen
    EXPECT_LT(atTop, 1000);   // not the whole text
    EXPECT_EQ(shown().first().cursor.selectionStart(), 0);
    EXPECT_EQ(shown().first().format.background().color(), QColor(Qt::yellow));

    QScrollBar* bar = box.rtfHTML()->verticalScrollBar();
    bar->setValue(bar->maximum());
    ASSERT_FALSE(shown().isEmpty());
    EXPECT_EQ(shown().last().cursor.selectionStart(), 4999 * LineLength);
    EXPECT_GT(shown().first().cursor.selectionStart(), 2000);
}

TEST_F(MarkedBox, ARegionLongerThanTheScreenIsClippedAndALaterMarkIsDrawnOverIt) {
    const int end = 5000 * LineLength;
    marks->setMarks({{LineLength, LineLength + 3, Qt::red, {}}, {0, end, {}, Qt::gray}});
    ASSERT_EQ(shown().size(), 2);
    EXPECT_EQ(shown()[0].format.background().color(), QColor(Qt::red));  // given first, drawn first
    const QTextCursor region = shown()[1].cursor;
    EXPECT_EQ(region.selectionStart(), 0);
    EXPECT_LT(region.selectionEnd(), end / 2);
    EXPECT_EQ(shown()[1].format.foreground().color(), QColor(Qt::gray));

    marks->clear();
    EXPECT_TRUE(shown().isEmpty());
}
