#pragma once
// The preview beside the markers on "Generate Settings": the page's source
// with the marker hits marked, the items the markers give and, when the cut
// stops, why. It shows what it is given; the window decides when the page is
// read and when the markers are cut again, and nothing here writes a file.
#include "feed/FeedPreview.h"
#include "feed/MarkerSuggest.h"
#include "mainwindow/PageOffsets.h"

#include <QWidget>

#include <vector>

class htmSyntaxBox;
class htmSyntaxBoxMarks;
class PreviewItemModel;
class QLabel;
class QListWidget;
class QPushButton;
class QTreeView;

class PreviewPane : public QWidget {
    Q_OBJECT
public:
    // source: the box the page's source is shown in.
    explicit PreviewPane(htmSyntaxBox* source, QWidget* parent = nullptr);
    ~PreviewPane() override;

    // Shows the page coloured; the preview of an earlier page goes.
    void setPage(PreviewPage page);
    // Forgets the page; the status line says why.
    void dropPage(const QString& why);
    bool hasPage() const { return hasPage_; }
    const PreviewPage& page() const { return page_; }

    // The preview of the page by the profile's markers. Items past the
    // preview's textItems get their texts as the list comes to them, by the
    // same profile.
    void showPreview(FeedPreview preview, FeedProfile profile);
    // Items the list shows before it is scrolled, and a little more.
    static constexpr size_t FirstTexts = 100;
    const FeedPreview& preview() const { return preview_; }

    // Selects the next or previous hit of a marker in the source, going
    // round the page; the status line counts the hits.
    void step(MarkerKind kind, bool forward);
    // Scrolls the source to the item in the list's row and marks its piece.
    void showItem(int row);

    // Proposed markers, listed with the items each gives; none hides the list.
    void showProposals(std::vector<MarkerProposal> proposals);
    const MarkerProposal* proposal(int row) const;

    static QString markerName(MarkerKind kind);

    htmSyntaxBox* htmSyntaxBox2;
    QTreeView* lstPreviewItems = nullptr;
    QLabel* lblPreviewStatus = nullptr;
    QLabel* lblPreviewStop = nullptr;         // the stop in plain words
    QLabel* lblPreviewStopMessage = nullptr;  // beside it, the message a generation shows
    QListWidget* lstProposals = nullptr;
    QPushButton* cmdPreviewReload = nullptr;
    QPushButton* cmdPreviewPrevious = nullptr;
    QPushButton* cmdPreviewNext = nullptr;
    QPushButton* cmdSuggest = nullptr;

private:
    void markHits();
    void selectRange(int64_t from, int64_t to);

    PreviewPage page_;
    bool hasPage_ = false;
    PageOffsets offsets_;
    FeedPreview preview_;
    FeedProfile profile_;
    PreviewItemModel* model_ = nullptr;
    htmSyntaxBoxMarks* marks_ = nullptr;
    std::vector<MarkerProposal> proposals_;
    // The hit the last step selected, so that the next step goes on from it.
    MarkerKind stepKind_ = MarkerKind::Start;
    long stepIndex_ = -1;
    long chosen_ = -1;  // the row chosen in the list, -1: none
};
