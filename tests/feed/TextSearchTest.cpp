#include "feed/TextSearch.h"

#include <gtest/gtest.h>

#include <random>

// What string_view::find finds, except that nothing is found from the end of
// the text on, not even an empty marker.
TEST(FindMarker, FindsTheFirstOccurrenceFromAnyPlaceInRandomTexts) {
    std::mt19937 rng(7);
    const std::string alphabet = "<>/ab";
    auto text = [&](std::size_t maxLength) {
        std::string s(rng() % (maxLength + 1), ' ');
        for (char& c : s) c = alphabet[rng() % alphabet.size()];
        return s;
    };
    for (int round = 0; round < 20000; ++round) {
        const std::string t = text(70), m = text(round % 2 ? 3 : 6);
        for (std::size_t from = 0; from <= t.size() + 1; from += 1 + rng() % 5) {
            const std::size_t expected = from >= t.size() ? std::string::npos : t.find(m, from);
            ASSERT_EQ(FindMarker(t, m, from), expected) << "text " << t << ", marker " << m << ", from " << from;
        }
    }
}

// Text made of the marker's own first and last byte passes the byte filter
// everywhere; the search goes on with memmem without losing a place.
TEST(FindMarker, TextBuiltAgainstTheByteFilterStillGivesTheFirstOccurrence) {
    const std::string marker = std::string(62, 'a') + "baa";
    for (std::size_t at = 0; at < 400; ++at) {
        const std::string t = std::string(at, 'a') + marker + std::string(100, 'a');
        ASSERT_EQ(FindMarker(t, marker), at);
    }
}
