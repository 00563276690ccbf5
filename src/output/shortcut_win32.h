// Shell shortcuts through the shell's link object. The one ShortcutFile object
// is made at start-up, which initialises COM for the program's thread.
#pragma once

#include <string>

namespace quillet {

class TShortcutFile {
public:
    TShortcutFile();   // calls CoInitialize
    ~TShortcutFile();  // calls CoUninitialize, once every interface is released
    TShortcutFile(const TShortcutFile&) = delete;
    TShortcutFile& operator=(const TShortcutFile&) = delete;

    // Writes a shortcut to target with arguments. linkName gets ".lnk" appended
    // when its extension (in any letter case) is not ".lnk". Returns the COM
    // result of the last call made (0 on success).
    long CreateLink(const std::string& target, const std::string& arguments,
                    std::string& linkName);

    // The target path that the shortcut file linkName holds; empty when it
    // cannot be loaded.
    std::string LinkTarget(const std::string& linkName);
};

// Created by InitShortcutUnit during start-up, destroyed by DoneShortcutUnit
// at exit, after the windows and before the process ends.
extern TShortcutFile* ShortcutFile;
void InitShortcutUnit();
void DoneShortcutUnit();

}  // namespace quillet
