#pragma once
// The one door through which the program talks to the user: message boxes,
// Yes/No questions and file choosers. The window uses a Qt implementation
// (host/QtDialogs), the command line its own, tests a scripted one
// (tests/support/ScriptedDialogs.h) that records every call.
//
// All texts are 8-bit, one byte per character, as everywhere in the program.
#include <string>
#include <vector>

enum class MessageIcon { None, Information, Warning, Error, Question };

// The answer a question's default button gives (the one Enter chooses).
enum class DefaultAnswer { Yes, No };

struct FileFilter {
    std::string name;     // "HTML Files (*.htm)"
    std::string pattern;  // "*.htm"; several patterns separated by ';'
};

struct FileChooserRequest {
    std::string title;
    std::vector<FileFilter> filters;
    unsigned flags = 0;  // the caller's chooser flags, kept for the record
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A modal message box with an OK button.
    virtual void message(const std::string& text, MessageIcon icon, const std::string& title) = 0;
    // The same with details: a second text the box shows on request (the
    // cause of a failure, say), kept apart so that the message itself stays
    // the same whatever the cause. Dialogs without details show the text alone.
    virtual void messageWithDetails(const std::string& text, MessageIcon icon, const std::string& title,
                                    const std::string& details) {
        (void)details;
        message(text, icon, title);
    }
    // A modal question with Yes and No; true means Yes. Yes is the default.
    virtual bool askYesNo(const std::string& text, MessageIcon icon, const std::string& title) = 0;
    // The same with the given default button: a question whose Yes destroys
    // something defaults to No, so that a hasty Enter keeps it. Dialogs
    // without a notion of a default button answer as the plain question.
    virtual bool askYesNo(const std::string& text, MessageIcon icon, const std::string& title,
                          DefaultAnswer defaultAnswer) {
        (void)defaultAnswer;
        return askYesNo(text, icon, title);
    }
    // Modal file choosers; an empty result means cancelled or failed.
    virtual std::string chooseOpenFile(const FileChooserRequest& request) = 0;
    virtual std::string chooseSaveFile(const FileChooserRequest& request) = 0;
};
