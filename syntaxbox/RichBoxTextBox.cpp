#include "syntaxbox/RichBoxTextBox.h"

#include <QTextCursor>

#include <algorithm>

RichBoxTextBox::RichBoxTextBox(RichBox& box, BoxFont font)
    : box_(box), font_(std::move(font)), length_(box.documentLength()) {
    const QTextCursor c = box_.textCursor();
    selStart_ = c.selectionStart();
    selLength_ = c.selectionEnd() - c.selectionStart();
}

std::string RichBoxTextBox::textRange(int64_t offset, int64_t count) const {
    return box_.bytesRange(offset, count);
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

void RichBoxTextBox::resetSelectionLook(const BoxFont& f) {
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

void RichBoxTextBox::applySelectionStyle(StyleSlot slot, const CharStyle& s) {
    if (selLength_ <= 0) return;
    LookBuffer& looks = box_.looks();
    SlotCache& cache = cache_[static_cast<int>(slot)];
    if (cache.style != s || cache.revision != looks.tableRevision()) {
        cache.style = s;
        cache.revision = looks.tableRevision();
        cache.newId.clear();
    }
    looks.remap(selStart_, selLength_, [&](LookBuffer::Id old) {
        if (old < cache.newId.size() && cache.newId[old] >= 0) return static_cast<LookBuffer::Id>(cache.newId[old]);
        CharLook l = looks.look(old);
        l.bold = s.bold;
        l.italic = s.italic;
        l.color = s.color;
        const LookBuffer::Id id = looks.intern(l);
        if (cache.revision != looks.tableRevision()) {  // renumbered: start again
            cache.revision = looks.tableRevision();
            cache.newId.clear();
        }
        if (old >= cache.newId.size()) cache.newId.resize(old + 1u, -1);
        cache.newId[old] = id;
        return id;
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
