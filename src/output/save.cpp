#include "output/save.h"

#include "core/paths.h"
#include "core/text.h"
#include "core/virtual_store.h"
#include "output/shortcut.h"

namespace quillet {

namespace {

constexpr const char* kTwoLineFeeds = "\n\n";

int Ask(Context& ctx, const std::string& message, const std::string& caption,
        const std::string& button1, const std::string& button2, int icon,
        unsigned char defaultButton) {
    return ctx.prompts.ShowMessageDialog(message, caption, button1, button2, "", icon,
                                         defaultButton);
}

bool AskOverwrite(Context& ctx, const std::string& path, const std::string& what,
                  const std::string& caption) {
    const std::string message = "An existing " + path +
                                " was found. You only need to overwrite it if the new " + what +
                                " is different from the old one." + kTwoLineFeeds + "Overwrite " +
                                ExtractFileName(path) + "?";
    return Ask(ctx, message, caption, "&Yes", "&No", kIconQuestion, 2) == 1;
}

void ReportUnableToReplace(Context& ctx, const std::string& path, const std::string& what) {
    const std::string message =
        "Creation of " + path + "failed. The " + what +
        " may be in use in an open DOS session or may otherwise be locked. Either close the "
        "DOS session or manually erase the file prior to retrying this operation.";
    Ask(ctx, message, "Unable to delete" + ExtractFileName(path), "&OK", "", kIconWarning, 1);
}

// A text box holding nothing but blanks and line breaks has no configuration
// in it; writing it would only destroy the one on disk.
bool HoldsConfiguration(const std::string& text) {
    return text.find_first_not_of(" \t\r\n") != std::string::npos;
}

// Characters at which the command shell ends a command's name or starts an
// operator, unless they stand in double quotes.
bool NeedsQuotes(const std::string& word) {
    return word.find_first_of(" \t&|<>^(),;=") != std::string::npos;
}

// `text` followed by the system's own words for `error`, where it has any.
std::string WithReason(Context& ctx, const std::string& text, unsigned long error) {
    const std::string reason = error ? ctx.platform.SystemErrorText(error) : std::string();
    return reason.empty() ? text : text + ". " + reason;
}

// Reports a failed write of `path`: an existing file held open by another
// program gets the question-free "Unable to delete" report, anything else the
// general error report with `errorText` and the system's reason. True when
// the file was written.
bool ReportWrite(Context& ctx, const WriteResult& result, bool existed, const std::string& path,
                 const std::string& what, const std::string& errorText) {
    if (result.outcome == WriteOutcome::Written) return true;
    const bool held = result.error == kErrorSharingViolation || result.error == kErrorLockViolation;
    if (result.outcome == WriteOutcome::CannotReplace && existed && held) {
        ReportUnableToReplace(ctx, path, what);
    } else {
        ctx.prompts.ShowErrorReport(WithReason(ctx, errorText, result.error));
    }
    if (result.error == kErrorAccessDenied) ctx.state.writeRefused = true;
    return false;
}

// A write refused with access denied where an administrator's would not be:
// not a read-only file, not a medium that refuses writes, and not a process
// that already has an administrator's rights. The window then asks, once in a
// Save, whether to go on as administrator; true when the user agreed, and the
// rest of the Save goes into the job.
bool GoOnAsAdministrator(Context& ctx, const WriteResult& result, const std::string& path) {
    if (result.outcome == WriteOutcome::Written || result.error != kErrorAccessDenied ||
        result.readOnlyTarget || !ctx.state.offersElevation || ctx.state.elevationAsked) {
        return false;
    }
    const Version version = ChosenVersion(ctx.view);
    if (version == Version::None || ctx.platform.ProcessElevated()) return false;
    ctx.state.elevationAsked = true;
    const std::string message = "Windows protects " + ExtractFileDir(path) + ", so " +
                                ExtractFileName(path) + " could not be written there." +
                                kTwoLineFeeds + "Save there as administrator?";
    if (Ask(ctx, message, "Folder protected by Windows", "&Yes", "&No", kIconQuestion, 1) != 1) {
        return false;
    }
    ctx.state.job = SaveJob{version, ExtractFileName(ctx.view.Text(Ctl::eExepath)), {}, {}, false};
    return true;
}

// Writes `bytes` as the file `path` (one that `existed` and that the user
// agreed to replace), or, once Save goes on as administrator, puts it into the
// job's `slot`.
WriteResult WriteOrQueue(Context& ctx, const std::string& path, const std::string& bytes,
                         bool existed, std::optional<JobFile> SaveJob::*slot) {
    if (!ctx.state.job) {
        const WriteResult result = ctx.platform.WriteFileReplacing(path, bytes);
        if (!GoOnAsAdministrator(ctx, result, path)) return result;
    }
    (*ctx.state.job).*slot = JobFile{bytes, existed};
    return {};
}

void ReportStubNotCopied(Context& ctx, const std::string& dir, const std::string& reason) {
    const std::string& stub = ctx.state.stubName;
    Ask(ctx, stub + " could not be copied to " + ExtractFileDir(dir) + ". " + reason,
        "Launcher stub not copied", "&OK", "", kIconWarning, 1);
}

void ConfirmSaved(Context& ctx, const std::string& cfg) {
    if (ctx.state.extraMessages) {
        Ask(ctx, ctx.state.cfgName + " saved as " + cfg + ".", "Compiler configuration saved",
            "&OK", "", kIconNone, 1);
    }
}

// The old compilers have no manifest, so Windows shows them the VirtualStore's
// copy of their configuration before the real one: every Save would be
// ignored. Says so and offers to move the copy aside; Save goes on either way.
void OfferToMoveHiddenCopy(Context& ctx, const std::string& cfg) {
    const std::string twin = HiddenCopyOf(ctx.platform, cfg);
    if (twin.empty()) return;
    const std::string message =
        "Windows keeps a hidden copy of " + ExtractFileName(cfg) + " in your VirtualStore: " +
        twin + ". The compiler reads that copy and not " + cfg + ", which Save writes." +
        kTwoLineFeeds + "Move the hidden copy aside (it is renamed, not deleted)?";
    if (Ask(ctx, message, "Hidden configuration file found", "&Yes", "&No", kIconWarning, 1) != 1) {
        return;
    }
    const std::string aside =
        AsideName(twin, [&](const std::string& name) { return ctx.platform.FileExists(name); });
    std::string reason;
    if (!ctx.platform.RenameFile(twin, aside, reason)) {
        Ask(ctx, twin + " could not be renamed. " + reason, "Hidden configuration file kept", "&OK",
            "", kIconWarning, 1);
    }
}

}  // namespace

bool WriteConfiguration(Context& ctx, const std::string& cfg) {
    const std::string text = ctx.view.Text(Ctl::Memo1);
    if (!HoldsConfiguration(text)) return true;

    const bool existed = ctx.platform.FileExists(cfg);
    if (existed && !AskOverwrite(ctx, cfg, "configuration", "Existing .CFG file detected")) {
        return true;
    }

    OfferToMoveHiddenCopy(ctx, cfg);
    const WriteResult result =
        WriteOrQueue(ctx, cfg, JoinLines(SplitLines(text)), existed, &SaveJob::cfg);
    if (!ReportWrite(ctx, result, existed, cfg, ".CFG file", "Cannot create file " + cfg)) {
        return false;
    }
    // Going on as administrator, the file is written, and confirmed, later.
    if (!ctx.state.job) ConfirmSaved(ctx, cfg);
    return true;
}

bool WriteBatchFile(Context& ctx, const std::string& compiler) {
    const std::string bat = ReplaceExtension(compiler, ".bat");
    const bool existed = ctx.platform.FileExists(bat);
    if (existed && !AskOverwrite(ctx, bat, "batch file", "Existing batchfile detected")) {
        return true;
    }

    const WriteResult result = WriteOrQueue(
        ctx, bat, ctx.platform.ToOemText(BatchFileText(ctx.platform, compiler)), existed,
        &SaveJob::bat);
    return ReportWrite(ctx, result, existed, bat, "batch file", "I/O error " + IntToStr(result.error));
}

void CreateShortcutAndReport(Context& ctx, const std::string& target, const std::string& stub) {
    if (CreateDesktopShortcut(ctx.platform, target)) {
        Ask(ctx,
            "A desktop shortcut has been installed for " + stub + ". You can also install " + stub +
                " into an icon dock or app menu if the desktop shortcut is too intrusive.",
            "Desktop shortcut created", "&OK", "", kIconNone, 1);
    } else {
        Ask(ctx, "A desktop shortcut for " + stub + " could not be created in your desktop folder.",
            "Desktop shortcut not created", "&OK", "", kIconWarning, 1);
    }
}

std::string BatchFileText(Platform& platform, const std::string& compiler) {
    std::string command = platform.ShortPath(compiler);
    if (command.empty()) command = compiler;
    // A per cent sign in a batch file starts a variable; doubled it is itself.
    std::string escaped;
    for (char c : command) {
        escaped += c;
        if (c == '%') escaped += '%';
    }
    if (NeedsQuotes(escaped)) escaped = "\"" + escaped + "\"";
    return JoinLines({escaped + " %1", "pause"});
}

JobEnd RunSaveJob(Context& ctx, const std::string& cfg, const std::string& compiler) {
    const SaveJob job = *ctx.state.job;
    ctx.state.job.reset();
    std::string folder = ExtractFileDir(cfg);
    for (char& c : folder) c = IsDirSeparator(c) ? '\\' : c;
    // When the configuration was in the job, nothing was written before it.
    const JobEnd nothingDone = job.cfg ? JobEnd::Undone : JobEnd::Stopped;

    const ElevatedRun run = ctx.platform.RunSaveJobElevated(folder, EncodeJob(job));
    // A refused prompt wrote nothing of this Save: the configuration was in
    // the job, or the user kept the old one. Back to how it was, quietly.
    if (run.error == kErrorCancelled) return JobEnd::Undone;
    auto reportFailed = [&](const std::string& reason) {
        Ask(ctx, "The files could not be saved in " + folder + " as administrator. " + reason,
            "Save as administrator failed", "&OK", "", kIconWarning, 1);
    };
    if (run.error != 0 || run.exitCode > 1) {
        reportFailed(run.error ? ctx.platform.SystemErrorText(run.error)
                               : JobExitText(run.exitCode));
        return nothingDone;
    }
    // Each failure is reported as Save itself would have reported it.
    bool unreported = run.exitCode != 0;
    // The result file lies where the user's programs can write, so a step for
    // a file the job did not hold is no step of this run.
    for (const JobStep& step : ParseJobSteps(run.steps)) {
        // An existing file that another program holds open is the "Unable to
        // delete" report here too.
        const WriteResult result{WriteOutcome::CannotReplace, step.error};
        if (step.role == "cfg" && !job.cfg) {
            continue;
        } else if (step.role == "cfg" && step.outcome == "written") {
            ConfirmSaved(ctx, cfg);
        } else if (step.role == "cfg" && step.error) {
            ReportWrite(ctx, result, job.cfg->replace, cfg, ".CFG file",
                        "Cannot create file " + cfg);
            return nothingDone;
        } else if (step.role == "stub" && step.error) {
            ReportStubNotCopied(ctx, ExtractFilePath(cfg),
                                ctx.platform.SystemErrorText(step.error));
            unreported = false;
        } else if (step.role == "bat" && step.error && job.bat) {
            ReportWrite(ctx, result, job.bat->replace, ReplaceExtension(compiler, ".bat"),
                        "batch file", "I/O error " + IntToStr(step.error));
            return JobEnd::Stopped;
        }
    }
    if (unreported) {
        reportFailed(JobExitText(run.exitCode));
        return JobEnd::Stopped;
    }
    return JobEnd::Done;
}

bool CheckLauncherStub(Context& ctx, const std::string& dir) {
    const std::string& stub = ctx.state.stubName;
    // No version has been chosen in this run, so there is no stub to look for.
    if (stub.empty()) return true;
    if (ctx.platform.FileExists(dir + stub)) return true;

    const std::string shipped = ExtractFilePath(ctx.platform.ExePath()) + stub;
    if (ctx.platform.FileExists(shipped)) {
        // The compiler still works without the stub, so Save goes on; but the
        // user is told, since the shortcut asked for cannot be made now.
        std::string reason;
        unsigned long error = 0;
        if (!ctx.state.job && ctx.platform.CopyFileOver(shipped, dir + stub, reason, error)) {
            return true;
        }
        if (ctx.state.job || GoOnAsAdministrator(ctx, {WriteOutcome::CannotCreate, error},
                                                 dir + stub)) {
            ctx.state.job->copyStub = true;
        } else {
            if (error == kErrorAccessDenied) ctx.state.writeRefused = true;
            ReportStubNotCopied(ctx, dir, reason);
        }
        return true;
    }

    const std::string message =
        "No " + stub +
        " was found in the applet's installed directory. Execution problems may occur if you do "
        "not use this stub to launch the compiler. Do you want to ignore the error and continue "
        "or abort now and replace the " +
        stub + " file?";
    return Ask(ctx, message, stub + " not found", "&Ignore", "Abort", kIconWarning, 1) == 1;
}

}  // namespace quillet
