#pragma once
// The look of every character of a text box: a gap buffer of small look
// numbers into a table of distinct looks. Edits near one another (typing)
// move little memory whatever the length of the text, and a range takes a
// new look in one pass.
#include "syntaxbox/StyleSet.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

struct CharLook {
    std::string fontName;
    double fontSize = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    uint32_t color = colour::WindowText;
    bool operator==(const CharLook&) const = default;
};

struct CharLookHash {
    size_t operator()(const CharLook& l) const;
};

class LookBuffer {
public:
    using Id = uint16_t;

    LookBuffer();

    // Look number 0 is the box's plain look, given to new text.
    void setPlainLook(const CharLook& look);
    const CharLook& look(Id id) const { return table_[id]; }
    Id intern(const CharLook& look);
    size_t lookCount() const { return table_.size(); }
    // Table edits outside intern() (a new font for the whole text) bump this.
    uint64_t tableRevision() const { return revision_; }

    int64_t size() const { return static_cast<int64_t>(buf_.size()) - gapLength(); }
    // The gap lies inside the storage: what every edit relies on.
    bool isConsistent() const {
        return 0 <= gapStart_ && gapStart_ <= gapEnd_ && gapEnd_ <= static_cast<int64_t>(buf_.size());
    }
    Id at(int64_t pos) const { return buf_[static_cast<size_t>(physical(pos))]; }

    void assign(int64_t count, Id id = 0);
    void insert(int64_t pos, int64_t count, Id id);
    void erase(int64_t pos, int64_t count);
    void fill(int64_t pos, int64_t count, const CharLook& look);

    // Gives every character of the range the look change(old look) makes;
    // change must depend on the old look only.
    template <class Change>
    void modify(int64_t pos, int64_t count, Change change);

    // Gives every character of the range the look number newIdOf(old number).
    template <class NewId>
    void remap(int64_t pos, int64_t count, NewId newIdOf);

    // Calls fn(start, length, id) for each maximal run inside the range.
    template <class Fn>
    void forEachRun(int64_t pos, int64_t count, Fn fn) const;

    // Every look takes this font name and size (setting the box's font).
    void setFontForAll(const std::string& name, double size);

private:
    int64_t gapLength() const { return gapEnd_ - gapStart_; }
    int64_t physical(int64_t pos) const { return pos < gapStart_ ? pos : pos + gapLength(); }
    void moveGap(int64_t pos);
    void reserveGap(int64_t count);
    void compact();

    std::vector<Id> buf_;
    int64_t gapStart_ = 0;
    int64_t gapEnd_ = 0;
    void reindex();

    std::vector<CharLook> table_;
    std::unordered_map<CharLook, Id, CharLookHash> index_;  // first number of each look
    uint64_t revision_ = 0;
};

template <class Change>
void LookBuffer::modify(int64_t pos, int64_t count, Change change) {
    remap(pos, count, [&](Id old) {
        CharLook look = table_[old];
        change(look);
        return intern(look);
    });
}

template <class NewId>
void LookBuffer::remap(int64_t pos, int64_t count, NewId newIdOf) {
    if (pos < 0) {
        count += pos;
        pos = 0;
    }
    count = std::min(count, size() - pos);
    if (count <= 0) return;
    Id lastOld = 0, lastNew = 0;
    bool known = false;
    auto segment = [&](int64_t from, int64_t to) {  // physical, half open
        for (int64_t k = from; k < to; ++k) {
            const Id old = buf_[static_cast<size_t>(k)];
            if (!known || old != lastOld) {
                const uint64_t before = revision_;
                lastOld = old;
                lastNew = newIdOf(old);
                // A renumbering inside newIdOf changes what the numbers mean.
                known = revision_ == before;
            }
            buf_[static_cast<size_t>(k)] = lastNew;
        }
    };
    const int64_t end = pos + count;
    if (pos < gapStart_) segment(pos, std::min(end, gapStart_));
    if (end > gapStart_) segment(std::max(pos, gapStart_) + gapLength(), end + gapLength());
}

template <class Fn>
void LookBuffer::forEachRun(int64_t pos, int64_t count, Fn fn) const {
    count = std::min(count, size() - pos);
    if (count <= 0) return;
    int64_t runStart = pos;
    Id runId = at(pos);
    for (int64_t k = pos + 1; k < pos + count; ++k) {
        const Id id = at(k);
        if (id != runId) {
            fn(runStart, k - runStart, runId);
            runStart = k;
            runId = id;
        }
    }
    fn(runStart, pos + count - runStart, runId);
}
