#include "syntaxbox/ControlError.h"
#include "host/ControlHost.h"
#include "syntaxbox/MemoryTextBox.h"
#include "host/PropertyBag.h"
#include "syntaxbox/RichBox.h"
#include "tests/support/TempDir.h"
#include "syntaxbox/htmSyntaxBox.h"

#include <QApplication>
#include <QFileInfo>
#include <QPdfWriter>
#include <QProgressBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

namespace {

// Types one character into the box through the event system.
void typeChar(QWidget* w, QChar c) {
    const int key = c.isLetter() ? c.toUpper().unicode() : c.unicode();
    QTest::sendKeyEvent(QTest::Press, w, static_cast<Qt::Key>(key), QString(c), Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Release, w, static_cast<Qt::Key>(key), QString(c), Qt::NoModifier);
}

void placeCaret(htmSyntaxBox& box, int offset) {
    QTextCursor c = box.rtfHTML()->textCursor();
    c.setPosition(offset);
    box.rtfHTML()->setTextCursor(c);
}

// Colour value of the look of character k.
uint32_t colourAt(htmSyntaxBox& box, int k) {
    const LookBuffer& looks = box.rtfHTML()->looks();
    return looks.look(looks.at(k)).color;
}
bool boldAt(htmSyntaxBox& box, int k) {
    const LookBuffer& looks = box.rtfHTML()->looks();
    return looks.look(looks.at(k)).bold;
}

struct EventLog {
    std::vector<std::string> names;
    std::vector<short> keyAscii;
    void watch(htmSyntaxBox& box) {
        QObject::connect(&box, &htmSyntaxBox::Change, [this] { names.push_back("Change"); });
        QObject::connect(&box, &htmSyntaxBox::SelChange, [this] { names.push_back("SelChange"); });
        QObject::connect(&box, &htmSyntaxBox::Click, [this] { names.push_back("Click"); });
        QObject::connect(&box, &htmSyntaxBox::KeyDown, [this](short&, short&) { names.push_back("KeyDown"); });
        QObject::connect(&box, &htmSyntaxBox::KeyUp, [this](short&, short&) { names.push_back("KeyUp"); });
        QObject::connect(&box, &htmSyntaxBox::KeyPress, [this](short& a) {
            names.push_back("KeyPress");
            keyAscii.push_back(a);
        });
        QObject::connect(&box, &htmSyntaxBox::MouseDown,
                         [this](short&, short&, float&, float&) { names.push_back("MouseDown"); });
    }
};

}  // namespace

TEST(SyntaxBox, ANewBoxHasEveryDefaultAndTheHostsFont) {
    ControlHost host;
    host.setFont(QFont("DejaVu Sans Mono", 11));
    htmSyntaxBox box(nullptr, &host);
    EXPECT_TRUE(box.AutoColorize());
    EXPECT_FALSE(box.AutoVerbMenu());
    EXPECT_EQ(box.BackColor(), 0x80000005u);
    EXPECT_EQ(box.CommentColor(), 0x008000u);
    EXPECT_TRUE(box.CommentItalic());
    EXPECT_EQ(box.Entities(), 62);
    EXPECT_EQ(box.EntityColor(), 0x404040u);
    EXPECT_EQ(box.PropNameColor(), 0x800000u);
    EXPECT_EQ(box.PropValColor(), 0x000080u);
    EXPECT_TRUE(box.TagBold());
    EXPECT_EQ(box.TagColor(), 0xFF0000u);
    EXPECT_TRUE(box.Silent());
    EXPECT_FALSE(box.Locked());
    EXPECT_EQ(box.Font().family(), "DejaVu Sans Mono");
    EXPECT_EQ(box.Text(), "Zemtrix Software HTML Syntax Highlighter RTF-Textbox");
    EXPECT_EQ(box.property("Text").toString(), box.Text());
    EXPECT_EQ(box.ProgressBar(), nullptr);
    EXPECT_EQ(box.rtfHTML()->objectName(), "rtfHTML");
}

