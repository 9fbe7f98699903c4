#include "host/ControlHost.h"
#include "host/PropertyBag.h"
#include "host/Windows1252.h"
#include "syntaxbox/ControlError.h"
#include "syntaxbox/MemoryTextBox.h"
#include "syntaxbox/RichBox.h"
#include "syntaxbox/htmSyntaxBox.h"
#include "tests/support/TempDir.h"

#include <QLineEdit>
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

const CharLook& lookAt(htmSyntaxBox& box, int k) {
    const LookBuffer& looks = box.rtfHTML()->looks();
    return looks.look(looks.at(k));
}

QString path(const TempDir& dir, const char* name) { return QString::fromStdString((dir / name).string()); }

struct EventLog {
    std::vector<std::string> names;
    std::vector<short> keyAscii;
    explicit EventLog(htmSyntaxBox& box) {
        QObject::connect(&box, &htmSyntaxBox::Change, [this] { names.push_back("Change"); });
        QObject::connect(&box, &htmSyntaxBox::SelChange, [this] { names.push_back("SelChange"); });
        QObject::connect(&box, &htmSyntaxBox::Click, [this] { names.push_back("Click"); });
        QObject::connect(&box, &htmSyntaxBox::KeyDown, [this](short&, short&) { names.push_back("KeyDown"); });
        QObject::connect(&box, &htmSyntaxBox::KeyUp, [this](short&, short&) { names.push_back("KeyUp"); });
        QObject::connect(&box, &htmSyntaxBox::KeyPress, [this](short& a) {
            names.push_back("KeyPress");
            keyAscii.push_back(a);
        });
    }
};

}  // namespace

struct SyntaxBox : ::testing::Test {
    htmSyntaxBox box;
    // The box holding text, with the caret at offset caret.
    void start(const QString& text, int caret = 0) {
        box.setText(text);
        placeCaret(box, caret);
    }
};

TEST_F(SyntaxBox, EveryStoredSettingSurvivesTheStoreAndDefaultsAreNotKept) {
    ControlHost host;
    host.setFont(QFont("DejaVu Sans Mono", 11));
    htmSyntaxBox hosted(nullptr, &host);
    EXPECT_EQ(hosted.Font().family(), "DejaVu Sans Mono");  // a new box takes the host's font
    PropertyBag untouched;
    hosted.WriteProperties(untouched);
    EXPECT_TRUE(untouched.isEmpty()) << untouched.keys().join(",").toStdString();

    QImage icon(2, 2, QImage::Format_RGB32);
    icon.fill(Qt::red);
    const std::vector<std::pair<const char*, QVariant>> changed = {
        {"AutoColorize", false}, {"AutoVerbMenu", true}, {"BackColor", 1u}, {"CommentBold", true},
        {"CommentColor", 2u}, {"CommentItalic", false}, {"Enabled", false}, {"Entities", 63},
        {"EntityBold", true}, {"EntityColor", 3u}, {"EntityItalic", true}, {"FileName", "f.htm"},
        {"Font", QFont("DejaVu Serif", 14)}, {"HideSelection", true}, {"Locked", true}, {"MaxLength", 9},
        {"MouseIcon", QVariant::fromValue(Picture::bitmap(icon))}, {"MousePointer", 11}, {"PropNameBold", true},
        {"PropNameColor", 4u}, {"PropNameItalic", true}, {"PropValBold", true}, {"PropValColor", 5u},
        {"PropValItalic", true}, {"Silent", false}, {"RightMargin", 2.5f}, {"TagBold", false},
        {"TagColor", 6u}, {"TagItalic", true}, {"Text", "<p>kept</p>"}};
    QStringList keys;
    for (const auto& [key, value] : changed) {
        ASSERT_TRUE(hosted.setProperty(key, value)) << key;
        keys << QString(key).toLower();
    }
    PropertyBag bag;
    hosted.WriteProperties(bag);
    EXPECT_EQ(bag.keys(), keys);  // every key, in the order the store keeps them
    htmSyntaxBox loaded(nullptr, &host);
    loaded.ReadProperties(PropertyBag::deserialize(bag.serialize()));
    for (const auto& [key, value] : changed) EXPECT_EQ(loaded.property(key), value) << key;
}

