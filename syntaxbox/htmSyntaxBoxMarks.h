#pragma once
// Marks over the text of a syntax box: ranges drawn with a background and,
// where given, a text colour of their own, on top of the characters' looks
// and without changing them (TextRTF and the colouring never see a mark).
//
// A large text may carry tens of thousands of marks. Only those that touch
// the part of the text on screen are handed to the text box, and they are
// handed again when it scrolls or changes size, so a change of the marks
// costs the same whether the text is 2 kB or 2 MB.
#include <QColor>
#include <QObject>

#include <cstdint>
#include <vector>

class htmSyntaxBox;

struct BoxMark {
    int64_t from = 0;   // document offsets, a line break counting one
    int64_t to = 0;     // one past the last marked character
    QColor background;  // invalid: the box's own
    QColor foreground;  // invalid: the character's look
};

class htmSyntaxBoxMarks : public QObject {
public:
    // The marks live as long as the box.
    explicit htmSyntaxBoxMarks(htmSyntaxBox* box);

    // Replaces every mark. Marks may come in any order and may overlap: a
    // later one in the list is drawn over an earlier one.
    void setMarks(std::vector<BoxMark> marks);
    void clear() { setMarks({}); }

    // How many marks the text box draws now: those on or near the screen.
    int shownCount() const { return shown_; }

private:
    void showVisible();

    htmSyntaxBox* box_;
    // Short marks sorted by start, with the list order as tie-break; a
    // visible range finds them by binary search. Long ones (whole regions)
    // are few and clipped to the screen one by one.
    struct Entry {
        BoxMark mark;
        size_t order;
    };
    std::vector<Entry> short_;
    std::vector<Entry> long_;
    int64_t longestShort_ = 0;
    int shown_ = 0;
};
