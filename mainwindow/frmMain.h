#pragma once
// The program's one window. A tab control leads the user through the
// round: pick or create a profile, pick the page source, set the markers
// and feed properties and generate, then view the feed and save it. Every
// edit of a profile field is saved to the profile's file at once.
//
// The window takes the program's folder (where profiles and working files
// live) and the one Dialogs object through which it talks to the user.
#include "host/ControlHost.h"
#include "feed/FeedProfile.h"

#include <QWidget>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

class Dialogs;
class FormDefinition;
class FolderLock;
struct FeedCheckResult;
class QCheckBox;
class QComboBox;
class QFileSystemWatcher;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTimer;
class PreviewPane;
class htmSyntaxBox;
class wenButtons_H;

class frmMain : public QWidget {
    Q_OBJECT
public:
    // Where the stored settings of the window's controls ship.
    static const char* const FormResource;

    // Builds the window from the stored settings and runs the load step.
    // Throws FormDefinitionError when the stored settings are unusable.
    frmMain(std::filesystem::path programFolder, Dialogs& dialogs, QWidget* parent = nullptr);
    ~frmMain() override;

    const std::filesystem::path& programFolder() const { return folder_; }
    // The current profile with its file name and the saving switch.
    const ProfileSession& session() const { return session_; }

    // Page indexes of SSTab1.
    enum Page { PageProfile = 0, PageSource = 1, PageSettings = 2, PageView = 3, PageSave = 4 };

    // Fills the boxes from the current profile without saving it.
    void FillFormFromProfile();

    // The button Enter presses now (the one drawn as the default), or none.
    QWidget* defaultButton() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls(const FormDefinition& form);
    void buildLayout();
    void connectHandlers();
    void setUpKeyboard();
    void watchFolder();
    void Form_Load();

    // Handlers, one per user action.
    void wenButtons_H1_Click();  // New Profile
    void wenButtons_H2_Click();  // Delete Profile
    void wenButtons_H3_Click();  // Browse Filename to Save
    void wenButtons_H4_Click();  // Select Profile
    void wenButtons_H5_Click();  // Cancel
    void wenButtons_H6_Click();  // Create Profile
    void Option1_Click();
    void Option2_Click();
    void Command1_Click();  // Browse...
    void Command3_Click();  // Generate Feed
    void chkStripHTMLTags_Click();
    // A text box changed: copy it into its field, save, colour its marker label.
    void fieldChanged(std::string FeedProfile::*field, QLineEdit* box, QLabel* marker);

    // Runs one handler; a failure it throws is shown, error icon.
    void guarded(const std::function<void()>& handler);
    void saveProfile();
    void colourMarker(QLabel* marker, const QLineEdit* box);
    void setNameRowOpen(bool open);
    void setEditingPagesEnabled(bool on, bool includingSavePage);
    void loadProfilesInList();
    // Lists the profiles again after a change in the folder, keeping the
    // selected entry selected; nothing happens when the list is unchanged.
    void refreshProfileList();
    // Keyboard: which button Enter presses follows the page and the focus.
    void updateDefaultButton();
    // The next page from the current one, stepping by step, that is shown
    // and enabled, going round from the last page to the first when asked;
    // the current page when there is none.
    int nextReachablePage(int step, bool roundTheStrip) const;
    void clearViewer();
    void showFailure(const std::string& text);

    // The feed's format and link marker, the folder lock and the check of
    // the generated feed (FeedCheckPane.cpp).
    void buildFeedFormatRows(QGridLayout* properties);
    QWidget* buildFeedCheckPane();
    void connectFeedFormatHandlers();
    void cboFeedFormat_Click();
    void fillFeedFormatFromProfile(const FeedProfile& p);
    // The folder's lock, or nullptr after telling the user why not.
    std::unique_ptr<FolderLock> lockFolderForGeneration();
    void clearFeedCheck();
    void showFeedCheck(const FeedCheckResult& result);
    void showChosenFinding();

    // The preview beside the markers (frmMainPreview.cpp): the page is read
    // into memory by "Download..." or the pane's own button, and cut again
    // after every change of the profile; nothing of it writes a file.
    QWidget* buildPreviewPane();
    void connectPreviewHandlers();
    void Command2_Click();  // Download...
    void cmdPreviewReload_Click();
    void cmdSuggest_Click();
    void chooseProposal(int row);
    void stepPreview(bool forward);
    void updatePreview();
    // Reads the page of the current source into the pane; false after the
    // pane (and the download label, for a web page) says why not.
    bool loadPreviewPage();
    // What the kept page was read from; a page of another source is stale.
    std::string previewSourceKey() const;

    std::string keptSourceKey_;
    QTimer* previewRefresh_ = nullptr;
    QLineEdit* lastMarkerBox_ = nullptr;

    std::filesystem::path folder_;
    Dialogs& dialogs_;
    ControlHost host_;
    ProfileSession session_;
    bool fillingLocalSource_ = false;
    QFileSystemWatcher* folderWatcher_ = nullptr;
    QTimer* listRefresh_ = nullptr;

public:
    // The controls, under the object names the rest of the program and the
    // tests look them up by.
    QTabWidget* SSTab1 = nullptr;
    QListWidget* List1 = nullptr;
    QLabel* Label7 = nullptr;
    QLineEdit* txtProfileName = nullptr;
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QGroupBox* Frame4 = nullptr;
    QGroupBox* Frame5 = nullptr;
    QGroupBox* Frame6 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* txtSource = nullptr;
    QPushButton* Command2 = nullptr;
    QLabel* lblDownloadStatus = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QPushButton* Command1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QLineEdit* Text3 = nullptr;
    QLineEdit* txtTitleEndString = nullptr;
    QLineEdit* txtEndItemString = nullptr;
    QLabel* Label16 = nullptr;
    QLabel* Label17 = nullptr;
    QLabel* Label18 = nullptr;
    QLineEdit* txtFeedTitle = nullptr;
    QLineEdit* txtFeedDesc = nullptr;
    QLineEdit* txtFeedLink = nullptr;
    QCheckBox* chkStripHTMLTags = nullptr;
    QComboBox* cboFeedFormat = nullptr;
    QLineEdit* txtLinkString = nullptr;
    QLabel* lblFeedCheck = nullptr;      // the check's summary line
    QListWidget* lstFeedCheck = nullptr; // its findings, when there are any
    QPushButton* Command3 = nullptr;
    htmSyntaxBox* htmSyntaxBox1 = nullptr;
    htmSyntaxBox* htmSyntaxBox2 = nullptr;  // the page's source in the preview
    PreviewPane* previewPane = nullptr;
    QPushButton* cmdSaveFeed = nullptr;  // "Save Feed..." beside the viewer
    QLabel* Label12 = nullptr;
    QLabel* lblFileName = nullptr;
    QLabel* lblStatus = nullptr;
    wenButtons_H* wenButtons_H1 = nullptr;
    wenButtons_H* wenButtons_H2 = nullptr;
    wenButtons_H* wenButtons_H3 = nullptr;
    wenButtons_H* wenButtons_H4 = nullptr;
    wenButtons_H* wenButtons_H5 = nullptr;
    wenButtons_H* wenButtons_H6 = nullptr;
};
