// The preview beside the markers on "Generate Settings" and "Download..."
// on "Select Source": the page is read into memory, never into src.dat, and
// every change of the profile cuts it again, so the user sees the items and
// where each marker hits while typing it.
#include "mainwindow/frmMain.h"

#include "feed/FeedPreview.h"
#include "feed/MarkerSuggest.h"
#include "feed/PreviewPage.h"
#include "dialogs/Dialogs.h"
#include "mainwindow/PreviewPane.h"
#include "mainwindow/SuggestDialog.h"
#include "mainwindow/TextBytes.h"
#include "mainwindow/WaitPointer.h"
#include "syntaxbox/RichBox.h"
#include "syntaxbox/htmSyntaxBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QTreeView>

namespace {
// "123456" -> "123,456"
std::string withThousands(size_t n) {
    std::string s = std::to_string(n);
    for (int at = int(s.size()) - 3; at > 0; at -= 3) s.insert(size_t(at), ",");
    return s;
}
}  // namespace

QWidget* frmMain::buildPreviewPane() {
    previewPane = new PreviewPane(htmSyntaxBox2);
    previewPane->setObjectName("previewPane");
    return previewPane;
}

void frmMain::connectPreviewHandlers() {
    auto on = [this](auto* sender, auto signal, void (frmMain::*handler)()) {
        connect(sender, signal, this, [this, handler] { guarded([this, handler] { (this->*handler)(); }); });
    };
    on(Command2, &QPushButton::clicked, &frmMain::Command2_Click);
    on(previewPane->cmdPreviewReload, &QPushButton::clicked, &frmMain::cmdPreviewReload_Click);
    on(previewPane->cmdSuggest, &QPushButton::clicked, &frmMain::cmdSuggest_Click);
    connect(previewPane->cmdPreviewNext, &QPushButton::clicked, this, [this] { stepPreview(true); });
    connect(previewPane->cmdPreviewPrevious, &QPushButton::clicked, this, [this] { stepPreview(false); });
    connect(previewPane->lstProposals, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { guarded([=, this] { chooseProposal(previewPane->lstProposals->row(item)); }); });
    connect(previewPane->lstProposals, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { guarded([=, this] { chooseProposal(previewPane->lstProposals->row(item)); }); });

    // A keystroke saves the profile first (its own handler, connected
    // earlier); the cut runs once the events of the keystroke are done, so a
    // paste or a proposal filling five boxes cuts once.
    previewRefresh_ = new QTimer(this);
    previewRefresh_->setSingleShot(true);
    previewRefresh_->setInterval(0);
    connect(previewRefresh_, &QTimer::timeout, this, [this] { guarded([this] { updatePreview(); }); });
    auto refresh = [this] { previewRefresh_->start(); };
    for (QLineEdit* box : {Text1, Text2, Text3, txtTitleEndString, txtEndItemString, txtFeedTitle, txtLinkString,
                           txtSource})
        connect(box, &QLineEdit::textChanged, previewRefresh_, refresh);
    connect(chkStripHTMLTags, &QCheckBox::stateChanged, previewRefresh_, refresh);
    connect(cboFeedFormat, &QComboBox::currentIndexChanged, previewRefresh_, refresh);
    // The source may have changed on another page.
    connect(SSTab1, &QTabWidget::currentChanged, previewRefresh_, refresh);

    // Stepping follows the marker box the user was last in: a click on the
    // step buttons leaves the focus there, and the keyboard's way to them
    // passes through other widgets.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        for (QLineEdit* box : {Text1, Text2, Text3, txtTitleEndString, txtEndItemString})
            if (now == box) lastMarkerBox_ = box;
    });

    QWidget* const chain[] = {Command3,
                              previewPane->cmdPreviewReload,
                              previewPane->cmdSuggest,
                              previewPane->cmdPreviewPrevious,
                              previewPane->cmdPreviewNext,
                              htmSyntaxBox2->rtfHTML(),
                              previewPane->lstProposals,
                              previewPane->lstPreviewItems,
                              htmSyntaxBox1->rtfHTML()};
    for (size_t i = 1; i < std::size(chain); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
}