TEST_F(SyntaxBox, SettersReportWhatTheHostMustSave) {
    QStringList marked;
    QObject::connect(&box, &htmSyntaxBox::PropertyChanged, [&](const QString& n) { marked << n; });
    EventLog log(box);
    box.setText("x");
    EXPECT_EQ(log.names, (std::vector<std::string>{"Change"}));
    EXPECT_TRUE(box.isChanged());
    placeCaret(box, 1);
    EXPECT_FALSE(box.isChanged());  // the selection change consumed it
    box.setTextRTF("");
    box.setAutoColorize(false);
    box.setEntities(1);
    box.setTagColor(1);
    EXPECT_EQ(marked, (QStringList{"Text", "TextRTF", "TextRTF", "Text", "TagColor"}));
}

TEST_F(SyntaxBox, TypedCharactersBecomeEntitiesWhenTheirBitIsSet) {
    start("");
    EventLog log(box);
    typeChar(box.rtfHTML(), QChar(0xE4));
    EXPECT_EQ(box.Text(), "&auml;");
    EXPECT_EQ(log.keyAscii, (std::vector<short>{'&', 'a', 'u', 'm', 'l', ';', 0}));
    EXPECT_EQ(std::count(log.names.begin(), log.names.end(), "Change"), 6);
    typeChar(box.rtfHTML(), QChar(0x20AC));  // the euro sign is 128, as in files
    EXPECT_EQ(log.keyAscii.back(), 128);
    start("");
    typeChar(box.rtfHTML(), '"');
    box.setEntities(63);
    typeChar(box.rtfHTML(), '"');
    box.setEntities(0);
    typeChar(box.rtfHTML(), QChar(0xDF));
    EXPECT_EQ(box.Text(), QString("\"&quot;") + QChar(0xDF));
    EXPECT_THROW(box.setEntities(64), InvalidArgument);  // code 5; the old value stays
    EXPECT_THROW(box.setProperty("Entities", -1), InvalidArgument);
    EXPECT_EQ(box.Entities(), 0);
}

TEST_F(SyntaxBox, TheHostAndMaxLengthDecideWhatATypedKeyInserts) {
    start("");
    QObject::connect(&box, &htmSyntaxBox::KeyPress, [](short& a) {
        if (a == 'x') a = 0;
        if (a == 'y') a = 'Z';
    });
    for (QChar c : QString("axbyc")) typeChar(box.rtfHTML(), c);
    EXPECT_EQ(box.Text(), "abZc");
    box.setMaxLength(5);
    for (QChar c : QString("de")) typeChar(box.rtfHTML(), c);
    EXPECT_EQ(box.Text(), "abZcd");  // typing stops at MaxLength
}

TEST_F(SyntaxBox, AnEditedLineIsRecolouredHoweverTheCaretLeavesIt) {
    QWidget form;
    auto* inForm = new htmSyntaxBox(&form);
    auto* other = new QLineEdit(&form);
    inForm->setGeometry(0, 0, 300, 200);
    other->move(0, 210);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    RichBox* rich = inForm->rtfHTML();
    inForm->setText("<a>\n<b>\n<c>\n<d>\n<e>\n<f>\n<g>");
    const auto line = [&](int n) { return rich->document()->findBlockByNumber(n - 1); };
    const auto coloured = [&](int n) { return lookAt(*inForm, line(n).position() + 1).color == 0xFF0000u; };
    const auto edit = [&](int n) {
        rich->setFocus();
        placeCaret(*inForm, line(n).position() + line(n).length() - 1);
        QTest::keyClick(rich, Qt::Key_X);
        EXPECT_FALSE(coloured(n)) << n;  // not while the caret is on it
    };
    EventLog log(*inForm);
    rich->setFocus();
    QTest::keyClick(rich, Qt::Key_Down);  // no edit: the caret only moves
    EXPECT_EQ(log.names, (std::vector<std::string>{"KeyDown", "SelChange", "KeyUp"}));
    EXPECT_FALSE(coloured(1));
    edit(2);
    EXPECT_EQ(std::vector<std::string>(log.names.end() - 5, log.names.end()),
              (std::vector<std::string>{"KeyDown", "KeyPress", "Change", "SelChange", "KeyUp"}));
    QTest::keyClick(rich, Qt::Key_Left);
    EXPECT_FALSE(coloured(2));
    QTest::keyClick(rich, Qt::Key_Down);
    EXPECT_TRUE(coloured(2));
    EXPECT_FALSE(coloured(3));  // where the caret went, never edited
    edit(6);
    other->setFocus();
    EXPECT_TRUE(coloured(6));
    edit(1);
    QTest::keyClick(rich, Qt::Key_Return);  // the half of line 1 left behind
    EXPECT_TRUE(coloured(1));
    EXPECT_EQ(inForm->Text(), "<a>x\n\n<b>x\n<c>\n<d>\n<e>\n<f>x\n<g>");
    EXPECT_FALSE(coloured(4));  // "<c>"
}

