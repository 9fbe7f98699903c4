#include "host/QtDialogs.h"

#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

namespace {
QMessageBox::Icon toQt(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Error: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QString latin1(const std::string& s) { return QString::fromLatin1(s.data(), qsizetype(s.size())); }

// Qt takes a filter's patterns from the parentheses that end it, and shows
// the whole text as the filter's label: "HTML Files" + "*.htm;*.html" ->
// "HTML Files (*.htm *.html)". A name that already shows its patterns, at
// its end bare ("XML Files *.xml") or in parentheses ("HTML Files (*.htm)"),
// shows them once.
QString qtFilter(const std::vector<FileFilter>& filters) {
    QStringList parts;
    for (const auto& f : filters) {
        QString patterns = latin1(f.pattern);
        patterns.replace(';', ' ');
        QString name = latin1(f.name).trimmed();
        if (name.endsWith("(" + patterns + ")")) name.chop(patterns.size() + 2);
        else if (name.endsWith(" " + patterns)) name.chop(patterns.size());
        parts << name.trimmed() + " (" + patterns + ")";
    }
    return parts.join(";;");
}

std::string fromPath(const QString& path) {
    const QByteArray bytes = QFile::encodeName(path);
    return std::string(bytes.constData(), size_t(bytes.size()));
}
}  // namespace

void QtDialogs::message(const std::string& text, MessageIcon icon, const std::string& title) {
    QMessageBox box(toQt(icon), latin1(title), latin1(text), QMessageBox::Ok, owner_);
    box.exec();
}

void QtDialogs::messageWithDetails(const std::string& text, MessageIcon icon, const std::string& title,
                                   const std::string& details) {
    QMessageBox box(toQt(icon), latin1(title), latin1(text), QMessageBox::Ok, owner_);
    box.setDetailedText(latin1(details));
    box.exec();
}

bool QtDialogs::askYesNo(const std::string& text, MessageIcon icon, const std::string& title) {
    return askYesNo(text, icon, title, DefaultAnswer::Yes);
}

bool QtDialogs::askYesNo(const std::string& text, MessageIcon icon, const std::string& title,
                         DefaultAnswer defaultAnswer) {
    QMessageBox box(toQt(icon), latin1(title), latin1(text), QMessageBox::Yes | QMessageBox::No, owner_);
    box.setDefaultButton(defaultAnswer == DefaultAnswer::No ? QMessageBox::No : QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

std::string QtDialogs::chooseOpenFile(const FileChooserRequest& request) {
    return fromPath(QFileDialog::getOpenFileName(owner_, latin1(request.title), QString(), qtFilter(request.filters)));
}

std::string QtDialogs::chooseSaveFile(const FileChooserRequest& request) {
    // A new name in an existing folder is accepted; the caller decides what
    // to do with an existing file, so no overwrite question here.
    return fromPath(QFileDialog::getSaveFileName(owner_, latin1(request.title), QString(),
                                                 qtFilter(request.filters), nullptr,
                                                 QFileDialog::DontConfirmOverwrite));
}
