// quilletc's commands over the window's own flows: the version switch,
// Create and Save run against an in-memory window, with the questions
// answered by rule.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/platform.h"

namespace quillet::cli {

struct Output {
    std::string out;  // standard output, bytes as they are to be written
    std::string err;  // standard error
};

// Runs the command line `args` (without the program's name) and returns the
// exit code. `versionText` is what --version shows; `toUtf8` converts the
// program's ANSI text for JSON.
int RunCompanion(const std::vector<std::string>& args, Platform& platform, Output& output,
                 const std::string& versionText,
                 const std::function<std::string(const std::string&)>& toUtf8);

}  // namespace quillet::cli
