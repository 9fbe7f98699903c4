#pragma once
// Dialogs shown with Qt: QMessageBox for messages and questions, QFileDialog
// for the choosers. Texts are 8-bit (Latin-1) on the way in; chosen paths
// come back in the file system's own encoding.
#include "dialogs/Dialogs.h"

class QWidget;

class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* owner = nullptr) : owner_(owner) {}
    void setOwner(QWidget* owner) { owner_ = owner; }

    void message(const std::string& text, MessageIcon icon, const std::string& title) override;
    void messageWithDetails(const std::string& text, MessageIcon icon, const std::string& title,
                            const std::string& details) override;
    bool askYesNo(const std::string& text, MessageIcon icon, const std::string& title) override;
    bool askYesNo(const std::string& text, MessageIcon icon, const std::string& title,
                  DefaultAnswer defaultAnswer) override;
    std::string chooseOpenFile(const FileChooserRequest& request) override;
    std::string chooseSaveFile(const FileChooserRequest& request) override;

private:
    QWidget* owner_;
};
