#include "syntaxbox/MemoryTextBox.h"

#include <algorithm>
#include <cstring>

MemoryTextBox::MemoryTextBox(std::string text, BoxFont font) : font_(std::move(font)) {
    setText(std::move(text));
}

void MemoryTextBox::setText(std::string text) {
    text_ = std::move(text);
    slots_.assign(text_.size(), StyleSlot::None);
    selStart_ = selLength_ = 0;
}

std::string MemoryTextBox::textRange(int64_t offset, int64_t count) const {
    const int64_t n = textLength();
    if (offset < 0 || count <= 0 || offset >= n) return {};
    return text_.substr(static_cast<size_t>(offset), static_cast<size_t>(std::min(count, n - offset)));
}

bool MemoryTextBox::setSelStart(int64_t offset) {
    if (offset < 0) return false;
    selStart_ = std::min(offset, textLength());
    selLength_ = 0;
    return true;
}

bool MemoryTextBox::setSelLength(int64_t length) {
    if (length < 0) return false;
    selLength_ = std::min(length, textLength() - selStart_);
    return true;
}

void MemoryTextBox::fill(StyleSlot slot) {
    if (selLength_ <= 0) return;
    std::memset(slots_.data() + selStart_, static_cast<int>(slot), static_cast<size_t>(selLength_));
}

void MemoryTextBox::resetSelectionLook(const BoxFont&) { fill(StyleSlot::None); }

void MemoryTextBox::applySelectionStyle(StyleSlot slot, const CharStyle&) { fill(slot); }

void MemoryTextBox::setRepaintLocked(bool locked) {
    if (locked && !locked_) ++locks_;
    locked_ = locked;
}
