// The profile reader on arbitrary file contents: it never crashes, and a
// profile it accepts is written and read back as the same record.
#include "feed/ProfileStore.h"
#include "feed/SafeFile.h"
#include "tests/fuzz/FuzzCheck.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {
// The program's folder for the run, removed at exit.
struct Folder {
    std::filesystem::path path = std::filesystem::temp_directory_path() /
                                 ("mv-fuzz-profile-" + std::to_string(::getpid()));
    Folder() { std::filesystem::create_directories(path); }
    ~Folder() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
};
const std::filesystem::path& folder() {
    static const Folder f;
    return f.path;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string file = "000001.rss";
    WriteFileReplacing(folder() / file, std::string(reinterpret_cast<const char*>(data), size));
    FeedProfile read;
    if (!TryReadProfile(folder(), file, read)) return 0;
    // The list shows every profile that reads.
    FUZZ_CHECK(LoadProfilesInList(folder()).size() == 1);

    WriteFileReplacing(folder() / file, ProfileFileContent(read));
    FeedProfile again;
    FUZZ_CHECK(TryReadProfile(folder(), file, again));
    FUZZ_CHECK(again == read);
    return 0;
}
