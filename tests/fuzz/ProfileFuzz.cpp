// The profile reader on arbitrary file contents: it never crashes, and a
// profile it accepts is written and read back as the same record.
#include "feed/ProfileStore.h"
#include "feed/SafeFile.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/FuzzFolder.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const FuzzFolder folder("profile");
    const std::string file = "000001.rss";
    WriteFileReplacing(folder.path / file, std::string(reinterpret_cast<const char*>(data), size));
    FeedProfile read;
    if (!TryReadProfile(folder.path, file, read)) return 0;
    // The list shows every profile that reads.
    FUZZ_CHECK(LoadProfilesInList(folder.path).size() == 1);

    WriteFileReplacing(folder.path / file, ProfileFileContent(read));
    FeedProfile again;
    FUZZ_CHECK(TryReadProfile(folder.path, file, again));
    FUZZ_CHECK(again == read);
    return 0;
}
