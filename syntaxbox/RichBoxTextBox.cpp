#include "RichBoxTextBox.h"

#include <QTextCursor>

#include <algorithm>

RichBoxTextBox::RichBoxTextBox(RichBox& box, FontSpec font)
    : box_(box), font_(std::move(font)), length_(box.documentLength()) {
    const QTextCursor c = box_.textCursor();
    selStart_ = c.selectionStart();
    selLength_ = c.selectionEnd() - c.selectionStart();
}

std::string RichBoxTextBox::textRange(int64_t offset, int64_t count) const {
    return box_.latin1Range(offset, count);
}

bool RichBoxTextBox::setSelStart(int64_t offset) {
    if (offset < 0) return false;
    selStart_ = std::min(offset, length_);
    selLength_ = 0;
    return true;
}

bool RichBoxTextBox::setSelLength(int64_t length) {
    if (length < 0) return false;
    selLength_ = std::min(length, length_ - selStart_);
    return true;
}

void RichBoxTextBox::touched() {
    if (selLength_ <= 0) return;
    if (dirtyFrom_ < 0 || selStart_ < dirtyFrom_) dirtyFrom_ = selStart_;
    dirtyTo_ = std::max(dirtyTo_, selStart_ + selLength_);
}

void RichBoxTextBox::resetSelectionLook(const FontSpec& f) {
    if (selLength_ <= 0) return;
    box_.looks().modify(selStart_, selLength_, [&](CharLook& l) {
        l.fontName = f.name;
        l.fontSize = f.size;
        l.color = colour::WindowText;
        l.bold = f.bold;
        l.italic = f.italic;
    });
    touched();
}

void RichBoxTextBox::applySelectionStyle(StyleSlot, const CharStyle& s) {
    if (selLength_ <= 0) return;
    box_.looks().modify(selStart_, selLength_, [&](CharLook& l) {
        l.bold = s.bold;
        l.italic = s.italic;
        l.color = s.color;
    });
    touched();
}

void RichBoxTextBox::setRepaintLocked(bool locked) { box_.viewport()->setUpdatesEnabled(!locked); }

void RichBoxTextBox::commit() {
    if (committed_) return;
    committed_ = true;
    if (dirtyFrom_ >= 0) box_.looksChanged(dirtyFrom_, dirtyTo_);
    const QTextCursor c = box_.textCursor();
    if (c.selectionStart() != selStart_ || c.selectionEnd() - c.selectionStart() != selLength_) {
        QTextCursor moved(box_.document());
        moved.setPosition(static_cast<int>(selStart_));
        moved.setPosition(static_cast<int>(selStart_ + selLength_), QTextCursor::KeepAnchor);
        box_.setTextCursor(moved);
    }
}
