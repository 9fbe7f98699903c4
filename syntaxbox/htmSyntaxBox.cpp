#include "syntaxbox/htmSyntaxBox.h"

#include "syntaxbox/ControlError.h"
#include "host/ControlHost.h"
#include "host/PropertyBag.h"
#include "syntaxbox/QtProgressIndicator.h"
#include "syntaxbox/RichBox.h"
#include "syntaxbox/RichBoxTextBox.h"
#include "syntaxbox/Rtf.h"
#include "host/SystemColors.h"

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

namespace {

QString latin1Text(const QByteArray& bytes) { return QString::fromLatin1(bytes); }

// One byte a character: Windows-1252 where the character has a code there.
QByteArray bytesOf(const QString& text) {
    QByteArray out;
    out.reserve(text.size());
    for (QChar c : text) out.append(static_cast<char>(cp1252Of(c)));
    return out;
}

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
    box_ = new RichBox(this, this);
    box_->setObjectName("rtfHTML");
    // A number that names this text box, and no other, for the whole run.
    static qint32 nextHandle = 0x10000;
    handle_ = nextHandle++;
    box_->setGeometry(0, 0, width(), height());
    connect(host_, &ControlHost::ambientChanged, this, [this](const QString& name) {
        if (name == "UserMode") applyInteraction();
    });
    InitProperties();
}

htmSyntaxBox::~htmSyntaxBox() = default;

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
}

// ---------------------------------------------------------------- relays

void htmSyntaxBox::onBoxChange() {
    if (flags_.busy) return;
    flags_.changed = true;
    emit Change();
}

void htmSyntaxBox::onBoxSelChange() {
    if (flags_.busy) return;
    if (flags_.changed) {
        flags_.changed = false;
        flags_.busy = true;
        struct Release {
            bool& busy;
            ~Release() { busy = false; }
        } release{flags_.busy};
        if (lastLine_ == 0) lastLine_ = GetLineSelected() + 1;
        if (autoColorize_ && navigationKey_) {
            const int current = GetLineSelected() + 1;
            if (current != lastLine_) {
                int a, b;
                if (current > lastLine_) {
                    a = GetLineFirstCharIndex(lastLine_ - 1);
                    b = GetLineFirstCharIndex(-1);
                } else {
                    a = GetLineFirstCharIndex(-1);
                    b = GetLineFirstCharIndex(lastLine_);
                }
                if (a >= 0 && b >= 0) Colorize(a, b);
            }
        }
        flags_.busy = false;
        lastLine_ = GetLineSelected() + 1;
    }
    emit SelChange();
}

void htmSyntaxBox::onBoxKeyDown(short& keyCode, short shift) {
    if (flags_.busy) return;
    navigationKey_ = keyCode == 13 || (keyCode >= 37 && keyCode <= 40);
    emit KeyDown(keyCode, shift);
}

bool htmSyntaxBox::onBoxKeyPress(short& keyAscii) {
    if (flags_.busy) return true;
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
    if (keyAscii == 0) return false;
    if (maxLength_ > 0 && keyAscii >= 32) {
        const QTextCursor c = box_->textCursor();
        if (box_->documentLength() - (c.selectionEnd() - c.selectionStart()) >= maxLength_) return false;
    }
    return true;
}

void htmSyntaxBox::typeEntity(const char* entity) {
    for (const char* p = entity; *p; ++p) box_->typeCharacter(QChar(static_cast<char16_t>(*p)));
}

void htmSyntaxBox::onBoxKeyUp(short& keyCode, short shift) {
    if (flags_.busy) return;
    emit KeyUp(keyCode, shift);
}

void htmSyntaxBox::onBoxMouse(bool down, short button, short shift, float x, float y) {
    if (flags_.busy) return;
    if (down)
        emit MouseDown(button, shift, x, y);
    else
        emit MouseUp(button, shift, x, y);
}

void htmSyntaxBox::onBoxClick() {
    if (!flags_.busy) emit Click();
}

