#include "ButtonFixture.h"

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
        log.clear();
    }
    int count() const { return form->property("wen_OptCount").toInt(); }
    quintptr slot(int i) const { return form->property(("wen_Obj" + QByteArray::number(i)).constData()).value<quintptr>(); }
    static quintptr addr(const wenButtons_H* b) { return reinterpret_cast<quintptr>(b); }
};

TEST_F(OptionGroupTest, OptionButtonsRegisterWithTheirContainerInOrder) {
    EXPECT_EQ(count(), 3);
    EXPECT_EQ(slot(1), addr(opt[0]));
    EXPECT_EQ(slot(2), addr(opt[1]));
    EXPECT_EQ(slot(3), addr(opt[2]));
}

TEST_F(OptionGroupTest, SelectingTheSecondClearsTheOthersAndClicksOnce) {
    opt[0]->setValue(true);
    opt[2]->setValue(true);
    EXPECT_FALSE(opt[0]->Value()) << "one selected member at a time";
    showForm();
    log.clear();
    QTest::mouseClick(opt[1], Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_FALSE(opt[0]->Value());
    EXPECT_TRUE(opt[1]->Value());
    EXPECT_FALSE(opt[2]->Value());
    EXPECT_EQ(std::count(log.lines.begin(), log.lines.end(), "opt2 Click"), 1);
    EXPECT_EQ(std::count_if(log.lines.begin(), log.lines.end(),
                            [](const std::string& l) { return l.find("Click") != std::string::npos; }),
              1);
}

TEST_F(OptionGroupTest, ClickingTheSelectedOptionRaisesNoClickAndChangesNothing) {
    opt[1]->setValue(true);
    showForm();
    log.clear();
    QTest::mouseClick(opt[1], Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_EQ(log.lines, Lines({"opt2 MouseDown 1 0", "opt2 MouseUp 1 0"}));
    EXPECT_TRUE(opt[1]->Value());
    EXPECT_EQ(count(), 3);
}

TEST_F(OptionGroupTest, AMemberTurningIntoACheckBoxLeavesAndTheSlotsShiftDown) {
    opt[1]->setMode(1);
    EXPECT_EQ(count(), 2);
    EXPECT_EQ(slot(1), addr(opt[0]));
    EXPECT_EQ(slot(2), addr(opt[2]));
    EXPECT_FALSE(form->property("wen_Obj3").isValid());
    opt[0]->setValue(true);
    opt[1]->setValue(true);
    opt[2]->setValue(true);
    EXPECT_FALSE(opt[0]->Value());
    EXPECT_TRUE(opt[1]->Value()) << "the check box is no longer in the group";
}

TEST_F(OptionGroupTest, TheLastMemberLeavingRemovesTheCount) {
    for (auto* b : opt) b->setMode(0);
    EXPECT_FALSE(form->property("wen_OptCount").isValid());
    EXPECT_FALSE(form->property("wen_Obj1").isValid());
}

TEST_F(OptionGroupTest, LeavingTwiceDoesNotDisturbTheOthers) {
    opt[0]->OptionToggle(-1);
    opt[0]->OptionToggle(-1);
    EXPECT_EQ(count(), 2);
    EXPECT_EQ(slot(1), addr(opt[1]));
    EXPECT_EQ(slot(2), addr(opt[2]));
}

TEST_F(OptionGroupTest, ADestroyedMemberLeavesItsGroup) {
    opt[0]->setValue(true);
    delete opt[1];
    EXPECT_EQ(count(), 2);
    EXPECT_EQ(slot(2), addr(opt[2]));
    opt[2]->setValue(true);
    EXPECT_FALSE(opt[0]->Value());
    EXPECT_TRUE(opt[2]->Value());
}

TEST_F(OptionGroupTest, AModeChangeToCommandButtonClearsTheValue) {
    opt[0]->setValue(true);
    opt[0]->setMode(0);
    EXPECT_FALSE(opt[0]->Value());
    EXPECT_EQ(count(), 2);
}

TEST_F(OptionGroupTest, ASelectedCheckBoxJoiningClearsTheMembers) {
    opt[0]->setValue(true);
    auto* c = addButton("Check1", QRect(200, 10, 100, 30));
    c->setMode(1);
    c->setValue(true);
    c->setMode(2);
    EXPECT_FALSE(opt[0]->Value());
    EXPECT_TRUE(c->Value());
    EXPECT_EQ(count(), 4);
}

TEST_F(OptionGroupTest, FocusSelectsAnOptionOnlyWhenNoneIsSelected) {
    opt[2]->setFocus();
    showForm();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    ASSERT_TRUE(opt[2]->hasFocus());
    EXPECT_TRUE(opt[2]->Value());
    EXPECT_EQ(log.lines, Lines({"opt3 Click"}));
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
    EXPECT_EQ(frame.property("wen_OptCount").toInt(), 1);
}
