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

std::vector<CharLook> contents(const LookBuffer& b) {
    std::vector<CharLook> out;
    for (int64_t k = 0; k < b.size(); ++k) out.push_back(b.look(b.at(k)));
    return out;
}
}  // namespace

TEST(LookBuffer, EditsAnywhereKeepEveryCharacterItsLook) {
    // The buffer against a plain vector under random inserts, deletes,
    // restylings and whole replacements (as loading a new text does), with
    // the gap moving back and forth.
    std::mt19937 rng(7);
    LookBuffer buffer;
    std::vector<CharLook> model;
    for (int step = 0; step < 3000; ++step) {
        const int64_t size = static_cast<int64_t>(model.size());
        const int64_t pos = size ? static_cast<int64_t>(rng() % (size + 1)) : 0;
        const int64_t count = static_cast<int64_t>(rng() % 50);
        const CharLook look = lookOf(rng() % 5, rng() % 2);
        switch (rng() % 7) {
        case 6:
            buffer.assign(count, buffer.intern(look));
            model.assign(static_cast<size_t>(count), look);
            break;
        case 0: case 3: case 4:
            buffer.insert(pos, count, buffer.intern(look));
            model.insert(model.begin() + pos, static_cast<size_t>(count), look);
            break;
        case 1: case 2: {
            buffer.erase(pos, count);
            const int64_t n = std::min(count, size - pos);
            model.erase(model.begin() + pos, model.begin() + pos + n);
            break;
        }
        default: {
            buffer.modify(pos, count, [&](CharLook& l) { l.color = look.color; });
            for (int64_t k = pos; k < std::min(size, pos + count); ++k) model[static_cast<size_t>(k)].color = look.color;
        }
        }
        ASSERT_TRUE(buffer.isConsistent()) << step;
        ASSERT_EQ(buffer.size(), static_cast<int64_t>(model.size())) << step;
    }
    EXPECT_EQ(contents(buffer), model);
}

TEST(LookBuffer, RunsAreMaximalAndCoverTheRange) {
    LookBuffer b;
    b.assign(10);
    b.fill(2, 3, lookOf(0xFF));
    b.fill(5, 2, lookOf(0xFF));
    b.fill(8, 5, lookOf(0x00FF00));  // past the end: cut at the end
    std::vector<std::tuple<int64_t, int64_t, uint32_t>> runs;
    b.forEachRun(1, 9, [&](int64_t s, int64_t n, LookBuffer::Id id) { runs.emplace_back(s, n, b.look(id).color); });
    EXPECT_EQ(runs, (std::vector<std::tuple<int64_t, int64_t, uint32_t>>{
                        {1, 1, 0x80000008}, {2, 5, 0xFF}, {7, 1, 0x80000008}, {8, 2, 0x00FF00}}));
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

TEST(LookBuffer, ANewFontReachesEveryLookButKeepsColours) {
    LookBuffer b;
    b.assign(3);
    b.fill(0, 1, lookOf(0xFF, true));
    b.setFontForAll("DejaVu Serif", 14);
    EXPECT_EQ(b.look(b.at(0)).fontName, "DejaVu Serif");
    EXPECT_EQ(b.look(b.at(0)).fontSize, 14);
    EXPECT_TRUE(b.look(b.at(0)).bold);
    EXPECT_EQ(b.look(b.at(2)).fontName, "DejaVu Serif");
}

TEST(LookBuffer, RemappingFollowsTheOldNumberOfEachCharacter) {
    LookBuffer b;
    b.assign(6);
    const auto red = b.intern(lookOf(0xFF)), blue = b.intern(lookOf(0xFF0000));
    b.fill(1, 2, lookOf(0xFF));
    b.insert(3, 2, blue);  // moves the gap into the range
    int calls = 0;
    b.remap(0, 8, [&](LookBuffer::Id old) {
        ++calls;
        return old == red ? blue : old == blue ? red : old;
    });
    std::vector<uint32_t> colours;
    for (int64_t k = 0; k < b.size(); ++k) colours.push_back(b.look(b.at(k)).color);
    EXPECT_EQ(colours, (std::vector<uint32_t>{0x80000008, 0xFF0000, 0xFF0000, 0xFF, 0xFF, 0x80000008, 0x80000008,
                                              0x80000008}));
    EXPECT_LE(calls, 5);  // once a run, not once a character
}
