#include "app/flows.h"

#include <initializer_list>

#include "config/builder.h"
#include "config/detection.h"
#include "config/profiles.h"
#include "core/paths.h"
#include "core/text.h"
#include "output/save.h"

namespace quillet {

namespace {

bool AnyHoldsText(const MainView& view, std::initializer_list<Ctl> controls) {
    for (Ctl c : controls) {
        if (!view.Text(c).empty()) return true;
    }
    return false;
}

void ShowWarning(Context& ctx, const std::string& message, const std::string& caption) {
    ctx.prompts.ShowMessageDialog(message, caption, "&OK", "", "", kIconWarning, 1);
}

}  // namespace

void rD1Click(Context& ctx) {
    MainView& view = ctx.view;

    if (ctx.state.fieldsFilled &&
        AnyHoldsText(view, {Ctl::eUnit, Ctl::eInc, Ctl::eObject, Ctl::Memo1})) {
        const int answer = ctx.prompts.ShowMessageDialog(
            "You have an unsaved configuration currently in the interface. Do you wish to save "
            "it first or clear all fields for a new configuration file?",
            "Unsaved configuration detected", "&Save", "&Clear", "", kIconQuestion, 2);
        if (answer == 1) {
            bSaveClick(ctx);
        } else {
            for (Ctl c : {Ctl::eUnit, Ctl::eInc, Ctl::eObject, Ctl::eAlias, Ctl::Memo1}) {
                view.SetText(c, "");
            }
        }
    }

    view.SetText(Ctl::eExepath, LocateCompiler(ctx));

    if (ChosenVersion(view) == Version::D1) {
        FillFieldsFromIni(ctx);
    } else {
        FillFieldsFromRegistry(ctx);
    }

    ctx.state.fieldsFilled = true;
    view.SetEnabled(Ctl::bSave, false);

    if (ctx.state.extraMessages) {
        ctx.prompts.ShowMessageDialog(
            "Data for .CFG fields has been automatically filled in based on registry or .INI "
            "settings for your selected compiler. Press Create to generate and edit .CFG data "
            "for the configuration file.",
            "Essential fields filled", "&OK", "", "", kIconNone, 1);
    }

    UpdateCreateButton(ctx);
}

void bUpdateClick(Context& ctx) { rD1Click(ctx); }

void bCreateClick(Context& ctx) {
    MainView& view = ctx.view;
    const std::string exePath = view.Text(Ctl::eExepath);
    if (exePath.empty() || !ctx.platform.FileExists(exePath)) return;

    if (view.Text(Ctl::eUnit).empty()) {
        ShowWarning(ctx,
                  "The unit directories list is empty. Press Fetch to fill the list before "
                  "retrying this operation.",
                  "Unit directories list invalid");
        return;
    }
    if (view.Text(Ctl::eInc).empty()) {
        ShowWarning(ctx,
                  "The include directories list is empty. Press Fetch to fill the list before "
                  "retrying this operation. Alternately, you can copy your Unit directories list "
                  "into this box since this will usually suffice.",
                  "Include directories list invalid");
        return;
    }

    const Version version = ChosenVersion(view);
    const Profile* profile = FindProfile(version);
    if (profile != nullptr && profile->checksResourceDir) {
        const std::string resourceDir = view.Text(Ctl::eObject);
        if (resourceDir.empty() || !ctx.platform.DirectoryExists(resourceDir)) {
            ShowWarning(ctx,
                      "The specified resource directory could not be found. DCC.EXE needs to "
                      "know this directory to compile most VCL-based projects. Fetch the "
                      "directory before retrying this operation.",
                      "Resource directory not found");
            return;
        }
    }
    if (profile != nullptr && profile->checksDelphi3Paths) CheckDelphi3Paths(ctx);

    const ConfigFields fields{view.Text(Ctl::eUnit), view.Text(Ctl::eInc),
                              view.Text(Ctl::eObject), view.Text(Ctl::eAlias)};
    view.SetText(Ctl::Memo1,
                 JoinLines(BuildConfigLines(ProfileByDelphi1Test(version).lineStyle, fields)));
    view.SetEnabled(Ctl::bSave, true);

    if (ctx.state.extraMessages) {
        ctx.prompts.ShowMessageDialog(
            ctx.state.cfgName +
                " is built and is ready to save. Perform any additional edits in the memo "
                "control below prior to saving.",
            "Configuration built", "&OK", "", "", kIconNone, 1);
    }
}


void bSaveClick(Context& ctx) {
    MainView& view = ctx.view;

    std::string compiler = view.Text(Ctl::eExepath);
    // The stub of the chosen version; no choice keeps the one of the last Save.
    if (const Profile* profile = FindProfile(ChosenVersion(view))) {
        ctx.state.stubName = profile->stubName;
    }
    const std::string stub = ctx.state.stubName;
    ctx.state.job.reset();
    ctx.state.elevationAsked = false;
    // Refusing the elevation prompt takes the window back to this.
    const Ctl cleared[] = {Ctl::eUnit, Ctl::eInc, Ctl::eObject, Ctl::Memo1};
    std::string before[4];
    for (int i = 0; i < 4; ++i) before[i] = view.Text(cleared[i]);
    const bool filledBefore = ctx.state.fieldsFilled;

    if (!ctx.platform.FileExists(compiler)) {
        eExepathElipsisClick(ctx);
        compiler = view.Text(Ctl::eExepath);
        if (!ctx.platform.FileExists(compiler)) return;
    }

    const std::string cfg = ReplaceExtension(compiler, ".cfg");
    if (!WriteConfiguration(ctx, cfg)) return;

    for (Ctl c : cleared) view.SetText(c, "");
    ctx.state.fieldsFilled = false;

    const std::string dir = ExtractFilePath(cfg);
    if (!CheckLauncherStub(ctx, dir)) return;

    const Profile* profile = FindProfile(ChosenVersion(view));
    if (profile != nullptr && profile->writesBatchFile) {
        if (!WriteBatchFile(ctx, compiler)) return;
    }

    if (ctx.state.job) {
        const JobEnd end = RunSaveJob(ctx, cfg, compiler);
        if (end == JobEnd::Undone) {
            for (int i = 0; i < 4; ++i) view.SetText(cleared[i], before[i]);
            ctx.state.fieldsFilled = filledBefore;
        }
        if (end != JobEnd::Done) return;
    }

    if (view.Checked(Ctl::cShortcut) && !stub.empty()) CreateShortcutAndReport(ctx, dir + stub, stub);

    view.SetEnabled(Ctl::bSave, false);
}

}  // namespace quillet
