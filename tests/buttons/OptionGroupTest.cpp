#include "tests/buttons/ButtonFixture.h"

class OptionGroupTest : public ButtonTest {
protected:
    std::vector<wenButtons_H*> opt;
    void SetUp() override {
        ButtonTest::SetUp();
        for (int i = 0; i < 3; ++i) {
            opt.push_back(addButton(QString("Option%1").arg(i + 1), QRect(10, 10 + 40 * i, 100, 30)));
            opt.back()->setMode(2);
        }
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

TEST_F(OptionGroupTest, OptionsRegisterInOrderAndSelectingOneClearsTheOthers) {
    EXPECT_EQ(registry(), (std::vector<quintptr>{3, addr(opt[0]), addr(opt[1]), addr(opt[2])}));
    opt[0]->setValue(true);
    opt[2]->setValue(true);
    EXPECT_EQ(values(), (std::vector<bool>{false, false, true}));
    showForm();
    QTest::mouseClick(opt[1], Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_EQ(values(), (std::vector<bool>{false, true, false}));
}

TEST_F(OptionGroupTest, AMemberLeavingByModeOrDestructionShiftsTheSlotsDownAndJoiningTwiceCountsOnce) {
    opt[0]->setValue(true);
    opt[0]->setMode(0);
    EXPECT_FALSE(opt[0]->Value()) << "a command button holds no value";
    opt[1]->OptionToggle(1);
    opt[0]->OptionToggle(-1);
    EXPECT_EQ(registry(), (std::vector<quintptr>{2, addr(opt[1]), addr(opt[2])}));
    opt[1]->setMode(1);
    opt[1]->setValue(true);
    opt[2]->setValue(true);
    EXPECT_TRUE(opt[1]->Value()) << "the check box is no longer in the group";
    delete opt[2];  // would be reached by the next selection if it stayed registered
    EXPECT_FALSE(form->property("wen_OptCount").isValid());
    EXPECT_FALSE(form->property("wen_Obj1").isValid());
    // A selected check box joining clears the members.
    opt[0]->setMode(2);
    opt[0]->setValue(true);
    opt[1]->setMode(2);
    EXPECT_FALSE(opt[0]->Value());
    EXPECT_EQ(registry(), (std::vector<quintptr>{2, addr(opt[0]), addr(opt[1])}));
}

TEST_F(OptionGroupTest, FocusSelectsAnOptionOnlyWhenNoneIsSelectedAndOtherContainersHaveGroupsOfTheirOwn) {
    opt[2]->setFocus();
    showForm();
    ASSERT_TRUE(opt[2]->hasFocus());
    EXPECT_EQ(values(), (std::vector<bool>{false, false, true}));
    opt[0]->setFocus();
    EXPECT_FALSE(opt[0]->Value()) << "another member is already selected";

    QWidget frame(form.get());
    auto* other = new wenButtons_H(&frame);
    other->setHost(&host);
    other->InitProperties();
    other->setMode(2);
    other->setValue(true);
    EXPECT_TRUE(opt[2]->Value());
    EXPECT_EQ(registry(&frame), (std::vector<quintptr>{1, addr(other)}));
}
