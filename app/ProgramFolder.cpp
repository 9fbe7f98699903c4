#include "app/ProgramFolder.h"

#include "feed/SafeFile.h"

#include <cstdlib>
#include <system_error>

#include <unistd.h>

#ifndef MV_INSTALL_BINDIR
#error "MV_INSTALL_BINDIR is set for the programs by app/CMakeLists.txt"
#endif

namespace fs = std::filesystem;

namespace programfolder {

namespace {

bool sameFolder(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    return fs::weakly_canonical(a, ec) == fs::weakly_canonical(b, ec);
}

bool isInstalled(const fs::path& exeDir, const fs::path& installedBinDir) {
    std::error_code ec;
    if (sameFolder(exeDir, installedBinDir)) return true;
    if (exeDir.filename() == "bin" && fs::is_directory(exeDir.parent_path() / "share" / FolderName, ec)) return true;
    return ::access(exeDir.c_str(), W_OK) != 0;
}

}  // namespace

fs::path Choose(const fs::path& exeDir, const fs::path& installedBinDir, const char* xdgDataHome, const char* home) {
    if (!isInstalled(exeDir, installedBinDir)) return exeDir;
    // A relative XDG_DATA_HOME is invalid and ignored, as for every program
    // that follows the base directory rules.
    if (xdgDataHome && *xdgDataHome == '/') return fs::path(xdgDataHome) / FolderName;
    return fs::path(home && *home ? home : "/") / ".local" / "share" / FolderName;
}

fs::path InstalledDemoData(const fs::path& exeDir) {
    std::error_code ec;
    const fs::path beside = exeDir.parent_path() / "share" / FolderName;
    if (fs::is_directory(beside, ec)) return beside;
    return MV_INSTALL_DATADIR;
}

bool LayDemo(const fs::path& folder, const fs::path& demoData) {
    std::error_code ec;
    fs::create_directories(folder / "demo", ec);
    if (!fs::is_directory(folder / "demo", ec)) return false;
    const fs::path page = folder / "demo" / "harbour-news.htm";
    try {
        if (!fs::exists(page, ec)) CopyFileReplacing(demoData / "demo" / "harbour-news.htm", page);
        for (const fs::directory_entry& e : fs::directory_iterator(folder, ec))
            if (e.path().extension() == ".rss") return true;
        // The template's lines end in LF; profile files end every line in CR LF.
        std::string content;
        for (const char c : ReadWholeFile(demoData / "demo-profile.txt")) {
            if (c == '\r') continue;
            if (c == '\n') content += '\r';
            content += c;
        }
        const std::string marker = "@PAGE@";
        if (const auto at = content.find(marker); at != std::string::npos) content.replace(at, marker.size(), page.string());
        WriteFileReplacing(folder / "000001.rss", content);
    } catch (const std::exception&) {
        // No demo data installed: the folder starts empty, which is still usable.
    }
    return true;
}

fs::path ForThisProgram(const char* argv0) {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) exe = fs::absolute(argv0, ec);
    const fs::path exeDir = exe.parent_path();
    const fs::path folder = Choose(exeDir, MV_INSTALL_BINDIR, std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    // Only a folder made now gets the demo: a user who deleted it keeps it deleted.
    if (folder != exeDir && !fs::exists(folder, ec)) LayDemo(folder, InstalledDemoData(exeDir));
    return folder;
}

}  // namespace programfolder
