#include "feed/PageDownload.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <curl/curl.h>
#include <sys/stat.h>

namespace {

struct CurlGlobal {
    CurlGlobal() { curl_global_init(CURL_GLOBAL_DEFAULT); }
    ~CurlGlobal() { curl_global_cleanup(); }
};

DownloadLimits& limitsInUse() {
    static DownloadLimits limits;
    return limits;
}

const char* const AllowedSchemes = "http, https, ftp and file";

std::string seconds(std::chrono::milliseconds ms) {
    char buf[32];
    if (ms.count() % 1000 == 0)
        std::snprintf(buf, sizeof buf, "%lld s", static_cast<long long>(ms.count() / 1000));
    else
        std::snprintf(buf, sizeof buf, "%.1f s", static_cast<double>(ms.count()) / 1000.0);
    return buf;
}

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// The scheme an address begins with ("http" of "http://..."), or "".
std::string schemeOf(const std::string& address) {
    std::size_t i = 0;
    if (address.empty() || !std::isalpha(static_cast<unsigned char>(address[0]))) return {};
    while (i < address.size() && (std::isalnum(static_cast<unsigned char>(address[i])) || address[i] == '+' ||
                                  address[i] == '-' || address[i] == '.'))
        ++i;
    return i < address.size() && address[i] == ':' ? lower(address.substr(0, i)) : std::string();
}

bool allowed(const std::string& scheme) {
    return scheme == "http" || scheme == "https" || scheme == "ftp" || scheme == "file";
}

// Checks the address as typed: it must carry an allowed scheme (nothing is
// guessed or added), and a file:// address must not name a folder, which
// libcurl would "download" as an empty page. Returns the cause, or "".
std::string checkAddress(const std::string& address, CURLcode& rc) {
    rc = CURLE_URL_MALFORMAT;
    if (address.empty()) return "The address is empty";
    const std::string scheme = schemeOf(address);
    if (scheme.empty()) return "The address has no scheme";
    if (!allowed(scheme)) {
        rc = CURLE_UNSUPPORTED_PROTOCOL;
        return "The address uses the scheme \"" + scheme + "\", which is not allowed (only " + AllowedSchemes + ")";
    }
    CURLU* url = curl_url();
    if (!url) {
        rc = CURLE_OUT_OF_MEMORY;
        return "Out of memory";
    }
    std::string cause;
    char* path = nullptr;
    if (curl_url_set(url, CURLUPART_URL, address.c_str(), 0) != CURLUE_OK) {
        cause = "The address is not valid";
    } else if (scheme == "file" && curl_url_get(url, CURLUPART_PATH, &path, CURLU_URLDECODE) == CURLUE_OK) {
        struct stat st {};
        if (::stat(path, &st) == 0 && S_ISDIR(st.st_mode)) {
            rc = CURLE_FILE_COULDNT_READ_FILE;
            cause = "The address names a folder";
        }
    }
    curl_free(path);
    curl_url_cleanup(url);
    return cause;
}

struct Transfer {
    const std::function<bool(const char*, std::size_t)>* sink;
    std::uint64_t received = 0, maxBytes = 0;
    bool tooLarge = false;
    // The time without data is measured here rather than by libcurl's low
    // speed check, so that the cause can be named exactly.
    std::chrono::steady_clock::time_point lastData;
    curl_off_t lastSeen = 0;
    std::chrono::milliseconds stall{0};
    bool stalled = false;
    // From the headers of the last response (after redirects).
    std::string statusLine, etag, lastModified;
};

size_t writeBody(char* data, size_t size, size_t count, void* user) {
    auto* t = static_cast<Transfer*>(user);
    const std::size_t bytes = size * count;
    if (t->received + bytes > t->maxBytes) {
        t->tooLarge = true;
        return 0;
    }
    t->received += bytes;
    return (*t->sink)(data, bytes) ? bytes : 0;  // short count: libcurl stops with a write error
}

std::string trimmed(const char* data, std::size_t size) {
    std::size_t b = 0, e = size;
    while (b < e && std::isspace(static_cast<unsigned char>(data[b]))) ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(data[e - 1]))) --e;
    return std::string(data + b, e - b);
}

size_t readHeader(char* data, size_t size, size_t count, void* user) {
    auto* t = static_cast<Transfer*>(user);
    const std::size_t bytes = size * count;
    const std::string line = trimmed(data, bytes);
    if (line.rfind("HTTP/", 0) == 0) {
        t->statusLine = line;  // a new response: forget the headers of a redirect
        t->etag.clear();
        t->lastModified.clear();
    } else if (const std::size_t colon = line.find(':'); colon != std::string::npos) {
        const std::string name = lower(line.substr(0, colon));
        const std::string value = trimmed(line.data() + colon + 1, line.size() - colon - 1);
        if (name == "etag") t->etag = value;
        else if (name == "last-modified") t->lastModified = value;
    }
    return bytes;
}

int progress(void* user, curl_off_t, curl_off_t now, curl_off_t, curl_off_t) {
    auto* t = static_cast<Transfer*>(user);
    const auto clock = std::chrono::steady_clock::now();
    if (now != t->lastSeen) {
        t->lastSeen = now;
        t->lastData = clock;
    } else if (clock - t->lastData > t->stall) {
        t->stalled = true;
        return 1;
    }
    return 0;
}

