// Reading the installed Delphi's settings on Windows: registry strings and
// private-profile strings, both read whole however long they are.
#pragma once

#include <windows.h>

#include <string>

namespace quillet {

// A key that cannot be opened reads as "(unable to open registry key)"; a
// missing value, or one that is not REG_SZ / REG_EXPAND_SZ (taken as stored),
// reads as empty.
std::string ReadRegString(HKEY root, const std::string& key, const std::string& value);

// GetPrivateProfileStringA with a buffer that grows until the value fits.
std::string ReadPrivateProfileString(const std::string& file, const std::string& section,
                                     const std::string& key, const std::string& def);

}  // namespace quillet
