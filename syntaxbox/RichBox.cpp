#include "syntaxbox/RichBox.h"

#include "host/SystemColors.h"
#include "host/VirtualKeys.h"
#include "host/Windows1252.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>

RichBox::RichBox(QWidget* parent) : QPlainTextEdit(parent) {
    connect(document(), &QTextDocument::contentsChange, this, &RichBox::onContentsChange);
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, &RichBox::onSelectionMaybeChanged);
    connect(this, &QPlainTextEdit::selectionChanged, this, &RichBox::onSelectionMaybeChanged);
    connect(this, &QPlainTextEdit::textChanged, this, &RichBox::Change);
}

int64_t RichBox::documentLength() const { return std::max(0, document()->characterCount() - 1); }

QString RichBox::plainText() const {
    QString text = document()->toRawText();
    for (QChar& c : text) {
        switch (c.unicode()) {
        case QChar::ParagraphSeparator:
        case QChar::LineSeparator:
        case 0xFDD0:  // frame marks
        case 0xFDD1:
            c = u'\n';
            break;
        default:
            break;
        }
    }
    return text;
}

std::string RichBox::bytesRange(int64_t offset, int64_t count) const {
    std::string out;
    const int64_t length = documentLength();
    if (offset < 0 || offset >= length || count <= 0) return out;
    const int64_t end = std::min(length, offset + count);
    out.reserve(static_cast<size_t>(end - offset));
    QTextBlock block = document()->findBlock(static_cast<int>(offset));
    int64_t cur = offset;
    int64_t blockStart = block.position();
    while (block.isValid() && cur < end) {
        const QString text = block.text();
        const int64_t from = cur - blockStart;
        const int64_t take = std::min<int64_t>(text.size() - from, end - cur);
        if (take > 0) {
            const QChar* p = text.constData() + from;
            for (int64_t k = 0; k < take; ++k) {
                out += Windows1252::toByteOr(p[k].unicode());
            }
            cur += take;
        }
        if (cur < end) {  // the line break after this block
            out += '\n';
            ++cur;
        }
        blockStart += text.size() + 1;
        block = block.next();
    }
    return out;
}

void RichBox::onContentsChange(int position, int removed, int /*added: recomputed from the lengths*/) {
    const int64_t size = looks_.size();
    const int64_t length = documentLength();
    int64_t pos = std::clamp<int64_t>(position, 0, size);
    int64_t rem = std::clamp<int64_t>(removed, 0, size - pos);
    // The document may count its closing paragraph mark in the figures: keep
    // the looks exactly as long as the text.
    int64_t add = length - (size - rem);
    if (add < 0) {
        rem = std::min(size - pos, rem - add);
        add = length - (size - rem);
        if (add < 0) add = 0;
    }
    // New text takes the look of what it replaces, else of the character
    // before it, as typing does.
    LookBuffer::Id inherit = 0;
    if (rem > 0) inherit = looks_.at(pos);
    else if (pos > 0) inherit = looks_.at(pos - 1);
    else if (size > 0) inherit = looks_.at(0);
    looks_.erase(pos, rem);
    looks_.insert(pos, add, inherit);
    if (looks_.size() != length) looks_.assign(length, 0);
    if (!replacing_) emit Edited(pos, rem, add);

    // Edited blocks are laid out again with their looks.
    QTextBlock block = document()->findBlock(static_cast<int>(pos));
    const int64_t stop = pos + add;
    while (block.isValid()) {
        block.setUserState(-1);
        if (block.position() + block.length() > stop) break;
        block = block.next();
    }
}

void RichBox::onSelectionMaybeChanged() {
    const QTextCursor c = textCursor();
    if (c.anchor() == lastAnchor_ && c.position() == lastPosition_) return;
    lastAnchor_ = c.anchor();
    lastPosition_ = c.position();
    if (replacing_) return;
    if (holdSelection_ > 0) {
        selectionPending_ = true;
        return;
    }
    emit SelChange();
}

void RichBox::releaseSelection() {
    if (--holdSelection_ > 0 || !selectionPending_) return;
    selectionPending_ = false;
    emit SelChange();
}

void RichBox::insertFromMimeData(const QMimeData* source) {
    asOneEdit([&] { QPlainTextEdit::insertFromMimeData(source); });
}

void RichBox::inputMethodEvent(QInputMethodEvent* event) {
    holdSelection();
    QPlainTextEdit::inputMethodEvent(event);
    releaseSelection();
}

void RichBox::replaceText(const QString& text) {
    replacing_ = true;
    setPlainText(text);
    replacing_ = false;
    looks_.assign(documentLength(), 0);
    allLooksChanged();
}

void RichBox::replaceRichText(const QString& text, const std::vector<std::pair<int64_t, CharLook>>& runs) {
    replaceText(text);
    int64_t pos = 0;
    for (const auto& [length, look] : runs) {
        looks_.fill(pos, length, look);
        pos += length;
    }
    allLooksChanged();
}

void RichBox::looksChanged(int64_t from, int64_t to) {
    if (from > to) return;
    if (from <= 0 && to >= documentLength()) {
        allLooksChanged();
        return;
    }
    QTextBlock block = document()->findBlock(static_cast<int>(std::max<int64_t>(from, 0)));
    while (block.isValid() && block.position() <= to) {
        block.setUserState(-1);
        block = block.next();
    }
    viewport()->update();
}

void RichBox::allLooksChanged() {
    ++epoch_;
    if (epoch_ == -1 || epoch_ == 0) epoch_ = 1;
    viewport()->update();
}

