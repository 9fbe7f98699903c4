#include "mainwindow/frmMain.h"

#include "mainwindow/ControlRegistry.h"
#include "feed/FeedBuilder.h"
#include "feed/FeedCheck.h"
#include "feed/FolderLock.h"
#include "mainwindow/FormDefinition.h"
#include "mainwindow/TextBytes.h"
#include "mainwindow/WaitPointer.h"
#include "feed/ProfileStore.h"
#include "feed/SafeFile.h"
#include "syntaxbox/htmSyntaxBox.h"
#include "mainwindow/mdlCommonDialog.h"
#include "buttons/wenButtons_H.h"

#include <QCheckBox>
#include <QFileSystemWatcher>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>

#include <cctype>
#include <functional>
#include <cstdlib>

using namespace std::string_literals;

const char* const frmMain::FormResource = ":/mainwindow/frmMain.frm";

namespace {
const char* const NoProfileStatus = "Please select an existing profile or create a new one";
const QColor MarkerFilled(0, 128, 0);
const QColor MarkerEmpty(255, 0, 0);

// The number of items of a generated feed: each opens with an "<item>" line.
int countItems(const std::string& feed) {
    int n = 0;
    for (size_t at = 0; at < feed.size();) {
        size_t end = feed.find('\n', at);
        if (end == std::string::npos) end = feed.size();
        std::string_view line(feed.data() + at, end - at);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line == "<item>") ++n;
        at = end + 1;
    }
    return n;
}

// Blank test of the name box: only the blank character counts.
bool isBlank(const std::string& s) { return s.find_first_not_of(' ') == std::string::npos; }

// The leading number of a text, the way a stored "1" or " 1 " is read back
// into the check box; text that is no number counts as 0.
double leadingNumber(const std::string& s) {
    const char* p = s.c_str();
    while (*p == ' ' || *p == '\t') ++p;
    char* end = nullptr;
    const double v = std::strtod(p, &end);
    return end == p ? 0.0 : v;
}

// A profile file keeps one value a line: a line break pasted into a box
// would shift every later field. Each break (CR LF, CR or LF) becomes a blank.
QString oneLine(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(QChar('\r'), QChar(' '));
    text.replace(QChar('\n'), QChar(' '));
    return text;
}

bool hasLineBreak(const QString& text) { return text.contains(QChar('\r')) || text.contains(QChar('\n')); }

}  // namespace

frmMain::frmMain(std::filesystem::path programFolder, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), folder_(std::move(programFolder)), dialogs_(dialogs) {
    host_.setUserMode(true);
    host_.setFont(font());
    host_.setDialogs(&dialogs_);
    host_.setTitle(fromBytes(AppTitle));
    buildControls(FormDefinition::load(FormResource));
    buildLayout();
    connectHandlers();
    setUpKeyboard();
    connectPreviewHandlers();
    watchFolder();
    Form_Load();
}

frmMain::~frmMain() = default;

void frmMain::buildControls(const FormDefinition& form) {
    ControlRegistry registry;
    registry.add("Corvane.wenButtons_H", [this](const ControlDefinition& d, QWidget* parent) {
        auto* b = new wenButtons_H(parent);
        b->setObjectName(d.name);
        b->setHost(&host_);
        b->ReadProperties(d.bag);
        return b;
    });
    registry.add("Corvane.htmSyntaxBox", [this](const ControlDefinition& d, QWidget* parent) {
        auto* box = new htmSyntaxBox(parent, &host_);
        box->setObjectName(d.name);
        box->ReadProperties(d.bag);
        if (!d.extent.isEmpty())
            box->setMinimumSize(FormDefinition::himetricToPixels(d.extent.width(), logicalDpiX()),
                                FormDefinition::himetricToPixels(d.extent.height(), logicalDpiY()));
        return box;
    });

    auto make = [&](const char* name) -> QWidget* {
        const ControlDefinition* d = form.find(name);
        if (!d) throw FormDefinitionError("the stored settings of \""s + name + "\" are missing");
        return registry.create(*d, this);
    };
    auto button = [&](const char* name) {
        auto* b = qobject_cast<wenButtons_H*>(make(name));
        if (!b) throw FormDefinitionError("\""s + name + "\" is not a button");
        return b;
    };
    wenButtons_H1 = button("wenButtons_H1");
    wenButtons_H2 = button("wenButtons_H2");
    wenButtons_H3 = button("wenButtons_H3");
    wenButtons_H4 = button("wenButtons_H4");
    wenButtons_H5 = button("wenButtons_H5");
    wenButtons_H6 = button("wenButtons_H6");
    htmSyntaxBox1 = qobject_cast<htmSyntaxBox*>(make("htmSyntaxBox1"));
    if (!htmSyntaxBox1) throw FormDefinitionError("\"htmSyntaxBox1\" is not a syntax box");
    htmSyntaxBox2 = qobject_cast<htmSyntaxBox*>(make("htmSyntaxBox2"));
    if (!htmSyntaxBox2) throw FormDefinitionError("\"htmSyntaxBox2\" is not a syntax box");
}

