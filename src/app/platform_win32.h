// The program's Platform over Win32.
#pragma once

#include "core/platform.h"

namespace quillet {

class Win32Platform : public Platform {
public:
    std::string ReadRegString(RegRoot root, const std::string& key,
                              const std::string& value) override;
    std::string ReadProfileString(const std::string& file, const std::string& section,
                                  const std::string& key, const std::string& def) override;
    unsigned long WriteProfileText(const std::string& file, const std::string& section,
                                   const std::string& key, const std::string& value) override;
    bool FileExists(const std::string& path) override;
    bool DirectoryExists(const std::string& path) override;
    bool ReadTextFile(const std::string& path, std::string& bytes) override;
    bool CopyFileOver(const std::string& from, const std::string& to, std::string& reason,
                      unsigned long& error) override;
    WriteResult WriteFileReplacing(const std::string& path, const std::string& bytes) override;
    std::string ShortPath(const std::string& path) override;
    std::string LongPath(const std::string& path) override;
    std::string ExePath() override;
    std::string UserDataFolder() override;
    bool MakeDirectory(const std::string& path) override;
    long CreateLink(const std::string& target, const std::string& arguments,
                    std::string& linkName) override;
    std::string LinkTarget(const std::string& linkName) override;
    std::string ToOemText(const std::string& text) override;
    bool ProcessElevated() override;
    std::string SystemErrorText(unsigned long error) override;
    std::string VirtualStoreRoot() override;
    long long FileSize(const std::string& path) override;
    bool RenameFile(const std::string& from, const std::string& to, std::string& reason) override;
    bool FillEmptyFile(const std::string& path, const std::string& bytes) override;
};

// The main window's platform: it can hand a Save that Windows refused to an
// elevated quilletc.exe. For the tests, QUILLET_TEST_PROTECTED_FOLDER names a
// folder whose writes it treats as Windows treats a standard user's writes
// into Program Files: refused with access denied unless the process is
// elevated. That only ever refuses; it never lets anything be written.
class WindowPlatform : public Win32Platform {
public:
    bool CopyFileOver(const std::string& from, const std::string& to, std::string& reason,
                      unsigned long& error) override;
    WriteResult WriteFileReplacing(const std::string& path, const std::string& bytes) override;
    ElevatedRun RunSaveJobElevated(const std::string& folder, const std::string& job) override;

private:
    bool Protected(const std::string& path);
};

}  // namespace quillet
