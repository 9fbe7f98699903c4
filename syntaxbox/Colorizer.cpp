#include "syntaxbox/Colorizer.h"

#include "syntaxbox/ControlError.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

enum State : uint8_t {
    Outside = 1,
    TagName = 2,
    AttrName = 4,
    AttrValue = 8,
    Comment = 16,
    StyleBlock = 32,
    ScriptBlock = 64,
};

// The part of the text the scan can look at; everything else reads as
// empty. Position base is data[0].
class Window {
public:
    Window(const TextBox& box, int64_t lo, int64_t hi) {
        if (const std::string* whole = box.wholeText()) {
            data_ = whole->data();
            size_ = static_cast<int64_t>(whole->size());
            base_ = 1;
        } else {
            if (hi >= lo) owned_ = box.textRange(lo - 1, hi - lo + 1);
            data_ = owned_.data();
            size_ = static_cast<int64_t>(owned_.size());
            base_ = lo;
        }
    }
    char ch(int64_t p) const {
        const uint64_t k = static_cast<uint64_t>(p - base_);
        return k < static_cast<uint64_t>(size_) ? data_[k] : '\0';
    }
    // run(p, n) compared with an upper-case word, ignoring the case of letters.
    bool runIsUpper(int64_t p, const char* word) const {
        for (int64_t k = 0; word[k]; ++k) {
            char c = ch(p + k);
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
            if (c != word[k]) return false;
        }
        return true;
    }
    bool runIs(int64_t p, const char* word) const {
        for (int64_t k = 0; word[k]; ++k)
            if (ch(p + k) != word[k]) return false;
        return true;
    }
    // First position from..to whose character is marked in the table, or
    // to + 1 when there is none.
    int64_t next(int64_t from, int64_t to, const bool* marked) const {
        int64_t k = std::max<int64_t>(from - base_, 0);
        const int64_t last = std::min<int64_t>(to - base_, size_ - 1);
        while (k <= last && !marked[static_cast<unsigned char>(data_[k])]) ++k;
        return k <= last ? std::max(from, k + base_) : to + 1;
    }

private:
    std::string owned_;
    const char* data_ = nullptr;
    int64_t size_ = 0;
    int64_t base_ = 1;
};

// Characters at which something can happen in each state; at any other
// position a state's rows and the entity check do nothing.
struct Marks {
    bool table[256] = {};
    Marks(const char* chars, bool all = false) {
        for (int k = 0; k < 256; ++k) table[k] = all;
        for (const char* p = chars; *p; ++p) table[static_cast<unsigned char>(*p)] = true;
    }
};
const Marks kOutside("<&"), kTagName("> &"), kAttrName("= >&"), kComment("-&"), kBlock("/&"), kEvery("", true);

const bool* marksFor(uint8_t state) {
    switch (state) {
    case 1: return kOutside.table;
    case 2: return kTagName.table;
    case 4: return kAttrName.table;
    case 16: return kComment.table;
    case 32: case 64: return kBlock.table;
    default: return kEvery.table;  // a value looks one character ahead
    }
}

// Releases the repaint lock and the busy flag on every way out.
class BusyGuard {
public:
    BusyGuard(ColorizeContext& ctx) : ctx_(ctx) {
        ctx_.flags.busy = true;
        if (ctx_.silent) {
            ctx_.box.setRepaintLocked(true);
            locked_ = true;
        }
    }
    ~BusyGuard() { release(); }
    void release() {
        ctx_.flags.busy = false;
        if (locked_) ctx_.box.setRepaintLocked(false);
        locked_ = false;
    }

private:
    ColorizeContext& ctx_;
    bool locked_ = false;
};

}  // namespace

int percentAt(int64_t i, int64_t end) {
    double percent = 1.0 / (static_cast<double>(end) / static_cast<double>(i)) * 100.0;
    if (!(percent > -0.5 && percent < 255.5)) return -1;
    return static_cast<int>(std::nearbyint(percent));
}

