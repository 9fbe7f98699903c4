#include "mainwindow/mdlCommonDialog.h"

#include "host/QtDialogs.h"

namespace mdlCommonDialog {

std::vector<FileFilter> ParseFilter(const std::string& filter) {
    std::vector<FileFilter> out;
    size_t pos = 0;
    while (pos < filter.size()) {
        size_t nameEnd = filter.find('\0', pos);
        if (nameEnd == std::string::npos || nameEnd == pos) break;  // end of text, or the closing NUL
        std::string name = filter.substr(pos, nameEnd - pos);
        size_t patStart = nameEnd + 1;
        size_t patEnd = filter.find('\0', patStart);
        if (patEnd == std::string::npos) patEnd = filter.size();
        if (patEnd == patStart) break;  // a name with no pattern ends the list
        out.push_back({std::move(name), filter.substr(patStart, patEnd - patStart)});
        pos = patEnd + 1;
    }
    return out;
}

FileChooserRequest MakeRequest(const std::string& filter, const std::string& title, unsigned flags) {
    FileChooserRequest request;
    request.title = title;
    request.filters = ParseFilter(filter);
    request.flags = flags;
    return request;
}

std::string TrimAtNull(const std::string& text) {
    size_t nul = text.find('\0');
    return nul == std::string::npos ? text : text.substr(0, nul);
}

namespace {
// The Qt choosers are modal to the owner the dialogs object holds: hand it
// the calling window first.
template <typename Choose>
std::string runChooser(Dialogs& dialogs, QWidget* owner, Choose choose) {
    if (auto* qt = dynamic_cast<QtDialogs*>(&dialogs); qt && owner) qt->setOwner(owner);
    std::string path;
    try {
        path = choose();
    } catch (...) {
        path.clear();  // a failing chooser looks like a cancel to the caller
    }
    return TrimAtNull(path);
}
}  // namespace

std::string ShowOpenDialog(Dialogs& dialogs, QWidget* owner, const std::string& filter,
                           const std::string& title, unsigned flags) {
    const FileChooserRequest request = MakeRequest(filter, title, flags);
    return runChooser(dialogs, owner, [&] { return dialogs.chooseOpenFile(request); });
}

std::string ShowSaveDialog(Dialogs& dialogs, QWidget* owner, const std::string& filter,
                           const std::string& title, unsigned flags) {
    const FileChooserRequest request = MakeRequest(filter, title, flags);
    return runChooser(dialogs, owner, [&] { return dialogs.chooseSaveFile(request); });
}

}  // namespace mdlCommonDialog
