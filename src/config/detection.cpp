#include "config/detection.h"

#include "config/profiles.h"
#include "core/paths.h"
#include "core/text.h"

namespace quillet {

namespace {

std::string ReadSearchPath(Platform& platform) {
    return platform.ReadProfileString(kDelphiIni, kLibrarySection, kSearchPathKey, "");
}

std::string ReadIdePath(Platform& platform, const Profile& profile) {
    return platform.ReadRegString(profile.idePath.root, profile.idePath.key,
                                  profile.idePath.value);
}

// Where the compiler is expected; empty when no location can be derived.
std::string ExpectedCompiler(Context& ctx, const Profile* profile) {
    if (profile == nullptr) return {};
    if (profile->fieldsFromIni) return ExpectedDelphi1Compiler(ReadSearchPath(ctx.platform));
    return ExtractFilePath(ReadIdePath(ctx.platform, *profile)) + profile->compilerName;
}

const char* const kLibProblems[] = {
    "A \\LIB\\ directory was not found in Delphi 1's expected location.",
    "A valid \\LIB\\ directory was not found in Delphi 1's search path.",
    "The \\LIB\\ dir in Delphi 1's search path no longer exists on your system or can't be "
    "found.",
    "SYSUTILS.DCU was not found in the expected \\LIB\\ directory, indicating that the "
    "expected directory is not a valid \\LIB\\ directory.",
};

}  // namespace

std::string ExpectedDelphi1Compiler(const std::string& searchPath) {
    const std::size_t eq = searchPath.find('=');
    const std::size_t start = eq == std::string::npos ? 0 : eq + 1;
    const std::size_t semi = searchPath.find(';', start);
    const std::string entry =
        searchPath.substr(start, semi == std::string::npos ? std::string::npos : semi - start);
    // From the second-to-last character back, so that a trailing separator
    // does not count: the entry's last directory name is dropped either way.
    if (entry.size() < 2) return {};
    const std::size_t slash = entry.find_last_of(kDirSeparators, entry.size() - 2);
    if (slash == std::string::npos) return {};
    return entry.substr(0, slash + 1) + "BIN\\" + ProfileOf(Version::D1).compilerName;
}

std::string LocateCompiler(Context& ctx) {
    const Version version = ChosenVersion(ctx.view);
    const std::string name = ProfileByDelphi1Test(version).compilerName;
    const Profile* profile = FindProfile(version);
    const std::string expected = ExpectedCompiler(ctx, profile);

    if (!expected.empty() && ctx.platform.FileExists(expected)) return expected;

    for (;;) {
        ctx.prompts.ShowMessageDialog(
            "The application did not find " + name + " at the " + "expected location of " +
                expected + ". Please select it now " +
                "using the file selector. The correct path is essential " +
                "to the successful completion of this procedure.",
            UpperAscii(name) + " not found", "&OK", "", "", kIconWarning, 1);

        if (profile != nullptr) {
            std::string chosen;
            if (ctx.prompts.RunCompilerSelector(profile->version, chosen) &&
                !chosen.empty() && ctx.platform.FileExists(chosen)) {
                return chosen;
            }
        }

        const int answer = ctx.prompts.ShowMessageDialog(
            "You did not select a valid " + name + " command line " +
                "compiler. You must select this file on your system to " + "continue." +
                "\n\n" + "Do you wish to retry the search?.",
            "Invalid compiler .EXE selected", "&Retry", "&Ignore", "", kIconWarning, 1);
        if (answer != 1) return kNoValidCompiler;
    }
}

namespace {

// Programs that Windows virtualises read delphi.ini from the user's
// VirtualStore twin of the Windows folder when there is one; this program
// reads the real one. Where both exist, the user is told which the fields
// hold.
void SayWhichDelphiIni(Context& ctx) {
    const std::string root = ctx.platform.VirtualStoreRoot();
    if (root.empty()) return;
    const std::string twin = root + "\\Windows\\" + kDelphiIni;
    if (!ctx.platform.FileExists(twin)) return;
    ctx.prompts.ShowMessageDialog(
        "The path fields came from delphi.ini in the Windows folder. Windows also keeps a hidden "
        "copy of it in your VirtualStore, " + twin + ", which programs it virtualises read "
        "instead; its paths may differ.",
        "Hidden delphi.ini found", "&OK", "", "", kIconAsterisk, 1);
}

}  // namespace

void FillFieldsFromIni(Context& ctx) {
    MainView& view = ctx.view;
    ApplyProfile(view, ctx.state, ProfileOf(Version::D1));

    const std::string searchPath = ReadSearchPath(ctx.platform);
    view.SetText(Ctl::eUnit, searchPath);
    view.SetText(Ctl::eInc, searchPath);
    SayWhichDelphiIni(ctx);

    // Read again: the object field is derived from the file as it is now.
    const std::string path = ReadSearchPath(ctx.platform);
    const std::size_t lib = UpperAscii(path).find("\\LIB");
    if (lib == std::string::npos) {
        ReportLibProblem(ctx, 0);
        return;
    }
    const std::string upToLib = path.substr(0, lib + 4);
    const std::size_t colon = upToLib.rfind(':');
    if (colon == std::string::npos) {
        ReportLibProblem(ctx, 1);
        return;
    }
    // From the drive letter before the colon. An entry with a drive that
    // precedes a "\LIB" entry without one makes D span both; it then fails
    // the directory test below.
    const std::string dir = upToLib.substr(colon == 0 ? 0 : colon - 1);
    if (!ctx.platform.DirectoryExists(dir)) {
        ReportLibProblem(ctx, 2);
        return;
    }
    if (!ctx.platform.FileExists(dir + "\\SYSUTILS.DCU")) {
        ReportLibProblem(ctx, 3);
        return;
    }
    view.SetText(Ctl::eObject, dir);
}

void ReportLibProblem(Context& ctx, int kind) {
    if (kind < 0 || kind > 3) kind = 0;
    const int answer = ctx.prompts.ShowMessageDialog(
        std::string(kLibProblems[kind]) + "\n\n" +
            " Would you like to select this directory manually?",
        "Resource directory detection error", "&Select", "&Ignore", "", kIconQuestion, 1);
    if (answer == 2) return;
    std::string folder;
    if (ctx.prompts.BrowseForLibraryDir(folder)) {
        ctx.view.SetText(Ctl::eObject, folder);
        UpdateCreateButton(ctx);
    }
}

void FillFieldsFromRegistry(Context& ctx) {
    MainView& view = ctx.view;
    const Version version = ChosenVersion(view);
    ApplyProfile(view, ctx.state, ProfileByDelphi1Test(version));

    const char* key = ProfileByDelphi2Test(version).libraryKey;
    view.SetText(Ctl::eUnit, ctx.platform.ReadRegString(RegRoot::CurrentUser, key,
                                                        kSearchPathKey));
    view.SetText(Ctl::eAlias, ctx.platform.ReadRegString(RegRoot::CurrentUser, key,
                                                         kUnitAliasesValue));
    const std::string unit = view.Text(Ctl::eUnit);
    view.SetText(Ctl::eInc, unit);
    view.SetText(Ctl::eObject, unit);
}

namespace {

bool CreateFieldsHoldText(const MainView& view) {
    const Profile& profile = ProfileByDelphi1Test(ChosenVersion(view));
    for (Ctl c : profile.createFields) {
        if (view.Text(c).empty()) return false;
    }
    return true;
}

}  // namespace

void UpdateCreateButton(Context& ctx) {
    ctx.view.SetEnabled(Ctl::bCreate, CreateFieldsHoldText(ctx.view));
}

void FieldsChanged(Context& ctx) {
    if (CreateFieldsHoldText(ctx.view)) ctx.view.SetEnabled(Ctl::bCreate, true);
}

void eExepathElipsisClick(Context& ctx) {
    const Profile* profile = FindProfile(ChosenVersion(ctx.view));
    std::string path;
    if (profile != nullptr) {
        if (profile->selector.initialFolder == InitialFolderRule::RegisteredIdeDir) {
            const std::string dir = ExtractFileDir(ReadIdePath(ctx.platform, *profile));
            if (!dir.empty() && ctx.platform.DirectoryExists(dir)) {
                ctx.prompts.SetSelectorInitialDir(profile->version, dir);
            }
        }
        if (!ctx.prompts.RunCompilerSelector(profile->version, path)) return;
    }
    ctx.view.SetText(Ctl::eExepath, path);
}

}  // namespace quillet
