// The path splitting behind the compiler's folder, the launcher stub, the
// configuration and batch files and the desktop shortcut: folder + name gives
// back the path, and a new extension keeps the folder and the name's stem.
#include <string>

#include "core/paths.h"
#include "fuzz_check.h"
#include "output/shortcut.h"

using namespace quillet;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const std::string path = in.ConsumeRandomLengthString();
    const std::string desktop = in.ConsumeRandomLengthString();

    const std::string folder = ExtractFilePath(path);
    const std::string name = ExtractFileName(path);
    FUZZ_CHECK(folder + name == path);
    // The folder without its last separator, except where that ends a drive or a root.
    const std::string dir = ExtractFileDir(path);
    FUZZ_CHECK(folder.compare(0, dir.size(), dir) == 0 && folder.size() - dir.size() <= 1);

    for (const char* ext : {".cfg", ".bat", ".ini", ".lnk"}) {
        const std::string renamed = ReplaceExtension(path, ext);
        FUZZ_CHECK(ExtractFilePath(renamed) == folder);
        const std::string newName = ExtractFileName(renamed);
        FUZZ_CHECK(newName.size() >= 4 && newName.compare(newName.size() - 4, 4, ext) == 0);
        const std::string stem = newName.substr(0, newName.size() - 4);
        FUZZ_CHECK(name.compare(0, stem.size(), stem) == 0);
        FUZZ_CHECK(ReplaceExtension(renamed, ext) == renamed);
    }

    // The stub beside the compiler, and the shortcut on the desktop.
    for (const char* stub : {"lunket.exe", "LunketD3.exe"}) {
        FUZZ_CHECK(ExtractFilePath(folder + stub) == folder);
        FUZZ_CHECK(ExtractFileName(folder + stub) == stub);
    }
    const std::string link = DesktopShortcutName(desktop, path);
    FUZZ_CHECK(ExtractFilePath(link) == desktop + "\\");
    FUZZ_CHECK(ExtractFileName(link) == ReplaceExtension(name, ".lnk"));
    return 0;
}
