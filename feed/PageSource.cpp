#include "feed/PageSource.h"

#include "feed/SafeFile.h"

#include <cerrno>
#include <curl/curl.h>
#include <optional>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

int DownloadPage(const std::string& address, const fs::path& target, PageOrigin* origin,
                 const DownloadLimits& limits) {
    PageOrigin ignored;
    PageOrigin& out = origin ? *origin : ignored;
    std::optional<ReplacingFile> file;
    try {
        file.emplace(target);
    } catch (const std::exception& e) {
        out.cause = DescribeFailure(e);
        return CURLE_WRITE_ERROR;
    }
    int writeError = 0;
    DownloadRequest request;
    request.address = address;
    request.limits = limits;
    const DownloadReply reply = Download(request, [&](const char* data, std::size_t size) {
        while (size > 0) {
            const ssize_t n = ::write(file->fd(), data, size);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                writeError = errno;
                return false;
            }
            data += n;
            size -= static_cast<std::size_t>(n);
        }
        return true;
    });
    int status = reply.status;
    out.cause = writeError ? std::system_error(writeError, std::generic_category(), target.string()).what()
                           : reply.cause;
    if (status == 0) {
        try {
            file->commit();
            out.contentType = reply.contentType;
            out.address = reply.address;
        } catch (const std::exception& e) {
            out.cause = DescribeFailure(e);
            status = CURLE_WRITE_ERROR;
        }
    }
    return status;
}

bool FetchSource(const fs::path& folder, const FeedProfile& profile, const std::string& address,
                 Dialogs& dialogs, PageOrigin* origin) {
    const fs::path target = folder / SourceFileName;
    if (profile.isWeb()) {
        PageOrigin local;
        PageOrigin& found = origin ? *origin : local;
        if (DownloadPage(address, target, &found) != 0) {
            // The message stays the same whatever went wrong; the details say what.
            dialogs.messageWithDetails("Unable to download webpage, Please try again.", MessageIcon::Error, AppTitle,
                                       found.cause);
            return false;
        }
        return true;
    }
    std::error_code ec;
    if (profile.Source.empty() || !fs::is_regular_file(profile.Source, ec)) {
        dialogs.message("Source file not found, Please specify a valid file", MessageIcon::Error, AppTitle);
        return false;
    }
    try {
        CopyFileReplacing(profile.Source, target);
    } catch (const std::exception& e) {
        dialogs.message(DescribeFailure(e) + "\r\nUnable to generate RSS Feed", MessageIcon::Error, AppTitle);
        return false;
    }
    return true;
}
