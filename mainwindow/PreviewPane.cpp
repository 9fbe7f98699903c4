#include "mainwindow/PreviewPane.h"

#include "mainwindow/TextBytes.h"
#include "syntaxbox/RichBox.h"
#include "syntaxbox/htmSyntaxBox.h"
#include "syntaxbox/htmSyntaxBoxMarks.h"

#include <QAbstractTableModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTextCursor>
#include <QTreeView>
#include <QVBoxLayout>

#include <functional>

namespace {
// One light background per marker kind, dark enough to tell apart from
// the colouring's own text colours.
QColor markColour(MarkerKind kind) {
    switch (kind) {
    case MarkerKind::Start: return QColor(0xa8, 0xe6, 0xa8);
    case MarkerKind::End: return QColor(0xf4, 0xb0, 0xb0);
    case MarkerKind::StartItem: return QColor(0xa8, 0xcc, 0xff);
    case MarkerKind::TitleEnd: return QColor(0xff, 0xe0, 0x80);
    case MarkerKind::EndItem: return QColor(0xdc, 0xb8, 0xf4);
    }
    return {};
}
// Text outside the region: the cut never reads it.
const QColor Dimmed(0xb0, 0xb0, 0xb0);
// Under the piece of the item chosen in the list, paler than any marker.
const QColor ChosenItem(0xea, 0xf0, 0xfc);

// Items whose texts are made beyond the row the list asks for.
constexpr size_t TextsAhead = 100;

// How much of a description the list shows.
constexpr qsizetype DescriptionShown = 100;

// A list row is one line: line breaks in a text show as blanks.
QString oneLine(const std::string& utf8) {
    QString s = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
    for (QChar& c : s)
        if (c == '\r' || c == '\n' || c == '\t') c = ' ';
    return s;
}

template <typename W>
W* named(W* w, const char* name) {
    w->setObjectName(name);
    return w;
}
}  // namespace

// The items of the preview as rows (number, title, link, description's
// start). Only the rows on screen are asked for their texts, so a new
// preview of thousands of items costs one reset.
class PreviewItemModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    // needTexts(n): the first n items are to carry their texts.
    void setItems(const std::vector<PreviewItem>* items, const size_t* textItems,
                  std::function<void(size_t)> needTexts) {
        beginResetModel();
        items_ = items;
        textItems_ = textItems;
        needTexts_ = std::move(needTexts);
        endResetModel();
    }
    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() || !items_ ? 0 : int(items_->size());
    }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 4; }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !items_ || index.row() >= int(items_->size())) return {};
        if (index.column() > 0 && size_t(index.row()) >= *textItems_) needTexts_(size_t(index.row()) + 1);
        const PreviewItem& item = (*items_)[size_t(index.row())];
        switch (index.column()) {
        case 0: return index.row() + 1;
        case 1: return oneLine(item.title);
        case 2: return oneLine(item.link);
        default: return oneLine(item.description).left(DescriptionShown);
        }
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
        static const char* const captions[] = {"#", "Title", "Link", "Description"};
        return QString::fromLatin1(captions[section]);
    }

private:
    const std::vector<PreviewItem>* items_ = nullptr;
    const size_t* textItems_ = nullptr;
    std::function<void(size_t)> needTexts_;
};

