#include "mainwindow/SuggestDialog.h"

#include "feed/FeedProfile.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

SuggestDialog::SuggestDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("SuggestDialog");
    setWindowTitle(QString::fromStdString(AppTitle));
    auto* intro = new QLabel("Type the titles of one or two items as the page shows them in a browser. "
                             "Markers that give these items are proposed.");
    intro->setWordWrap(true);
    txtSuggestTitle1 = new QLineEdit;
    txtSuggestTitle1->setObjectName("txtSuggestTitle1");
    txtSuggestTitle2 = new QLineEdit;
    txtSuggestTitle2->setObjectName("txtSuggestTitle2");
    auto* form = new QFormLayout;
    form->addRow("First title", txtSuggestTitle1);
    form->addRow("Second title", txtSuggestTitle2);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* v = new QVBoxLayout(this);
    v->addWidget(intro);
    v->addLayout(form);
    v->addWidget(buttons);
    resize(420, sizeHint().height());
}

std::vector<std::string> SuggestDialog::titles() const {
    std::vector<std::string> out;
    for (const QLineEdit* box : {txtSuggestTitle1, txtSuggestTitle2}) {
        const QString t = box->text().trimmed();
        if (!t.isEmpty()) out.push_back(t.toUtf8().toStdString());
    }
    return out;
}

std::vector<std::string> SuggestDialog::askTitles(QWidget* parent) {
    SuggestDialog dialog(parent);
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.titles();
}