TEST(SyntaxBox, SettingsSurviveAStoreRoundTripAndDefaultsAreNotKept) {
    ControlHost host;
    htmSyntaxBox box(nullptr, &host);
    PropertyBag untouched;
    box.WriteProperties(untouched);
    EXPECT_TRUE(untouched.isEmpty()) << untouched.keys().join(",").toStdString();

    box.setCommentItalic(false);
    box.setLocked(true);
    box.setTagBold(false);
    box.setTagColor(0xC00000);
    box.setEntities(63);
    box.setBoxFont(QFont("DejaVu Sans Mono", 9));
    box.setText("<p>kept</p>");
    PropertyBag bag;
    box.WriteProperties(bag);
    EXPECT_EQ(bag.keys(), (QStringList{"commentitalic", "entities", "font", "locked", "tagbold", "tagcolor", "text"}));

    const PropertyBag copy = PropertyBag::deserialize(bag.serialize());
    htmSyntaxBox loaded(nullptr, &host);
    loaded.ReadProperties(copy);
    EXPECT_FALSE(loaded.CommentItalic());
    EXPECT_TRUE(loaded.Locked());
    EXPECT_FALSE(loaded.TagBold());
    EXPECT_EQ(loaded.TagColor(), 0xC00000u);
    EXPECT_EQ(loaded.Entities(), 63);
    EXPECT_EQ(loaded.Font().family(), "DejaVu Sans Mono");
    EXPECT_EQ(loaded.Text(), "<p>kept</p>");
    PropertyBag again;
    loaded.WriteProperties(again);
    EXPECT_EQ(again, bag);
}

TEST(SyntaxBox, SettersReportWhatTheHostMustSave) {
    htmSyntaxBox box;
    QStringList marked;
    QObject::connect(&box, &htmSyntaxBox::PropertyChanged, [&](const QString& n) { marked << n; });
    box.setText("x");
    box.setTextRTF("");
    box.setAutoColorize(false);
    box.setEntities(1);
    box.setTagColor(1);
    EXPECT_EQ(marked, (QStringList{"Text", "TextRTF", "TextRTF", "Text", "TagColor"}));
}

TEST(SyntaxBox, EntitiesOutsideItsRangeIsRefusedWithCodeFiveAndTheOldValueKept) {
    htmSyntaxBox box;
    box.setEntities(0);
    for (int bad : {64, -1}) {
        try {
            box.setEntities(bad);
            ADD_FAILURE() << bad << " accepted";
        } catch (const ControlError& e) {
            EXPECT_EQ(e.code(), 5);
        }
        EXPECT_EQ(box.Entities(), 0);
    }
    box.setEntities(63);
    EXPECT_EQ(box.Entities(), 63);
}

TEST(SyntaxBox, TypingAnUmlautLeavesItsEntityAndRelaysEveryCharacter) {
    htmSyntaxBox box;
    box.setText("");
    EventLog log;
    log.watch(box);
    typeChar(box.rtfHTML(), QChar(0xE4));
    EXPECT_EQ(box.Text(), "&auml;");
    EXPECT_EQ(log.keyAscii, (std::vector<short>{'&', 'a', 'u', 'm', 'l', ';', 0}));
    EXPECT_EQ(std::count(log.names.begin(), log.names.end(), "Change"), 6);
}

TEST(SyntaxBox, ADoubleQuoteIsReplacedOnlyWhenItsBitIsSet) {
    htmSyntaxBox box;
    box.setText("");
    typeChar(box.rtfHTML(), '"');
    EXPECT_EQ(box.Text(), "\"");
    box.setEntities(63);
    typeChar(box.rtfHTML(), '"');
    EXPECT_EQ(box.Text(), "\"&quot;");
    box.setEntities(0);
    typeChar(box.rtfHTML(), QChar(0xDF));
    EXPECT_EQ(box.Text(), QString("\"&quot;") + QChar(0xDF));
}

TEST(SyntaxBox, TheHostDecidesWhichCharacterATypedKeyInserts) {
    htmSyntaxBox box;
    box.setText("");
    QObject::connect(&box, &htmSyntaxBox::KeyPress, [](short& a) {
        if (a == 'x') a = 0;
        if (a == 'y') a = 'Z';
    });
    for (QChar c : QString("axbyc")) typeChar(box.rtfHTML(), c);
    EXPECT_EQ(box.Text(), "abZc");
}

