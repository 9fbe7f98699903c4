#include "syntaxbox/htmSyntaxBox.h"

#include "syntaxbox/ControlError.h"
#include "host/ControlHost.h"
#include "host/PropertyBag.h"
#include "syntaxbox/QtProgressIndicator.h"
#include "syntaxbox/RichBox.h"
#include "syntaxbox/RichBoxTextBox.h"
#include "syntaxbox/Rtf.h"
#include "host/SystemColors.h"
#include "host/VirtualKeys.h"
#include "host/Windows1252.h"

#include <QCursor>
#include <QFile>
#include <QFileInfo>
#include <QPagedPaintDevice>
#include <QPixmap>
#include <QResizeEvent>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <string_view>
#include <vector>

namespace {

// Which typed characters become which entity, and the bit of Entities that
// switches each on.
struct EntityRule {
    short code;
    int bit;
    const char* entity;
};
const EntityRule kEntityRules[] = {
    {34, 1, "&quot;"},  {167, 2, "&sect;"},  {196, 4, "&Auml;"},  {214, 8, "&Ouml;"}, {220, 16, "&Uuml;"},
    {223, 32, "&szlig;"}, {228, 4, "&auml;"}, {246, 8, "&ouml;"}, {252, 16, "&uuml;"},
};

}  // namespace

htmSyntaxBox::htmSyntaxBox(QWidget* parent, ControlHost* host)
    : QWidget(parent), host_(host ? host : ControlHost::runtime()) {
    box_ = new RichBox(this);
    box_->setObjectName("rtfHTML");
    connect(box_, &RichBox::Change, this, &htmSyntaxBox::onBoxChange);
    connect(box_, &RichBox::SelChange, this, &htmSyntaxBox::onBoxSelChange);
    connect(box_, &RichBox::KeyPress, this, &htmSyntaxBox::onBoxKeyPress);
    connect(box_, &RichBox::Edited, this, &htmSyntaxBox::onBoxEdited);
    connect(box_, &RichBox::FocusLost, this, [this] {
        if (!flags_.busy) colourEditedLines(true);
    });
    connect(box_, &RichBox::KeyDown, this, [this](short keyCode, short shift) {
        if (!flags_.busy) emit KeyDown(keyCode, shift);
    });
    connect(box_, &RichBox::KeyUp, this, [this](short keyCode, short shift) {
        if (!flags_.busy) emit KeyUp(keyCode, shift);
    });
    connect(box_, &RichBox::MouseDown, this, [this](short button, short shift, float x, float y) {
        if (!flags_.busy) emit MouseDown(button, shift, x, y);
    });
    connect(box_, &RichBox::MouseUp, this, [this](short button, short shift, float x, float y) {
        if (!flags_.busy) emit MouseUp(button, shift, x, y);
    });
    connect(box_, &RichBox::Click, this, [this] {
        if (!flags_.busy) emit Click();
    });
    connect(box_, &RichBox::DblClick, this, [this] {
        if (!flags_.busy) emit DblClick();
    });
    // A number that names this text box, and no other, for the whole run.
    static qint32 nextHandle = 0x10000;
    handle_ = nextHandle++;
    box_->setGeometry(0, 0, width(), height());
    connect(host_, &ControlHost::ambientChanged, this, [this](const QString& name) {
        if (name == "UserMode") applyInteraction();
    });
    InitProperties();
}

htmSyntaxBox::~htmSyntaxBox() {
    // The text box is destroyed after this part of the control (with the
    // widget's children) and may still report, losing the focus.
    box_->disconnect(this);
}

// ---------------------------------------------------------------- colouring

void htmSyntaxBox::Colorize(int lngStartPos, int lngEndPos) {
    const QFont f = Font();
    RichBoxTextBox adapter(*box_, BoxFont{f.family().toStdString(), f.pointSizeF(), f.bold(), f.italic()});
    QtProgressIndicator progress(progressBar_);
    ColorizeContext ctx{adapter, styles_, flags_, silent_,
                        progress.kind() == ProgressIndicator::Kind::None ? nullptr : &progress};
    // Showing the looks and putting the selection back raise no events.
    struct Commit {
        RichBoxTextBox& a;
        bool& busy;
        ~Commit() {
            const bool was = busy;
            busy = true;
            a.commit();
            busy = was;
        }
    } commit{adapter, flags_.busy};
    colorize(ctx, lngStartPos, lngEndPos);
    // Edited lines inside the range have their colours now.
    const int64_t first = std::max(lngStartPos, 1) - 1;
    const int64_t last = lngEndPos == 0 ? box_->documentLength() : lngEndPos;
    if (editedFirst_ >= first && editedLast_ <= last) editedFirst_ = editedLast_ = -1;
}

