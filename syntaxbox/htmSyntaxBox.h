#pragma once
// A text box that colours HTML and XML source: tag names, attribute names and
// values, comments and entities each get their own look. It recolours the
// lines the user has edited once the caret has left them (by any key, a
// click, or the focus leaving the box), and can replace some typed
// characters by entities.
//
// Text is one byte a character: files, Text and TextRTF map bytes to
// characters as Windows-1252 (host/Windows1252.h), so every byte comes back
// out as it went in.
//
// The only child is the text box rtfHTML, kept at (0, 0) at full size. Most
// members forward to it. Offsets are 0-based and count a line break as one
// character; positions given to Colorize are 1-based (see Colorizer.h).
//
// Errors: setting Entities outside 0..63 throws InvalidArgument (code 5) and
// keeps the old value; a negative SelStart or SelLength throws
// InvalidPropertyValue (code 380). Both are in ControlError.h.
//
// A containing window creates the box (it starts with every default, as
// InitProperties() gives), then applies its stored settings with
// ReadProperties() and saves them with WriteProperties(). Setters that the
// store keeps report the change with PropertyChanged(name).
#include "syntaxbox/Colorizer.h"
#include "host/Picture.h"

#include <QFont>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <QWidget>

class ControlHost;
class PropertyBag;
class RichBox;
class QPagedPaintDevice;

class htmSyntaxBox : public QWidget {
    Q_OBJECT
    Q_CLASSINFO("DefaultProperty", "Text")
    Q_PROPERTY(bool AutoColorize READ AutoColorize WRITE setAutoColorize)
    Q_PROPERTY(bool AutoVerbMenu READ AutoVerbMenu WRITE setAutoVerbMenu)
    Q_PROPERTY(uint BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(bool CommentBold READ CommentBold WRITE setCommentBold)
    Q_PROPERTY(uint CommentColor READ CommentColor WRITE setCommentColor)
    Q_PROPERTY(bool CommentItalic READ CommentItalic WRITE setCommentItalic)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabledValue)
    Q_PROPERTY(int Entities READ Entities WRITE setEntities)
    Q_PROPERTY(bool EntityBold READ EntityBold WRITE setEntityBold)
    Q_PROPERTY(uint EntityColor READ EntityColor WRITE setEntityColor)
    Q_PROPERTY(bool EntityItalic READ EntityItalic WRITE setEntityItalic)
    Q_PROPERTY(QString FileName READ FileName WRITE setFileName)
    Q_PROPERTY(QFont Font READ Font WRITE setBoxFont)
    Q_PROPERTY(bool HideSelection READ HideSelection WRITE setHideSelection)
    Q_PROPERTY(qint32 hWnd READ hWnd)
    Q_PROPERTY(bool Locked READ Locked WRITE setLocked)
    Q_PROPERTY(int MaxLength READ MaxLength WRITE setMaxLength)
    Q_PROPERTY(Picture MouseIcon READ MouseIcon WRITE setMouseIcon)
    Q_PROPERTY(int MousePointer READ MousePointer WRITE setMousePointer)
    Q_PROPERTY(QObject* ProgressBar READ ProgressBar WRITE setProgressBar)
    Q_PROPERTY(bool PropNameBold READ PropNameBold WRITE setPropNameBold)
    Q_PROPERTY(uint PropNameColor READ PropNameColor WRITE setPropNameColor)
    Q_PROPERTY(bool PropNameItalic READ PropNameItalic WRITE setPropNameItalic)
    Q_PROPERTY(bool PropValBold READ PropValBold WRITE setPropValBold)
    Q_PROPERTY(uint PropValColor READ PropValColor WRITE setPropValColor)
    Q_PROPERTY(bool PropValItalic READ PropValItalic WRITE setPropValItalic)
    Q_PROPERTY(float RightMargin READ RightMargin WRITE setRightMargin)
    Q_PROPERTY(int SelLength READ SelLength WRITE setSelLength)
    Q_PROPERTY(int SelStart READ SelStart WRITE setSelStart)
    Q_PROPERTY(QVariant SelTabCount READ SelTabCount WRITE setSelTabCount)
    Q_PROPERTY(QString SelText READ SelText WRITE setSelText)
    Q_PROPERTY(bool Silent READ Silent WRITE setSilent)
    Q_PROPERTY(bool TagBold READ TagBold WRITE setTagBold)
    Q_PROPERTY(uint TagColor READ TagColor WRITE setTagColor)
    Q_PROPERTY(bool TagItalic READ TagItalic WRITE setTagItalic)
    Q_PROPERTY(QString Text READ Text WRITE setText USER true)
    Q_PROPERTY(QString TextRTF READ TextRTF WRITE setTextRTF)

public:
    static constexpr const char* DefaultText = "Zemtrix Software HTML Syntax Highlighter RTF-Textbox";