std::string frmMain::previewSourceKey() const {
    // A web page comes from the address box (what Generate Feed fetches),
    // a local one from the stored path.
    return session_.Profile.isWeb() ? "Web\n" + toBytes(txtSource->text()) : "Local\n" + session_.Profile.Source;
}

bool frmMain::loadPreviewPage() {
    WaitPointer wait(this);
    const bool web = session_.Profile.isWeb();
    PreviewPage page;
    try {
        page = LoadPreviewPage(session_.Profile, toBytes(txtSource->text()));
    } catch (const std::exception& e) {
        keptSourceKey_.clear();
        previewPane->dropPage(fromBytes(e.what()));
        if (web) lblDownloadStatus->setText(fromBytes(e.what()));
        return false;
    }
    if (web) lblDownloadStatus->setText(fromBytes("Downloaded " + withThousands(page.bytes.size()) + " bytes"));
    keptSourceKey_ = previewSourceKey();
    previewPane->setPage(std::move(page));
    updatePreview();
    return true;
}

void frmMain::Command2_Click() { loadPreviewPage(); }

void frmMain::cmdPreviewReload_Click() { loadPreviewPage(); }

void frmMain::updatePreview() {
    if (!previewPane->hasPage()) return;
    if (keptSourceKey_ != previewSourceKey()) {
        keptSourceKey_.clear();
        previewPane->dropPage("The page source has changed: load the page again");
        return;
    }
    // The question a generation asks about empty titles is not asked here:
    // an empty title shows as empty, which is what the markers give.
    previewPane->showPreview(
        PreviewFeed(previewPane->page(), session_.Profile, false, PreviewPane::FirstTexts), session_.Profile);
}

void frmMain::stepPreview(bool forward) {
    MarkerKind kind = MarkerKind::StartItem;
    if (lastMarkerBox_ == Text1) kind = MarkerKind::Start;
    else if (lastMarkerBox_ == Text3) kind = MarkerKind::End;
    else if (lastMarkerBox_ == txtTitleEndString) kind = MarkerKind::TitleEnd;
    else if (lastMarkerBox_ == txtEndItemString) kind = MarkerKind::EndItem;
    previewPane->step(kind, forward);
}

void frmMain::cmdSuggest_Click() {
    // Read the page first, so that a page that cannot be had is told before
    // the user types anything.
    if (!previewPane->hasPage() || keptSourceKey_ != previewSourceKey()) {
        if (!loadPreviewPage()) return;
    }
    const std::vector<std::string> titles = SuggestDialog::askTitles(this);
    if (titles.empty()) return;
    std::vector<MarkerProposal> proposals;
    {
        WaitPointer wait(this);
        proposals = SuggestMarkers(previewPane->page(), titles);
    }
    if (proposals.empty()) {
        previewPane->showProposals({});
        std::string missing;
        for (const std::string& title : TitlesNotFound(previewPane->page(), titles))
            missing += "\r\n" + toBytes(QString::fromUtf8(title.data(), qsizetype(title.size())));
        dialogs_.message(missing.empty() ? "No markers give these titles as items"
                                         : "These titles are not in the page:" + missing,
                         MessageIcon::Warning, AppTitle);
        return;
    }
    previewPane->showProposals(std::move(proposals));
}

void frmMain::chooseProposal(int row) {
    const MarkerProposal* p = previewPane->proposal(row);
    if (!p) return;
    const MarkerProposal chosen = *p;  // filling the boxes runs handlers; keep our own copy
    // Each box saves the profile as a typed change does.
    Text1->setText(fromBytes(chosen.StartString));
    Text2->setText(fromBytes(chosen.StartItemString));
    Text3->setText(fromBytes(chosen.EndString));
    txtTitleEndString->setText(fromBytes(chosen.TitleEndString));
    txtEndItemString->setText(fromBytes(chosen.EndItemString));
}