// ---------------------------------------------------------------- relays

void htmSyntaxBox::onBoxChange() {
    if (flags_.busy) return;
    flags_.changed = true;
    emit Change();
}

// The changed flag is consumed by the selection change that follows an edit,
// which is usually the caret moving on within the same line; the edited lines
// are therefore marked by offset and coloured only once the caret has left
// them, however it left.
void htmSyntaxBox::onBoxSelChange() {
    if (flags_.busy) return;
    flags_.changed = false;
    colourEditedLines(false);
    emit SelChange();
}

void htmSyntaxBox::onBoxEdited(int64_t offset, int64_t removed, int64_t added) {
    const auto follow = [&](int64_t p) { return p >= offset + removed ? p + added - removed : std::min(p, offset); };
    if (editedFirst_ < 0) {
        editedFirst_ = offset;
        editedLast_ = offset + added;
    } else {
        editedFirst_ = std::min(follow(editedFirst_), offset);
        editedLast_ = std::max(follow(editedLast_), offset + added);
    }
}

void htmSyntaxBox::colourEditedLines(bool caretLineToo) {
    if (editedFirst_ < 0 || !autoColorize_) return;
    const QTextDocument* doc = box_->document();
    const int length = static_cast<int>(box_->documentLength());
    const QTextBlock first = doc->findBlock(std::min<int>(static_cast<int>(editedFirst_), length));
    const QTextBlock last = doc->findBlock(std::min<int>(static_cast<int>(editedLast_), length));
    const QTextBlock caret = doc->findBlock(box_->textCursor().selectionStart());
    const bool onEditedLine =
        !caretLineToo && caret.blockNumber() >= first.blockNumber() && caret.blockNumber() <= last.blockNumber();
    // The caret's line stays marked while the caret is on it.
    editedFirst_ = onEditedLine ? caret.position() : -1;
    editedLast_ = onEditedLine ? caret.position() + caret.length() - 1 : -1;
    const auto colourLines = [this](const QTextBlock& from, const QTextBlock& to) {
        if (!from.isValid() || !to.isValid() || from.blockNumber() > to.blockNumber()) return;
        const int a = from.position(), b = to.position() + to.length() - 1;
        if (b > a) Colorize(a + 1, b);
    };
    if (onEditedLine) {
        colourLines(first, caret.previous());
        colourLines(caret.next(), last);
    } else {
        colourLines(first, last);
    }
}

void htmSyntaxBox::onBoxKeyPress(short& keyAscii, bool& keep) {
    if (flags_.busy) return;
    if (entities_ != 0) {
        for (const EntityRule& r : kEntityRules) {
            if (r.code == keyAscii && (entities_ & r.bit)) {
                keyAscii = 0;
                typeEntity(r.entity);
                break;
            }
        }
    }
    emit KeyPress(keyAscii);
    if (keyAscii == 0) {
        keep = false;
    } else if (maxLength_ > 0 && keyAscii >= 32) {
        const QTextCursor c = box_->textCursor();
        if (box_->documentLength() - (c.selectionEnd() - c.selectionStart()) >= maxLength_) keep = false;
    }
}

void htmSyntaxBox::typeEntity(const char* entity) {
    for (const char* p = entity; *p; ++p) box_->typeCharacter(QChar(static_cast<char16_t>(*p)));
}

void htmSyntaxBox::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (box_) box_->setGeometry(0, 0, width(), height());
}

// ---------------------------------------------------------------- methods

QVariant htmSyntaxBox::Find(const QString& strString, int lngStart, int lngEnd, int fndOptions) {
    QTextDocument* doc = box_->document();
    const QTextCursor sel = box_->textCursor();
    // Without a start the search goes on after the selection, so that
    // calling Find again finds the next match.
    const int from = lngStart != 0 ? lngStart : sel.selectionEnd();
    const int to = lngEnd != 0 ? lngEnd : static_cast<int>(box_->documentLength());
    if (strString.isEmpty() || from < 0 || from > box_->documentLength()) return -1;
    QTextDocument::FindFlags flags;
    if (fndOptions & 2) flags |= QTextDocument::FindWholeWords;
    if (fndOptions & 4) flags |= QTextDocument::FindCaseSensitively;
    const QTextCursor found = doc->find(strString, from, flags);
    if (found.isNull() || found.selectionEnd() > to) return -1;
    if (!(fndOptions & 8)) box_->setTextCursor(found);
    return found.selectionStart();
}

