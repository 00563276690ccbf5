// Where the window would ask, quilletc answers by a rule that a flag sets; it
// never waits for input. The answers and every report are kept as notes for
// the command to print and to turn into its exit code.
#pragma once

#include <string>
#include <vector>

#include "cli/args.h"
#include "core/prompts.h"

namespace quillet::cli {

enum class NoteKind {
    Info,     // a confirmation
    Problem,  // a warning, an error report, or a question that means trouble
    Kept,     // an existing file was kept
};

struct Note {
    NoteKind kind;
    std::string text;  // one line: the caption, then the message
};

class RulePrompts : public Prompts {
public:
    explicit RulePrompts(const Options& options) : options_(options) {}

    int ShowMessageDialog(const std::string& message, const std::string& caption,
                          const std::string& button1, const std::string& button2,
                          const std::string& button3, int icon,
                          unsigned char defaultButton) override;
    bool RunCompilerSelector(Version version, std::string& fileName) override;
    void SetSelectorInitialDir(Version, const std::string&) override {}
    bool BrowseForLibraryDir(std::string& path) override;
    void ShowErrorReport(const std::string& text) override;

    const std::vector<Note>& Notes() const { return notes_; }
    bool Has(NoteKind kind) const;

private:
    Options options_;
    std::vector<Note> notes_;
};

// The answering rules as --help lists them, one line each.
std::string RulesText();

}  // namespace quillet::cli
