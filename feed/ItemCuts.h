#pragma once
// The cuts of a page by a profile's markers: the region, the items and each
// item's title and description pieces, with every stop message of a feed
// run. They are the same whatever document is written from them.
#include "feed/FeedProfile.h"
#include "dialogs/Dialogs.h"
#include "feed/SafeFile.h"

#include <string>
#include <string_view>

// A run stops with this message (shown titled AppTitle).
struct GenerationStop {
    std::string text;
    MessageIcon icon;
};

// Ends the message of a failure that is not one of the marker messages.
inline const std::string UnableToGenerateSuffix = "\r\nUnable to generate RSS Feed";

// Runs one document's writing and shows how it stopped, if it did: a stop
// with its own message and icon, any other failure with the system's
// description. True when the document was written.
template <typename Write>
bool WriteShowingStops(Dialogs& dialogs, Write&& write) {
    try {
        write();
        return true;
    } catch (const GenerationStop& stop) {
        dialogs.message(stop.text, stop.icon, AppTitle);
    } catch (const std::exception& e) {
        dialogs.message(DescribeFailure(e) + UnableToGenerateSuffix, MessageIcon::Error, AppTitle);
    }
    return false;
}

// Checks the page's length and the three required markers and returns the
// text between the first Start String and the first End String after it.
// Throws GenerationStop.
std::string_view CutRegion(std::string_view page, const FeedProfile& profile);

// The items of the region, one by one: the pieces between the Start Item
// Strings, the first and last piece included even when empty. An empty
// region has no items; an empty marker makes the whole region one item.
class ItemCutter {
public:
    ItemCutter(std::string_view region, std::string_view marker);
    bool next(std::string_view& item);

private:
    std::string_view region_, marker_;
    std::size_t pos_ = 0;
    bool done_;
};

struct ItemPieces {
    bool hasTitle = false;        // false: the title is "." as always
    std::string_view title;       // before the Title End String
    std::string_view description; // from the Title End String to the End Item String
};

// Cuts item k (counted from 1) into its title and description. Throws
// GenerationStop when a marker is missing.
ItemPieces CutItem(std::string_view item, std::size_t k, const FeedProfile& profile);