void htmSyntaxBox::onBoxDblClick() {
    if (!flags_.busy) emit DblClick();
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
    box_->replaceText(latin1Text(bytes));
    fileName_ = strFilePath;
    return {};
}

void htmSyntaxBox::SaveFile(const QString& strFilePath) {
    QString text = box_->toPlainText();
    if (saveWithCrLf_) text.replace('\n', QStringLiteral("\r\n"));
    QSaveFile file(strFilePath);
    const QByteArray bytes = bytesOf(text);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
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
    const QString all = box_->toPlainText();
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
    const QString text = box_->toPlainText();
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
    const QString text = box_->toPlainText();
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
    static const Qt::CursorShape shapes[16] = {
        Qt::IBeamCursor,    Qt::ArrowCursor,     Qt::CrossCursor,   Qt::IBeamCursor,
        Qt::ArrowCursor,    Qt::SizeAllCursor,   Qt::SizeBDiagCursor, Qt::SizeVerCursor,
        Qt::SizeFDiagCursor, Qt::SizeHorCursor,  Qt::UpArrowCursor, Qt::WaitCursor,
        Qt::ForbiddenCursor, Qt::BusyCursor,     Qt::WhatsThisCursor, Qt::SizeAllCursor};
    if (mousePointer_ == 99 && !mouseIcon_.isNull())
        box_->viewport()->setCursor(QCursor(QPixmap::fromImage(mouseIcon_.image())));
    else if (mousePointer_ >= 0 && mousePointer_ < 16)
        box_->viewport()->setCursor(shapes[mousePointer_]);
    else
        box_->viewport()->setCursor(Qt::IBeamCursor);
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

QString htmSyntaxBox::Text() const { return box_->toPlainText(); }
void htmSyntaxBox::setText(const QString& v) {
    box_->replaceText(v);
    emit PropertyChanged("Text");
    emit PropertyChanged("TextRTF");
}

QString htmSyntaxBox::TextRTF() const {
    const std::string rtf = writeRtf(box_->toPlainText().toStdU16String(), box_->looks(), [](uint32_t v) {
        return TranslateColor(v, SystemColors::application().table());
    });
    return QString::fromLatin1(rtf.data(), static_cast<qsizetype>(rtf.size()));
}

void htmSyntaxBox::setTextRTF(const QString& v) {
    const std::string bytes = bytesOf(v).toStdString();
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

void htmSyntaxBox::InitProperties() {
    autoColorize_ = true;
    setAutoVerbMenu(false);
    setBackColor(colour::WindowBackground);
    setCommentBold(false);
    setCommentColor(0x008000);
    setCommentItalic(true);
    setEnabledValue(true);
    setEntityBold(false);
    setEntityItalic(false);
    entities_ = 62;
    setEntityColor(0x404040);
    setFileName(QString());
    setBoxFont(host_ ? host_->font() : QFont());
    setHideSelection(false);
    setLocked(false);
    setMaxLength(0);
    setMouseIcon(Picture());
    setMousePointer(0);
    progressBar_ = nullptr;
    setPropNameBold(false);
    setPropNameItalic(false);
    setPropNameColor(0x800000);
    setPropValBold(false);
    setPropValItalic(false);
    setPropValColor(0x000080);
    setRightMargin(0);
    setSilent(true);
    setTagBold(true);
    setTagColor(0xFF0000);
    setTagItalic(false);
    setText(DefaultText);
}

void htmSyntaxBox::ReadProperties(const PropertyBag& bag) {
    const QFont ambient = host_ ? host_->font() : QFont();
    setAutoColorize(bag.read("AutoColorize", true).toBool());
    setAutoVerbMenu(bag.read("AutoVerbMenu", false).toBool());
    setBackColor(bag.read("BackColor", uint(colour::WindowBackground)).toUInt());
    setCommentBold(bag.read("CommentBold", false).toBool());
    setCommentColor(bag.read("CommentColor", uint(0x008000)).toUInt());
    setCommentItalic(bag.read("CommentItalic", true).toBool());
    setEnabledValue(bag.read("Enabled", true).toBool());
    try {
        setEntities(bag.read("Entities", 62).toInt());
    } catch (const InvalidArgument&) {
        // A damaged setting keeps the value the box has.
    }
    setEntityBold(bag.read("EntityBold", false).toBool());
    setEntityColor(bag.read("EntityColor", uint(0x404040)).toUInt());
    setEntityItalic(bag.read("EntityItalic", false).toBool());
    setFileName(bag.read("FileName", QString()).toString());
    setBoxFont(bag.read("Font", ambient).value<QFont>());
    setHideSelection(bag.read("HideSelection", false).toBool());
    setLocked(bag.read("Locked", false).toBool());
    setMaxLength(bag.read("MaxLength", 0).toInt());
    setMouseIcon(bag.read("MouseIcon", QVariant::fromValue(Picture())).value<Picture>());
    setMousePointer(bag.read("MousePointer", 0).toInt());
    setPropNameBold(bag.read("PropNameBold", false).toBool());
    setPropNameColor(bag.read("PropNameColor", uint(0x800000)).toUInt());
    setPropNameItalic(bag.read("PropNameItalic", false).toBool());
    setPropValBold(bag.read("PropValBold", false).toBool());
    setPropValColor(bag.read("PropValColor", uint(0x000080)).toUInt());
    setPropValItalic(bag.read("PropValItalic", false).toBool());
    setSilent(bag.read("Silent", true).toBool());
    setRightMargin(bag.read("RightMargin", 0.0f).toFloat());
    setTagBold(bag.read("TagBold", true).toBool());
    setTagColor(bag.read("TagColor", uint(0xFF0000)).toUInt());
    setTagItalic(bag.read("TagItalic", false).toBool());
    setText(bag.read("Text", QString(DefaultText)).toString());
}

void htmSyntaxBox::WriteProperties(PropertyBag& bag) const {
    const QFont ambient = host_ ? host_->font() : QFont();
    bag.write("AutoColorize", AutoColorize(), true);
    bag.write("AutoVerbMenu", AutoVerbMenu(), false);
    bag.write("BackColor", BackColor(), uint(colour::WindowBackground));
    bag.write("CommentBold", CommentBold(), false);
    bag.write("CommentColor", CommentColor(), uint(0x008000));
    bag.write("CommentItalic", CommentItalic(), true);
    bag.write("Enabled", Enabled(), true);
    bag.write("Entities", Entities(), 62);
    bag.write("EntityBold", EntityBold(), false);
    bag.write("EntityColor", EntityColor(), uint(0x404040));
    bag.write("EntityItalic", EntityItalic(), false);
    bag.write("FileName", FileName(), QString());
    bag.write("Font", Font(), ambient);
    bag.write("HideSelection", HideSelection(), false);
    bag.write("Locked", Locked(), false);
    bag.write("MaxLength", MaxLength(), 0);
    bag.write("MouseIcon", QVariant::fromValue(MouseIcon()), QVariant::fromValue(Picture()));
    bag.write("MousePointer", MousePointer(), 0);
    bag.write("PropNameBold", PropNameBold(), false);
    bag.write("PropNameColor", PropNameColor(), uint(0x800000));
    bag.write("PropNameItalic", PropNameItalic(), false);
    bag.write("PropValBold", PropValBold(), false);
    bag.write("PropValColor", PropValColor(), uint(0x000080));
    bag.write("PropValItalic", PropValItalic(), false);
    bag.write("Silent", Silent(), true);
    bag.write("RightMargin", RightMargin(), 0.0f);
    bag.write("TagBold", TagBold(), true);
    bag.write("TagColor", TagColor(), uint(0xFF0000));
    bag.write("TagItalic", TagItalic(), false);
    bag.write("Text", Text(), QString(DefaultText));
}
