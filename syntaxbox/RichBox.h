#pragma once
// The text box inside the syntax box: a plain text editor that also keeps a
// look (font, bold, italic, underline, strike-through, colour) for every
// character. The looks live beside the document, follow its edits, and are
// shown through the layout of the blocks on screen, so colouring a large text
// costs one pass over it and the screen only pays for what it shows.
#include "syntaxbox/LookBuffer.h"

#include <QPlainTextEdit>
#include <QTextCharFormat>

#include <string>
#include <vector>

class htmSyntaxBox;

class RichBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit RichBox(htmSyntaxBox* owner, QWidget* parent = nullptr);

    LookBuffer& looks() { return looks_; }
    const LookBuffer& looks() const { return looks_; }

    // Characters of the document, a line break counting one.
    int64_t documentLength() const;
    // Up to count characters from offset, one byte each ('?' for characters
    // without an 8-bit form), line breaks as '\n'.
    std::string latin1Range(int64_t offset, int64_t count) const;

    // Replaces the whole text; every character gets the plain look. The
    // selection change this causes is not relayed.
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

private:
    void handleKeyPress(QKeyEvent* event);
    void onContentsChange(int position, int removed, int added);
    void onSelectionMaybeChanged();
    void refreshVisibleLooks();
    void applyLooks(const QTextBlock& block);

    htmSyntaxBox* owner_;
    LookBuffer looks_;
    int epoch_ = 1;
    std::vector<QTextCharFormat> formats_;
    std::vector<bool> formatKnown_;
    uint64_t formatsRevision_ = 0;
    int lastAnchor_ = 0;
    int lastPosition_ = 0;
    bool quietSelection_ = false;
    // While the editor handles an input event the selection relay waits, so
    // that an edit reports its text change before the caret move it causes.
    int holdSelection_ = 0;
    bool selectionPending_ = false;
    void holdSelection() { ++holdSelection_; }
    void releaseSelection();
};

// Windows-1252 code of a character, 63 ('?') when it has none; and back.
short cp1252Of(QChar c);
QChar charOfCp1252(int code);
