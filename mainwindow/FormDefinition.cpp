#include "mainwindow/FormDefinition.h"

#include "host/Picture.h"

#include <QFile>
#include <QFont>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace {

struct Cursor {
    const QString& text;
    qsizetype pos = 0;

    void skipBlanks() {
        while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
    }
    bool atEnd() {
        skipBlanks();
        return pos >= text.size();
    }
    bool take(QChar c) {
        skipBlanks();
        if (pos < text.size() && text[pos] == c) {
            ++pos;
            return true;
        }
        return false;
    }
};

[[noreturn]] void fail(const QString& source, int line, const QString& what) {
    throw FormDefinitionError(QStringLiteral("%1 line %2: %3").arg(source).arg(line).arg(what).toStdString());
}

// One value at the cursor; the caller has skipped "Key =".
class ValueReader {
public:
    ValueReader(Cursor& c, const QString& source, int line) : c_(c), source_(source), line_(line) {}

    QVariant value() {
        c_.skipBlanks();
        if (c_.pos >= c_.text.size()) fail(source_, line_, "a value is missing");
        const QChar first = c_.text[c_.pos];
        if (first == '"') return QVariant(string());
        if (first == '&') return QVariant(colour());
        if (first == '-' || first.isDigit()) return number();
        const QString word = identifier();
        if (word.compare("True", Qt::CaseInsensitive) == 0) return true;
        if (word.compare("False", Qt::CaseInsensitive) == 0) return false;
        if (word == "Font") return QVariant::fromValue(font());
        if (word == "Picture") return QVariant::fromValue(picture());
        fail(source_, line_, QStringLiteral("unknown value \"%1\"").arg(word));
    }

    QString string() {
        if (!c_.take('"')) fail(source_, line_, "a quoted text is expected");
        QString out;
        while (true) {
            if (c_.pos >= c_.text.size()) fail(source_, line_, "a quoted text is not closed");
            const QChar ch = c_.text[c_.pos++];
            if (ch == '"') {
                if (c_.pos < c_.text.size() && c_.text[c_.pos] == '"') {
                    out += '"';
                    ++c_.pos;
                    continue;
                }
                return out;
            }
            out += ch;
        }
    }

    double real() {
        const QVariant v = number();
        return v.toDouble();
    }

    bool boolean() {
        const QString word = identifier();
        if (word.compare("True", Qt::CaseInsensitive) == 0) return true;
        if (word.compare("False", Qt::CaseInsensitive) == 0) return false;
        fail(source_, line_, "True or False is expected");
    }

private:
    QString identifier() {
        c_.skipBlanks();
        const qsizetype start = c_.pos;
        while (c_.pos < c_.text.size() && (c_.text[c_.pos].isLetterOrNumber() || c_.text[c_.pos] == '_')) ++c_.pos;
        if (start == c_.pos) fail(source_, line_, QStringLiteral("unexpected \"%1\"").arg(c_.text.mid(start)));
        return c_.text.mid(start, c_.pos - start);
    }

    quint32 colour() {
        if (!c_.text.mid(c_.pos, 2).startsWith("&H", Qt::CaseInsensitive)) fail(source_, line_, "&H is expected");
        c_.pos += 2;
        const qsizetype start = c_.pos;
        while (c_.pos < c_.text.size() && isxdigit(c_.text[c_.pos].toLatin1())) ++c_.pos;
        bool ok = false;
        const qulonglong v = c_.text.mid(start, c_.pos - start).toULongLong(&ok, 16);
        if (!ok || v > 0xFFFFFFFFull) fail(source_, line_, "a colour is &H and at most eight hex digits");
        return quint32(v);
    }

    QVariant number() {
        c_.skipBlanks();
        const qsizetype start = c_.pos;
        if (c_.pos < c_.text.size() && c_.text[c_.pos] == '-') ++c_.pos;
        while (c_.pos < c_.text.size() && (c_.text[c_.pos].isDigit() || c_.text[c_.pos] == '.')) ++c_.pos;
        const QString digits = c_.text.mid(start, c_.pos - start);
        bool ok = false;
        if (digits.contains('.')) {
            const double d = digits.toDouble(&ok);
            if (ok) return QVariant(float(d));
        } else {
            const int i = digits.toInt(&ok);
            if (ok) return QVariant(i);
        }
        fail(source_, line_, QStringLiteral("\"%1\" is not a number").arg(digits));
    }