    // host: the containing window's ambient description (run mode and the
    // application font when none is given).
    explicit htmSyntaxBox(QWidget* parent = nullptr, ControlHost* host = nullptr);
    ~htmSyntaxBox() override;

    RichBox* rtfHTML() const { return box_; }

    // Persistence through the containing window's store.
    void InitProperties();
    void ReadProperties(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const;

    // Methods; all but SelPrint can be called by name through the meta-object.
    Q_INVOKABLE void Colorize(int lngStartPos = 0, int lngEndPos = 0);
    // 0 for lngStart or lngEnd leaves that bound out. Options: 2 whole word,
    // 4 match case, 8 do not select the match. Result: the 0-based offset of
    // the match, or -1.
    Q_INVOKABLE QVariant Find(const QString& strString, int lngStart = 0, int lngEnd = 0, int fndOptions = 0);
    Q_INVOKABLE int GetLineCount() const;
    Q_INVOKABLE int GetLineFirstCharIndex(int lngLineIndex) const;
    Q_INVOKABLE int GetLineFromChar(int lngCharIndex) const;
    Q_INVOKABLE int GetLineSelected() const;
    // Plain text, one byte a character; an RTF file shows its source.
    // Throws ControlError (code 75) naming the file when it cannot be read.
    Q_INVOKABLE QVariant LoadFile(const QString& strFilePath);
    Q_INVOKABLE void SaveFile(const QString& strFilePath);
    void SelPrint(QPagedPaintDevice* hDC);
    Q_INVOKABLE void Refresh();
    Q_INVOKABLE void Span(const QString& strString, bool blnGoForward = true, bool blnNegate = false);
    Q_INVOKABLE void UpTo(const QString& strString, bool blnGoForward = true, bool blnNegate = false);

    // Properties.
    bool AutoColorize() const { return autoColorize_; }
    void setAutoColorize(bool blnNewValue);
    bool AutoVerbMenu() const;
    void setAutoVerbMenu(bool blnNewValue);
    uint BackColor() const { return backColor_; }
    void setBackColor(uint oleNewValue);
    bool CommentBold() const { return styles_.comment.bold; }
    void setCommentBold(bool blnNewValue);
    uint CommentColor() const { return styles_.comment.color; }
    void setCommentColor(uint oleNewValue);
    bool CommentItalic() const { return styles_.comment.italic; }
    void setCommentItalic(bool blnNewValue);
    bool Enabled() const { return isEnabled(); }
    void setEnabledValue(bool blnNewValue);
    int Entities() const { return entities_; }
    void setEntities(int lngNewValue);
    bool EntityBold() const { return styles_.entity.bold; }
    void setEntityBold(bool blnNewValue);
    uint EntityColor() const { return styles_.entity.color; }
    void setEntityColor(uint oleNewValue);
    bool EntityItalic() const { return styles_.entity.italic; }
    void setEntityItalic(bool blnNewValue);
    QString FileName() const { return fileName_; }
    void setFileName(const QString& strNewValue);
    QFont Font() const;
    void setBoxFont(const QFont& stdNewValue);
    bool HideSelection() const { return hideSelection_; }
    void setHideSelection(bool blnNewValue);
    qint32 hWnd() const;
    bool Locked() const { return locked_; }
    void setLocked(bool blnNewValue);
    int MaxLength() const { return maxLength_; }
    void setMaxLength(int lngNewValue);
    Picture MouseIcon() const { return mouseIcon_; }
    void setMouseIcon(const Picture& mouseIcon);
    int MousePointer() const { return mousePointer_; }
    void setMousePointer(int mpcNewValue);
    QObject* ProgressBar() const { return progressBar_; }
    void setProgressBar(QObject* objNewValue);
    bool PropNameBold() const { return styles_.attributeName.bold; }
    void setPropNameBold(bool blnNewValue);
    uint PropNameColor() const { return styles_.attributeName.color; }
    void setPropNameColor(uint oleNewValue);
    bool PropNameItalic() const { return styles_.attributeName.italic; }
    void setPropNameItalic(bool blnNewValue);
    bool PropValBold() const { return styles_.attributeValue.bold; }
    void setPropValBold(bool blnNewValue);
    uint PropValColor() const { return styles_.attributeValue.color; }
    void setPropValColor(uint oleNewValue);
    bool PropValItalic() const { return styles_.attributeValue.italic; }
    void setPropValItalic(bool blnNewValue);
    float RightMargin() const { return rightMargin_; }
    void setRightMargin(float sngNewValue);
    int SelLength() const;
    void setSelLength(int lngNewValue);
    int SelStart() const;
    void setSelStart(int lngNewValue);
    QVariant SelTabCount() const;
    void setSelTabCount(const QVariant& vntNewValue);
    Q_INVOKABLE QVariant SelTabs(short Index) const;
    Q_INVOKABLE void setSelTabs(short Index, const QVariant& vntNewValue);
    QString SelText() const;
    void setSelText(const QString& strNewValue);
    bool Silent() const { return silent_; }
    void setSilent(bool blnNewValue);
    bool TagBold() const { return styles_.tag.bold; }
    void setTagBold(bool blnNewValue);
    uint TagColor() const { return styles_.tag.color; }
    void setTagColor(uint oleNewValue);
    bool TagItalic() const { return styles_.tag.italic; }
    void setTagItalic(bool blnNewValue);
    QString Text() const;
    void setText(const QString& strNewValue);
    QString TextRTF() const;
    void setTextRTF(const QString& strNewValue);

    // State a host or a test may look at.
    bool isBusy() const { return flags_.busy; }
    bool isChanged() const { return flags_.changed; }

signals:
    void Change();
    void Click();
    void DblClick();
    void KeyDown(short& KeyCode, short& Shift);
    void KeyPress(short& KeyAscii);
    void KeyUp(short& KeyCode, short& Shift);
    void MouseDown(short& Button, short& Shift, float& X, float& Y);
    void MouseUp(short& Button, short& Shift, float& X, float& Y);
    void SelChange();
    // A stored property changed; the host saves the settings.
    void PropertyChanged(const QString& name);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // Relays of the text box's events; they do nothing while busy.
    void onBoxChange();
    void onBoxSelChange();
    void onBoxKeyPress(short& keyAscii, bool& keep);
    void onBoxEdited(int64_t offset, int64_t removed, int64_t added);
    // Colours the edited lines except the one that holds the caret (all of
    // them when the caret's line is left too).
    void colourEditedLines(bool caretLineToo);

    QVariant defaultOf(const char* key) const;
    void setStyleField(bool& field, bool value, const char* name);
    void setColourField(uint32_t& field, uint value, const char* name);
    void applyBackColor();
    void applyMousePointer();
    void applyInteraction();
    void typeEntity(const char* entity);

    RichBox* box_ = nullptr;
    QPointer<ControlHost> host_;
    StyleSet styles_;
    ColorizeFlags flags_;
    bool autoColorize_ = true;
    bool silent_ = true;
    int entities_ = 62;
    QPointer<QObject> progressBar_;
    // Offsets first..last of the text edited since it was last coloured;
    // first < 0: nothing. The marks follow later edits.
    int64_t editedFirst_ = -1;
    int64_t editedLast_ = -1;
    uint32_t backColor_ = colour::WindowBackground;
    QString fileName_;
    bool hideSelection_ = false;
    bool locked_ = false;
    qint32 handle_ = 0;
    int maxLength_ = 0;
    Picture mouseIcon_;
    int mousePointer_ = 0;
    float rightMargin_ = 0;
    bool saveWithCrLf_ = true;
    int selTabCount_ = 0;
    QVariantList selTabs_;
};
