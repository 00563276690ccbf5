#include "cli/rules.h"

#include <string_view>

namespace quillet::cli {

namespace {

enum class Answer {
    First,      // the first button
    Second,     // the second button
    Overwrite,  // "&Yes" with --overwrite, else "&No"
    Complete,   // "&Add" unless --no-complete, else "&Ignore"
};

struct Rule {
    const char* caption;  // the question's caption; with endsWith, its end
    bool endsWith;
    Answer answer;
    NoteKind note;        // what the answer means for the run
    const char* help;
};

// The window's questions. A question no rule names gets the last button, as
// Escape would give it, and counts as a problem.
constexpr Rule kRules[] = {
    {"Existing .CFG file detected", false, Answer::Overwrite, NoteKind::Kept,
     "an existing configuration file: kept (exit code 3); --overwrite replaces it"},
    {"Existing batchfile detected", false, Answer::Overwrite, NoteKind::Kept,
     "an existing batch file: kept (exit code 3); --overwrite replaces it"},
    {"SLib directory not in path list", false, Answer::Complete, NoteKind::Info,
     "Delphi 3's SLib directory missing from a list: added; --no-complete leaves it out"},
    {"Bin directory not in path list", false, Answer::Complete, NoteKind::Info,
     "Delphi 3's Bin directory missing from a list: added; --no-complete leaves it out"},
    {"Invalid compiler .EXE selected", false, Answer::Second, NoteKind::Problem,
     "the compiler not found (and no valid --compiler PATH): the command fails"},
    {"Resource directory detection error", false, Answer::Second, NoteKind::Problem,
     "Delphi 1's LIB directory not found: no folder is chosen; reported"},
    {" not found", true, Answer::First, NoteKind::Problem,
     "the launcher stub missing beside quilletc.exe: Save goes on; reported, exit code 1"},
    {"Hidden configuration file found", false, Answer::Second, NoteKind::Problem,
     "a hidden copy of the configuration in the VirtualStore: left where it is; reported, "
     "exit code 1 (check names it)"},
    {"Unsaved configuration detected", false, Answer::Second, NoteKind::Info,
     "an unsaved configuration: cleared (each run starts empty)"},
};

bool Matches(const Rule& rule, std::string_view caption) {
    const std::string_view want = rule.caption;
    if (!rule.endsWith) return caption == want;
    return caption.size() > want.size() && caption.substr(caption.size() - want.size()) == want;
}

// Caption and message on one line, for standard error.
std::string OneLine(const std::string& caption, const std::string& message) {
    std::string line = caption + ": ";
    bool space = false;
    for (char c : message) {
        if (c == '\r' || c == '\n' || c == ' ') {
            space = true;
            continue;
        }
        if (space && line.back() != ' ') line += ' ';
        space = false;
        line += c;
    }
    return line;
}

// "An existing C:\D3\BIN\dcc32.cfg was found. You only need..." gives its
// first sentence, which names the file.
std::string FirstSentence(const std::string& message) {
    const std::size_t end = message.find(". ");
    return end == std::string::npos ? message : message.substr(0, end + 1);
}

}  // namespace

int RulePrompts::ShowMessageDialog(const std::string& message, const std::string& caption,
                                   const std::string&, const std::string& button2,
                                   const std::string& button3, int icon, unsigned char) {
    const int buttons = button3.empty() ? (button2.empty() ? 1 : 2) : 3;
    if (buttons == 1) {
        notes_.push_back({icon == kIconWarning || icon == kIconHand ? NoteKind::Problem
                                                                    : NoteKind::Info,
                          OneLine(caption, message)});
        return 1;
    }
    for (const Rule& rule : kRules) {
        if (!Matches(rule, caption)) continue;
        int answer = 2;
        switch (rule.answer) {
            case Answer::First: answer = 1; break;
            case Answer::Second: answer = 2; break;
            case Answer::Overwrite: answer = options_.overwrite ? 1 : 2; break;
            case Answer::Complete: answer = options_.complete ? 1 : 2; break;
        }
        if (rule.note == NoteKind::Kept) {
            if (answer == 2) {
                notes_.push_back({NoteKind::Kept,
                                  FirstSentence(message) + " Kept; --overwrite replaces it."});
            }
        } else {
            notes_.push_back({rule.note, OneLine(caption, message)});
        }
        return answer;
    }
    notes_.push_back({NoteKind::Problem, "unexpected question, answered \"" +
                                             (buttons == 3 ? button3 : button2) +
                                             "\": " + OneLine(caption, message)});
    return buttons;
}

bool RulePrompts::RunCompilerSelector(Version, std::string& fileName) {
    if (options_.compiler.empty()) return false;
    fileName = options_.compiler;
    return true;
}

bool RulePrompts::BrowseForLibraryDir(std::string&) { return false; }

void RulePrompts::ShowErrorReport(const std::string& text) {
    notes_.push_back({NoteKind::Problem, text});
}

bool RulePrompts::Has(NoteKind kind) const {
    for (const Note& note : notes_) {
        if (note.kind == kind) return true;
    }
    return false;
}

std::string RulesText() {
    std::string text;
    for (const Rule& rule : kRules) text += std::string("  - ") + rule.help + "\n";
    text += "  - the compiler's file selector: --compiler PATH, else none\n";
    text += "  - any other question: its last button, as Escape; reported, exit code 1\n";
    return text;
}

}  // namespace quillet::cli
