#pragma once
// The colorizer's view of the widget's text box. The selection it moves is
// its own until the colouring ends: the looks go straight into the box's
// look buffer, and commit() shows the changed range and puts the box's
// selection where the colorizer left it (normally where the user had it).
#include "syntaxbox/RichBox.h"
#include "syntaxbox/TextBox.h"

#include <vector>

class RichBoxTextBox : public TextBox {
public:
    RichBoxTextBox(RichBox& box, BoxFont font);

    int64_t textLength() const override { return length_; }
    std::string textRange(int64_t offset, int64_t count) const override;
    int64_t selStart() const override { return selStart_; }
    int64_t selLength() const override { return selLength_; }
    bool setSelStart(int64_t offset) override;
    bool setSelLength(int64_t length) override;
    void resetSelectionLook(const BoxFont& font) override;
    void applySelectionStyle(StyleSlot slot, const CharStyle& style) override;
    BoxFont font() const override { return font_; }
    void setRepaintLocked(bool locked) override;

    void commit();

private:
    void touched();

    RichBox& box_;
    BoxFont font_;
    int64_t length_;
    int64_t selStart_ = 0;
    int64_t selLength_ = 0;
    int64_t dirtyFrom_ = -1;
    int64_t dirtyTo_ = -1;
    bool committed_ = false;
    // New look number of each old one under each slot's style, while that
    // style and the look table stay as they were.
    struct SlotCache {
        CharStyle style;
        uint64_t revision = ~uint64_t(0);
        std::vector<int> newId;
    } cache_[StyleSlotCount];
};