int htmSyntaxBox::GetLineCount() const { return box_->document()->blockCount(); }

int htmSyntaxBox::GetLineFirstCharIndex(int lngLineIndex) const {
    if (lngLineIndex == -1) return box_->document()->findBlock(box_->textCursor().selectionStart()).position();
    const QTextBlock block = box_->document()->findBlockByNumber(lngLineIndex);
    return lngLineIndex >= 0 && block.isValid() ? block.position() : -1;
}

int htmSyntaxBox::GetLineFromChar(int lngCharIndex) const {
    const int at = std::clamp<int>(lngCharIndex, 0, static_cast<int>(box_->documentLength()));
    return box_->document()->findBlock(at).blockNumber();
}

int htmSyntaxBox::GetLineSelected() const {
    return box_->document()->findBlock(box_->textCursor().selectionStart()).blockNumber();
}

QVariant htmSyntaxBox::LoadFile(const QString& strFilePath) {
    QFile file(strFilePath);
    if (!file.exists()) throw ControlError(53, "File not found: '" + strFilePath.toStdString() + "'");
    if (!file.open(QIODevice::ReadOnly))
        throw ControlError(75, "Path/File access error: '" + strFilePath.toStdString() + "'");
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw ControlError(75, "Path/File access error: '" + strFilePath.toStdString() + "'");
    saveWithCrLf_ = bytes.contains("\r\n") || !bytes.contains('\n');
    box_->replaceText(Windows1252::toQString(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size()))));
    editedFirst_ = editedLast_ = -1;
    fileName_ = strFilePath;
    return {};
}

void htmSyntaxBox::SaveFile(const QString& strFilePath) {
    QString text = box_->plainText();
    if (saveWithCrLf_) text.replace('\n', QStringLiteral("\r\n"));
    QSaveFile file(strFilePath);
    const std::string bytes = Windows1252::fromQString(text);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()) || !file.commit())
        throw ControlError(75, "Path/File access error: '" + strFilePath.toStdString() + "'");
}

void htmSyntaxBox::SelPrint(QPagedPaintDevice* hDC) {
    if (!hDC) throw InvalidArgument();
    QTextCursor sel = box_->textCursor();
    int from = sel.selectionStart(), to = sel.selectionEnd();
    if (from == to) {  // nothing selected: the whole text
        from = 0;
        to = static_cast<int>(box_->documentLength());
    }
    QTextDocument doc;
    doc.setDefaultFont(Font());
    QTextCursor out(&doc);
    const QString all = box_->plainText();
    box_->looks().forEachRun(from, to - from, [&](int64_t start, int64_t length, LookBuffer::Id id) {
        out.insertText(all.mid(static_cast<qsizetype>(start), static_cast<qsizetype>(length)),
                       box_->formatOfLook(id));
    });
    doc.print(hDC);
}

void htmSyntaxBox::Refresh() {
    box_->viewport()->update();
    update();
}

namespace {
bool inSet(const QString& set, QChar c, bool negate) { return set.contains(c) != negate; }
}  // namespace

void htmSyntaxBox::Span(const QString& strString, bool blnGoForward, bool blnNegate) {
    QTextCursor c = box_->textCursor();
    const QString text = box_->plainText();
    int p = c.position();
    if (blnGoForward)
        while (p < text.size() && inSet(strString, text.at(p), blnNegate)) ++p;
    else
        while (p > 0 && inSet(strString, text.at(p - 1), blnNegate)) --p;
    c.setPosition(p, QTextCursor::KeepAnchor);
    box_->setTextCursor(c);
}

void htmSyntaxBox::UpTo(const QString& strString, bool blnGoForward, bool blnNegate) {
    QTextCursor c = box_->textCursor();
    const QString text = box_->plainText();
    int p = c.position();
    if (blnGoForward)
        while (p < text.size() && !inSet(strString, text.at(p), blnNegate)) ++p;
    else
        while (p > 0 && !inSet(strString, text.at(p - 1), blnNegate)) --p;
    c.setPosition(p);
    box_->setTextCursor(c);
}