QTextCharFormat RichBox::formatOfLook(LookBuffer::Id id) {
    if (formatsRevision_ != looks_.tableRevision()) {
        formats_.clear();
        formatKnown_.clear();
        formatsRevision_ = looks_.tableRevision();
    }
    if (id >= formats_.size()) {
        formats_.resize(looks_.lookCount());
        formatKnown_.resize(looks_.lookCount(), false);
    }
    if (!formatKnown_[id]) {
        const CharLook& l = looks_.look(id);
        QTextCharFormat f;
        f.setFontFamilies({QString::fromStdString(l.fontName)});
        if (l.fontSize > 0) f.setFontPointSize(l.fontSize);
        f.setFontWeight(l.bold ? QFont::Bold : QFont::Normal);
        f.setFontItalic(l.italic);
        f.setFontUnderline(l.underline);
        f.setFontStrikeOut(l.strike);
        f.setForeground(SystemColors::application().toQColor(l.color));
        formats_[id] = f;
        formatKnown_[id] = true;
    }
    return formats_[id];
}

void RichBox::applyLooks(const QTextBlock& block) {
    QList<QTextLayout::FormatRange> ranges;
    const int64_t start = block.position();
    const int64_t length = std::min<int64_t>(block.length() - 1, looks_.size() - start);
    looks_.forEachRun(start, length, [&](int64_t from, int64_t len, LookBuffer::Id id) {
        if (id == 0) return;  // the plain look is the box's own font and colour
        QTextLayout::FormatRange r;
        r.start = static_cast<int>(from - start);
        r.length = static_cast<int>(len);
        r.format = formatOfLook(id);
        ranges.append(r);
    });
    block.layout()->setFormats(ranges);
}

void RichBox::refreshVisibleLooks() {
    QTextBlock block = firstVisibleBlock();
    const QPointF offset = contentOffset();
    const int height = viewport()->height();
    int from = -1, to = -1;
    while (block.isValid()) {
        if (block.userState() != epoch_) {
            applyLooks(block);
            block.setUserState(epoch_);
            if (from < 0) from = block.position();
            to = block.position() + block.length();
        }
        if (blockBoundingGeometry(block).translated(offset).bottom() > height) break;
        block = block.next();
    }
    if (from >= 0) document()->markContentsDirty(from, to - from);
}

void RichBox::paintEvent(QPaintEvent* event) {
    refreshVisibleLooks();
    QPlainTextEdit::paintEvent(event);
}

void RichBox::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange) {
        formatsRevision_ = ~looks_.tableRevision();  // colours follow the palette
        allLooksChanged();
    }
    QPlainTextEdit::changeEvent(event);
}

void RichBox::keyPressEvent(QKeyEvent* event) {
    holdSelection();
    handleKeyPress(event);
    releaseSelection();
}

void RichBox::handleKeyPress(QKeyEvent* event) {
    emit KeyDown(VirtualKeys::fromQtKey(event->key()), VirtualKeys::shiftMask(event->modifiers()));
    const QString text = event->text();
    if (text.size() != 1) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    short ascii = static_cast<unsigned char>(Windows1252::toByteOr(text.at(0).unicode()));
    const short typed = ascii;
    bool keep = true;
    // Characters typed on the receiver's behalf are whole edits of their own.
    --holdSelection_;
    emit KeyPress(ascii, keep);
    ++holdSelection_;
    if (!keep) return;  // dropped
    if (ascii == typed) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    // The receiver asked for another character instead.
    const QChar c(Windows1252::toChar(static_cast<unsigned char>(ascii)));
    int key = c.toUpper().unicode();
    if (ascii == 13) key = Qt::Key_Return;
    if (ascii == 8) key = Qt::Key_Backspace;
    if (ascii == 9) key = Qt::Key_Tab;
    QKeyEvent replaced(QEvent::KeyPress, key, event->modifiers() & ~Qt::ControlModifier, QString(c));
    QPlainTextEdit::keyPressEvent(&replaced);
}

void RichBox::keyReleaseEvent(QKeyEvent* event) {
    emit KeyUp(VirtualKeys::fromQtKey(event->key()), VirtualKeys::shiftMask(event->modifiers()));
    QPlainTextEdit::keyReleaseEvent(event);
}

void RichBox::typeCharacter(QChar c) {
    const int key = c.isLetter() ? c.toUpper().unicode() : c.unicode();
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
    QApplication::sendEvent(this, &press);
    QApplication::sendEvent(this, &release);
}

void RichBox::mousePressEvent(QMouseEvent* event) {
    QPlainTextEdit::mousePressEvent(event);
    emit MouseDown(VirtualKeys::mouseButton(event->button()), VirtualKeys::shiftMask(event->modifiers()),
                   static_cast<float>(event->position().x()), static_cast<float>(event->position().y()));
}

void RichBox::mouseReleaseEvent(QMouseEvent* event) {
    QPlainTextEdit::mouseReleaseEvent(event);
    emit MouseUp(VirtualKeys::mouseButton(event->button()), VirtualKeys::shiftMask(event->modifiers()),
                 static_cast<float>(event->position().x()), static_cast<float>(event->position().y()));
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit Click();
}

void RichBox::mouseDoubleClickEvent(QMouseEvent* event) {
    QPlainTextEdit::mouseDoubleClickEvent(event);
    emit DblClick();
}

void RichBox::focusOutEvent(QFocusEvent* event) {
    QPlainTextEdit::focusOutEvent(event);
    emit FocusLost();
}
