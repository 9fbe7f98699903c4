#pragma once
// Asks for the titles of one or two items as the page shows them in a
// browser, the example from which markers are proposed.
#include <QDialog>

#include <string>
#include <vector>

class QLineEdit;

class SuggestDialog : public QDialog {
    Q_OBJECT
public:
    explicit SuggestDialog(QWidget* parent = nullptr);

    // The titles typed, blanks at either end dropped, empty ones left out;
    // UTF-8.
    std::vector<std::string> titles() const;

    // Runs the dialog; no titles when it is cancelled or left empty.
    static std::vector<std::string> askTitles(QWidget* parent);

    QLineEdit* txtSuggestTitle1 = nullptr;
    QLineEdit* txtSuggestTitle2 = nullptr;
};
