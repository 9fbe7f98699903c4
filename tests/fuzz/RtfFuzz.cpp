// The syntax box's RTF reader on arbitrary bytes: its runs cover the text,
// and what it read is written and read back unchanged, character by
// character and look by look, through a look buffer as the box keeps it.
#include "syntaxbox/Rtf.h"
#include "tests/fuzz/FuzzCheck.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {
uint32_t greyForSystemColours(uint32_t) { return 0x808080; }

std::vector<CharLook> perCharacter(const RichText& r) {
    std::vector<CharLook> looks;
    for (const LookRun& run : r.runs) looks.insert(looks.end(), size_t(run.length), run.look);
    return looks;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CharLook plain;
    plain.fontName = "DejaVu Sans Mono";
    const RichText first = readRtf(std::string(reinterpret_cast<const char*>(data), size), plain);
    const std::vector<CharLook> firstLooks = perCharacter(first);
    FUZZ_CHECK(firstLooks.size() == first.text.size());

    LookBuffer box;
    box.setPlainLook(plain);
    box.assign(int64_t(first.text.size()));
    int64_t pos = 0;
    for (const LookRun& run : first.runs) {
        box.fill(pos, run.length, run.look);
        pos += run.length;
    }
    const RichText second = readRtf(writeRtf(first.text, box, greyForSystemColours), plain);
    FUZZ_CHECK(second.text == first.text);
    FUZZ_CHECK(perCharacter(second) == firstLooks);
    return 0;
}
