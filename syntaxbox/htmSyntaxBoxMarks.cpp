#include "syntaxbox/htmSyntaxBoxMarks.h"

#include "syntaxbox/RichBox.h"
#include "syntaxbox/htmSyntaxBox.h"

#include <QEvent>
#include <QScrollBar>
#include <QTextCursor>

#include <algorithm>
#include <functional>

namespace {
// A mark at least this long is a region rather than a hit.
constexpr int64_t LongMark = 4096;
// Characters beyond each edge of the screen that are marked as well, so
// that a small scroll shows the marks at once, before they are handed again.
constexpr int64_t Margin = 2000;

// Re-hands the marks whenever the box's viewport changes size.
class ResizeWatch : public QObject {
public:
    ResizeWatch(QObject* parent, std::function<void()> onResize) : QObject(parent), onResize_(std::move(onResize)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize) onResize_();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> onResize_;
};
}  // namespace

htmSyntaxBoxMarks::htmSyntaxBoxMarks(htmSyntaxBox* box) : QObject(box), box_(box) {
    RichBox* rich = box->rtfHTML();
    connect(rich->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { showVisible(); });
    connect(rich->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { showVisible(); });
    rich->viewport()->installEventFilter(new ResizeWatch(this, [this] { showVisible(); }));
}

void htmSyntaxBoxMarks::setMarks(std::vector<BoxMark> marks) {
    short_.clear();
    long_.clear();
    longestShort_ = 0;
    for (size_t i = 0; i < marks.size(); ++i) {
        BoxMark& m = marks[i];
        if (m.to <= m.from) continue;
        if (m.to - m.from >= LongMark) {
            long_.push_back({std::move(m), i});
        } else {
            longestShort_ = std::max(longestShort_, m.to - m.from);
            short_.push_back({std::move(m), i});
        }
    }
    std::sort(short_.begin(), short_.end(), [](const Entry& a, const Entry& b) {
        return a.mark.from != b.mark.from ? a.mark.from < b.mark.from : a.order < b.order;
    });
    showVisible();
}

void htmSyntaxBoxMarks::showVisible() {
    RichBox* rich = box_->rtfHTML();
    const QRect view = rich->viewport()->rect();
    const int64_t length = rich->documentLength();
    const int64_t first = std::max<int64_t>(0, rich->cursorForPosition(view.topLeft()).position() - Margin);
    const int64_t last = std::min(length, rich->cursorForPosition(view.bottomRight()).position() + Margin);

    // In list order, so that a later mark is drawn over an earlier one.
    std::vector<const Entry*> picked;
    for (const Entry& e : long_)
        if (e.mark.from < last && e.mark.to > first) picked.push_back(&e);
    auto it = std::lower_bound(short_.begin(), short_.end(), first - longestShort_,
                               [](const Entry& e, int64_t at) { return e.mark.from < at; });
    for (; it != short_.end() && it->mark.from < last; ++it)
        if (it->mark.to > first) picked.push_back(&*it);
    std::sort(picked.begin(), picked.end(), [](const Entry* a, const Entry* b) { return a->order < b->order; });

    QList<QTextEdit::ExtraSelection> selections;
    selections.reserve(qsizetype(picked.size()));
    for (const Entry* e : picked) {
        QTextEdit::ExtraSelection s;
        s.cursor = QTextCursor(rich->document());
        s.cursor.setPosition(int(std::clamp(e->mark.from, first, last)));
        s.cursor.setPosition(int(std::clamp(e->mark.to, first, last)), QTextCursor::KeepAnchor);
        if (e->mark.background.isValid()) s.format.setBackground(e->mark.background);
        if (e->mark.foreground.isValid()) s.format.setForeground(e->mark.foreground);
        selections.append(s);
    }
    shown_ = int(selections.size());
    rich->setExtraSelections(selections);
}
