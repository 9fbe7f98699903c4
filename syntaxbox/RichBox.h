#pragma once
// The text box inside the syntax box: a plain text editor that also keeps a
// look (font, bold, italic, underline, strike-through, colour) for every
// character. The looks live beside the document, follow its edits, and are
// shown through the layout of the blocks on screen, so colouring a large text
// costs one pass over it and the screen only pays for what it shows.
//
// It reports what the user does as signals named after the events of the
// box it stands for; whoever holds it connects them directly. Characters
// are Windows-1252 throughout: a character's code is its byte there.
#include "syntaxbox/LookBuffer.h"

#include <QPlainTextEdit>
#include <QTextCharFormat>

#include <string>
#include <vector>

class RichBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit RichBox(QWidget* parent = nullptr);

    LookBuffer& looks() { return looks_; }
    const LookBuffer& looks() const { return looks_; }

    // Characters of the document, a line break counting one.
    int64_t documentLength() const;
    // Up to count characters from offset, one byte each ('?' for characters
    // without a byte), line breaks as '\n'.
    std::string bytesRange(int64_t offset, int64_t count) const;
    // The whole text, line breaks as '\n', every other character as it is
    // (toPlainText() would turn a non-breaking space into a blank).
    QString plainText() const;

    // Replaces the whole text; every character gets the plain look. Change
    // is reported; the selection change and the edit are not.
    void replaceText(const QString& text);
    void replaceRichText(const QString& text, const std::vector<std::pair<int64_t, CharLook>>& runs);

    // The looks of the range changed: the blocks it touches are redrawn.
    void looksChanged(int64_t from, int64_t to);
    void allLooksChanged();

    // Runs an edit so that its text change is relayed before its caret move.
    template <class Edit>
    void asOneEdit(Edit edit) {
        holdSelection();
        edit();
        releaseSelection();
    }

    // Injects one typed character as the keyboard would, synchronously.
    void typeCharacter(QChar c);

    // Look of a character as shown (for tests and printing).
    QTextCharFormat formatOfLook(LookBuffer::Id id);

signals:
    void Change();
    void SelChange();
    void Click();
    void DblClick();
    void KeyDown(short KeyCode, short Shift);
    // KeyAscii: the Windows-1252 code of the typed character. A receiver may
    // put another code there, or clear keep to drop the character.
    void KeyPress(short& KeyAscii, bool& keep);
    void KeyUp(short KeyCode, short Shift);
    void MouseDown(short Button, short Shift, float X, float Y);
    void MouseUp(short Button, short Shift, float X, float Y);
    // The text was edited (typed, pasted, undone, set through the
    // selection): removed characters at offset were replaced by added ones.
    // Replacing the whole text is no edit.
    void Edited(int64_t offset, int64_t removed, int64_t added);
    void FocusLost();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void handleKeyPress(QKeyEvent* event);
    void onContentsChange(int position, int removed, int added);
    void onSelectionMaybeChanged();
    void refreshVisibleLooks();
    void applyLooks(const QTextBlock& block);

    LookBuffer looks_;
    int epoch_ = 1;
    std::vector<QTextCharFormat> formats_;
    std::vector<bool> formatKnown_;
    uint64_t formatsRevision_ = 0;
    int lastAnchor_ = 0;
    int lastPosition_ = 0;
    bool replacing_ = false;
    // While the editor handles an input event the selection relay waits, so
    // that an edit reports its text change before the caret move it causes.
    int holdSelection_ = 0;
    bool selectionPending_ = false;
    void holdSelection() { ++holdSelection_; }
    void releaseSelection();
};