void colorize(ColorizeContext& ctx, int32_t lngStartPos, int32_t lngEndPos) {
    TextBox& box = ctx.box;
    const int64_t length = box.textLength();
    const int64_t start = lngStartPos == 0 ? 1 : lngStartPos;
    const int64_t end = lngEndPos == 0 ? length : lngEndPos;

    // The scan looks at most eight characters past the end (the entity check).
    const int64_t lo = std::max<int64_t>(1, start);
    const int64_t hi = std::min<int64_t>(length, end + 8);
    const Window text(box, lo, hi);

    BusyGuard guard(ctx);
    const int64_t userStart = box.selStart();
    const int64_t userLength = box.selLength();

    if (!box.setSelStart(start - 1)) box.setSelStart(start);
    if (!box.setSelLength(end - start + 1)) throw InvalidPropertyValue();
    box.resetSelectionLook(box.font());

    ProgressIndicator* progress = nullptr;
    if (ctx.progress && ctx.progress->kind() != ProgressIndicator::Kind::None) {
        ctx.progress->start();
        progress = ctx.progress;
    }

    auto apply = [&](int64_t offset, int64_t len, StyleSlot slot) {
        box.setSelStart(offset);
        box.setSelLength(len);
        box.applySelectionStyle(slot, ctx.styles[slot]);
    };

    uint8_t state = Outside;
    int64_t tagStart = 0, attrStart = 0, valueStart = 0;
    bool bang = false, styleTag = false, scriptTag = false;
    int64_t quoted = 0;  // -1 when the value opened with a double quote
    int lastPercent = 0;

    auto endOfTag = [&] {
        if (styleTag || scriptTag) state = styleTag ? StyleBlock : ScriptBlock;
    };

    for (int64_t i = start; i <= end; ++i) {
        if (!progress) {  // without progress to report, quiet stretches are skipped
            i = text.next(i, end, marksFor(state));
            if (i > end) break;
        }
        const char c = text.ch(i);
        switch (state) {
        case Outside:
            if (text.runIs(i, "<!--")) {
                state = Comment;
                tagStart = i;
            } else if (c == '<') {
                state = TagName;
                tagStart = i;
                bang = text.ch(i + 1) == '!';
                styleTag = text.runIsUpper(i + 1, "STYLE");
                scriptTag = text.runIsUpper(i + 1, "SCRIPT");
            }
            break;
        case TagName:
            if (c == '>') {
                state = Outside;
                if (tagStart != -1) apply(tagStart, i - tagStart - 1, StyleSlot::Tag);
                endOfTag();
            } else if (c == ' ' && !bang) {
                state = AttrName;
                attrStart = i;
                if (tagStart != -1) apply(tagStart, i - tagStart - 1, StyleSlot::Tag);
            }
            break;
        case Comment:
            if (text.runIs(i, "-->")) {
                state = Outside;
                apply(tagStart + 3, i - tagStart - 4, StyleSlot::Comment);
            }
            break;
        case AttrName:
            if (c == '=') {
                state = AttrValue;
                apply(attrStart, i - attrStart - 1, StyleSlot::AttributeName);
                valueStart = i;
                quoted = text.ch(i + 1) == '"' ? -1 : 0;
            } else if (c == ' ') {
                state = TagName;
                apply(attrStart, i - attrStart - 1, StyleSlot::AttributeValue);
                --i;
                tagStart = -1;
            } else if (c == '>') {
                state = Outside;
                apply(attrStart, i - attrStart - 1, StyleSlot::AttributeValue);
                tagStart = -1;
                endOfTag();
            }
            break;
        case AttrValue: {
            const char ahead = text.ch(i - quoted);
            if (ahead == ' ') {
                if ((c == '"') == (quoted != 0)) {
                    state = TagName;
                    apply(valueStart - quoted, i - valueStart - 1 + quoted, StyleSlot::AttributeValue);
                    tagStart = -1;
                    --i;
                }
            } else if (ahead == '>') {
                state = Outside;
                apply(valueStart - quoted, i - valueStart - 1 + quoted, StyleSlot::AttributeValue);
                endOfTag();
            }
            break;
        }
        case StyleBlock:
        case ScriptBlock:
            if (text.runIsUpper(i, state == StyleBlock ? "/STYLE" : "/SCRIPT")) {
                state = TagName;
                tagStart = i - 1;
                styleTag = scriptTag = false;
            }
            break;
        }

        // Entities are looked for in every state, at the position the state
        // action left (a step back examines the same character again).
        if (text.ch(i) == '&') {
            for (int64_t j = i + 1; j <= i + 8; ++j) {
                if (text.ch(j) == ';') {
                    apply(i - 1, j - i + 1, StyleSlot::Entity);
                    break;
                }
            }
        }

        if (progress) {
            const int percent = percentAt(i, end);
            if (percent > lastPercent) {
                lastPercent = percent;
                try {
                    progress->show(static_cast<uint8_t>(percent));
                } catch (...) {
                    // A refused value during the scan is skipped.
                }
            }
        }
    }

    if (!box.setSelStart(userStart)) {
        // nothing more to restore
    } else if (!box.setSelLength(userLength)) {
        box.setSelStart(userStart);
    }

    guard.release();
    ctx.flags.changed = false;
}
