#include "config/builder.h"

#include "core/paths.h"
#include "core/text.h"

namespace quillet {

namespace {

// Position of the last separator found scanning back from the third-to-last
// character of `path`; npos when there is none.
std::size_t ScanFromThirdToLast(const std::string& path) {
    if (path.size() < 3) return std::string::npos;
    return path.find_last_of(kDirSeparators, path.size() - 3);
}

std::string ReadDelphi3IdePath(Context& ctx) {
    const RegValueRef& ide = ProfileOf(Version::D3).idePath;
    return ctx.platform.ReadRegString(ide.root, ide.key, ide.value);
}

std::string NormalisedEntry(const std::string& entry) {
    std::string e = entry;
    if (!e.empty() && e.back() == '\\') e.pop_back();
    return UpperAscii(e);
}

// A value as its option line holds it. A line break (which no directory name
// can hold, but a registry value or a paste can) would end the option early
// and make the rest of the value a line of its own, so breaks are dropped.
std::string OneLine(const std::string& value) {
    std::string line;
    for (char c : value) {
        if (c != '\r' && c != '\n') line += c;
    }
    return line;
}

struct Delphi3Pass {
    std::string (*dir)(Context&);
    const char* explanation;  // follows "X;" in the question
    const char* caption;
};

const Delphi3Pass kDelphi3Passes[] = {
    {GetSLibDir,
     " could not be found in the path lists in one "
     "or more of the path list fields (Unit, Include and Object) "
     "where it is required for Delphi 3.",
     "SLib directory not in path list"},
    {GetBinDir,
     " could not be found in the path lists in one "
     "or more of the path list fields (Unit, Include and Object). "
     "The \\Bin\\ directory contains vital DPLs and is required "
     "for Delphi 3.",
     "Bin directory not in path list"},
};

}  // namespace

// When the IDE path holds fewer separators than a scan needs (the key is
// missing and the path reads "(unable to open registry key)", or the value is
// a bare file name), there is no IDE directory to derive from. The directory
// texts are then the bare relative names "SLib" and "Bin": as search-path
// entries they name subdirectories of the project being compiled, which an
// ordinary project lacks, so adding them changes nothing the compiler finds;
// and the question still names a directory the user can recognise and
// decline. Empty text would instead ask about ";" and add empty entries.
std::string SLibDirFromIdePath(const std::string& idePath) {
    const std::size_t first = ScanFromThirdToLast(idePath);
    if (first == std::string::npos) return "SLib";
    const std::string withoutFile = idePath.substr(0, first + 1);
    const std::size_t second = ScanFromThirdToLast(withoutFile);
    if (second == std::string::npos) return "SLib";
    return withoutFile.substr(0, second + 1) + "SLib";
}

std::string BinDirFromIdePath(const std::string& idePath) {
    const std::size_t slash = ScanFromThirdToLast(idePath);
    if (slash == std::string::npos) return "Bin";
    return idePath.substr(0, slash);
}

std::string GetSLibDir(Context& ctx) { return SLibDirFromIdePath(ReadDelphi3IdePath(ctx)); }

std::string GetBinDir(Context& ctx) { return BinDirFromIdePath(ReadDelphi3IdePath(ctx)); }

bool ListLacksDir(const std::string& list, const std::string& dir) {
    const std::string wanted = NormalisedEntry(dir);
    std::size_t start = 0;
    for (;;) {
        const std::size_t semi = list.find(';', start);
        const std::string entry =
            list.substr(start, semi == std::string::npos ? std::string::npos : semi - start);
        if (NormalisedEntry(entry) == wanted) return false;
        if (semi == std::string::npos) return true;
        start = semi + 1;
    }
}

void CheckDelphi3Paths(Context& ctx) {
    static constexpr Ctl kLists[] = {Ctl::eUnit, Ctl::eInc, Ctl::eObject};
    for (const Delphi3Pass& pass : kDelphi3Passes) {
        const std::string dir = pass.dir(ctx);
        // A directory whose name holds ";" cannot be one entry of a list:
        // added, it would split into entries that name nothing, and the list
        // would still lack it at every Create.
        if (dir.find(';') != std::string::npos) continue;
        const std::string withSemicolon = dir + ";";

        bool anyLacks = false;
        for (Ctl c : kLists) {
            if (ListLacksDir(ctx.view.Text(c), dir)) anyLacks = true;
        }
        if (!anyLacks) continue;

        const int answer = ctx.prompts.ShowMessageDialog(
            withSemicolon + pass.explanation + "\n\n" + "Auto-add this directory where needed?",
            pass.caption, "&Add", "&Ignore", "", kIconWarning, 1);
        if (answer != 1) continue;
        for (Ctl c : kLists) {
            const std::string text = ctx.view.Text(c);
            if (ListLacksDir(text, dir)) ctx.view.SetText(c, withSemicolon + text);
        }
    }
}

std::vector<std::string> BuildConfigLines(LineStyle style, const ConfigFields& fields) {
    const std::string unit = OneLine(fields.unit), inc = OneLine(fields.inc),
                      object = OneLine(fields.object), alias = OneLine(fields.alias);
    if (style == LineStyle::Slash) {
        return {"/m", "/cw", "/r" + object, "/i" + inc, "/u" + unit};
    }
    return {
        "-a" + alias,
        "-u\"" + unit + "\"",
        "-i\"" + inc + "\"",
        "-o\"" + object + "\"",
    };
}

}  // namespace quillet
