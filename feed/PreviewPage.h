#pragma once
// Getting a profile's page for a preview without touching src.dat.
#include "feed/FeedPreview.h"

#include <string>

// A local source is read from its file; a web source is downloaded from
// `address` (the address box, which may differ from the saved Source)
// through a private temporary file outside the program's folder, read and
// removed. Throws std::runtime_error whose what() is the message to show,
// naming the file or the address.
PreviewPage LoadPreviewPage(const FeedProfile& profile, const std::string& address);
