#include "cli/companion.h"

#include "app/flows.h"
#include "cli/args.h"
#include "cli/check.h"
#include "cli/elevated_save.h"
#include "cli/memory_view.h"
#include "cli/rules.h"
#include "config/builder.h"
#include "config/profiles.h"

namespace quillet::cli {

namespace {

constexpr const char* kProgram = "quilletc: ";

Ctl RadioOf(Version v) {
    return v == Version::D1 ? Ctl::rD1 : v == Version::D2 ? Ctl::rD2 : Ctl::rD3;
}

// The notes from `from` on: problems and kept files to standard error,
// confirmations to standard output when `infoOut`.
void PrintNotes(const RulePrompts& prompts, std::size_t from, bool infoOut, Output& output) {
    const auto& notes = prompts.Notes();
    for (std::size_t i = from; i < notes.size(); ++i) {
        if (notes[i].kind == NoteKind::Info) {
            if (infoOut) output.out += notes[i].text + "\n";
        } else {
            output.err += kProgram + notes[i].text + "\n";
        }
    }
}

// Create into the in-memory text box; false, with the reasons on standard
// error, when it built nothing.
bool Create(Context& ctx, const RulePrompts& prompts, Output& output) {
    const std::size_t before = prompts.Notes().size();
    bCreateClick(ctx);
    if (!ctx.view.Text(Ctl::Memo1).empty()) return true;
    PrintNotes(prompts, 0, false, output);
    if (prompts.Notes().size() == before) {
        output.err += std::string(kProgram) + "no configuration built: compiler not found: " +
                      ctx.view.Text(Ctl::eExepath) + "\n";
    }
    return false;
}

}  // namespace

int RunCompanion(const std::vector<std::string>& args, Platform& platform, Output& output,
                 const std::string& versionText,
                 const std::function<std::string(const std::string&)>& toUtf8) {
    const ParsedArgs parsed = ParseArgs(args);
    if (!parsed.ok) {
        output.err += kProgram + parsed.error + "\n";
        return kExitUsage;
    }
    const Options& options = parsed.options;
    if (options.command == Command::Help) {
        output.out += HelpText();
        return kExitDone;
    }
    if (options.command == Command::Version) {
        output.out += "quilletc " + versionText + "\n";
        return kExitDone;
    }

    // Before anything reads the user's settings: the elevated run needs none.
    if (options.command == Command::ElevatedSave) return RunElevatedSave(options, platform, output);

    MemoryView view;
    view.SetChecked(RadioOf(options.version), true);
    view.SetChecked(Ctl::cShortcut, options.shortcut);
    AppState state;
    state.extraMessages = false;
    RulePrompts prompts(options);
    Context ctx{platform, prompts, view, state};

    rD1Click(ctx);
    if (!options.compiler.empty()) view.SetText(Ctl::eExepath, options.compiler);

    switch (options.command) {
        case Command::Check: {
            const Profile* profile = FindProfile(options.version);
            if (options.complete && profile != nullptr && profile->checksDelphi3Paths) {
                CheckDelphi3Paths(ctx);
            }
            const std::vector<Finding> findings = CheckFields(platform, view, options.version);
            if (options.json) {
                output.out += FindingsJson(findings, options.version, view.Text(Ctl::eExepath),
                                           toUtf8);
            } else {
                for (const Finding& f : findings) output.out += f.text + "\n";
                output.out += Summary(findings, options.version) + "\n";
            }
            for (const Finding& f : findings) {
                if (f.kind == kHiddenCopyFinding) return kExitHiddenCopy;
            }
            return findings.empty() ? kExitDone : kExitFailure;
        }
        case Command::Print: {
            if (!Create(ctx, prompts, output)) return kExitFailure;
            output.out += view.Text(Ctl::Memo1);
            PrintNotes(prompts, 0, false, output);
            return kExitDone;
        }
        case Command::Save: {
            if (!Create(ctx, prompts, output)) return kExitFailure;
            PrintNotes(prompts, 0, false, output);
            const std::size_t before = prompts.Notes().size();
            // The confirmations tell the script what was written.
            state.extraMessages = true;
            bSaveClick(ctx);
            PrintNotes(prompts, before, true, output);
            if (state.writeRefused) return kExitDenied;
            if (prompts.Has(NoteKind::Problem)) return kExitFailure;
            if (prompts.Has(NoteKind::Kept)) return kExitKept;
            return kExitDone;
        }
        case Command::Help:
        case Command::Version:
        case Command::ElevatedSave:
            break;
    }
    return kExitDone;
}

}  // namespace quillet::cli
