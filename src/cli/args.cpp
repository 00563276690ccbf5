#include "cli/args.h"

#include "cli/rules.h"

namespace quillet::cli {

namespace {

ParsedArgs Fail(const std::string& error) { return {false, {}, error}; }

ParsedArgs Only(Command command) {
    ParsedArgs parsed;
    parsed.ok = true;
    parsed.options.command = command;
    return parsed;
}

}  // namespace

ParsedArgs ParseArgs(const std::vector<std::string>& args) {
    for (const std::string& a : args) {
        if (a == "--help" || a == "-h" || a == "/?") return Only(Command::Help);
    }
    for (const std::string& a : args) {
        if (a == "--version") return Only(Command::Version);
    }
    if (args.empty()) return Fail("missing command (print, save or check); see --help");

    Options o;
    const std::string& command = args[0];
    if (command == kElevatedSaveVerb) {
        if (args.size() != 4) {
            return Fail("elevated-save needs a folder, a job file and its SHA-256");
        }
        o.command = Command::ElevatedSave;
        o.folder = args[1];
        o.jobPath = args[2];
        o.digest = args[3];
        return {true, o, ""};
    }
    if (command == "print") {
        o.command = Command::Print;
    } else if (command == "save") {
        o.command = Command::Save;
    } else if (command == "check") {
        o.command = Command::Check;
    } else {
        return Fail("unknown command \"" + command + "\"; see --help");
    }

    bool haveVersion = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--no-complete") {
            o.complete = false;
        } else if (a == "--compiler" || a.rfind("--compiler=", 0) == 0) {
            if (a.size() > 10) {
                o.compiler = a.substr(11);
            } else if (i + 1 < args.size()) {
                o.compiler = args[++i];
            }
            if (o.compiler.empty()) return Fail("--compiler needs a path");
        } else if (a == "--overwrite" || a == "--shortcut") {
            if (o.command != Command::Save) return Fail(a + " belongs to save only");
            (a == "--overwrite" ? o.overwrite : o.shortcut) = true;
        } else if (a == "--json") {
            if (o.command != Command::Check) return Fail("--json belongs to check only");
            o.json = true;
        } else if (!a.empty() && a[0] == '-') {
            return Fail("unknown flag \"" + a + "\"; see --help");
        } else if (haveVersion) {
            return Fail("unexpected argument \"" + a + "\"; see --help");
        } else if (a == "1" || a == "2" || a == "3") {
            o.version = a == "1" ? Version::D1 : a == "2" ? Version::D2 : Version::D3;
            haveVersion = true;
        } else {
            return Fail("bad version \"" + a + "\": 1, 2 or 3");
        }
    }
    if (!haveVersion) return Fail("missing version (1, 2 or 3) after " + command);
    return {true, o, ""};
}

std::string HelpText() {
    return "Usage: quilletc COMMAND VERSION [FLAGS]\n"
           "       quilletc --help | --version\n"
           "Writes the Delphi 1-3 command-line compiler configuration that Quillet's window\n"
           "would write, from the settings the installed Delphi holds. VERSION is 1, 2 or 3.\n"
           "\n"
           "Commands:\n"
           "  print VERSION   write the configuration text to standard output, as Create\n"
           "                  builds it\n"
           "  save VERSION    write the configuration file, the batch file and the launcher\n"
           "                  stub beside the compiler, as Save does\n"
           "  check VERSION   report what would make the compiler fail: the compiler not\n"
           "                  found, search-path directories that do not exist, $(...)\n"
           "                  macros (the compilers do not expand them), and Delphi 1\n"
           "                  without SYSUTILS.DCU in its search path\n"
           "\n"
           "Flags:\n"
           "  --compiler PATH  use this compiler instead of the detected one\n"
           "  --no-complete    Delphi 3: do not add the SLib and Bin directories\n"
           "  --overwrite      save: replace an existing configuration and batch file\n"
           "  --shortcut       save: also make the desktop shortcut to the launcher stub\n"
           "  --json           check: print the findings as one JSON object\n"
           "  --help, --version\n"
           "\n"
           "Where the window would ask, quilletc answers by these rules and never waits:\n" +
           RulesText() +
           "\n"
           "Exit codes:\n"
           "  0  done (check: nothing found)\n"
           "  1  failure, the reason on standard error (check: something found)\n"
           "  2  usage: a bad version, an unknown flag or a missing argument\n"
           "  3  an existing configuration or batch file was kept (save without --overwrite)\n"
           "     A failure outranks a kept file.\n"
           "  4  save: Windows refused a write into the compiler's folder (a folder it\n"
           "     protects, such as Program Files); run quilletc as administrator\n"
           "  5  check: a hidden copy of the configuration in your VirtualStore, which the\n"
           "     compiler reads instead of the one beside it\n"
           "  6, 7, 8  the window's save as administrator refused its job: unreadable,\n"
           "     changed after the prompt, or not for a folder holding the compiler\n";
}

}  // namespace quillet::cli