TEST(SyntaxBox, EnterRecoloursTheLineTheCaretLeft) {
    htmSyntaxBox box;
    box.setText("<a>\n<b>\n<c>\n<d>");
    ASSERT_TRUE(box.isChanged());
    placeCaret(box, 7);  // end of line 2 ("<b>")
    EXPECT_FALSE(box.isChanged());  // the selection change consumed it
    EventLog log;
    log.watch(box);
    typeChar(box.rtfHTML(), 'x');  // an edit on line 2 makes it the last line
    EXPECT_EQ(log.names, (std::vector<std::string>{"KeyDown", "KeyPress", "Change", "SelChange", "KeyUp"}));
    EXPECT_EQ(box.lastLine(), 2);
    QTest::keyClick(box.rtfHTML(), Qt::Key_Return);
    EXPECT_EQ(box.lastLine(), 3);
    EXPECT_EQ(box.Text(), "<a>\n<b>x\n\n<c>\n<d>");
    EXPECT_TRUE(boldAt(box, 5));          // "b" on line 2
    EXPECT_EQ(colourAt(box, 5), 0xFF0000u);
    EXPECT_FALSE(boldAt(box, 1));         // line 1 untouched
    EXPECT_FALSE(boldAt(box, 11));        // "c" on line 4 untouched
}

TEST(SyntaxBox, MovingUpAfterAnEditRecoloursFromTheNewLineToTheOldOne) {
    htmSyntaxBox box;
    box.setText("<a>\n<b>\n<c>zz\n<d>");
    placeCaret(box, 11);  // after "<c>" on line 3
    typeChar(box.rtfHTML(), 'x');
    EXPECT_EQ(box.lastLine(), 3);
    QTest::keyClick(box.rtfHTML(), Qt::Key_Delete);  // an edit that leaves the caret
    EXPECT_TRUE(box.isChanged());
    QTest::keyClick(box.rtfHTML(), Qt::Key_Up);
    EXPECT_EQ(box.lastLine(), 2);
    EXPECT_FALSE(box.isChanged());
    EXPECT_FALSE(boldAt(box, 1));   // line 1
    EXPECT_TRUE(boldAt(box, 5));    // line 2
    EXPECT_TRUE(boldAt(box, 9));    // line 3
    EXPECT_FALSE(boldAt(box, 16));  // line 4
}

TEST(SyntaxBox, ACaretStillOnTheEditedLineRecoloursNothing) {
    htmSyntaxBox box;
    box.setText("<a>\n<b>zz");
    placeCaret(box, 7);
    typeChar(box.rtfHTML(), 'x');
    QTest::keyClick(box.rtfHTML(), Qt::Key_Delete);
    QTest::keyClick(box.rtfHTML(), Qt::Key_Left);
    EXPECT_EQ(box.lastLine(), 2);
    EXPECT_FALSE(boldAt(box, 5));
}

TEST(SyntaxBox, ArrowKeysWithoutAnEditOnlyRaiseSelChange) {
    htmSyntaxBox box;
    box.setText("<a>\n<b>\n<c>");
    placeCaret(box, 0);
    EventLog log;
    log.watch(box);
    QTest::keyClick(box.rtfHTML(), Qt::Key_Down);
    QTest::keyClick(box.rtfHTML(), Qt::Key_Down);
    EXPECT_EQ(std::count(log.names.begin(), log.names.end(), "SelChange"), 2);
    for (int k = 0; k < 11; ++k) EXPECT_EQ(colourAt(box, k), 0x80000008u) << k;
}

TEST(SyntaxBox, FindLeavesOutABoundOfZero) {
    htmSyntaxBox box;
    box.setText("abc abc abc");
    placeCaret(box, 0);
    EXPECT_EQ(box.Find("abc").toInt(), 0);
    EXPECT_EQ(box.SelLength(), 3);
    EXPECT_EQ(box.Find("abc").toInt(), 4);  // no start: after the selection
    EXPECT_EQ(box.Find("abc", 5).toInt(), 8);
    EXPECT_EQ(box.Find("abc", 1, 6).toInt(), -1);
    EXPECT_EQ(box.Find("abc", 1, 7).toInt(), 4);
    EXPECT_EQ(box.Find("ABC", 1, 0, 4).toInt(), -1);
    placeCaret(box, 0);
    EXPECT_EQ(box.Find("abc", 1, 0, 8).toInt(), 4);
    EXPECT_EQ(box.SelLength(), 0);  // 8: the match is not selected
}

