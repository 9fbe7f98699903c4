#include "tests/buttons/ButtonFixture.h"

class OptionGroupTest : public ButtonTest {
protected:
    std::vector<wenButtons_H*> opt;
    void SetUp() override {
        ButtonTest::SetUp();
        for (int i = 0; i < 3; ++i) {
            auto* b = addButton(QString("Option%1").arg(i + 1), QRect(10, 10 + 40 * i, 100, 30));
            b->setMode(2);
            log.attach(b, "opt" + std::to_string(i + 1));
            opt.push_back(b);
        }
        log.lines.clear();
    }
    // The container's registry: its count, then the buttons in its slots.
    std::vector<quintptr> registry(QWidget* container = nullptr) const {
        container = container ? container : form.get();
        const int n = container->property("wen_OptCount").toInt();
        std::vector<quintptr> out{quintptr(n)};
        for (int i = 1; i <= n + 1; ++i) {
            const QVariant slot = container->property(("wen_Obj" + QByteArray::number(i)).constData());
            if (slot.isValid()) out.push_back(slot.value<quintptr>());
        }
        return out;
    }
    static quintptr addr(const wenButtons_H* b) { return reinterpret_cast<quintptr>(b); }
    std::vector<bool> values() const { return {opt[0]->Value(), opt[1]->Value(), opt[2]->Value()}; }
};

TEST_F(OptionGroupTest, OptionsRegisterInOrderAndClickingOneClearsTheOthers) {
    EXPECT_EQ(registry(), (std::vector<quintptr>{3, addr(opt[0]), addr(opt[1]), addr(opt[2])}));
    opt[0]->setValue(true);
    opt[2]->setValue(true);
    EXPECT_EQ(values(), (std::vector<bool>{false, false, true}));
    showForm();
    log.lines.clear();
    QTest::mouseClick(opt[1], Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_EQ(values(), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(log.lines, (Lines{"opt2 MouseDown 1 0", "opt2 MouseUp 1 0", "opt2 Click"}));

    log.lines.clear();
    QTest::mouseClick(opt[1], Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_EQ(log.lines, (Lines{"opt2 MouseDown 1 0", "opt2 MouseUp 1 0"})) << "no Click for the selected one";
    EXPECT_EQ(values(), (std::vector<bool>{false, true, false}));
}

TEST_F(OptionGroupTest, AMemberChangingModeLeavesAndTheSlotsShiftDown) {
    opt[0]->setValue(true);
    opt[0]->setMode(0);
    EXPECT_FALSE(opt[0]->Value()) << "a command button holds no value";
    EXPECT_EQ(registry(), (std::vector<quintptr>{2, addr(opt[1]), addr(opt[2])}));
    opt[1]->setMode(1);
    EXPECT_EQ(registry(), (std::vector<quintptr>{1, addr(opt[2])}));
    opt[1]->setValue(true);
    opt[2]->setValue(true);
    EXPECT_TRUE(opt[1]->Value()) << "the check box is no longer in the group";
    opt[2]->setMode(0);
    EXPECT_FALSE(form->property("wen_OptCount").isValid());
    EXPECT_FALSE(form->property("wen_Obj1").isValid());

    // A selected check box joining clears the members.
    opt[2]->setMode(2);
    opt[2]->setValue(true);
    opt[1]->setMode(2);
    EXPECT_FALSE(opt[2]->Value());
    EXPECT_TRUE(opt[1]->Value());
    EXPECT_EQ(registry(), (std::vector<quintptr>{2, addr(opt[2]), addr(opt[1])}));
}

TEST_F(OptionGroupTest, LeavingTwiceOrBeingDestroyedDisturbsNoOtherMember) {
    opt[0]->OptionToggle(-1);
    opt[0]->OptionToggle(-1);
    EXPECT_EQ(registry(), (std::vector<quintptr>{2, addr(opt[1]), addr(opt[2])}));

    opt[1]->setValue(true);
    delete opt[1];
    EXPECT_EQ(registry(), (std::vector<quintptr>{1, addr(opt[2])}));
    opt[2]->setValue(true);  // would touch the destroyed member if it stayed
    EXPECT_TRUE(opt[2]->Value());
}

TEST_F(OptionGroupTest, FocusSelectsAnOptionOnlyWhenNoneIsSelected) {
    opt[2]->setFocus();
    activateForm();
    ASSERT_TRUE(opt[2]->hasFocus());
    EXPECT_TRUE(opt[2]->Value());
    EXPECT_EQ(log.lines, Lines{"opt3 Click"});
    opt[0]->setFocus();
    EXPECT_FALSE(opt[0]->Value()) << "another member is already selected";
    EXPECT_TRUE(opt[2]->OptionToggle(2));
}

TEST_F(OptionGroupTest, GroupsOfDifferentContainersDoNotMeet) {
    QWidget frame(form.get());
    auto* other = new wenButtons_H(&frame);
    other->setHost(&host);
    other->InitProperties();
    other->setMode(2);
    opt[0]->setValue(true);
    other->setValue(true);
    EXPECT_TRUE(opt[0]->Value());
    EXPECT_EQ(registry(&frame), (std::vector<quintptr>{1, addr(other)}));
}