void frmMain::guarded(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& e) {
        showFailure(DescribeFailure(e));
    } catch (...) {
        showFailure("Unexpected failure");
    }
}

void frmMain::connectHandlers() {
    // Every user action runs as one handler that catches every failure and
    // shows it; nothing escapes into the event loop.
    auto on = [this](auto* sender, auto signal, void (frmMain::*handler)()) {
        connect(sender, signal, this, [this, handler] { guarded([this, handler] { (this->*handler)(); }); });
    };
    on(wenButtons_H1, &wenButtons_H::Click, &frmMain::wenButtons_H1_Click);
    on(wenButtons_H2, &wenButtons_H::Click, &frmMain::wenButtons_H2_Click);
    on(wenButtons_H3, &wenButtons_H::Click, &frmMain::wenButtons_H3_Click);
    on(wenButtons_H4, &wenButtons_H::Click, &frmMain::wenButtons_H4_Click);
    on(wenButtons_H5, &wenButtons_H::Click, &frmMain::wenButtons_H5_Click);
    on(wenButtons_H6, &wenButtons_H::Click, &frmMain::wenButtons_H6_Click);
    on(Option1, &QRadioButton::clicked, &frmMain::Option1_Click);
    on(Option2, &QRadioButton::clicked, &frmMain::Option2_Click);
    on(Command1, &QPushButton::clicked, &frmMain::Command1_Click);
    on(Command3, &QPushButton::clicked, &frmMain::Command3_Click);
    on(cmdSaveFeed, &QPushButton::clicked, &frmMain::wenButtons_H3_Click);
    // A double-click on a profile picks it as "Select Profile" does (Enter
    // in the list presses "Select Profile", the list's default button).
    on(List1, &QListWidget::itemDoubleClicked, &frmMain::wenButtons_H4_Click);
    // Fires on a click and on a change made by the program, as the box's value changes.
    on(chkStripHTMLTags, &QCheckBox::stateChanged, &frmMain::chkStripHTMLTags_Click);

    connect(txtSource, &QLineEdit::textChanged, this, [this] {
        if (!fillingLocalSource_) guarded([this] { fieldChanged(&FeedProfile::Source, txtSource, nullptr); });
    });
    const struct {
        QLineEdit* box;
        std::string FeedProfile::*field;
        QLabel* marker;
    } fields[] = {
        {Text1, &FeedProfile::StartString, Label16},
        {Text2, &FeedProfile::StartItemString, Label17},
        {Text3, &FeedProfile::EndString, Label18},
        {txtTitleEndString, &FeedProfile::TitleEndString, nullptr},
        {txtEndItemString, &FeedProfile::EndItemString, nullptr},
        {txtFeedTitle, &FeedProfile::FeedTitle, nullptr},
        {txtFeedDesc, &FeedProfile::FeedDesc, nullptr},
        {txtFeedLink, &FeedProfile::FeedLink, nullptr},
    };
    for (const auto& f : fields) {
        QLineEdit* box = f.box;
        auto field = f.field;
        QLabel* marker = f.marker;
        connect(box, &QLineEdit::textChanged, this,
                [=, this] { guarded([=, this] { fieldChanged(field, box, marker); }); });
    }
    connectFeedFormatHandlers();
}

