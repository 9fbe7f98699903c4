// list, new, show, set and delete: the profile store from the command line.
#include "app/veltrane/Cli.h"
#include "feed/ProfileStore.h"
#include "app/veltrane/StreamDialogs.h"

namespace cli {

namespace {

bool hasLineBreak(const std::string& s) { return s.find_first_of("\r\n") != std::string::npos; }

bool checkProfileName(const std::string& profile, std::ostream& err) {
    if (isBareFileName(profile)) return true;
    err << "veltrane: PROFILE must be a file name in the folder, such as 000001.rss: " << profile << '\n';
    return false;
}

}  // namespace

int runList(const Invocation& inv, std::ostream& out, std::ostream&) {
    for (const std::string& entry : LoadProfilesInList(inv.dir)) out << entry << '\n';
    return ExitOk;
}

int runNew(const Invocation& inv, std::ostream& out, std::ostream& err) {
    const std::string& name = inv.words[0];
    if (name.find_first_not_of(' ') == std::string::npos) {
        err << "Please supply a valid profile name\n";
        return ExitUsage;
    }
    if (hasLineBreak(name)) {
        err << "veltrane: a profile name must not contain CR or LF\n";
        return ExitUsage;
    }
    StreamDialogs dialogs(err, false);
    std::string file = CreateProfile(inv.dir, name, dialogs);
    if (file.empty()) return ExitFailed;
    out << file << '\n';
    return ExitOk;
}

int runShow(const Invocation& inv, std::ostream& out, std::ostream& err) {
    const std::string& profile = inv.words[0];
    if (!checkProfileName(profile, err)) return ExitUsage;
    StreamDialogs dialogs(err, false);
    ProfileSession session;
    if (!ReadProfile(inv.dir, profile, session, dialogs)) return ExitBadProfile;
    for (std::size_t i = 0; i < FeedProfileFieldNames.size(); ++i)
        out << FeedProfileFieldNames[i] << ": " << FeedProfileField(session.Profile, i) << '\n';
    return ExitOk;
}

int runSet(const Invocation& inv, std::ostream&, std::ostream& err) {
    const std::string& profile = inv.words[0];
    const std::string& field = inv.words[1];
    const std::string& value = inv.words[2];
    if (!checkProfileName(profile, err)) return ExitUsage;
    const int index = FeedProfileFieldIndex(field);
    if (index < 0) {
        err << "veltrane: unknown field: " << field
            << " (fields: ProfileName, SourceType, Source, StartString, StartItemString, EndString, FeedTitle, "
               "FeedDesc, FeedLink, TitleEndString, EndItemString, StripHTMLTags, FeedFormat, LinkString)\n";
        return ExitUsage;
    }
    if (field == "FeedFormat" && !IsKnownFeedFormat(value)) {
        err << "veltrane: FeedFormat must be empty, \"0.91\" (classic) or \"2.0\" (for feed readers): " << value
            << '\n';
        return ExitUsage;
    }
    if (hasLineBreak(value)) {
        err << "veltrane: a value must not contain CR or LF; the profile file holds one value a line\n";
        return ExitUsage;
    }
    StreamDialogs dialogs(err, false);
    switch (UpdateProfile(
        inv.dir, profile, [&](FeedProfile& p) { FeedProfileField(p, static_cast<std::size_t>(index)) = value; },
        dialogs)) {
    case ProfileUpdate::Saved: return ExitOk;
    case ProfileUpdate::BadFormat: return ExitBadProfile;
    case ProfileUpdate::Failed: break;
    }
    return ExitFailed;
}

int runDelete(const Invocation& inv, std::ostream&, std::ostream& err) {
    const std::string& profile = inv.words[0];
    if (!checkProfileName(profile, err)) return ExitUsage;
    // Only profile files: a slip of the keyboard must not delete src.dat.
    if (profile.size() < 5 || profile.compare(profile.size() - 4, 4, ".rss") != 0) {
        err << "veltrane: not a profile file (its name must end in .rss): " << profile << '\n';
        return ExitUsage;
    }
    StreamDialogs dialogs(err, false);
    ProfileSession session;
    return DeleteProfileFile(inv.dir, profile, session, dialogs) ? ExitOk : ExitFailed;
}

}  // namespace cli
