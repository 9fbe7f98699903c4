#pragma once
// Bringing the page into src.dat in the program's folder.
#include "feed/FeedProfile.h"
#include "feed/PageDownload.h"
#include "dialogs/Dialogs.h"

#include <filesystem>
#include <string>

// Name of the working copy of the page, in the program's folder.
inline const std::string SourceFileName = "src.dat";

// What a download tells about the page besides its bytes.
struct PageOrigin {
    std::string contentType;  // the HTTP Content-Type header; empty when none
    std::string address;      // where the page was found, after redirects
    std::string cause;        // why the download failed; empty on success
};

// Fetches the resource at the address (http, https, ftp or file; the usual
// proxy variables apply; redirects are followed to http, https and ftp)
// within the limits, and writes its body byte for byte to the target,
// replacing it (a link there is replaced, not followed). Returns 0 only
// when the whole body was written; otherwise a non-zero status (the
// libcurl code), the target is left as it was and no other file remains.
// `origin`, when given, receives the Content-Type and the final address,
// or the cause of the failure.
int DownloadPage(const std::string& address, const std::filesystem::path& target, PageOrigin* origin = nullptr,
                 const DownloadLimits& limits = CurrentDownloadLimits());

// Web profile: downloads the address (not the profile's Source) into
// src.dat. Local profile: copies the file named in Source into src.dat.
// Shows the failure and returns false when the page could not be obtained;
// a failed download names its cause in the message's details.
// A failed copy is reported as the system's description followed by CR LF
// and "Unable to generate RSS Feed". `origin`, when given, describes a
// downloaded page and stays empty for a local one.
bool FetchSource(const std::filesystem::path& folder, const FeedProfile& profile, const std::string& address,
                 Dialogs& dialogs, PageOrigin* origin = nullptr);
