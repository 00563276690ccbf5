#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "components/folder_browser.h"

namespace quillet {
namespace {

// One pixel per character: limits in the tests read as character counts.
int CharWidth(const std::string& text) { return static_cast<int>(text.size()); }

// Measures like CharWidth and records every candidate it was asked about.
struct RecordingWidth {
    std::vector<std::string> asked;
    int operator()(const std::string& text) {
        asked.push_back(text);
        return CharWidth(text);
    }
};

TEST(ShortenPathToFit, WorkedExampleRowByRow) {
    const std::string path = "C:\\Tools\\Delphi 2.0\\Source\\Lib";
    const std::vector<std::string> rows = {
        "C:\\Tools\\Delphi 2.0\\Source\\Lib",
        "C:\\...\\Delphi 2.0\\Source\\Lib",
        "C:\\...\\Source\\Lib",
        "C:\\...\\Lib",
        "...\\Lib",
        "Lib",
    };
    // A line too narrow for anything: every row is tried, in order, and the
    // last one stands although it is still too wide.
    RecordingWidth narrow;
    EXPECT_EQ(ShortenPathToFit(path, 0, std::ref(narrow)), "Lib");
    EXPECT_EQ(narrow.asked, rows);

    // A line exactly as wide as row N stops at row N.
    for (const std::string& row : rows) {
        RecordingWidth fit;
        EXPECT_EQ(ShortenPathToFit(path, CharWidth(row), std::ref(fit)), row);
        EXPECT_EQ(fit.asked.back(), row);
    }
    // One pixel short of a row moves on to the next.
    EXPECT_EQ(ShortenPathToFit(path, CharWidth(rows[2]) - 1, CharWidth), rows[3]);
}

TEST(CollapseDirectoryLevel, DirectoryColumnOfTheWorkedExample) {
    EXPECT_EQ(CollapseDirectoryLevel("\\Tools\\Delphi 2.0\\Source\\"),
              "\\...\\Delphi 2.0\\Source\\");
    EXPECT_EQ(CollapseDirectoryLevel("\\...\\Delphi 2.0\\Source\\"), "\\...\\Source\\");
    EXPECT_EQ(CollapseDirectoryLevel("\\...\\Source\\"), std::string(kBareMarker));
    EXPECT_EQ(CollapseDirectoryLevel(kCollapseMarker), "");
    EXPECT_EQ(CollapseDirectoryLevel("\\"), "");
}

TEST(CollapseDirectoryLevel, OtherShapes) {
    struct Case { const char* dir; const char* expected; };
    const Case cases[] = {
        {"Tools\\Bin\\", "...\\Bin\\"},           // relative: no leading backslash
        {"Bin\\", "...\\"},
        {"Bin", ""},
        {"", ""},
        // A name that begins with a full stop is a level of its own, not a marker.
        {"\\.a\\b\\c\\", "\\...\\b\\c\\"},
        {"\\.config\\x\\", "\\...\\x\\"},
    };
    for (const Case& c : cases) EXPECT_EQ(CollapseDirectoryLevel(c.dir), c.expected) << c.dir;
}

TEST(ShortenPathToFit, OtherShapes) {
    struct Case { const char* path; int limit; const char* expected; };
    const Case cases[] = {
        {"C:\\Tools\\Lib", 100, "C:\\Tools\\Lib"},          // fits whole
        {"C:\\Lib", 0, "Lib"},                              // "\" collapses to nothing
        {"C:\\Lib", 5, "C:Lib"},                            // drive kept while it fits
        {"C:Lib", 0, "Lib"},                                // drive-relative
        {"\\\\server\\share\\Lib", 0, "Lib"},
        {"\\\\server\\share\\Lib", 14, "\\...\\share\\Lib"},
        {"\\\\server\\share\\Lib", 13, "\\...\\Lib"},
        {"Tools\\Sub\\Lib", 9, "...\\Lib"},
        {"Lib", 0, "Lib"},                                  // nothing to take away
        {"C:\\", 0, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ShortenPathToFit(c.path, c.limit, CharWidth), c.expected) << c.path;
    }
}

TEST(ShortenTextToFit, DropsCharactersDownToTheMarkerAlone) {
    const std::string text = "Choose the folder";
    RecordingWidth narrow;
    EXPECT_EQ(ShortenTextToFit(text, 0, std::ref(narrow)), "...");
    // The marker alone is the last possible candidate: it stands unmeasured.
    ASSERT_EQ(narrow.asked.size(), text.size());
    EXPECT_EQ(narrow.asked.front(), text);
    EXPECT_EQ(narrow.asked[1], "Choose the folde...");
    EXPECT_EQ(narrow.asked.back(), "C...");

    EXPECT_EQ(ShortenTextToFit(text, 17, CharWidth), text);     // fits exactly
    EXPECT_EQ(ShortenTextToFit(text, 16, CharWidth), "Choose the fo...");
    EXPECT_EQ(ShortenTextToFit(text, 9, CharWidth), "Choose...");
    EXPECT_EQ(ShortenTextToFit(text, 3, CharWidth), "...");
    EXPECT_EQ(ShortenTextToFit("", 0, CharWidth), "");
}

TEST(ShortenTextToFit, UsesTheMeasureNotTheLength) {
    // Wide capitals: each 'W' measures 10, everything else 1.
    auto measure = [](const std::string& s) {
        int w = 0;
        for (char c : s) w += c == 'W' ? 10 : 1;
        return w;
    };
    EXPECT_EQ(ShortenTextToFit("abWWW", 15, measure), "abW...");
}

TEST(NormaliseSelectionPath, Table) {
    struct Case { const char* path; const char* expected; };
    const Case cases[] = {
        {"", ""},
        {"C:", "C:\\"},
        {"C:\\", "C:\\"},
        {"C:\\Delphi\\", "C:\\Delphi"},
        {"C:\\Delphi", "C:\\Delphi"},
        {"C:\\Delphi\\\\", "C:\\Delphi\\"},  // one backslash only
        {"\\", ""},
        {"ab\\", "ab"},
        {"\\\\server\\share\\", "\\\\server\\share"},
        {"C:x", "C:x"},
    };
    for (const Case& c : cases) EXPECT_EQ(NormaliseSelectionPath(c.path), c.expected) << c.path;
}

TEST(DriveRootIsDirectory, Table) {
    const std::uint32_t mask = (1u << 2) | (1u << 25);  // C: and Z:
    EXPECT_EQ(DriveRootIsDirectory("C:\\", mask), true);
    EXPECT_EQ(DriveRootIsDirectory("c:\\", mask), true);
    EXPECT_EQ(DriveRootIsDirectory("z:\\", mask), true);
    EXPECT_EQ(DriveRootIsDirectory("D:\\", mask), false);
    EXPECT_EQ(DriveRootIsDirectory("1:\\", 0xFFFFFFFFu), false);  // below A
    EXPECT_EQ(DriveRootIsDirectory("~:\\", 0xFFFFFFFFu), false);  // past A+31
    EXPECT_EQ(DriveRootIsDirectory("`:\\", 0xFFFFFFFFu), true);   // A+31 is bit 31
    EXPECT_EQ(DriveRootIsDirectory("C:", mask), std::nullopt);
    EXPECT_EQ(DriveRootIsDirectory("C:\\x", mask), std::nullopt);
    EXPECT_EQ(DriveRootIsDirectory("C:/", mask), std::nullopt);
}

TEST(RootCsidl, TableAndTheCommonRoots) {
    struct Case { TRootID root; int nt; int other; };
    const Case cases[] = {
        {idDesktop, 0x00, 0x00},        {idInternet, 0x01, 0x01},
        {idPrograms, 0x02, 0x02},       {idControlPanel, 0x03, 0x03},
        {idPrinters, 0x04, 0x04},       {idPersonal, 0x05, 0x05},
        {idFavorites, 0x06, 0x06},      {idStartup, 0x07, 0x07},
        {idRecent, 0x08, 0x08},         {idSendTo, 0x09, 0x09},
        {idRecycleBin, 0x0A, 0x0A},     {idStartMenu, 0x0B, 0x0B},
        {idDesktopDirectory, 0x10, 0x10}, {idDrives, 0x11, 0x11},
        {idNetwork, 0x12, 0x12},        {idNetHood, 0x13, 0x13},
        {idFonts, 0x14, 0x14},          {idTemplates, 0x15, 0x15},
        {idCommonStartMenu, 0x16, 0x0B}, {idCommonPrograms, 0x17, 0x02},
        {idCommonStartup, 0x18, 0x07},  {idCommonDesktopDirectory, 0x19, 0x10},
        {idAppData, 0x1A, 0x1A},        {idPrintHood, 0x1B, 0x1B},
        {idDesktopExpanded, 0xFEFE, 0xFEFE},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RootCsidl(c.root, true), c.nt) << int(c.root);
        EXPECT_EQ(RootCsidl(c.root, false), c.other) << int(c.root);
    }
}

TEST(BrowseFlagsValue, FlagsAndStatusLine) {
    EXPECT_EQ(BrowseFlagsValue({}, false), 0u);
    EXPECT_EQ(BrowseFlagsValue({}, true), 0x0004u);
    EXPECT_EQ(BrowseFlagsValue({bfDirectoriesOnly}, false), 0x0001u);
    EXPECT_EQ(BrowseFlagsValue({bfDomainOnly}, false), 0x0002u);
    EXPECT_EQ(BrowseFlagsValue({bfAncestors}, false), 0x0008u);
    EXPECT_EQ(BrowseFlagsValue({bfComputers}, false), 0x1000u);
    EXPECT_EQ(BrowseFlagsValue({bfPrinters}, false), 0x2000u);
    EXPECT_EQ(BrowseFlagsValue({bfIncludeFiles}, false), 0x4000u);
    EXPECT_EQ(BrowseFlagsValue({bfDirectoriesOnly, bfComputers, bfIncludeFiles}, true), 0x5005u);

    TBrowseFlags flags;
    EXPECT_TRUE(flags.Empty());
    flags.Include(bfPrinters).Include(bfAncestors).Exclude(bfAncestors);
    EXPECT_TRUE(flags.Contains(bfPrinters));
    EXPECT_FALSE(flags.Contains(bfAncestors));
    EXPECT_EQ(flags, TBrowseFlags{bfPrinters});
}

}  // namespace
}  // namespace quillet
