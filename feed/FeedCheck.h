#pragma once
// Checks an RSS document for what makes feed readers reject it or lose its
// items (errors) and for what they show badly (warnings). The result is
// plain data: the command line prints it, a window can list it and jump to
// each finding's line.
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

enum class FindingSeverity { Error, Warning };

enum class FindingKind {
    NotWellFormed,       // the XML parser's first fatal error
    NamespaceError,      // a prefix without declaration and the like
    InvalidBytes,        // bytes not valid in the declared encoding
    Utf8UnderLatin1,     // UTF-8 text declared as ISO-8859-1
    NotRss,              // another root element
    NoChannel,
    ChannelWithoutTitle,
    ChannelWithoutLink,
    EmptyChannelTitle,
    SharedLinkWithoutGuid,
    RelativeLink,
    EmptyItemTitle,
    MarkupInTitle,
    EntityNameInTitle,
    DuplicateGuid,
};

struct CheckFinding {
    int line = 0;    // 1-based; 0 when no position fits
    int column = 0;  // 1-based, in characters of the line; 0 with line 0
    FindingSeverity severity = FindingSeverity::Error;
    FindingKind kind = FindingKind::NotWellFormed;
    std::string text;
    // True when the reader-ready format (FeedFormat "2.0") never shows this.
    bool curedByReaderReady = false;
};

struct FeedCheckResult {
    std::size_t items = 0;
    bool wellFormed = false;  // what a strict XML parser says
    std::vector<CheckFinding> findings;  // in document order
    std::size_t errors() const;
    std::size_t warnings() const;
};

FeedCheckResult CheckFeed(std::string_view document);
// Throws std::system_error when the file cannot be read.
FeedCheckResult CheckFeedFile(const std::filesystem::path& path);

// "12:3: error: TEXT"
std::string FormatFinding(const CheckFinding& finding);
// "N items, E errors, W warnings"
std::string FormatSummary(const FeedCheckResult& result);