void frmMain::Form_Load() {
    for (int page = PageSource; page <= PageSave; ++page) SSTab1->setTabEnabled(page, false);
    SSTab1->setCurrentIndex(PageProfile);
    SSTab1->setTabVisible(PageSave, false);
    setWindowTitle(fromBytes(AppTitle));
    // Before any profile the marker boxes are empty; their labels say so.
    colourMarker(Label16, Text1);
    colourMarker(Label17, Text2);
    colourMarker(Label18, Text3);
    loadProfilesInList();
}

// ---- page 0: profiles ----

void frmMain::setNameRowOpen(bool open) {
    // Closing the row takes the focus away from it; it goes back to the list
    // the row was opened from rather than wherever Qt would put it.
    const bool focusInRow = !open && (txtProfileName->hasFocus() || wenButtons_H5->hasFocus() ||
                                      wenButtons_H6->hasFocus());
    List1->setEnabled(!open);
    wenButtons_H1->setVisible(!open);
    wenButtons_H2->setVisible(!open);
    wenButtons_H4->setVisible(!open);
    Command3->setEnabled(!open);
    wenButtons_H5->setVisible(open);
    wenButtons_H6->setVisible(open);
    Label7->setVisible(open);
    txtProfileName->setVisible(open);
    if (focusInRow) List1->setFocus();
    updateDefaultButton();
}

void frmMain::wenButtons_H1_Click() {
    setNameRowOpen(true);
    txtProfileName->setFocus();
    // The previous name stays, selected, so that typing replaces it.
    txtProfileName->selectAll();
}

void frmMain::wenButtons_H5_Click() { setNameRowOpen(false); }

void frmMain::wenButtons_H6_Click() {
    Command3->setEnabled(false);
    const std::string name = toBytes(oneLine(txtProfileName->text()));
    if (isBlank(name)) {
        dialogs_.message("Please supply a valid profile name", MessageIcon::Warning, AppTitle);
        txtProfileName->setFocus();
        return;
    }
    const std::string fileName = CreateProfile(folder_, name, dialogs_);
    if (fileName.empty()) return;  // the reason has been shown; the name row stays open

    clearViewer();
    setNameRowOpen(false);
    lblFileName->clear();
    loadProfilesInList();
    const QString wanted = fromBytes(fileName);
    for (int i = 0; i < List1->count(); ++i) {
        if (List1->item(i)->text().contains(wanted)) {
            List1->setCurrentRow(i);
            break;
        }
    }
    wenButtons_H4_Click();
}

void frmMain::wenButtons_H4_Click() {
    const QList<QListWidgetItem*> selected = List1->selectedItems();
    if (selected.isEmpty()) {
        dialogs_.message("Please select a profile or Create a new one", MessageIcon::Warning, AppTitle);
        return;
    }
    const ProfileEntryParts parts = ParseProfileEntry(toBytes(selected.first()->text()));
    if (!ReadProfile(folder_, parts.fileName, session_, dialogs_)) return;  // "Bad file format" shown

    lblStatus->setText("Current Profile : " + fromBytes(session_.Profile.ProfileName));
    FillFormFromProfile();
    clearViewer();
    setEditingPagesEnabled(true, true);
    Command3->setEnabled(true);
    SSTab1->setCurrentIndex(PageSource);
    lblFileName->clear();
}

void frmMain::wenButtons_H2_Click() {
    const QList<QListWidgetItem*> selected = List1->selectedItems();
    if (selected.isEmpty()) {
        dialogs_.message("Please select a profile to delete", MessageIcon::Warning, AppTitle);
        return;
    }
    const std::string entry = toBytes(selected.first()->text());
    if (!dialogs_.askYesNo("Are you sure want to delete this profile\r\n" + entry, MessageIcon::Warning, AppTitle,
                           DefaultAnswer::No))
        return;
    if (ParseProfileEntry(entry).fileName == session_.ProfileFile) {
        // The pages stay where they are and keep the old values, but no
        // longer accept edits for a profile that is about to go.
        setEditingPagesEnabled(false, false);
        lblStatus->setText(NoProfileStatus);
    }
    if (DeleteProfile(folder_, entry, session_, dialogs_)) loadProfilesInList();
}

