#include "syntaxbox/LookBuffer.h"

#include <algorithm>

size_t CharLookHash::operator()(const CharLook& l) const {
    size_t h = std::hash<std::string>()(l.fontName);
    h = h * 31 + std::hash<double>()(l.fontSize);
    h = h * 31 + l.color;
    return h * 31 + (l.bold | l.italic << 1 | l.underline << 2 | l.strike << 3);
}

LookBuffer::LookBuffer() {
    table_.push_back(CharLook{});
    reindex();
}

void LookBuffer::reindex() {
    index_.clear();
    for (size_t k = 0; k < table_.size(); ++k) index_.emplace(table_[k], static_cast<Id>(k));
}

void LookBuffer::setPlainLook(const CharLook& look) {
    table_[0] = look;
    reindex();
    index_[look] = 0;
    ++revision_;
}

LookBuffer::Id LookBuffer::intern(const CharLook& look) {
    auto found = index_.find(look);
    if (found != index_.end()) return found->second;
    if (table_.size() >= 0xFFFF) compact();
    table_.push_back(look);
    const Id id = static_cast<Id>(table_.size() - 1);
    index_.emplace(look, id);
    return id;
}

void LookBuffer::compact() {
    // Keep look 0 and the looks still in use, renumbered in order.
    std::vector<int> used(table_.size(), -1);
    used[0] = 0;
    std::vector<CharLook> kept{table_[0]};
    for (Id& id : buf_) {
        if (used[id] < 0) {
            used[id] = static_cast<int>(kept.size());
            kept.push_back(table_[id]);
        }
    }
    for (Id& id : buf_) id = static_cast<Id>(used[id]);  // gap cells too: harmless
    table_ = std::move(kept);
    reindex();
    ++revision_;
}

void LookBuffer::assign(int64_t count, Id id) {
    buf_.assign(static_cast<size_t>(std::max<int64_t>(count, 0)), id);
    gapStart_ = gapEnd_ = static_cast<int64_t>(buf_.size());
}

void LookBuffer::moveGap(int64_t pos) {
    const int64_t gap = gapLength();
    if (pos < gapStart_) {
        std::move_backward(buf_.begin() + pos, buf_.begin() + gapStart_, buf_.begin() + gapEnd_);
    } else if (pos > gapStart_) {
        std::move(buf_.begin() + gapEnd_, buf_.begin() + pos + gap, buf_.begin() + gapStart_);
    }
    gapStart_ = pos;
    gapEnd_ = pos + gap;
}

void LookBuffer::reserveGap(int64_t count) {
    if (gapLength() >= count) return;
    const int64_t grow = std::max<int64_t>(count - gapLength(), 4096 + size() / 64);
    const int64_t tail = static_cast<int64_t>(buf_.size()) - gapEnd_;
    buf_.resize(buf_.size() + static_cast<size_t>(grow));
    std::move_backward(buf_.end() - grow - tail, buf_.end() - grow, buf_.end());
    gapEnd_ += grow;
}

void LookBuffer::insert(int64_t pos, int64_t count, Id id) {
    if (count <= 0) return;
    pos = std::clamp<int64_t>(pos, 0, size());
    reserveGap(count);
    moveGap(pos);
    std::fill(buf_.begin() + gapStart_, buf_.begin() + gapStart_ + count, id);
    gapStart_ += count;
}

void LookBuffer::erase(int64_t pos, int64_t count) {
    pos = std::clamp<int64_t>(pos, 0, size());
    count = std::min(count, size() - pos);
    if (count <= 0) return;
    moveGap(pos);
    gapEnd_ += count;
}

void LookBuffer::fill(int64_t pos, int64_t count, const CharLook& look) {
    modify(pos, count, [&](CharLook& l) { l = look; });
}

void LookBuffer::setFontForAll(const std::string& name, double size) {
    for (CharLook& l : table_) {
        l.fontName = name;
        l.fontSize = size;
    }
    reindex();
    index_[table_[0]] = 0;
    ++revision_;
}
