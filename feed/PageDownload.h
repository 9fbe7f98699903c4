#pragma once
// One download with limits that make it end: a connect time, a time without
// data, a time in all and a size cap checked while the body streams. Only
// http, https, ftp and file addresses are fetched, and redirects may lead
// to http, https and ftp only, so that an address received with a profile
// cannot make the program talk to other local services.
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

struct DownloadLimits {
    std::chrono::milliseconds connect{std::chrono::seconds(30)};
    std::chrono::milliseconds stall{std::chrono::seconds(60)};   // longest time without a byte
    std::chrono::milliseconds total{std::chrono::minutes(5)};
    std::uint64_t maxBytes = 100ull << 20;
};

// The limits every download of this process uses unless told otherwise.
// The command line sets them from its options before any download starts.
const DownloadLimits& CurrentDownloadLimits();
void SetDownloadLimits(const DownloadLimits& limits);

struct DownloadRequest {
    std::string address;
    // Validators of an earlier reply: sent as If-None-Match and
    // If-Modified-Since when not empty.
    std::string etag, lastModified;
    DownloadLimits limits = CurrentDownloadLimits();
};

struct DownloadReply {
    int status = 0;            // 0 for success; otherwise the libcurl code
    bool notModified = false;  // 304: the page has not changed since the validators
    std::string cause;         // why it failed, in words for the user
    std::string contentType;   // the Content-Type header; empty when none
    std::string address;       // where the page was found, after redirects
    std::string etag, lastModified;
};

// Fetches the address and hands the body to `sink` piece by piece; a false
// return from the sink ends the download as a failed write.
DownloadReply Download(const DownloadRequest& request, const std::function<bool(const char*, std::size_t)>& sink);