void frmMain::loadProfilesInList() {
    List1->clear();
    for (const std::string& entry : LoadProfilesInList(folder_)) List1->addItem(fromBytes(entry));
}

void frmMain::watchFolder() {
    // Profiles made or deleted by the command line appear at once. One save
    // is several changes of the folder (a temporary file renamed over the
    // old one): the list is read once they have settled.
    listRefresh_ = new QTimer(this);
    listRefresh_->setSingleShot(true);
    listRefresh_->setInterval(150);
    connect(listRefresh_, &QTimer::timeout, this, [this] { guarded([this] { refreshProfileList(); }); });
    folderWatcher_ = new QFileSystemWatcher(this);
    folderWatcher_->addPath(QFile::decodeName(QByteArray::fromStdString(folder_.string())));
    connect(folderWatcher_, &QFileSystemWatcher::directoryChanged, listRefresh_, qOverload<>(&QTimer::start));
}

void frmMain::refreshProfileList() {
    const std::vector<std::string> entries = LoadProfilesInList(folder_);
    bool same = int(entries.size()) == List1->count();
    for (int i = 0; same && i < List1->count(); ++i) same = List1->item(i)->text() == fromBytes(entries[size_t(i)]);
    if (same) return;

    // The selection follows the file, not the row: rows move as files come and go.
    const QList<QListWidgetItem*> selected = List1->selectedItems();
    const std::string selectedFile =
        selected.isEmpty() ? std::string() : ParseProfileEntry(toBytes(selected.first()->text())).fileName;
    List1->clear();
    for (const std::string& entry : entries) {
        List1->addItem(fromBytes(entry));
        if (!selectedFile.empty() && ParseProfileEntry(entry).fileName == selectedFile)
            List1->setCurrentRow(List1->count() - 1);
    }
}

void frmMain::setEditingPagesEnabled(bool on, bool includingSavePage) {
    const int last = includingSavePage ? PageSave : PageView;
    for (int page = PageSource; page <= last; ++page) SSTab1->setTabEnabled(page, on);
}

// ---- filling and editing ----

void frmMain::FillFormFromProfile() {
    session_.ProfileLoaded = false;
    const FeedProfile p = session_.Profile;  // the handlers below rewrite fields as they go
    if (p.isWeb()) {
        Option1->setChecked(true);
        Option1_Click();
        txtSource->setText(fromBytes(p.Source));
        Label6->clear();
    } else {
        Option2->setChecked(true);
        Option2_Click();
        fillingLocalSource_ = true;  // emptying the address box keeps the stored path
        txtSource->clear();
        fillingLocalSource_ = false;
        Label6->setText(pathForDisplay(p.Source));
    }
    Text1->setText(fromBytes(p.StartString));
    Text2->setText(fromBytes(p.StartItemString));
    Text3->setText(fromBytes(p.EndString));
    txtFeedDesc->setText(fromBytes(p.FeedDesc));
    txtFeedLink->setText(fromBytes(p.FeedLink));
    txtFeedTitle->setText(fromBytes(p.FeedTitle));
    txtTitleEndString->setText(fromBytes(p.TitleEndString));
    txtEndItemString->setText(fromBytes(p.EndItemString));
    chkStripHTMLTags->setChecked(leadingNumber(p.StripHTMLTags) == 1.0);
    fillFeedFormatFromProfile(p);
    session_.ProfileLoaded = true;
}

void frmMain::fieldChanged(std::string FeedProfile::*field, QLineEdit* box, QLabel* marker) {
    if (hasLineBreak(box->text())) {
        box->setText(oneLine(box->text()));  // comes back here with the cleaned text
        return;
    }
    session_.Profile.*field = toBytes(box->text());
    saveProfile();
    if (marker) colourMarker(marker, box);
}

void frmMain::chkStripHTMLTags_Click() {
    session_.Profile.StripHTMLTags = chkStripHTMLTags->isChecked() ? "1" : "0";
    saveProfile();
}

void frmMain::Option1_Click() {
    session_.Profile.SourceType = "Web";
    Frame2->setEnabled(true);
    Frame1->setEnabled(false);
    saveProfile();
}

