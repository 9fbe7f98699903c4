#include "mainwindow/FormDefinition.h"

#include "host/Picture.h"
#include "tests/support/QtPrinters.h"

#include <QFont>
#include <QSizeF>
#include <gtest/gtest.h>

namespace {
FormDefinition parse(const char* text) { return FormDefinition::parse(QString::fromLatin1(text), "test.frm"); }

std::string errorOf(const char* text) {
    try {
        parse(text);
    } catch (const FormDefinitionError& e) {
        return e.what();
    }
    return "no error";
}
}  // namespace

TEST(FormDefinition, EachBlockBecomesOneBagWithTypedValues) {
    const FormDefinition form = parse(
        "# settings\r\n"
        "Begin Corvane.wenButtons_H wenButtons_H1\r\n"
        "    Caption = \"Say \"\"hi\"\"\"\r\n"
        "    Focus = False\r\n"
        "    cBack = &H8000000F\r\n"
        "    cFore = &hC00000\r\n"
        "    RightMargin = 0.5\r\n"
        "    Offset = -12\r\n"
        "End\r\n"
        "Begin Corvane.htmSyntaxBox htmSyntaxBox1\n"
        "  Font = Font(\"Courier New\", 9.75, 700, True, False, 0)\n"
        "  MouseIcon = Picture()\n"
        "  Extent = 15690, 7435\n"
        "End\n");
    ASSERT_EQ(form.controls().size(), 2u);
    const ControlDefinition& b = form.controls()[0];
    EXPECT_EQ(b.className, "Corvane.wenButtons_H");
    EXPECT_EQ(b.name, "wenButtons_H1");
    EXPECT_EQ(b.bag.read("caption").toString(), "Say \"hi\"");
    EXPECT_EQ(b.bag.read("Focus").typeId(), QMetaType::Bool);
    EXPECT_FALSE(b.bag.read("Focus", true).toBool());
    EXPECT_EQ(b.bag.read("cBack").toUInt(), 0x8000000Fu);
    EXPECT_EQ(b.bag.read("cFore").toUInt(), 0xC00000u);
    EXPECT_FLOAT_EQ(b.bag.read("RightMargin").toFloat(), 0.5f);
    EXPECT_EQ(b.bag.read("Offset").toInt(), -12);
    EXPECT_TRUE(b.extent.isEmpty());
    EXPECT_EQ(form.find("htmSyntaxBox1"), &form.controls()[1]);
    EXPECT_EQ(form.find("nothing"), nullptr);

    const ControlDefinition& c = form.controls()[1];
    const QFont f = c.bag.read("Font").value<QFont>();
    EXPECT_EQ(f.family(), "Courier New");
    EXPECT_DOUBLE_EQ(f.pointSizeF(), 9.75);
    EXPECT_EQ(f.weight(), QFont::Bold);
    EXPECT_TRUE(f.italic());
    EXPECT_FALSE(f.underline());
    ASSERT_TRUE(c.bag.contains("MouseIcon"));
    EXPECT_TRUE(c.bag.read("MouseIcon").value<Picture>().isNull());
    EXPECT_FALSE(c.bag.contains("Extent"));
    EXPECT_EQ(c.extent, QSizeF(15690, 7435));
    EXPECT_EQ(FormDefinition::himetricToPixels(c.extent.width(), 96), 593);
    EXPECT_EQ(FormDefinition::himetricToPixels(2540, 96), 96);
}

TEST(FormDefinition, MistakesAreReportedWithTheSourceAndLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"Begin A b\n  X = 1\n", "line 1: \"b\" is not closed by End"},
        {"X = 1\n", "line 1: a setting outside Begin ... End"},
        {"End\n", "line 1: End without Begin"},
        {"Begin A b\nEnd\nBegin A b\nEnd\n", "line 3: \"b\" is defined twice"},
        {"Begin A b\n  X = \"open\nEnd\n", "line 2: a quoted text is not closed"},
        {"Begin A b\n  X = Maybe\nEnd\n", "line 2: unknown value \"Maybe\""},
        {"Begin A b\n  X = 1 2\nEnd\n", "line 2: unexpected \"2\""},
        {"Begin A b\n  X = 1\n  x = 2\nEnd\n", "line 3: \"x\" is set twice"},
        {"Begin A b\n  X = &H123456789\nEnd\n", "line 2: a colour is &H and at most eight hex digits"},
        {"Begin A b\n  X =\nEnd\n", "line 2: a value is missing"},
        {"Begin A b\n  F = Font(\"x\", 0, 400, False, False, 0)\nEnd\n", "line 2: a font size must be above 0"},
        {"Begin A b\n  P = Picture(\"/no/such.png\")\nEnd\n", "line 2: the picture \"/no/such.png\" cannot be read"},
        {"Begin A\nEnd\n", "line 1: Begin takes a class name and a control name"},
    };
    for (const auto& [text, error] : cases) EXPECT_EQ(errorOf(text), std::string("test.frm ") + error) << text;
    try {
        FormDefinition::load("/no/such/form.frm");
        ADD_FAILURE() << "a missing file loaded";
    } catch (const FormDefinitionError& e) {
        EXPECT_NE(std::string(e.what()).find("/no/such/form.frm"), std::string::npos);
    }
}

TEST(ShippedForm, HoldsTheViewerAndTheSixButtonsUnderTheirClassNames) {
    const FormDefinition form = FormDefinition::load(":/mainwindow/frmMain.frm");
    ASSERT_EQ(form.controls().size(), 7u);
    const ControlDefinition* box = form.find("htmSyntaxBox1");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->className, "Corvane.htmSyntaxBox");
    EXPECT_FALSE(box->bag.read("CommentItalic", true).toBool());
    EXPECT_TRUE(box->bag.read("Locked", false).toBool());
    EXPECT_FALSE(box->bag.read("TagBold", true).toBool());
    EXPECT_EQ(box->bag.read("TagColor").toUInt(), 0xC00000u);
    const QFont font = box->bag.read("Font").value<QFont>();
    EXPECT_EQ(font.family(), "Courier New");
    EXPECT_DOUBLE_EQ(font.pointSizeF(), 9.75);
    EXPECT_EQ(font.weight(), QFont::Normal);
    EXPECT_EQ(box->extent, QSizeF(15690, 7435));

    const char* captions[] = {"&New Profile",    "&Delete Profile", "&Browse Filename to Save",
                              "Se&lect Profile", "C&ancel",         "&Create Profile"};
    for (int i = 1; i <= 6; ++i) {
        const ControlDefinition* b = form.find(QStringLiteral("wenButtons_H%1").arg(i));
        ASSERT_NE(b, nullptr) << i;
        EXPECT_EQ(b->className, "Corvane.wenButtons_H");
        EXPECT_EQ(b->bag.read("Caption").toString(), captions[i - 1]);
    }
}