// ---------------------------------------------------------------- properties

void htmSyntaxBox::setStyleField(bool& field, bool value, const char* name) {
    field = value;
    emit PropertyChanged(name);
}

void htmSyntaxBox::setColourField(uint32_t& field, uint value, const char* name) {
    field = value;
    emit PropertyChanged(name);
}

void htmSyntaxBox::setAutoColorize(bool v) { autoColorize_ = v; }
bool htmSyntaxBox::AutoVerbMenu() const { return box_->contextMenuPolicy() != Qt::NoContextMenu; }
void htmSyntaxBox::setAutoVerbMenu(bool v) {
    box_->setContextMenuPolicy(v ? Qt::DefaultContextMenu : Qt::NoContextMenu);
    emit PropertyChanged("AutoVerbMenu");
}
void htmSyntaxBox::setBackColor(uint v) {
    backColor_ = v;
    applyBackColor();
    emit PropertyChanged("BackColor");
}
void htmSyntaxBox::applyBackColor() {
    QPalette p = box_->palette();
    const QColor c = SystemColors::application().toQColor(backColor_);
    p.setColor(QPalette::Base, c);
    if (hideSelection_) {
        p.setColor(QPalette::Inactive, QPalette::Highlight, c);
        p.setColor(QPalette::Inactive, QPalette::HighlightedText, p.color(QPalette::Active, QPalette::Text));
    } else {
        p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Active, QPalette::Highlight));
        p.setColor(QPalette::Inactive, QPalette::HighlightedText,
                   p.color(QPalette::Active, QPalette::HighlightedText));
    }
    box_->setPalette(p);
}
void htmSyntaxBox::setCommentBold(bool v) { setStyleField(styles_.comment.bold, v, "CommentBold"); }
void htmSyntaxBox::setCommentColor(uint v) { setColourField(styles_.comment.color, v, "CommentColor"); }
void htmSyntaxBox::setCommentItalic(bool v) { setStyleField(styles_.comment.italic, v, "CommentItalic"); }
void htmSyntaxBox::setEnabledValue(bool v) {
    setEnabled(v);
    emit PropertyChanged("Enabled");
}
void htmSyntaxBox::setEntities(int v) {
    if (v < 0 || v > 63) throw InvalidArgument();
    entities_ = v;
}
void htmSyntaxBox::setEntityBold(bool v) { setStyleField(styles_.entity.bold, v, "EntityBold"); }
void htmSyntaxBox::setEntityColor(uint v) { setColourField(styles_.entity.color, v, "EntityColor"); }
void htmSyntaxBox::setEntityItalic(bool v) { setStyleField(styles_.entity.italic, v, "EntityItalic"); }
void htmSyntaxBox::setFileName(const QString& v) {
    fileName_ = v;
    emit PropertyChanged("FileName");
}
QFont htmSyntaxBox::Font() const { return box_->font(); }
void htmSyntaxBox::setBoxFont(const QFont& f) {
    box_->setFont(f);
    CharLook plain;
    plain.fontName = f.family().toStdString();
    plain.fontSize = f.pointSizeF();
    plain.bold = f.bold();
    plain.italic = f.italic();
    plain.underline = f.underline();
    plain.strike = f.strikeOut();
    box_->looks().setFontForAll(plain.fontName, plain.fontSize);
    box_->looks().setPlainLook(plain);
    box_->allLooksChanged();
    emit PropertyChanged("Font");
}
void htmSyntaxBox::setHideSelection(bool v) {
    hideSelection_ = v;
    applyBackColor();
    emit PropertyChanged("HideSelection");
}
qint32 htmSyntaxBox::hWnd() const { return handle_; }
void htmSyntaxBox::setLocked(bool v) {
    locked_ = v;
    applyInteraction();
    emit PropertyChanged("Locked");
}