TEST_F(SyntaxBox, EveryByteComesBackOutAsItWentInAndRtfFilesShowTheirSource) {
    std::string bytes;  // every byte value, the line breaks as CR LF
    for (int b = 0; b < 256; ++b)
        if (b != '\r') bytes += b == '\n' ? std::string("\r\n") : std::string(1, static_cast<char>(b));
    bytes += "\r\na\xA0" "b \x80\x93q\x94 \x96\r\n";
    TempDir dir;
    dir.write("all.txt", bytes);
    box.LoadFile(path(dir, "all.txt"));
    EXPECT_TRUE(box.Text().endsWith(QString::fromUtf8("a\u00a0b \u20ac\u201cq\u201d \u2013\n")));
    box.SaveFile(path(dir, "saved.txt"));
    EXPECT_EQ(dir.read("saved.txt"), bytes);

    dir.write("doc.rtf", "{\\rtf1 {\\b bold}\\par}");
    EXPECT_FALSE(box.LoadFile(path(dir, "doc.rtf")).isValid());
    EXPECT_EQ(box.Text(), "{\\rtf1 {\\b bold}\\par}");  // an RTF file shows its source
    EXPECT_EQ(box.FileName(), path(dir, "doc.rtf"));
    try {
        box.LoadFile(path(dir, "missing.htm"));
        ADD_FAILURE() << "a missing file loaded";
    } catch (const ControlError& e) {
        EXPECT_NE(std::string(e.what()).find("missing.htm"), std::string::npos);
    }
}

TEST_F(SyntaxBox, FindLeavesOutABoundOfZero) {
    start("abc abc abc");
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

TEST_F(SyntaxBox, TheColouringIsInTheRtfAndOnTheScreen) {
    box.resize(400, 200);
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    box.setText("<b>x</b>");
    box.Colorize();
    const QString rtf = box.TextRTF();
    EXPECT_TRUE(rtf.contains("\\red0\\green0\\blue255;")) << rtf.toStdString();
    EXPECT_TRUE(rtf.contains("\\cf1\\b b\\cf0\\b0 >x<")) << rtf.toStdString();

    EventLog log(box);
    box.grab();  // paints: the screen takes the looks, which is no edit
    EXPECT_TRUE(log.names.empty());
    const QList<QTextLayout::FormatRange> shown = box.rtfHTML()->document()->firstBlock().layout()->formats();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[0].start, 1);
    EXPECT_EQ(shown[0].format.foreground().color(), QColor(0, 0, 255));
    EXPECT_EQ(shown[0].format.fontWeight(), QFont::Bold);
    EXPECT_EQ(shown[1].start, 5);

    box.setTagColor(0x00FF00);  // a look already given stays
    EXPECT_EQ(box.TextRTF(), rtf);
}

