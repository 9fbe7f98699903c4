#pragma once
// Dialogs for the command line: messages go to a stream, one a line, and
// the Yes/No question takes the answer given on the command line.
#include "dialogs/Dialogs.h"

#include <ostream>

class StreamDialogs : public Dialogs {
public:
    StreamDialogs(std::ostream& err, bool answer) : err_(err), answer_(answer) {}
    void message(const std::string& text, MessageIcon, const std::string&) override { err_ << text << '\n'; }
    // The details go on a line of their own, so that a cron mail says why.
    void messageWithDetails(const std::string& text, MessageIcon, const std::string&,
                            const std::string& details) override {
        err_ << text << '\n';
        if (!details.empty()) err_ << details << '\n';
    }
    bool askYesNo(const std::string&, MessageIcon, const std::string&) override { return answer_; }
    std::string chooseOpenFile(const FileChooserRequest&) override { return {}; }
    std::string chooseSaveFile(const FileChooserRequest&) override { return {}; }

private:
    std::ostream& err_;
    bool answer_;
};
