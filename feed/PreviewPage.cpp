#include "feed/PreviewPage.h"

#include "feed/PageSource.h"
#include "feed/SafeFile.h"

#include <curl/curl.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

// A private folder of its own in the system's temporary folder: the
// download's name cannot be guessed or taken over by another user, and it
// never lands beside src.dat, where a generation could see it.
class PrivateFolder {
public:
    PrivateFolder() {
        std::error_code ec;
        fs::path base = fs::temp_directory_path(ec);
        if (ec) base = "/tmp";
        std::string name = (base / "veltrane-preview-XXXXXX").string();
        std::vector<char> buf(name.begin(), name.end());
        buf.push_back('\0');
        if (!::mkdtemp(buf.data())) throw std::runtime_error("Cannot make a temporary folder in " + base.string());
        path_ = buf.data();
    }
    ~PrivateFolder() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

}  // namespace

PreviewPage LoadPreviewPage(const FeedProfile& profile, const std::string& address) {
    PreviewPage page;
    if (!profile.isWeb()) {
        std::error_code ec;
        if (profile.Source.empty() || !fs::is_regular_file(profile.Source, ec))
            throw std::runtime_error("Source file not found: " + profile.Source);
        try {
            page.bytes = ReadWholeFile(profile.Source);
        } catch (const std::exception& e) {
            throw std::runtime_error("Cannot read " + profile.Source + ": " + DescribeFailure(e));
        }
        return page;
    }
    PrivateFolder folder;
    const fs::path target = folder.path() / "page";
    PageOrigin origin;
    if (const int rc = DownloadPage(address, target, &origin); rc != 0)
        throw std::runtime_error("Unable to download " + address + ": " +
                                 curl_easy_strerror(static_cast<CURLcode>(rc)));
    page.bytes = ReadWholeFile(target);
    page.contentType = origin.contentType;
    page.address = origin.address.empty() ? address : origin.address;
    return page;
}
