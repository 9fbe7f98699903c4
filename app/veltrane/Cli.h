#pragma once
// The veltrane command line: subcommand dispatch and the shared argument
// handling. Each subcommand lives in its own file.
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace cli {

// Exit statuses of the command line.
inline constexpr int ExitOk = 0;
inline constexpr int ExitFailed = 1;      // the run stopped with a message
inline constexpr int ExitBadProfile = 2;  // the profile could not be read
inline constexpr int ExitCheckFound = 3;  // generate --check: the feed has errors
inline constexpr int ExitUsage = 64;      // bad arguments

// Runs one command line (without the program name). `programFolder` is the
// default for --dir.
int run(const std::vector<std::string>& args, const std::filesystem::path& programFolder, std::ostream& out,
        std::ostream& err);

// What every profile subcommand gets: its folder and its positional words.
struct Invocation {
    std::filesystem::path dir;
    std::vector<std::string> words;      // positional arguments, in order
    std::vector<std::string> flags;      // --name options without a value
    std::vector<std::pair<std::string, std::string>> values;  // --name VALUE options
    bool has(const std::string& flag) const;
    const std::string* value(const std::string& name) const;
};

// A usage error: the message, then the command's usage, on `err`.
int usageError(std::ostream& err, const std::string& message, const std::string& usage);

// Checks a PROFILE argument: a bare file name in the folder.
bool isBareFileName(const std::string& name);

int runList(const Invocation& inv, std::ostream& out, std::ostream& err);
int runNew(const Invocation& inv, std::ostream& out, std::ostream& err);
int runShow(const Invocation& inv, std::ostream& out, std::ostream& err);
int runSet(const Invocation& inv, std::ostream& out, std::ostream& err);
int runDelete(const Invocation& inv, std::ostream& out, std::ostream& err);
int runGenerate(const Invocation& inv, std::ostream& out, std::ostream& err);
int runCheck(const Invocation& inv, std::ostream& out, std::ostream& err);
int runPreview(const Invocation& inv, std::ostream& out, std::ostream& err);
int runSuggest(const Invocation& inv, std::ostream& out, std::ostream& err);

}  // namespace cli
