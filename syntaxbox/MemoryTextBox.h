#pragma once
// A text box held in memory: a string, one style slot per character and a
// selection. The command line and the tests colour through it.
#include "syntaxbox/TextBox.h"

#include <string>
#include <vector>

class MemoryTextBox : public TextBox {
public:
    explicit MemoryTextBox(std::string text = {}, BoxFont font = {});

    const std::string& text() const { return text_; }
    void setText(std::string text);
    StyleSlot slotAt(int64_t offset) const { return slots_[static_cast<size_t>(offset)]; }
    const std::vector<StyleSlot>& styleSlots() const { return slots_; }

    // Counters a test can watch.
    int lockCount() const { return locks_; }
    bool repaintLocked() const { return locked_; }

    int64_t textLength() const override { return static_cast<int64_t>(text_.size()); }
    std::string textRange(int64_t offset, int64_t count) const override;
    const std::string* wholeText() const override { return &text_; }
    int64_t selStart() const override { return selStart_; }
    int64_t selLength() const override { return selLength_; }
    bool setSelStart(int64_t offset) override;
    bool setSelLength(int64_t length) override;
    void resetSelectionLook(const BoxFont& font) override;
    void applySelectionStyle(StyleSlot slot, const CharStyle& style) override;
    BoxFont font() const override { return font_; }
    void setFont(const BoxFont& font) { font_ = font; }
    void setRepaintLocked(bool locked) override;

private:
    void fill(StyleSlot slot);

    std::string text_;
    std::vector<StyleSlot> slots_;
    BoxFont font_;
    int64_t selStart_ = 0;
    int64_t selLength_ = 0;
    int locks_ = 0;
    bool locked_ = false;
};