TEST(SyntaxBox, LoadFileShowsAnRtfFileAsItsSourceAndSaveFileKeepsTheBytes) {
    TempDir dir;
    const std::string rtf = "{\\rtf1\\ansi {\\b bold}\\par}\r\n";
    dir.write("doc.rtf", rtf);
    htmSyntaxBox box;
    EXPECT_FALSE(box.LoadFile(QString::fromStdString((dir / "doc.rtf").string())).isValid());
    EXPECT_EQ(box.Text(), "{\\rtf1\\ansi {\\b bold}\\par}\n");
    EXPECT_EQ(box.FileName().toStdString(), (dir / "doc.rtf").string());

    const std::string bytes = "<p>caf\xe9 \x80\x9f</p>\r\n<b>x</b>";
    dir.write("page.htm", bytes);
    box.LoadFile(QString::fromStdString((dir / "page.htm").string()));
    box.Colorize();
    box.SaveFile(QString::fromStdString((dir / "copy.htm").string()));
    EXPECT_EQ(dir.read("copy.htm"), bytes);

    try {
        box.LoadFile(QString::fromStdString((dir / "missing.htm").string()));
        ADD_FAILURE() << "a missing file loaded";
    } catch (const ControlError& e) {
        EXPECT_NE(std::string(e.what()).find("missing.htm"), std::string::npos);
    }
    EXPECT_EQ(dir.read("copy.htm"), bytes);
}

TEST(SyntaxBox, TheColouringIsInTheRtfAndOnTheScreen) {
    htmSyntaxBox box;
    box.resize(400, 200);
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    box.setText("<b>x</b>");
    box.Colorize();
    const QString rtf = box.TextRTF();
    EXPECT_TRUE(rtf.contains("\\red0\\green0\\blue255;")) << rtf.toStdString();
    EXPECT_TRUE(rtf.contains("\\cf1\\b b\\cf0\\b0 >x<")) << rtf.toStdString();

    EventLog log;
    log.watch(box);
    box.grab();  // paints: the screen takes the looks, which is no edit
    EXPECT_TRUE(log.names.empty());
    EXPECT_FALSE(box.isChanged());
    const QList<QTextLayout::FormatRange> shown = box.rtfHTML()->document()->firstBlock().layout()->formats();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[0].start, 1);
    EXPECT_EQ(shown[0].length, 1);
    EXPECT_EQ(shown[0].format.foreground().color(), QColor(0, 0, 255));
    EXPECT_EQ(shown[0].format.fontWeight(), QFont::Bold);
    EXPECT_EQ(shown[1].start, 5);

    // A look already given stays when the style changes later.
    box.setTagColor(0x00FF00);
    EXPECT_EQ(box.TextRTF(), rtf);

    htmSyntaxBox other;
    other.setTextRTF(rtf);
    EXPECT_EQ(other.Text(), "<b>x</b>");
    EXPECT_EQ(other.TextRTF(), rtf);
    other.setTextRTF("");
    EXPECT_EQ(other.Text(), "");
}