PreviewPane::PreviewPane(htmSyntaxBox* source, QWidget* parent) : QWidget(parent), htmSyntaxBox2(source) {
    marks_ = new htmSyntaxBoxMarks(htmSyntaxBox2);
    model_ = new PreviewItemModel(this);

    auto button = [](const char* name, const QString& caption) {
        auto* b = named(new QPushButton(caption), name);
        b->setAutoDefault(true);
        return b;
    };
    cmdPreviewReload = button("cmdPreviewReload", "Loa&d Page");
    cmdSuggest = button("cmdSuggest", "Suggest &markers...");
    // Stepping goes through the hits of the marker whose box has the focus:
    // a click on these must leave the focus in that box.
    cmdPreviewPrevious = button("cmdPreviewPrevious", "Previo&us");
    cmdPreviewNext = button("cmdPreviewNext", "Ne&xt");
    cmdPreviewPrevious->setFocusPolicy(Qt::TabFocus);
    cmdPreviewNext->setFocusPolicy(Qt::TabFocus);
    lblPreviewStatus = named(new QLabel("Load the page to see where the markers cut it"), "lblPreviewStatus");
    lblPreviewStatus->setWordWrap(true);

    lblPreviewStop = named(new QLabel, "lblPreviewStop");
    lblPreviewStop->setWordWrap(true);
    QPalette stopPalette = lblPreviewStop->palette();
    stopPalette.setColor(QPalette::WindowText, QColor(0xb0, 0, 0));
    lblPreviewStop->setPalette(stopPalette);
    lblPreviewStopMessage = named(new QLabel, "lblPreviewStopMessage");
    lblPreviewStopMessage->setWordWrap(true);
    lblPreviewStop->hide();
    lblPreviewStopMessage->hide();

    lstPreviewItems = named(new QTreeView, "lstPreviewItems");
    lstPreviewItems->setModel(model_);
    lstPreviewItems->setRootIsDecorated(false);
    lstPreviewItems->setUniformRowHeights(true);
    lstPreviewItems->setAllColumnsShowFocus(true);
    lstPreviewItems->header()->setStretchLastSection(true);
    lstPreviewItems->setColumnWidth(0, 40);
    lstPreviewItems->setColumnWidth(1, 180);
    lstPreviewItems->setColumnWidth(2, 120);

    lstProposals = named(new QListWidget, "lstProposals");
    lstProposals->setMaximumHeight(70);
    lstProposals->hide();

    // Choosing an item, by click or keys, shows its piece of the page.
    connect(lstPreviewItems, &QTreeView::clicked, this, [this](const QModelIndex& i) { showItem(i.row()); });
    connect(lstPreviewItems, &QTreeView::activated, this, [this](const QModelIndex& i) { showItem(i.row()); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdPreviewReload);
    buttons->addWidget(cmdSuggest);
    buttons->addStretch();
    buttons->addWidget(cmdPreviewPrevious);
    buttons->addWidget(cmdPreviewNext);

    auto* stopRow = new QHBoxLayout;
    stopRow->addWidget(lblPreviewStop, 3);
    stopRow->addWidget(lblPreviewStopMessage, 2);

    auto* lower = new QWidget;
    auto* lowerLayout = new QVBoxLayout(lower);
    lowerLayout->setContentsMargins(0, 0, 0, 0);
    lowerLayout->addWidget(lstProposals);
    lowerLayout->addLayout(stopRow);
    lowerLayout->addWidget(lstPreviewItems, 1);

    auto* split = new QSplitter(Qt::Vertical);
    split->addWidget(htmSyntaxBox2);
    split->addWidget(lower);
    split->setSizes({300, 200});  // shared out in this ratio once the pane has its size

    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    v->addLayout(buttons);
    v->addWidget(split, 1);
    v->addWidget(lblPreviewStatus);
}

PreviewPane::~PreviewPane() = default;

QString PreviewPane::markerName(MarkerKind kind) {
    switch (kind) {
    case MarkerKind::Start: return "Start String";
    case MarkerKind::End: return "End String";
    case MarkerKind::StartItem: return "Start Item String";
    case MarkerKind::TitleEnd: return "End Title String";
    case MarkerKind::EndItem: return "End Item String";
    }
    return {};
}

void PreviewPane::setPage(PreviewPage page) {
    page_ = std::move(page);
    hasPage_ = true;
    offsets_ = PageOffsets(page_.bytes);
    showPreview({}, {});
    htmSyntaxBox2->setText(fromBytes(page_.bytes));
    htmSyntaxBox2->Colorize();
    cmdPreviewReload->setText("&Reload");
}

void PreviewPane::dropPage(const QString& why) {
    page_ = {};
    hasPage_ = false;
    offsets_ = {};
    showPreview({}, {});
    htmSyntaxBox2->setText(QString());
    cmdPreviewReload->setText("Loa&d Page");
    lblPreviewStatus->setText(why);
}

void PreviewPane::showPreview(FeedPreview preview, FeedProfile profile) {
    preview_ = std::move(preview);
    profile_ = std::move(profile);
    stepIndex_ = -1;
    chosen_ = -1;
    model_->setItems(&preview_.items, &preview_.textItems, [this](size_t upTo) {
        // A screenful and more at a time: the list asks row by row.
        AddPreviewTexts(preview_, page_, profile_, false, upTo + TextsAhead);
    });
    markHits();
    if (preview_.stop) {
        lblPreviewStop->setText(fromBytes(preview_.stop->explanation));
        lblPreviewStopMessage->setText(fromBytes(preview_.stop->message));
    }
    lblPreviewStop->setVisible(preview_.stop.has_value());
    lblPreviewStopMessage->setVisible(preview_.stop.has_value());
    if (hasPage_) {
        const size_t n = preview_.items.size();
        lblPreviewStatus->setText(QStringLiteral("%1 %2%3")
                                      .arg(n)
                                      .arg(QLatin1String(n == 1 ? "item" : "items"))
                                      .arg(QLatin1String(preview_.stop ? " before the stop" : "")));
    }
}

void PreviewPane::markHits() {
    std::vector<BoxMark> marks;
    marks.reserve(preview_.hits.size() + 2);
    if (preview_.regionEnd > 0) {
        // Dimmed first, so that a marker's own colour is drawn over it.
        marks.push_back({0, offsets_.toBox(preview_.regionBegin), {}, Dimmed});
        marks.push_back({offsets_.toBox(preview_.regionEnd), offsets_.toBox(page_.bytes.size()), {}, Dimmed});
    }
    if (chosen_ >= 0 && chosen_ < long(preview_.items.size())) {
        const PreviewItem& item = preview_.items[size_t(chosen_)];
        marks.push_back({offsets_.toBox(item.offset), offsets_.toBox(item.offset + item.length), ChosenItem, {}});
    }
    for (const MarkerHit& h : preview_.hits)
        marks.push_back({offsets_.toBox(h.offset), offsets_.toBox(h.offset + h.length), markColour(h.kind), {}});
    marks_->setMarks(std::move(marks));
}

void PreviewPane::selectRange(int64_t from, int64_t to) {
    RichBox* rich = htmSyntaxBox2->rtfHTML();
    QTextCursor c(rich->document());
    c.setPosition(int(to));
    c.setPosition(int(from), QTextCursor::KeepAnchor);  // the caret at the start: that is what scrolls into view
    rich->setTextCursor(c);
    rich->centerCursor();
}

void PreviewPane::step(MarkerKind kind, bool forward) {
    std::vector<const MarkerHit*> hits;
    for (const MarkerHit& h : preview_.hits)
        if (h.kind == kind) hits.push_back(&h);
    const QString name = markerName(kind);
    if (hits.empty()) {
        lblPreviewStatus->setText(name + ": not in the page");
        return;
    }
    const long count = long(hits.size());
    long index;
    if (stepKind_ == kind && stepIndex_ >= 0 && stepIndex_ < count) {
        index = (stepIndex_ + (forward ? 1 : count - 1)) % count;
    } else {
        // From wherever the caret is in the source.
        const int64_t caret = htmSyntaxBox2->rtfHTML()->textCursor().selectionStart();
        index = forward ? 0 : count - 1;
        for (long i = 0; i < count; ++i) {
            const int64_t at = offsets_.toBox(hits[size_t(i)]->offset);
            if (forward && at >= caret) { index = i; break; }
            if (!forward && at < caret) index = i;
        }
    }
    stepKind_ = kind;
    stepIndex_ = index;
    const MarkerHit& hit = *hits[size_t(index)];
    selectRange(offsets_.toBox(hit.offset), offsets_.toBox(hit.offset + hit.length));
    lblPreviewStatus->setText(QStringLiteral("%1: %2 of %3").arg(name).arg(index + 1).arg(count));
}

void PreviewPane::showItem(int row) {
    if (row < 0 || row >= int(preview_.items.size())) return;
    // The piece is marked rather than selected: a selection would hide the
    // marker hits inside it.
    chosen_ = row;
    markHits();
    const int64_t at = offsets_.toBox(preview_.items[size_t(row)].offset);
    selectRange(at, at);
}

void PreviewPane::showProposals(std::vector<MarkerProposal> proposals) {
    proposals_ = std::move(proposals);
    lstProposals->clear();
    for (const MarkerProposal& p : proposals_) {
        lstProposals->addItem(QStringLiteral("%1 %2:   Start %3   Item %4   End %5   Title end %6   Item end %7")
                                  .arg(p.items)
                                  .arg(QLatin1String(p.items == 1 ? "item" : "items"))
                                  .arg(fromBytes(p.StartString), fromBytes(p.StartItemString), fromBytes(p.EndString),
                                       fromBytes(p.TitleEndString), fromBytes(p.EndItemString)));
    }
    lstProposals->setVisible(!proposals_.empty());
    if (!proposals_.empty()) lblPreviewStatus->setText("Click a proposal to put its markers in the boxes");
}

const MarkerProposal* PreviewPane::proposal(int row) const {
    return row >= 0 && row < int(proposals_.size()) ? &proposals_[size_t(row)] : nullptr;
}
