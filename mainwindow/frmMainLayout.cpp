// Where the controls of the window sit. The stored settings of the six
// buttons and of the viewer come from the form definition; everything
// else is placed here.
#include "mainwindow/frmMain.h"

#include "syntaxbox/htmSyntaxBox.h"
#include "buttons/wenButtons_H.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
template <typename W>
W* named(W* w, const char* name) {
    w->setObjectName(name);
    return w;
}

QLabel* label(const char* name, const QString& text) { return named(new QLabel(text), name); }
// Stored values may be longer than a line edit takes by default; a shorter
// limit would cut them when a profile is shown and save them cut.
QLineEdit* lineEdit(const char* name) {
    auto* box = named(new QLineEdit, name);
    box->setMaxLength(1 << 24);
    return box;
}
QGroupBox* frame(const char* name, const QString& title) { return named(new QGroupBox(title), name); }
// Outside a dialog a push button ignores Enter; as on a form, the focused
// command button is the one Enter presses.
QPushButton* pushButton(const char* name, const QString& caption) {
    auto* b = named(new QPushButton(caption), name);
    b->setAutoDefault(true);
    return b;
}

constexpr int ButtonWidth = 150;
constexpr int ButtonHeight = 30;
}  // namespace

void frmMain::buildLayout() {
    for (wenButtons_H* b : {wenButtons_H1, wenButtons_H2, wenButtons_H3, wenButtons_H4, wenButtons_H5,
                            wenButtons_H6})
        b->setFixedSize(ButtonWidth, ButtonHeight);

    SSTab1 = named(new QTabWidget(this), "SSTab1");

    // Page 0: the profiles.
    auto* page0 = new QWidget;
    List1 = named(new QListWidget, "List1");
    Label7 = label("Label7", "Name of Profile :");
    txtProfileName = lineEdit("txtProfileName");
    {
        auto* buttons = new QVBoxLayout;
        buttons->addWidget(wenButtons_H1);
        buttons->addWidget(wenButtons_H2);
        buttons->addWidget(wenButtons_H4);
        buttons->addStretch();
        auto* top = new QHBoxLayout;
        top->addWidget(List1, 1);
        top->addLayout(buttons);
        auto* nameRow = new QHBoxLayout;
        nameRow->addWidget(Label7);
        nameRow->addWidget(txtProfileName, 1);
        nameRow->addWidget(wenButtons_H6);
        nameRow->addWidget(wenButtons_H5);
        auto* v = new QVBoxLayout(page0);
        v->addLayout(top, 1);
        v->addLayout(nameRow);
    }
    Label7->hide();
    txtProfileName->hide();
    wenButtons_H6->hide();
    wenButtons_H5->hide();

    // Page 1: where the page comes from.
    auto* page1 = new QWidget;
    Frame3 = frame("Frame3", "Select Source");
    Option1 = named(new QRadioButton("&Online Web Page"), "Option1");
    Option2 = named(new QRadioButton("&Web Page on Computer"), "Option2");
    {
        auto* h = new QHBoxLayout(Frame3);
        h->addWidget(Option1);
        h->addWidget(Option2);
        h->addStretch();
    }
    Frame2 = frame("Frame2", "Online Web Page");
    Label1 = label("Label1", "Select Source Page :");
    txtSource = lineEdit("txtSource");
    txtSource->setText("http://www.");
    Command2 = pushButton("Command2", "&Download...");
    lblDownloadStatus = label("lblDownloadStatus", QString());
    {
        auto* g = new QGridLayout(Frame2);
        g->addWidget(Label1, 0, 0);
        g->addWidget(txtSource, 0, 1);
        g->addWidget(Command2, 0, 2);
        g->addWidget(lblDownloadStatus, 1, 1, 1, 2);
        g->setColumnStretch(1, 1);
    }
    Frame1 = frame("Frame1", "Web Page on Computer");
    Label5 = label("Label5", "Select Source Page :");
    Label6 = label("Label6", QString());
    Label6->setFrameShape(QFrame::StyledPanel);
    Label6->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Command1 = pushButton("Command1", "&Browse...");
    {
        auto* g = new QGridLayout(Frame1);
        g->addWidget(Label5, 0, 0);
        g->addWidget(Label6, 0, 1);
        g->addWidget(Command1, 0, 2);
        g->setColumnStretch(1, 1);
    }
    {
        auto* v = new QVBoxLayout(page1);
        v->addWidget(Frame3);
        v->addWidget(Frame2);
        v->addWidget(Frame1);
        v->addStretch();
    }

    // Page 2: markers, feed properties and the Generate Feed button.
    auto* page2 = new QWidget;
    Frame4 = frame("Frame4", "Feed Generation Parameters");
    Text1 = lineEdit("Text1");
    Text2 = lineEdit("Text2");
    Text3 = lineEdit("Text3");
    txtTitleEndString = lineEdit("txtTitleEndString");
    txtEndItemString = lineEdit("txtEndItemString");
    Label16 = label("Label16", "Required");
    Label17 = label("Label17", "Required");
    Label18 = label("Label18", "Required");
    {
        auto* g = new QGridLayout(Frame4);
        const struct {
            const char* caption;
            QLineEdit* box;
            QWidget* marker;
        } rows[] = {
            {"Start String", Text1, Label16},
            {"Start Item String", Text2, Label17},
            {"End String", Text3, Label18},
            {"End Title String", txtTitleEndString, new QLabel("Optional")},
            {"End Item String", txtEndItemString, new QLabel("Optional")},
        };
        int row = 0;
        for (const auto& r : rows) {
            g->addWidget(new QLabel(r.caption), row, 0);
            g->addWidget(r.box, row, 1);
            g->addWidget(r.marker, row, 2);
            ++row;
        }
        g->setColumnStretch(1, 1);
    }
    Frame5 = frame("Frame5", "Feed Properties");
    txtFeedTitle = lineEdit("txtFeedTitle");
    txtFeedDesc = lineEdit("txtFeedDesc");
    txtFeedLink = lineEdit("txtFeedLink");
    {
        auto* g = new QGridLayout(Frame5);
        g->addWidget(new QLabel("Feed Title"), 0, 0);
        g->addWidget(txtFeedTitle, 0, 1);
        g->addWidget(new QLabel("Feed Description"), 1, 0);
        g->addWidget(txtFeedDesc, 1, 1);
        g->addWidget(new QLabel("Feed Link"), 2, 0);
        g->addWidget(txtFeedLink, 2, 1);
        buildFeedFormatRows(g);
        g->setColumnStretch(1, 1);
    }
    chkStripHTMLTags = named(new QCheckBox("Strip &HTML Tags for strict RSS syntax"), "chkStripHTMLTags");
    Command3 = pushButton("Command3", "Generate &Feed");
    {
        auto* bottom = new QHBoxLayout;
        bottom->addWidget(chkStripHTMLTags);
        bottom->addStretch();
        bottom->addWidget(Command3);
        // The settings on the left, the preview of their cut beside them.
        auto* settings = new QWidget;
        auto* v = new QVBoxLayout(settings);
        v->setContentsMargins(0, 0, 0, 0);
        v->addWidget(Frame4);
        v->addWidget(Frame5);
        v->addLayout(bottom);
        v->addStretch();
        auto* split = new QSplitter(Qt::Horizontal);
        split->addWidget(settings);
        split->addWidget(buildPreviewPane());
        split->setStretchFactor(0, 0);
        split->setStretchFactor(1, 1);
        split->setChildrenCollapsible(false);
        auto* h = new QHBoxLayout(page2);
        h->addWidget(split);
    }

    // Page 3: the generated document, read-only, and a way to save it again
    // (the chooser that opens after generating may have been cancelled).
    auto* page3 = new QWidget;
    cmdSaveFeed = pushButton("cmdSaveFeed", "Save &Feed...");
    {
        auto* bottom = new QHBoxLayout;
        bottom->addStretch();
        bottom->addWidget(cmdSaveFeed);
        auto* v = new QVBoxLayout(page3);
        v->addWidget(htmSyntaxBox1, 1);
        v->addWidget(buildFeedCheckPane());
        v->addLayout(bottom);
    }

    // Page 4: saving, reached only through Generate Feed.
    auto* page4 = new QWidget;
    Label12 = label("Label12", "Save Feed");
    lblFileName = label("lblFileName", QString());
    lblFileName->setWordWrap(true);
    {
        auto* v = new QVBoxLayout(page4);
        v->addWidget(Label12);
        v->addWidget(wenButtons_H3);
        v->addWidget(lblFileName);
        v->addStretch();
    }

    // Every tab that is ever shown has an access key; the hidden save page
    // has none, so no key reaches it.
    SSTab1->addTab(page0, "Select &Profile");
    SSTab1->addTab(page1, "Select &Source");
    SSTab1->addTab(page2, "&Generate Settings");
    SSTab1->addTab(page3, "&View XML Source");
    SSTab1->addTab(page4, "Save Feed");

    Frame6 = frame("Frame6", QString());
    lblStatus = label("lblStatus", "Please select an existing profile or create a new one");
    {
        auto* h = new QHBoxLayout(Frame6);
        h->addWidget(lblStatus);
    }

    auto* v = new QVBoxLayout(this);
    v->addWidget(SSTab1, 1);
    v->addWidget(Frame6);
    // Wide enough for the preview beside the settings.
    resize(1060, 600);
}