TEST(SyntaxBox, EditsKeepTheLooksInStepWithTheText) {
    htmSyntaxBox box;
    box.setText("<b>x</b>");
    box.Colorize();
    placeCaret(box, 0);
    typeChar(box.rtfHTML(), 'z');
    EXPECT_EQ(box.Text(), "z<b>x</b>");
    EXPECT_TRUE(boldAt(box, 2));
    EXPECT_FALSE(boldAt(box, 3));
    QTest::keyClick(box.rtfHTML(), Qt::Key_Delete);  // removes "<"
    EXPECT_TRUE(boldAt(box, 1));
    EXPECT_EQ(box.rtfHTML()->looks().size(), box.Text().size());
    QTest::keyClick(box.rtfHTML(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(box.rtfHTML(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(box.Text(), "<b>x</b>");
    EXPECT_EQ(box.rtfHTML()->looks().size(), box.Text().size());
    EXPECT_TRUE(boldAt(box, 6));  // "b" of the closing tag kept its look
}

TEST(SyntaxBox, NoEventEscapesWhileAColouringRuns) {
    htmSyntaxBox box;
    box.setText(QString(300, 'x') + "<b>");
    QProgressBar bar;
    box.setProgressBar(&bar);
    EventLog log;
    log.watch(box);
    int poked = 0;
    QObject::connect(&bar, &QProgressBar::valueChanged, [&](int v) {
        if (v == 50) {  // the user types and clicks in the middle of it
            ++poked;
            typeChar(box.rtfHTML(), 'q');
            QTest::mouseClick(box.rtfHTML()->viewport(), Qt::LeftButton);
        }
    });
    box.Colorize();
    EXPECT_EQ(poked, 1);
    EXPECT_TRUE(log.names.empty()) << log.names.front();
    EXPECT_EQ(bar.maximum(), 100);
    EXPECT_EQ(bar.value(), 100);
    EXPECT_FALSE(box.isBusy());
    EXPECT_FALSE(box.isChanged());
}

TEST(SyntaxBox, APercentIndicatorGetsThePercentMember) {
    htmSyntaxBox box;
    box.setText(QString(200, ' '));
    QObject indicator;
    indicator.setProperty("Percent", -1);
    struct Log : QObject {
        std::vector<int> values;
        bool eventFilter(QObject* o, QEvent* e) override {
            if (e->type() == QEvent::DynamicPropertyChange) values.push_back(o->property("Percent").toInt());
            return false;
        }
    } log;
    indicator.installEventFilter(&log);
    box.setProgressBar(&indicator);
    box.Colorize(101, 200);
    ASSERT_GE(log.values.size(), 3u);
    EXPECT_EQ(log.values[0], 0);
    EXPECT_EQ(log.values[1], 50);
    EXPECT_EQ(log.values.back(), 100);
    box.setProgressBar(nullptr);
}

TEST(SyntaxBox, LineFunctionsCountLinesFromZero) {
    htmSyntaxBox box;
    box.setText("ab\ncd\nef");
    EXPECT_EQ(box.GetLineCount(), 3);
    EXPECT_EQ(box.GetLineFirstCharIndex(2), 6);
    EXPECT_EQ(box.GetLineFirstCharIndex(3), -1);
    placeCaret(box, 4);
    EXPECT_EQ(box.GetLineFirstCharIndex(-1), 3);
    EXPECT_EQ(box.GetLineSelected(), 1);
    EXPECT_EQ(box.GetLineFromChar(7), 2);
}

TEST(SyntaxBox, SpanAndUpToMoveOverCharacterSets) {
    htmSyntaxBox box;
    box.setText("abc123 def");
    placeCaret(box, 0);
    box.Span("abc", true, false);
    EXPECT_EQ(box.SelText(), "abc");
    box.UpTo(" ", true, false);
    EXPECT_EQ(box.SelStart(), 6);
    EXPECT_EQ(box.SelLength(), 0);
    box.UpTo("0123456789", false, true);  // back to just after the last non-digit
    EXPECT_EQ(box.SelStart(), 3);
    box.Span("0123456789", true, false);
    EXPECT_EQ(box.SelText(), "123");
}

TEST(SyntaxBox, TheTextBoxFillsTheControl) {
    htmSyntaxBox box;
    box.show();
    box.resize(321, 123);
    EXPECT_EQ(box.rtfHTML()->geometry(), QRect(0, 0, 321, 123));
}

TEST(SyntaxBox, SettingTextRaisesChangeAndTheNextSelectionChangeConsumesIt) {
    htmSyntaxBox box;
    EventLog log;
    log.watch(box);
    box.setText("<a>");
    EXPECT_EQ(log.names, (std::vector<std::string>{"Change"}));
    EXPECT_TRUE(box.isChanged());
    placeCaret(box, 2);
    EXPECT_FALSE(box.isChanged());
}

TEST(SyntaxBox, InTheDesignerTheBoxTakesNoTyping) {
    ControlHost host;
    host.setUserMode(false);
    htmSyntaxBox box(nullptr, &host);
    box.setText("a");
    placeCaret(box, 1);
    typeChar(box.rtfHTML(), 'b');
    EXPECT_EQ(box.Text(), "a");
    host.setUserMode(true);
    typeChar(box.rtfHTML(), 'b');
    EXPECT_EQ(box.Text(), "ab");
    box.setLocked(true);
    typeChar(box.rtfHTML(), 'c');
    EXPECT_EQ(box.Text(), "ab");
}

TEST(SyntaxBox, SelPrintWritesTheSelectionToAPrintDevice) {
    TempDir dir;
    htmSyntaxBox box;
    box.setText("<b>printed</b> and not");
    box.Colorize();
    placeCaret(box, 0);
    box.setSelLength(14);
    const QString pdf = QString::fromStdString((dir / "sel.pdf").string());
    {
        QPdfWriter writer(pdf);
        box.SelPrint(&writer);
    }
    EXPECT_GT(QFileInfo(pdf).size(), 500);
    EXPECT_THROW(box.SelPrint(nullptr), InvalidArgument);
}

TEST(SyntaxBox, OutOfRangeSettingsAreIgnoredAndColoursReachTheBox) {
    htmSyntaxBox box;
    box.setMousePointer(11);
    box.setMousePointer(42);
    EXPECT_EQ(box.MousePointer(), 11);
    EXPECT_EQ(box.rtfHTML()->viewport()->cursor().shape(), Qt::WaitCursor);
    box.setMaxLength(-3);
    EXPECT_EQ(box.MaxLength(), 0);
    box.setBackColor(0x0000FF);
    EXPECT_EQ(box.rtfHTML()->palette().color(QPalette::Base), QColor(255, 0, 0));
    EXPECT_THROW(box.setSelStart(-1), InvalidPropertyValue);
}

TEST(SyntaxBox, MaxLengthStopsTypingAtTheLimit) {
    htmSyntaxBox box;
    box.setText("abc");
    box.setMaxLength(4);
    placeCaret(box, 3);
    typeChar(box.rtfHTML(), 'd');
    typeChar(box.rtfHTML(), 'e');
    EXPECT_EQ(box.Text(), "abcd");
}

TEST(SyntaxBox, ReplacingTheSelectionReportsTheChangeBeforeTheCaretMove) {
    htmSyntaxBox box;
    box.setText("<a>x</a>");
    placeCaret(box, 3);
    box.setSelLength(1);
    EventLog log;
    log.watch(box);
    box.setSelText("yz");
    EXPECT_EQ(box.Text(), "<a>yz</a>");
    EXPECT_EQ(box.SelStart(), 5);
    EXPECT_EQ(log.names, (std::vector<std::string>{"Change", "SelChange"}));
}

namespace {
// The slot a look stands for under the default styles.
StyleSlot slotOfLook(const CharLook& l) {
    const StyleSet defaults;
    for (int s = 1; s < StyleSlotCount; ++s) {
        const CharStyle& st = defaults[static_cast<StyleSlot>(s)];
        if (l.color == st.color && l.bold == st.bold && l.italic == st.italic) return static_cast<StyleSlot>(s);
    }
    return StyleSlot::None;
}
}  // namespace

TEST(SyntaxBox, TheWidgetColoursRealPagesAsTheInMemoryBoxDoes) {
    const char* corpus = std::getenv("MV_CORPUS");
    if (!corpus || !std::filesystem::is_directory(corpus)) GTEST_SKIP() << "no corpus";
    int pages = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        if (++pages > 5) break;
        htmSyntaxBox box;
        box.LoadFile(QString::fromStdString(entry.path().string()));
        box.Colorize();
        const int length = box.Text().size();
        const int a = length / 3, b = length / 2;
        box.Colorize(a, b);

        MemoryTextBox memory(box.Text().toLatin1().toStdString());
        StyleSet styles;
        ColorizeFlags flags;
        ColorizeContext ctx{memory, styles, flags};
        colorize(ctx);
        colorize(ctx, a, b);

        const LookBuffer& looks = box.rtfHTML()->looks();
        ASSERT_EQ(looks.size(), static_cast<int64_t>(memory.styleSlots().size())) << entry.path();
        int mismatches = 0;
        for (int64_t k = 0; k < looks.size() && mismatches < 5; ++k) {
            if (slotOfLook(looks.look(looks.at(k))) != memory.slotAt(k)) {
                ++mismatches;
                ADD_FAILURE() << entry.path() << " offset " << k;
            }
        }
    }
}

TEST(SyntaxBox, AHostReachesPropertiesAndMethodsByName) {
    htmSyntaxBox box;
    EXPECT_TRUE(box.setProperty("TagColor", 0x00C000u));
    EXPECT_EQ(box.TagColor(), 0x00C000u);
    EXPECT_TRUE(box.setProperty("Text", QString("<i>")));
    ASSERT_TRUE(QMetaObject::invokeMethod(&box, "Colorize"));
    EXPECT_EQ(colourAt(box, 1), 0x00C000u);
    int lines = 0;
    ASSERT_TRUE(QMetaObject::invokeMethod(&box, "GetLineCount", Q_RETURN_ARG(int, lines)));
    EXPECT_EQ(lines, 1);
    const QMetaObject* mo = box.metaObject();
    EXPECT_STREQ(mo->classInfo(mo->indexOfClassInfo("DefaultProperty")).value(), "Text");
    EXPECT_TRUE(mo->userProperty().isValid());
    EXPECT_STREQ(mo->userProperty().name(), "Text");
}

TEST(SyntaxBox, ARefusedEntitiesValueReachesAHostThatSetsItByName) {
    htmSyntaxBox box;
    EXPECT_THROW(box.setProperty("Entities", 99), InvalidArgument);
    EXPECT_EQ(box.Entities(), 62);
}