TEST_F(SyntaxBox, EditsKeepTheLooksInStepWithTheText) {
    start("<b>x</b>");
    box.Colorize();
    placeCaret(box, 0);
    typeChar(box.rtfHTML(), 'z');
    EXPECT_EQ(box.Text(), "z<b>x</b>");
    EXPECT_TRUE(lookAt(box, 2).bold);
    EXPECT_FALSE(lookAt(box, 3).bold);
    QTest::keyClick(box.rtfHTML(), Qt::Key_Delete);  // removes "<"
    EXPECT_TRUE(lookAt(box, 1).bold);
    EXPECT_EQ(box.rtfHTML()->looks().size(), box.Text().size());
    QTest::keyClick(box.rtfHTML(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(box.rtfHTML(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(box.Text(), "<b>x</b>");
    EXPECT_EQ(box.rtfHTML()->looks().size(), box.Text().size());
    EXPECT_TRUE(lookAt(box, 6).bold);  // "b" of the closing tag kept its look
}

TEST_F(SyntaxBox, NoEventEscapesWhileAColouringRunsAndEachLookIsReadWhenApplied) {
    const QString text = "<a>" + QString(300, 'x') + "<b>";
    start(text, text.size());  // typing at the end moves nothing the scan has still to colour
    QProgressBar bar;
    box.setProgressBar(&bar);
    EventLog log(box);
    int poked = 0;
    QObject::connect(&bar, &QProgressBar::valueChanged, [&](int v) {
        if (v == 50) {  // the user types, clicks and changes a look in the middle of it
            ++poked;
            box.setTagColor(0x00FF00);
            typeChar(box.rtfHTML(), 'q');
            QTest::mouseClick(box.rtfHTML()->viewport(), Qt::LeftButton);
        }
    });
    box.Colorize();
    EXPECT_EQ(poked, 1);
    EXPECT_TRUE(log.names.empty()) << log.names.front();
    EXPECT_EQ(bar.maximum(), 100);
    EXPECT_EQ(bar.value(), 100);
    EXPECT_EQ(lookAt(box, 1).color, 0xFF0000u);
    EXPECT_EQ(lookAt(box, 304).color, 0x00FF00u);
}

// Which figures a percent indicator is sent is the colorizer's business.
TEST_F(SyntaxBox, APercentIndicatorGetsThePercentMember) {
    QObject indicator;
    box.setProgressBar(&indicator);
    indicator.setProperty("Percent", -1);
    start(QString(200, ' '));
    box.Colorize();
    EXPECT_EQ(indicator.property("Percent").toInt(), 100);
}

TEST_F(SyntaxBox, LineFunctionsCountFromZeroAndSpanAndUpToMoveOverCharacterSets) {
    start("ab\ncd\nef");
    EXPECT_EQ(box.GetLineCount(), 3);
    EXPECT_EQ(box.GetLineFirstCharIndex(2), 6);
    EXPECT_EQ(box.GetLineFirstCharIndex(3), -1);
    placeCaret(box, 4);
    EXPECT_EQ(box.GetLineFirstCharIndex(-1), 3);
    EXPECT_EQ(box.GetLineSelected(), 1);
    EXPECT_EQ(box.GetLineFromChar(7), 2);
    start("abc123 def");
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

TEST_F(SyntaxBox, InTheDesignerTheBoxTakesNoTyping) {
    ControlHost host;
    host.setUserMode(false);
    htmSyntaxBox designed(nullptr, &host);
    designed.setText("a");
    placeCaret(designed, 1);
    typeChar(designed.rtfHTML(), 'b');
    EXPECT_EQ(designed.Text(), "a");
    host.setUserMode(true);
    typeChar(designed.rtfHTML(), 'b');
    EXPECT_EQ(designed.Text(), "ab");
    designed.setLocked(true);
    typeChar(designed.rtfHTML(), 'c');
    EXPECT_EQ(designed.Text(), "ab");
}

TEST_F(SyntaxBox, OutOfRangeSettingsAreIgnoredAndColoursReachTheBox) {
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

TEST_F(SyntaxBox, ReplacingTheSelectionReportsTheChangeBeforeTheCaretMove) {
    start("<a>x</a>", 3);
    box.setSelLength(1);
    EventLog log(box);
    box.setSelText("yz");
    EXPECT_EQ(box.Text(), "<a>yz</a>");
    EXPECT_EQ(box.SelStart(), 5);
    EXPECT_EQ(log.names, (std::vector<std::string>{"Change", "SelChange"}));
}

TEST_F(SyntaxBox, TheWidgetColoursRealPagesAsTheInMemoryBoxDoes) {
    const char* corpus = std::getenv("MV_CORPUS");
    if (!corpus || !std::filesystem::is_directory(corpus)) GTEST_SKIP() << "no corpus";
    int pages = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        if (++pages > 5) break;
        box.LoadFile(QString::fromStdString(entry.path().string()));
        box.Colorize();
        const int length = box.Text().size();
        const int a = length / 3, b = length / 2;
        box.Colorize(a, b);

        MemoryTextBox memory(Windows1252::fromQString(box.Text()));
        StyleSet styles;
        ColorizeFlags flags;
        ColorizeContext ctx{memory, styles, flags};
        colorize(ctx);
        colorize(ctx, a, b);

        const LookBuffer& looks = box.rtfHTML()->looks();
        ASSERT_EQ(looks.size(), static_cast<int64_t>(memory.styleSlots().size())) << entry.path();
        int mismatches = 0;
        for (int64_t k = 0; k < looks.size() && mismatches < 5; ++k) {
            const CharLook& l = looks.look(looks.at(k));
            const StyleSlot slot = memory.slotAt(k);
            if (CharStyle{l.bold, l.italic, l.color} != (slot == StyleSlot::None ? CharStyle{} : styles[slot])) {
                ++mismatches;
                ADD_FAILURE() << entry.path() << " offset " << k;
            }
        }
    }
}
