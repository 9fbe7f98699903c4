#pragma once
// The two modal file choosers of the window: one to pick an existing page
// file, one to pick where the feed is saved. Both hand back a full path, or
// an empty text when the user cancels or the chooser fails; callers treat
// the two alike.
//
// The filter text has the classic packed form: display name, NUL, pattern,
// NUL, ... ending with two NULs, e.g. "HTML Files (*.htm)\0*.htm\0\0".
#include "dialogs/Dialogs.h"

#include <string>
#include <vector>

class QWidget;

namespace mdlCommonDialog {

// Chooser flags the window passes on. They are kept on the request for the
// record; the Qt choosers behave as these describe on their own.
constexpr unsigned OFN_PATHMUSTEXIST = 0x800;
constexpr unsigned OFN_FILEMUSTEXIST = 0x1000;
constexpr unsigned OFN_EXPLORER = 0x80000;

// Splits a packed filter text into named patterns. Stops at the double NUL
// (or at the end of the text); a name without a pattern is dropped.
std::vector<FileFilter> ParseFilter(const std::string& filter);

// The request a chooser is given: the title, the parsed filters, the flags.
FileChooserRequest MakeRequest(const std::string& filter, const std::string& title, unsigned flags);

// The part of a text before its first NUL, or the whole text without one.
std::string TrimAtNull(const std::string& text);

// When the dialogs are Qt's own, the chooser is made modal to owner.
std::string ShowOpenDialog(Dialogs& dialogs, QWidget* owner, const std::string& filter,
                           const std::string& title, unsigned flags);
std::string ShowSaveDialog(Dialogs& dialogs, QWidget* owner, const std::string& filter,
                           const std::string& title, unsigned flags);

}  // namespace mdlCommonDialog
