// What would make the command-line compiler fail with the fields the version
// switch filled: quilletc's check command.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/main_view.h"
#include "core/platform.h"

namespace quillet::cli {

// A copy of the configuration in the user's VirtualStore, which the compiler
// reads instead of the one beside it.
inline constexpr const char* kHiddenCopyFinding = "virtual-store-copy";

struct Finding {
    std::string kind;    // "compiler-not-found", "missing-directory", "macro", "no-sysutils",
                         // kHiddenCopyFinding
    std::string entry;   // the compiler or the search-path entry concerned
    std::string fields;  // the lists holding the entry: "unit", "unit,include", ...
    std::string text;    // one line for people
};

// The findings for the compiler in eExepath and the entries of eUnit, eInc
// and eObject (Delphi 1's eObject is its one resource directory).
std::vector<Finding> CheckFields(Platform& platform, const MainView& view, Version version);

// "N problems found" or "no problems found", with the version.
std::string Summary(const std::vector<Finding>& findings, Version version);

// The findings as one JSON object. `toUtf8` converts the program's ANSI text.
std::string FindingsJson(const std::vector<Finding>& findings, Version version,
                         const std::string& compiler,
                         const std::function<std::string(const std::string&)>& toUtf8);

}  // namespace quillet::cli