    void expect(QChar c) {
        if (!c_.take(c)) fail(source_, line_, QStringLiteral("\"%1\" is expected").arg(c));
    }

    QFont font() {
        expect('(');
        QFont f;
        f.setFamily(string());
        expect(',');
        const double points = real();
        if (points <= 0) fail(source_, line_, "a font size must be above 0");
        f.setPointSizeF(points);
        expect(',');
        const int weight = number().toInt();
        // Stored weights run 1..1000 as in most font tables; Qt uses the same scale.
        f.setWeight(QFont::Weight(std::clamp(weight, 1, 1000)));
        expect(',');
        f.setItalic(boolean());
        expect(',');
        f.setUnderline(boolean());
        expect(',');
        number();  // character set: the program's texts are all one 8-bit set
        expect(')');
        return f;
    }

    Picture picture() {
        expect('(');
        if (c_.take(')')) return Picture();
        const QString path = string();
        expect(')');
        Picture p = Picture::fromFile(path);
        if (p.isNull()) fail(source_, line_, QStringLiteral("the picture \"%1\" cannot be read").arg(path));
        return p;
    }

    Cursor& c_;
    const QString& source_;
    int line_;
};

bool isKeyChar(QChar c) { return c.isLetterOrNumber() || c == '_'; }

}  // namespace

FormDefinition FormDefinition::parse(const QString& text, const QString& source) {
    FormDefinition form;
    ControlDefinition* open = nullptr;
    const QStringList lines = text.split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        const int lineNo = i + 1;
        QString line = lines[i];
        if (line.endsWith('\r')) line.chop(1);
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith('#')) continue;

        const QStringList words = trimmed.split(' ', Qt::SkipEmptyParts);
        if (words[0] == "Begin") {
            if (open) fail(source, lineNo, QStringLiteral("\"%1\" is not closed by End").arg(open->name));
            if (words.size() != 3) fail(source, lineNo, "Begin takes a class name and a control name");
            if (form.find(words[2])) fail(source, lineNo, QStringLiteral("\"%1\" is defined twice").arg(words[2]));
            form.controls_.push_back({words[1], words[2], {}, {}, lineNo});
            open = &form.controls_.back();
            continue;
        }
        if (trimmed == "End") {
            if (!open) fail(source, lineNo, "End without Begin");
            open = nullptr;
            continue;
        }
        if (!open) fail(source, lineNo, "a setting outside Begin ... End");

        Cursor c{trimmed};
        while (c.pos < trimmed.size() && isKeyChar(trimmed[c.pos])) ++c.pos;
        const QString key = trimmed.left(c.pos);
        if (key.isEmpty() || !c.take('=')) fail(source, lineNo, "a setting reads Key = value");
        ValueReader reader(c, source, lineNo);
        if (key.compare("Extent", Qt::CaseInsensitive) == 0) {
            const double w = reader.real();
            if (!c.take(',')) fail(source, lineNo, "Extent takes a width and a height");
            const double h = reader.real();
            open->extent = QSizeF(w, h);
        } else {
            if (open->bag.contains(key)) fail(source, lineNo, QStringLiteral("\"%1\" is set twice").arg(key));
            open->bag.write(key, reader.value());
        }
        if (!c.atEnd()) fail(source, lineNo, QStringLiteral("unexpected \"%1\"").arg(trimmed.mid(c.pos)));
    }
    if (open) fail(source, open->line, QStringLiteral("\"%1\" is not closed by End").arg(open->name));
    return form;
}

FormDefinition FormDefinition::load(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FormDefinitionError(QStringLiteral("%1: %2").arg(path, file.errorString()).toStdString());
    return parse(QString::fromLatin1(file.readAll()), path);
}

const ControlDefinition* FormDefinition::find(const QString& name) const {
    for (const auto& c : controls_)
        if (c.name == name) return &c;
    return nullptr;
}

int FormDefinition::himetricToPixels(double himetric, double dpi) {
    return int(std::lround(himetric / 2540.0 * dpi));
}