// "HTTP/1.1 404 Not Found" -> "HTTP 404 Not Found"
std::string httpFailure(const std::string& statusLine, long code) {
    const std::size_t blank = statusLine.find(' ');
    if (blank == std::string::npos) return "HTTP " + std::to_string(code);
    return "HTTP " + statusLine.substr(blank + 1);
}

std::string causeOf(CURLcode rc, CURL* curl, const Transfer& t, const DownloadLimits& limits, const char* errbuf) {
    if (t.stalled) return "Timed out after " + seconds(limits.stall) + " without data";
    if (t.tooLarge || rc == CURLE_FILESIZE_EXCEEDED)
        return "The page is larger than " + std::to_string(limits.maxBytes) + " bytes";
    long code = 0;
    switch (rc) {
    case CURLE_OPERATION_TIMEDOUT: {
        curl_off_t connected = 0;
        curl_easy_getinfo(curl, CURLINFO_CONNECT_TIME_T, &connected);
        if (connected == 0 && limits.connect <= limits.total)
            return "Timed out after " + seconds(limits.connect) + " connecting";
        return "Timed out after " + seconds(limits.total) + " in all";
    }
    case CURLE_HTTP_RETURNED_ERROR:
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &code);
        return httpFailure(t.statusLine, code);
    case CURLE_COULDNT_CONNECT: {
        long err = 0;
        if (curl_easy_getinfo(curl, CURLINFO_OS_ERRNO, &err) == CURLE_OK && err != 0)
            return std::strerror(static_cast<int>(err));
        break;
    }
    case CURLE_UNSUPPORTED_PROTOCOL: {
        char* next = nullptr;
        if (curl_easy_getinfo(curl, CURLINFO_EFFECTIVE_URL, &next) == CURLE_OK && next)
            return "The page redirects to " + std::string(next) + ", whose scheme is not allowed (only http, https "
                   "and ftp after a redirect)";
        break;
    }
    case CURLE_PARTIAL_FILE: return "The connection closed before the whole page arrived";
    default: break;
    }
    return errbuf[0] ? errbuf : curl_easy_strerror(rc);
}

}  // namespace

const DownloadLimits& CurrentDownloadLimits() { return limitsInUse(); }
void SetDownloadLimits(const DownloadLimits& limits) { limitsInUse() = limits; }

DownloadReply Download(const DownloadRequest& request, const std::function<bool(const char*, std::size_t)>& sink) {
    static CurlGlobal global;
    DownloadReply reply;
    CURLcode rc = CURLE_OK;
    reply.cause = checkAddress(request.address, rc);
    if (!reply.cause.empty()) {
        reply.status = rc;
        return reply;
    }
    CURL* curl = curl_easy_init();
    if (!curl) {
        reply.status = CURLE_FAILED_INIT;
        reply.cause = curl_easy_strerror(CURLE_FAILED_INIT);
        return reply;
    }
    const DownloadLimits& limits = request.limits;
    Transfer t;
    t.sink = &sink;
    t.maxBytes = limits.maxBytes;
    t.stall = limits.stall;
    t.lastData = std::chrono::steady_clock::now();
    char errbuf[CURL_ERROR_SIZE] = {0};
    curl_slist* headers = nullptr;
    if (!request.etag.empty()) headers = curl_slist_append(headers, ("If-None-Match: " + request.etag).c_str());
    if (!request.lastModified.empty())
        headers = curl_slist_append(headers, ("If-Modified-Since: " + request.lastModified).c_str());

    curl_easy_setopt(curl, CURLOPT_URL, request.address.c_str());
#if LIBCURL_VERSION_NUM >= 0x075500
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https,ftp,file");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https,ftp");
#else
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS, long(CURLPROTO_HTTP | CURLPROTO_HTTPS | CURLPROTO_FTP | CURLPROTO_FILE));
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS, long(CURLPROTO_HTTP | CURLPROTO_HTTPS | CURLPROTO_FTP));
#endif
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 20L);
    curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_ACCEPT_ENCODING, "");
    curl_easy_setopt(curl, CURLOPT_USERAGENT, "MyVeltrane/" MV_VERSION);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errbuf);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, long(limits.connect.count()));
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, long(limits.total.count()));
    curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, curl_off_t(limits.maxBytes));
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, progress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &t);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, writeBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &t);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, readHeader);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &t);
    if (headers) curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
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
    if (rc == CURLE_OK) {
        long code = 0;
        char* type = nullptr;
        char* finalAddress = nullptr;
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &code);
        reply.notModified = code == 304;
        if (curl_easy_getinfo(curl, CURLINFO_CONTENT_TYPE, &type) == CURLE_OK && type) reply.contentType = type;
        if (curl_easy_getinfo(curl, CURLINFO_EFFECTIVE_URL, &finalAddress) == CURLE_OK && finalAddress)
            reply.address = finalAddress;
        reply.etag = t.etag;
        reply.lastModified = t.lastModified;
    } else {
        reply.cause = causeOf(rc, curl, t, limits, errbuf);
    }
    reply.status = rc;
    curl_slist_free_all(headers);
    curl_easy_cleanup(curl);
    return reply;
}
