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
    bool CopyFileOver(const std::string& from, const std::string& to,
                      std::string& reason) override;
    WriteResult WriteFileReplacing(const std::string& path, const std::string& bytes) override;
    std::string ShortPath(const std::string& path) override;
    std::string ExePath() override;
    std::string UserDataFolder() override;
    bool MakeDirectory(const std::string& path) override;
    long CreateLink(const std::string& target, const std::string& arguments,
                    std::string& linkName) override;
    std::string LinkTarget(const std::string& linkName) override;
    std::string ToOemText(const std::string& text) override;
};

}  // namespace quillet
