#include "syntaxbox/LookBuffer.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {
CharLook lookOf(uint32_t colour, bool bold = false) {
    CharLook l;
    l.fontName = "DejaVu Sans Mono";
    l.color = colour;
    l.bold = bold;
    return l;
}

// The looks character by character, read through the runs of the range,
// which must be maximal and cover it.
std::vector<CharLook> contents(const LookBuffer& b, int64_t pos, int64_t count) {
    std::vector<CharLook> out;
    int64_t next = pos;
    int lastId = -1;
    b.forEachRun(pos, count, [&](int64_t s, int64_t n, LookBuffer::Id id) {
        EXPECT_EQ(s, next);
        EXPECT_NE(id, lastId);
        out.insert(out.end(), static_cast<size_t>(n), b.look(id));
        next = s + n;
        lastId = id;
    });
    return out;
}
}  // namespace

TEST(LookBuffer, EditsAnywhereKeepEveryCharacterItsLook) {
    // The buffer against a plain vector under random inserts, deletes,
    // restylings, new fonts and whole replacements (as loading a new text
    // does), with the gap moving back and forth.
    std::mt19937 rng(7);
    LookBuffer buffer;
    std::vector<CharLook> model;
    for (int step = 0; step < 3000; ++step) {
        const int64_t size = static_cast<int64_t>(model.size());
        const int64_t pos = size ? static_cast<int64_t>(rng() % (size + 1)) : 0;
        const int64_t count = static_cast<int64_t>(rng() % 50);
        const int64_t end = std::min(size, pos + count);
        const CharLook look = lookOf(rng() % 5, rng() % 2);
        switch (rng() % 9) {
        case 8:
            buffer.assign(count, buffer.intern(look));
            model.assign(static_cast<size_t>(count), look);
            break;
        case 7:
            buffer.setFontForAll("F" + std::to_string(count % 3), 10 + count % 2);
            for (CharLook& l : model) l.fontName = "F" + std::to_string(count % 3), l.fontSize = 10 + count % 2;
            break;
        case 0: case 3: case 4:
            buffer.insert(pos, count, buffer.intern(look));
            model.insert(model.begin() + pos, static_cast<size_t>(count), look);
            break;
        case 1: case 2:
            buffer.erase(pos, count);
            model.erase(model.begin() + pos, model.begin() + end);
            break;
        case 5:
            buffer.fill(pos, count, look);  // past the end: cut at the end
            std::fill(model.begin() + pos, model.begin() + end, look);
            break;
        default:
            buffer.modify(pos, count, [&](CharLook& l) { l.color = look.color; });
            for (int64_t k = pos; k < end; ++k) model[static_cast<size_t>(k)].color = look.color;
        }
        ASSERT_TRUE(buffer.isConsistent()) << step;
        ASSERT_EQ(buffer.size(), static_cast<int64_t>(model.size())) << step;
        const int64_t now = static_cast<int64_t>(model.size());
        ASSERT_EQ(contents(buffer, pos, count),
                  std::vector<CharLook>(model.begin() + std::min(pos, now), model.begin() + std::min(now, pos + count)))
            << step;
    }
    EXPECT_EQ(contents(buffer, 0, buffer.size()), model);
}

TEST(LookBuffer, ManyDistinctLooksAreRenumberedWithoutChangingTheText) {
    LookBuffer b;
    b.assign(4);
    b.fill(1, 1, lookOf(0x123456));
    for (uint32_t c = 0; c < 70000; ++c) {  // more looks than numbers: old ones are dropped
        b.fill(2, 1, lookOf(c));
    }
    EXPECT_EQ(b.look(b.at(1)).color, 0x123456u);
    EXPECT_EQ(b.look(b.at(2)).color, 69999u);
    EXPECT_EQ(b.look(b.at(0)).color, 0x80000008u);
    EXPECT_LT(b.lookCount(), 0x10000u);
}
