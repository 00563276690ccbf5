// The VirtualStore: a program without a manifest that writes into a folder
// Windows protects (Program Files, the Windows folder) writes into the user's
// twin of that folder instead, and from then on reads that copy first. The
// old Delphi compilers are such programs.
#pragma once

#include <string>

namespace quillet {

class Platform;

// The twin of `path` under `root` (the user's VirtualStore folder): the root
// followed by the path without its drive. Empty when there is no root or the
// path is not on a drive letter, which Windows never virtualises.
std::string VirtualStoreTwin(const std::string& root, const std::string& path);

// The hidden copy of the file `path` in the user's VirtualStore; empty when
// none lies there. Windows files the copies under the folders' long names,
// so a folder given in short (8.3) names is taken at its long form.
std::string HiddenCopyOf(Platform& platform, const std::string& path);

// The name a hidden copy is moved aside to: the copy's own name with
// ".hidden" and, when that is taken, a number, so nothing is ever replaced.
template <typename Exists>
std::string AsideName(const std::string& path, Exists exists) {
    std::string name = path + ".hidden";
    for (int n = 2; exists(name) && n < 1000; ++n) name = path + ".hidden" + std::to_string(n);
    return name;
}

}  // namespace quillet
