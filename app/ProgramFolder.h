#pragma once
// Where a program keeps its profiles, src.dat and test.xml.
//
// A program run from a build, or copied into a folder of its own (portable
// use), keeps them beside its executable. An installed program cannot: its
// folder is shared and usually read-only (/usr/bin). It uses
// $XDG_DATA_HOME/myveltrane (by default ~/.local/share/myveltrane) instead,
// created on first start with the demo profile and page in it.
//
// A program counts as installed when its executable lies in the bin/ folder
// of the prefix it was built for, when it lies in a bin/ folder beside the
// share/myveltrane data an install lays down (an install under another
// prefix or DESTDIR), or when the user cannot write its folder.
#include <filesystem>

namespace programfolder {

// The folder name under the user's data folder.
inline constexpr const char* FolderName = "myveltrane";

// The decision, with every input given, so that it can be tried on any
// folder. installedBinDir is the bin/ folder of the prefix built for;
// xdgDataHome and home are the environment's values (null when unset).
std::filesystem::path Choose(const std::filesystem::path& exeDir, const std::filesystem::path& installedBinDir,
                             const char* xdgDataHome, const char* home);

// The demo page and profile template an install lays down beside bin/.
std::filesystem::path InstalledDemoData(const std::filesystem::path& exeDir);

// Creates `folder` when missing and copies the demo page into folder/demo.
// When the folder holds no profile yet, writes the demo profile as
// 000001.rss, its page path pointing at that copy. Returns false when the
// folder cannot be created; a missing demo source only leaves the demo out.
bool LayDemo(const std::filesystem::path& folder, const std::filesystem::path& demoData);

// The folder for this process: Choose() on the running executable and the
// environment; an installed program's folder is created with the demo on
// first start.
std::filesystem::path ForThisProgram(const char* argv0);

}  // namespace programfolder
