#include "output/save.h"

#include "core/paths.h"
#include "core/text.h"
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

// Reports a failed write of `path`: an existing file that could not be
// replaced gets the question-free "Unable to delete" report, anything else
// the general error report with `errorText`. True when the file was written.
bool ReportWrite(Context& ctx, const WriteResult& result, bool existed, const std::string& path,
                 const std::string& what, const std::string& errorText) {
    if (result.outcome == WriteOutcome::Written) return true;
    if (result.outcome == WriteOutcome::CannotReplace && existed) {
        ReportUnableToReplace(ctx, path, what);
    } else {
        ctx.prompts.ShowErrorReport(errorText);
    }
    return false;
}

}  // namespace

bool WriteConfiguration(Context& ctx, const std::string& cfg) {
    const std::string text = ctx.view.Text(Ctl::Memo1);
    if (!HoldsConfiguration(text)) return true;

    const bool existed = ctx.platform.FileExists(cfg);
    if (existed && !AskOverwrite(ctx, cfg, "configuration", "Existing .CFG file detected")) {
        return true;
    }

    const WriteResult result = ctx.platform.WriteFileReplacing(cfg, JoinLines(SplitLines(text)));
    if (!ReportWrite(ctx, result, existed, cfg, ".CFG file", "Cannot create file " + cfg)) {
        return false;
    }

    if (ctx.state.extraMessages) {
        Ask(ctx, ctx.state.cfgName + " saved as " + cfg + ".", "Compiler configuration saved",
            "&OK", "", kIconNone, 1);
    }
    return true;
}

bool WriteBatchFile(Context& ctx, const std::string& compiler) {
    const std::string bat = ReplaceExtension(compiler, ".bat");
    const bool existed = ctx.platform.FileExists(bat);
    if (existed && !AskOverwrite(ctx, bat, "batch file", "Existing batchfile detected")) {
        return true;
    }

    const WriteResult result = ctx.platform.WriteFileReplacing(
        bat, ctx.platform.ToOemText(BatchFileText(ctx.platform, compiler)));
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
        if (!ctx.platform.CopyFileOver(shipped, dir + stub, reason)) {
            Ask(ctx, stub + " could not be copied to " + ExtractFileDir(dir) + ". " + reason,
                "Launcher stub not copied", "&OK", "", kIconWarning, 1);
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
