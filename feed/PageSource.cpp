#include "feed/PageSource.h"

#include "feed/SafeFile.h"

#include <cerrno>
#include <cstdio>
#include <curl/curl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct CurlGlobal {
    CurlGlobal() { curl_global_init(CURL_GLOBAL_DEFAULT); }
    ~CurlGlobal() { curl_global_cleanup(); }
};

struct Sink {
    std::FILE* file = nullptr;
};

size_t writeBody(char* data, size_t size, size_t count, void* user) {
    auto* sink = static_cast<Sink*>(user);
    size_t bytes = size * count;
    return std::fwrite(data, 1, bytes, sink->file);  // short count: libcurl stops with a write error
}

// Checks the address as typed: it must carry its scheme (nothing is
// guessed or added), and a file:// address must not name a folder, which
// libcurl would "download" as an empty page.
CURLcode checkAddress(const std::string& address) {
    CURLU* url = curl_url();
    if (!url) return CURLE_OUT_OF_MEMORY;
    CURLcode rc = CURLE_OK;
    if (curl_url_set(url, CURLUPART_URL, address.c_str(), 0) != CURLUE_OK) {
        rc = CURLE_URL_MALFORMAT;
    } else {
        char* scheme = nullptr;
        char* path = nullptr;
        if (curl_url_get(url, CURLUPART_SCHEME, &scheme, 0) == CURLUE_OK && std::string(scheme) == "file" &&
            curl_url_get(url, CURLUPART_PATH, &path, CURLU_URLDECODE) == CURLUE_OK) {
            struct stat st {};
            if (::stat(path, &st) == 0 && S_ISDIR(st.st_mode)) rc = CURLE_FILE_COULDNT_READ_FILE;
        }
        curl_free(scheme);
        curl_free(path);
    }
    curl_url_cleanup(url);
    return rc;
}

}  // namespace

int DownloadPage(const std::string& address, const fs::path& target, PageOrigin* origin) {
    static CurlGlobal global;
    if (CURLcode rc = checkAddress(address); rc != CURLE_OK) return static_cast<int>(rc);

    // The body goes to a file beside the target, which replaces the target
    // only once the whole transfer has succeeded.
    std::string tempName = (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
    std::vector<char> buf(tempName.begin(), tempName.end());
    buf.push_back('\0');
    int fd = ::mkstemp(buf.data());
    if (fd < 0) return CURLE_WRITE_ERROR;
    const std::string temp = buf.data();
    ::fchmod(fd, 0644);
    Sink sink;
    sink.file = ::fdopen(fd, "wb");
    if (!sink.file) {
        ::close(fd);
        ::unlink(temp.c_str());
        return CURLE_WRITE_ERROR;
    }

    CURL* curl = curl_easy_init();
    CURLcode rc = CURLE_FAILED_INIT;
    if (curl) {
        curl_easy_setopt(curl, CURLOPT_URL, address.c_str());
        curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 20L);
        curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
        curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(curl, CURLOPT_ACCEPT_ENCODING, "");
        curl_easy_setopt(curl, CURLOPT_USERAGENT, "MyVeltrane/0.1");
        curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, writeBody);
        curl_easy_setopt(curl, CURLOPT_WRITEDATA, &sink);
        rc = curl_easy_perform(curl);
        if (rc == CURLE_OK) {
            // A body shorter than announced is a failed transfer, even where
            // the protocol did not notice.
            curl_off_t expected = -1, received = 0;
            if (curl_easy_getinfo(curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &expected) == CURLE_OK &&
                curl_easy_getinfo(curl, CURLINFO_SIZE_DOWNLOAD_T, &received) == CURLE_OK && expected >= 0 &&
                received < expected)
                rc = CURLE_PARTIAL_FILE;
        }
        char* type = nullptr;
        char* finalAddress = nullptr;
        if (origin && rc == CURLE_OK) {
            if (curl_easy_getinfo(curl, CURLINFO_CONTENT_TYPE, &type) == CURLE_OK && type) origin->contentType = type;
            if (curl_easy_getinfo(curl, CURLINFO_EFFECTIVE_URL, &finalAddress) == CURLE_OK && finalAddress)
                origin->address = finalAddress;
        }
        curl_easy_cleanup(curl);
    }
    bool flushed = std::fclose(sink.file) == 0;
    if (rc == CURLE_OK && !flushed) rc = CURLE_WRITE_ERROR;
    if (rc == CURLE_OK && ::rename(temp.c_str(), target.c_str()) != 0) rc = CURLE_WRITE_ERROR;
    if (rc != CURLE_OK) ::unlink(temp.c_str());
    return static_cast<int>(rc);
}

bool FetchSource(const fs::path& folder, const FeedProfile& profile, const std::string& address,
                 Dialogs& dialogs, PageOrigin* origin) {
    const fs::path target = folder / SourceFileName;
    if (profile.isWeb()) {
        if (DownloadPage(address, target, origin) != 0) {
            dialogs.message("Unable to download webpage, Please try again.", MessageIcon::Error, AppTitle);
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
