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

// "HTML Files (*.htm)" + "*.htm" -> "HTML Files (*.htm) (*.htm)": Qt takes
// the patterns from the last parentheses.
QString qtFilter(const std::vector<FileFilter>& filters) {
    QStringList parts;
    for (const auto& f : filters) {
        QString patterns = latin1(f.pattern);
        patterns.replace(';', ' ');
        parts << latin1(f.name) + " (" + patterns + ")";
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

bool QtDialogs::askYesNo(const std::string& text, MessageIcon icon, const std::string& title) {
    QMessageBox box(toQt(icon), latin1(title), latin1(text), QMessageBox::Yes | QMessageBox::No, owner_);
    box.setDefaultButton(QMessageBox::Yes);
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
