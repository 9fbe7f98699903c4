// The feed's format and link marker on "Generate Settings", the folder lock
// the window's generation holds, and the check of every generated feed
// shown under the viewer on "View XML Source".
#include "mainwindow/frmMain.h"

#include "feed/FeedBuilder.h"
#include "feed/FeedCheck.h"
#include "feed/FolderLock.h"
#include "feed/ItemCuts.h"
#include "feed/SafeFile.h"
#include "mainwindow/TextBytes.h"
#include "syntaxbox/htmSyntaxBox.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

namespace {
// Entries of cboFeedFormat, in this order.
enum FormatEntry { ClassicEntry = 0, ReaderReadyEntry = 1 };

const char* const CuredSuffix = " (the RSS 2.0 format for feed readers cures this)";

// The finding's line travels with its list entry, so choosing it needs no
// second copy of the result.
constexpr int FindingLineRole = Qt::UserRole;
}  // namespace

void frmMain::buildFeedFormatRows(QGridLayout* properties) {
    cboFeedFormat = new QComboBox;
    cboFeedFormat->setObjectName("cboFeedFormat");
    cboFeedFormat->addItem("RSS 0.91 (classic)");
    cboFeedFormat->addItem("RSS 2.0 (for feed readers)");
    txtLinkString = new QLineEdit;
    txtLinkString->setObjectName("txtLinkString");
    txtLinkString->setMaxLength(1 << 24);  // as the other boxes: stored values are never cut
    txtLinkString->setEnabled(false);      // only the reader-ready format looks for it
    const int row = properties->rowCount();
    properties->addWidget(new QLabel("Feed Format"), row, 0);
    properties->addWidget(cboFeedFormat, row, 1);
    properties->addWidget(new QLabel("Item Link String"), row + 1, 0);
    properties->addWidget(txtLinkString, row + 1, 1);
}

QWidget* frmMain::buildFeedCheckPane() {
    auto* pane = new QWidget;
    lblFeedCheck = new QLabel;
    lblFeedCheck->setObjectName("lblFeedCheck");
    lstFeedCheck = new QListWidget;
    lstFeedCheck->setObjectName("lstFeedCheck");
    lstFeedCheck->setMaximumHeight(100);
    lstFeedCheck->hide();
    auto* v = new QVBoxLayout(pane);
    v->setContentsMargins(0, 0, 0, 0);
    v->addWidget(lblFeedCheck);
    v->addWidget(lstFeedCheck);
    return pane;
}

void frmMain::connectFeedFormatHandlers() {
    connect(cboFeedFormat, &QComboBox::currentIndexChanged, this,
            [this] { guarded([this] { cboFeedFormat_Click(); }); });
    connect(txtLinkString, &QLineEdit::textChanged, this,
            [this] { guarded([this] { fieldChanged(&FeedProfile::LinkString, txtLinkString, nullptr); }); });
    // Clicking the current finding again jumps back to it after scrolling away.
    connect(lstFeedCheck, &QListWidget::currentRowChanged, this, [this] { guarded([this] { showChosenFinding(); }); });
    connect(lstFeedCheck, &QListWidget::itemClicked, this, [this] { guarded([this] { showChosenFinding(); }); });
}

void frmMain::cboFeedFormat_Click() {
    const bool readerReady = cboFeedFormat->currentIndex() == ReaderReadyEntry;
    txtLinkString->setEnabled(readerReady);
    // A stored value that already means the chosen format stays as it is:
    // "0.91" and "" are both classic, and leaving "" keeps a profile that
    // never chose in its original 13 lines.
    if (readerReady == (session_.Profile.format() == FeedFormatKind::ReaderReady)) return;
    session_.Profile.FeedFormat = readerReady ? std::string(ReaderReadyFormatValue) : std::string();
    saveProfile();
}

void frmMain::fillFeedFormatFromProfile(const FeedProfile& p) {
    cboFeedFormat->setCurrentIndex(p.format() == FeedFormatKind::ReaderReady ? ReaderReadyEntry : ClassicEntry);
    txtLinkString->setEnabled(p.format() == FeedFormatKind::ReaderReady);
    txtLinkString->setText(fromBytes(p.LinkString));
    // The handlers above rewrite the field only when its meaning changes;
    // the stored spelling ("0.91", or a hand-edited value) is kept.
    session_.Profile.FeedFormat = p.FeedFormat;
}

std::unique_ptr<FolderLock> frmMain::lockFolderForGeneration() {
    std::unique_ptr<FolderLock> lock;
    try {
        lock = FolderLock::Acquire(folder_, std::chrono::milliseconds(0));
        if (!lock) {
            // Another run holds the folder: let the wait pointer reach the
            // screen before the window stops answering for the wait.
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            lock = FolderLock::Acquire(folder_, GenerationLockPatience);
        }
    } catch (const std::exception& e) {
        showFailure(DescribeFailure(e) + UnableToGenerateSuffix);
        return nullptr;
    }
    if (!lock) showFailure(LockTimeoutMessage(folder_, GenerationLockPatience));
    return lock;
}

void frmMain::clearFeedCheck() {
    lblFeedCheck->clear();
    const QSignalBlocker quiet(lstFeedCheck);
    lstFeedCheck->clear();
    lstFeedCheck->hide();
}

void frmMain::showFeedCheck(const FeedCheckResult& result) {
    clearFeedCheck();
    if (result.findings.empty()) {
        lblFeedCheck->setText(QString::number(result.items) + " items, no problems found");
        return;
    }
    lblFeedCheck->setText(fromBytes(FormatSummary(result)));
    const bool classic = session_.Profile.format() == FeedFormatKind::Classic;
    const QSignalBlocker quiet(lstFeedCheck);  // filling the list is no choice of the user's
    for (const CheckFinding& f : result.findings) {
        std::string text = FormatFinding(f);
        if (f.curedByReaderReady && classic) text += CuredSuffix;
        auto* item = new QListWidgetItem(fromBytes(text), lstFeedCheck);
        item->setData(FindingLineRole, f.line);
    }
    lstFeedCheck->setCurrentRow(-1);
    lstFeedCheck->show();
}

void frmMain::showChosenFinding() {
    const QListWidgetItem* item = lstFeedCheck->currentItem();
    if (!item) return;
    const int line = item->data(FindingLineRole).toInt();
    if (line < 1) return;  // a finding about the document as a whole
    const int start = htmSyntaxBox1->GetLineFirstCharIndex(line - 1);
    if (start < 0) return;
    const int next = htmSyntaxBox1->GetLineFirstCharIndex(line);
    // Selecting the whole line marks it even while the list keeps the
    // focus; the caret sits on the line and the viewer scrolls to it.
    htmSyntaxBox1->setSelStart(start);
    htmSyntaxBox1->setSelLength(next > start ? next - start - 1 : static_cast<int>(htmSyntaxBox1->Text().size()) - start);
}