void frmMain::Option2_Click() {
    session_.Profile.SourceType = "Local";
    Frame1->setEnabled(true);
    Frame2->setEnabled(false);
    saveProfile();
}

void frmMain::saveProfile() { SaveProfile(folder_, session_, dialogs_); }

void frmMain::colourMarker(QLabel* marker, const QLineEdit* box) {
    QPalette pal = marker->palette();
    pal.setColor(QPalette::WindowText, box->text().isEmpty() ? MarkerEmpty : MarkerFilled);
    marker->setPalette(pal);
}

void frmMain::Command1_Click() {
    // Pages end in .htm or .html; the chooser matches either in any letter
    // case and shows the patterns once, after the name.
    const std::string path = mdlCommonDialog::ShowOpenDialog(dialogs_, this, "HTML Files\0*.htm;*.html\0\0"s,
                                                             "Select Page", mdlCommonDialog::OFN_EXPLORER);
    // A cancelled chooser leaves the stored page as it was.
    if (!path.empty()) {
        Label6->setText(pathForDisplay(path));
        session_.Profile.Source = path;
    }
    SSTab1->setTabEnabled(PageSettings, true);
    SSTab1->setCurrentIndex(PageSettings);
    if (!path.empty()) saveProfile();
}

// ---- generating and saving ----

void frmMain::clearViewer() {
    htmSyntaxBox1->setTextRTF(QString());
    clearFeedCheck();  // a check belongs to the document it was made of
}

void frmMain::showFailure(const std::string& text) { dialogs_.message(text, MessageIcon::Error, AppTitle); }

void frmMain::Command3_Click() {
    WaitPointer wait(this);
    // A "Saved ..." line from an earlier save is not about this feed.
    lblStatus->setText("Current Profile : " + fromBytes(session_.Profile.ProfileName));
    FeedCheckResult check;
    try {
        // Held until test.xml is in the viewer and checked, so that a
        // scheduled run in this folder cannot replace it in between.
        const std::unique_ptr<FolderLock> lock = lockFolderForGeneration();
        if (!lock) return;
        if (!GenerateFeed(folder_, session_.Profile, toBytes(txtSource->text()), dialogs_, *lock)) return;
        htmSyntaxBox1->LoadFile(QFile::decodeName(QByteArray::fromStdString((folder_ / FeedFileName).string())));
        check = CheckFeedFile(folder_ / FeedFileName);
        htmSyntaxBox1->Colorize();
    } catch (const std::exception& e) {
        showFailure(DescribeFailure(e) + "\r\nUnable to generate RSS Feed");
        return;
    }
    SSTab1->setTabEnabled(PageView, true);
    SSTab1->setTabEnabled(PageSave, true);
    SSTab1->setCurrentIndex(PageView);
    showFeedCheck(check);
    wenButtons_H3_Click();
}

void frmMain::wenButtons_H3_Click() {
    if (htmSyntaxBox1->Text().isEmpty()) {
        dialogs_.message("Please generate the RSS Feed first", MessageIcon::Warning, AppTitle);
        return;
    }
    std::string path = mdlCommonDialog::ShowSaveDialog(
        dialogs_, this, "XML Files *.xml\0*.xml\0\0"s, "Select file to save XML code",
        mdlCommonDialog::OFN_PATHMUSTEXIST | mdlCommonDialog::OFN_FILEMUSTEXIST);
    if (path.empty()) return;
    std::string tail = path.size() >= 4 ? path.substr(path.size() - 4) : path;
    for (char& c : tail) c = char(std::tolower(static_cast<unsigned char>(c)));
    if (tail != ".xml") path += ".xml";
    int items = 0;
    try {
        CopyFileReplacing(folder_ / FeedFileName, path);
        items = countItems(ReadWholeFile(path));
    } catch (const std::exception& e) {
        showFailure(DescribeFailure(e));
        return;
    }
    lblFileName->setText("RSS Feed XML code generated and successfully saved\r\nFile Location : " +
                         pathForDisplay(path));
    // The save page is never shown: the status line confirms the save.
    lblStatus->setText(QStringLiteral("Saved %1 %2 to %3")
                           .arg(items)
                           .arg(QLatin1String(items == 1 ? "item" : "items"))
                           .arg(pathForDisplay(path)));
}