void htmSyntaxBox::applyInteraction() {
    // In the designer the box only shows its text; a locked box can still be
    // read, selected and searched from the keyboard.
    if (host_ && !host_->userMode())
        box_->setTextInteractionFlags(Qt::NoTextInteraction);
    else if (locked_)
        box_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    else
        box_->setTextInteractionFlags(Qt::TextEditorInteraction);
}
void htmSyntaxBox::setMaxLength(int v) {
    if (v < 0) return;
    maxLength_ = v;
    emit PropertyChanged("MaxLength");
}
void htmSyntaxBox::setMouseIcon(const Picture& p) {
    mouseIcon_ = p;
    applyMousePointer();
    emit PropertyChanged("MouseIcon");
}
void htmSyntaxBox::setMousePointer(int v) {
    if (!((v >= 0 && v <= 15) || v == 99)) return;
    mousePointer_ = v;
    applyMousePointer();
    emit PropertyChanged("MousePointer");
}
void htmSyntaxBox::applyMousePointer() {
    // 0, and 99 without an icon, leave the text box its own I-beam.
    if (mousePointer_ == 99 && !mouseIcon_.isNull())
        box_->viewport()->setCursor(QCursor(QPixmap::fromImage(mouseIcon_.image())));
    else
        box_->viewport()->setCursor(VirtualKeys::pointerShape(mousePointer_).value_or(Qt::IBeamCursor));
}
void htmSyntaxBox::setProgressBar(QObject* o) { progressBar_ = o; }
void htmSyntaxBox::setPropNameBold(bool v) { setStyleField(styles_.attributeName.bold, v, "PropNameBold"); }
void htmSyntaxBox::setPropNameColor(uint v) { setColourField(styles_.attributeName.color, v, "PropNameColor"); }
void htmSyntaxBox::setPropNameItalic(bool v) { setStyleField(styles_.attributeName.italic, v, "PropNameItalic"); }
void htmSyntaxBox::setPropValBold(bool v) { setStyleField(styles_.attributeValue.bold, v, "PropValBold"); }
void htmSyntaxBox::setPropValColor(uint v) { setColourField(styles_.attributeValue.color, v, "PropValColor"); }
void htmSyntaxBox::setPropValItalic(bool v) { setStyleField(styles_.attributeValue.italic, v, "PropValItalic"); }
void htmSyntaxBox::setRightMargin(float v) {
    if (v < 0) return;
    rightMargin_ = v;
    // Lines wrap at the box's edge; a margin of their own turns wrapping off.
    box_->setLineWrapMode(v == 0 ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    emit PropertyChanged("RightMargin");
}
int htmSyntaxBox::SelLength() const {
    const QTextCursor c = box_->textCursor();
    return c.selectionEnd() - c.selectionStart();
}
void htmSyntaxBox::setSelLength(int v) {
    if (v < 0) throw InvalidPropertyValue();
    QTextCursor c = box_->textCursor();
    const int start = c.selectionStart();
    c.setPosition(start);
    c.setPosition(std::min<int>(start + v, static_cast<int>(box_->documentLength())), QTextCursor::KeepAnchor);
    box_->setTextCursor(c);
}
int htmSyntaxBox::SelStart() const { return box_->textCursor().selectionStart(); }
void htmSyntaxBox::setSelStart(int v) {
    if (v < 0) throw InvalidPropertyValue();
    QTextCursor c = box_->textCursor();
    c.setPosition(std::min<int>(v, static_cast<int>(box_->documentLength())));
    box_->setTextCursor(c);
}
QVariant htmSyntaxBox::SelTabCount() const { return selTabCount_; }
void htmSyntaxBox::setSelTabCount(const QVariant& v) {
    bool ok = false;
    const int n = v.toInt(&ok);
    if (!ok || n < 0 || n > 32) throw InvalidPropertyValue();
    selTabCount_ = n;
}
// Tab positions in pixels from the left edge of the text; the first sets the
// box's tab distance.
QVariant htmSyntaxBox::SelTabs(short Index) const {
    if (Index < 0 || Index >= selTabCount_) throw InvalidPropertyValue();
    return Index < selTabs_.size() ? selTabs_.at(Index) : QVariant(0);
}
void htmSyntaxBox::setSelTabs(short Index, const QVariant& v) {
    if (Index < 0 || Index >= selTabCount_) throw InvalidPropertyValue();
    while (selTabs_.size() <= Index) selTabs_.append(0);
    selTabs_[Index] = v;
    if (Index == 0 && v.toDouble() > 0) box_->setTabStopDistance(v.toDouble());
}
QString htmSyntaxBox::SelText() const {
    return box_->textCursor().selectedText().replace(QChar::ParagraphSeparator, '\n');
}
void htmSyntaxBox::setSelText(const QString& v) {
    box_->asOneEdit([&] {
        QTextCursor c = box_->textCursor();
        c.insertText(v);
        box_->setTextCursor(c);
    });
}
void htmSyntaxBox::setSilent(bool v) { setStyleField(silent_, v, "Silent"); }
void htmSyntaxBox::setTagBold(bool v) { setStyleField(styles_.tag.bold, v, "TagBold"); }
void htmSyntaxBox::setTagColor(uint v) { setColourField(styles_.tag.color, v, "TagColor"); }
void htmSyntaxBox::setTagItalic(bool v) { setStyleField(styles_.tag.italic, v, "TagItalic"); }

QString htmSyntaxBox::Text() const { return box_->plainText(); }
void htmSyntaxBox::setText(const QString& v) {
    box_->replaceText(v);
    editedFirst_ = editedLast_ = -1;
    emit PropertyChanged("Text");
    emit PropertyChanged("TextRTF");
}

QString htmSyntaxBox::TextRTF() const {
    const std::string rtf = writeRtf(box_->plainText().toStdU16String(), box_->looks(), [](uint32_t v) {
        return TranslateColor(v, SystemColors::application().table());
    });
    return Windows1252::toQString(rtf);
}

void htmSyntaxBox::setTextRTF(const QString& v) {
    const std::string bytes = Windows1252::fromQString(v);
    editedFirst_ = editedLast_ = -1;
    if (!looksLikeRtf(bytes)) {
        box_->replaceText(v);
    } else {
        const RichText rich = readRtf(bytes, box_->looks().look(0));
        std::vector<std::pair<int64_t, CharLook>> runs;
        runs.reserve(rich.runs.size());
        for (const LookRun& r : rich.runs) runs.emplace_back(r.length, r.look);
        box_->replaceRichText(QString::fromStdU16String(rich.text), runs);
    }
    emit PropertyChanged("TextRTF");
    emit PropertyChanged("Text");
}

// ---------------------------------------------------------------- persistence

namespace {
// The stored settings in the order they are read and written: each key is
// also the name of the property that holds the value, and the default is
// what a new box has. The font's default (left invalid here) is the
// container's ambient font.
struct StoredSetting {
    const char* key;
    QVariant defaultValue;
};
const std::vector<StoredSetting>& storedSettings() {
    static const std::vector<StoredSetting> settings = {
        {"AutoColorize", true},
        {"AutoVerbMenu", false},
        {"BackColor", uint(colour::WindowBackground)},
        {"CommentBold", false},
        {"CommentColor", uint(0x008000)},
        {"CommentItalic", true},
        {"Enabled", true},
        {"Entities", 62},
        {"EntityBold", false},
        {"EntityColor", uint(0x404040)},
        {"EntityItalic", false},
        {"FileName", QString()},
        {"Font", QVariant()},
        {"HideSelection", false},
        {"Locked", false},
        {"MaxLength", 0},
        {"MouseIcon", QVariant::fromValue(Picture())},
        {"MousePointer", 0},
        {"PropNameBold", false},
        {"PropNameColor", uint(0x800000)},
        {"PropNameItalic", false},
        {"PropValBold", false},
        {"PropValColor", uint(0x000080)},
        {"PropValItalic", false},
        {"Silent", true},
        {"RightMargin", 0.0f},
        {"TagBold", true},
        {"TagColor", uint(0xFF0000)},
        {"TagItalic", false},
        {"Text", QString(htmSyntaxBox::DefaultText)},
    };
    return settings;
}
}  // namespace

QVariant htmSyntaxBox::defaultOf(const char* key) const {
    for (const StoredSetting& s : storedSettings())
        if (qstrcmp(s.key, key) == 0)
            return s.defaultValue.isValid() ? s.defaultValue : QVariant(host_ ? host_->font() : QFont());
    return {};
}

void htmSyntaxBox::InitProperties() {
    for (const StoredSetting& s : storedSettings()) setProperty(s.key, defaultOf(s.key));
    progressBar_ = nullptr;
}

void htmSyntaxBox::ReadProperties(const PropertyBag& bag) {
    for (const StoredSetting& s : storedSettings()) {
        try {
            setProperty(s.key, bag.read(s.key, defaultOf(s.key)));
        } catch (const ControlError&) {
            // A damaged setting keeps the value the box has.
        }
    }
}

void htmSyntaxBox::WriteProperties(PropertyBag& bag) const {
    for (const StoredSetting& s : storedSettings()) bag.write(s.key, property(s.key), defaultOf(s.key));
}
