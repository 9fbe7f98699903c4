#pragma once
// A Dialogs that answers from a script and records every call, so tests can
// assert the exact text, icon and title the user would have seen.
#include "dialogs/Dialogs.h"

#include <deque>
#include <string>
#include <vector>

struct DialogCall {
    enum Kind { Message, Question, OpenFile, SaveFile } kind;
    std::string text;  // message or question text; chooser title for files
    MessageIcon icon = MessageIcon::None;
    std::string title;
    FileChooserRequest request;  // for choosers
    DefaultAnswer defaultAnswer = DefaultAnswer::Yes;  // for questions
    std::string details{};  // a message's details, if it had any
};

class ScriptedDialogs : public Dialogs {
public:
    std::vector<DialogCall> calls;
    std::deque<bool> answers;         // for askYesNo, in order
    std::deque<std::string> files;    // for the choosers, in order ("" = cancel)
    int unscripted = 0;               // questions or choosers asked with nothing scripted

    void message(const std::string& text, MessageIcon icon, const std::string& title) override {
        calls.push_back({DialogCall::Message, text, icon, title, {}});
    }
    void messageWithDetails(const std::string& text, MessageIcon icon, const std::string& title,
                            const std::string& details) override {
        calls.push_back({DialogCall::Message, text, icon, title, {}, DefaultAnswer::Yes, details});
    }
    bool askYesNo(const std::string& text, MessageIcon icon, const std::string& title) override {
        return askYesNo(text, icon, title, DefaultAnswer::Yes);
    }
    bool askYesNo(const std::string& text, MessageIcon icon, const std::string& title,
                  DefaultAnswer defaultAnswer) override {
        calls.push_back({DialogCall::Question, text, icon, title, {}, defaultAnswer});
        if (answers.empty()) { ++unscripted; return false; }
        bool a = answers.front();
        answers.pop_front();
        return a;
    }
    std::string chooseOpenFile(const FileChooserRequest& r) override { return choose(DialogCall::OpenFile, r); }
    std::string chooseSaveFile(const FileChooserRequest& r) override { return choose(DialogCall::SaveFile, r); }

    // Messages only (questions and choosers left out).
    std::vector<DialogCall> messages() const {
        std::vector<DialogCall> out;
        for (const auto& c : calls)
            if (c.kind == DialogCall::Message) out.push_back(c);
        return out;
    }

private:
    std::string choose(DialogCall::Kind kind, const FileChooserRequest& r) {
        calls.push_back({kind, r.title, MessageIcon::None, r.title, r});
        if (files.empty()) { ++unscripted; return {}; }
        std::string f = files.front();
        files.pop_front();
        return f;
    }
};
