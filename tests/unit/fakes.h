// Test doubles for the three seams: an in-memory platform, prompts that record
// every call and answer from a script, and a main window made of plain values.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "core/app_state.h"
#include "core/paths.h"
#include "core/registry_text.h"
#include "core/text.h"
#include "dialogs/message_layout.h"

namespace quillet::testing {

// Files and directories are keyed by their upper-case path, as on Windows.
class FakePlatform : public Platform {
public:
    struct RegKey {
        std::map<std::string, std::string> values;  // value name -> text
    };

    // -- set-up helpers --
    void AddRegValue(RegRoot root, const std::string& key, const std::string& name,
                     const std::string& text) {
        reg[{root, UpperAscii(key)}].values[name] = text;
    }
    void AddRegKey(RegRoot root, const std::string& key) { reg[{root, UpperAscii(key)}]; }
    void AddDir(const std::string& path) { dirs.insert(Norm(path)); }
    void AddFile(const std::string& path, const std::string& content = "x") {
        files[Norm(path)] = content;
    }
    void SetProfile(const std::string& file, const std::string& section, const std::string& key,
                    const std::string& value) {
        profiles[{UpperAscii(file), UpperAscii(section), UpperAscii(key)}] = value;
    }
    bool HasFile(const std::string& path) const { return files.count(Norm(path)) != 0; }
    std::string Content(const std::string& path) const {
        auto it = files.find(Norm(path));
        return it == files.end() ? std::string() : it->second;
    }

    // -- Platform --
    std::string ReadRegString(RegRoot root, const std::string& key,
                              const std::string& value) override {
        auto it = reg.find({root, UpperAscii(key)});
        if (it == reg.end()) return kUnableToOpenKey;
        auto v = it->second.values.find(value);
        return v == it->second.values.end() ? std::string() : v->second;
    }
    std::string ReadProfileString(const std::string& file, const std::string& section,
                                  const std::string& key, const std::string& def) override {
        auto it = profiles.find({UpperAscii(file), UpperAscii(section), UpperAscii(key)});
        return it == profiles.end() ? def : it->second;
    }
    unsigned long WriteProfileText(const std::string& file, const std::string& section,
                                   const std::string& key, const std::string& value) override {
        auto refused = profileRefusals.find(UpperAscii(file));
        if (refused != profileRefusals.end()) return refused->second;
        profiles[{UpperAscii(file), UpperAscii(section), UpperAscii(key)}] = value;
        profileWrites.push_back(section + "/" + key + "=" + value);
        return 0;
    }
    bool FileExists(const std::string& path) override { return files.count(Norm(path)) != 0; }
    bool DirectoryExists(const std::string& path) override {
        return dirs.count(Norm(path)) != 0;
    }
    bool ReadTextFile(const std::string& path, std::string& bytes) override {
        if (!FileExists(path) || unreadable.count(Norm(path))) return false;
        bytes = Content(path);
        return true;
    }
    bool CopyFileOver(const std::string& from, const std::string& to, std::string& reason,
                      unsigned long& error) override {
        copies.push_back(from + " -> " + to);
        if (failCopies || !FileExists(from)) {
            reason = "The file is in use.";
            error = kErrorSharingViolation;
            return false;
        }
        files[Norm(to)] = files[Norm(from)];
        return true;
    }
    WriteResult WriteFileReplacing(const std::string& path, const std::string& bytes) override {
        writes.push_back(path);
        auto forced = writeFailures.find(Norm(path));
        if (forced != writeFailures.end()) return forced->second;
        files[Norm(path)] = bytes;
        return {};
    }
    std::string ShortPath(const std::string& path) override {
        auto it = shortPaths.find(Norm(path));
        if (it != shortPaths.end()) return it->second;
        return FileExists(path) || DirectoryExists(path) ? path : std::string();
    }
    std::string LongPath(const std::string& path) override {
        return longPaths.count(Norm(path)) ? longPaths[Norm(path)] : path;
    }
    std::string VirtualStoreRoot() override { return virtualStoreRoot; }
    std::string ExePath() override { return exePath; }
    std::string UserDataFolder() override { return {}; }
    bool MakeDirectory(const std::string& path) override { return dirs.insert(Norm(path)), true; }
    long CreateLink(const std::string& target, const std::string& arguments,
                    std::string& linkName) override {
        const std::string ext = UpperAscii(linkName.substr(
            linkName.rfind('.') == std::string::npos ? linkName.size() : linkName.rfind('.')));
        if (ext != ".LNK") linkName += ".lnk";
        links.push_back({target, arguments, linkName});
        if (linkResult == 0) files[Norm(linkName)] = "link:" + target;
        return linkResult;
    }
    std::string LinkTarget(const std::string& linkName) override {
        const std::string content = Content(linkName);
        return content.rfind("link:", 0) == 0 ? content.substr(5) : std::string();
    }
    std::string ToOemText(const std::string& text) override { return oemPrefix + text; }
    bool ProcessElevated() override { return elevated; }
    std::string SystemErrorText(unsigned long e) override {
        return errorTexts.count(e) ? errorTexts[e] : "";
    }
    bool FillEmptyFile(const std::string& path, const std::string& bytes) override {
        return FileExists(path) && Content(path).empty() && (files[Norm(path)] = bytes, true);
    }
    ElevatedRun RunSaveJobElevated(const std::string& folder, const std::string& job) override {
        elevatedJobs.push_back({folder, job});
        return elevatedRun;
    }

    // -- state, open for tests to read and change --
    std::map<std::pair<RegRoot, std::string>, RegKey> reg;
    std::map<std::tuple<std::string, std::string, std::string>, std::string> profiles;
    std::map<std::string, std::string> files;
    std::set<std::string> dirs;
    std::set<std::string> unreadable;  // upper-case paths of files that exist but cannot be read
    std::map<std::string, std::string> shortPaths;
    std::map<std::string, std::string> longPaths;  // upper-case short path -> its long form
    std::string virtualStoreRoot;
    std::map<std::string, WriteResult> writeFailures;  // upper-case path -> forced outcome
    std::map<std::string, unsigned long> profileRefusals;  // upper-case file -> error of its writes
    std::vector<std::string> profileWrites;
    std::vector<std::string> copies;
    std::vector<std::string> writes;
    struct Link { std::string target, arguments, name; };
    std::vector<Link> links;
    long linkResult = 0;
    bool failCopies = false;
    std::string exePath = "C:\\QUILLET\\quillet.exe";
    std::string oemPrefix;  // lets a test see that the OEM conversion was applied
    bool elevated = true;
    std::map<unsigned long, std::string> errorTexts;  // none by default: the reports stay bare
    ElevatedRun elevatedRun{kErrorCancelled, 0, ""};
    std::vector<std::pair<std::string, std::string>> elevatedJobs;  // folder, job

    static std::string Norm(const std::string& p) { return UpperAscii(p); }
};

// One prompt as the program raised it.
struct Prompt {
    std::string message, caption, button1, button2, button3;
    int icon = 0;
    int defaultButton = 0;
};

inline bool operator==(const Prompt& a, const Prompt& b) {
    return std::tie(a.message, a.caption, a.button1, a.button2, a.button3, a.icon,
                    a.defaultButton) ==
           std::tie(b.message, b.caption, b.button1, b.button2, b.button3, b.icon,
                    b.defaultButton);
}

inline std::ostream& operator<<(std::ostream& os, const Prompt& p) {
    return os << "{\"" << p.message << "\", \"" << p.caption << "\", \"" << p.button1 << "\", \""
              << p.button2 << "\", \"" << p.button3 << "\", " << p.icon << ", "
              << p.defaultButton << "}";
}

// Records every interaction in order (events) and answers from queues. A
// prompt with no scripted answer fails the test and answers 2, as closing the
// dialog would, which also ends every retry loop.
class FakePrompts : public Prompts {
public:
    int ShowMessageDialog(const std::string& message, const std::string& caption,
                          const std::string& button1, const std::string& button2,
                          const std::string& button3, int icon,
                          unsigned char defaultButton) override {
        prompts.push_back({message, caption, button1, button2, button3, icon, defaultButton});
        events.push_back("dialog:" + caption);
        if (answers.empty()) {
            ADD_FAILURE() << "unscripted dialog: " << prompts.back();
            return 2;
        }
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    bool RunCompilerSelector(Version version, std::string& fileName) override {
        selectorRuns.push_back(version);
        events.push_back("selector:" + std::to_string(static_cast<int>(version)));
        if (selectorAnswers.empty()) {
            ADD_FAILURE() << "unscripted selector";
            return false;
        }
        auto answer = selectorAnswers.front();
        selectorAnswers.pop_front();
        if (!answer.first) return false;
        fileName = answer.second;
        return true;
    }
    void SetSelectorInitialDir(Version version, const std::string& dir) override {
        initialDirs[version] = dir;
        events.push_back("initialdir:" + dir);
    }
    bool BrowseForLibraryDir(std::string& path) override {
        events.push_back("browse");
        ++browseRuns;
        if (browseAnswers.empty()) {
            ADD_FAILURE() << "unscripted folder browser";
            return false;
        }
        auto answer = browseAnswers.front();
        browseAnswers.pop_front();
        if (!answer.first) return false;
        path = answer.second;
        return true;
    }
    void ShowErrorReport(const std::string& text) override {
        errors.push_back(text);
        events.push_back("error:" + text);
    }

    // script
    FakePrompts& Answer(int button) { answers.push_back(button); return *this; }
    FakePrompts& SelectFile(const std::string& name) {
        selectorAnswers.push_back({true, name});
        return *this;
    }
    FakePrompts& CancelSelector() { selectorAnswers.push_back({false, ""}); return *this; }
    FakePrompts& ChooseFolder(const std::string& path) {
        browseAnswers.push_back({true, path});
        return *this;
    }
    FakePrompts& CancelBrowser() { browseAnswers.push_back({false, ""}); return *this; }

    // Call at the end of a test: every scripted answer was used.
    void ExpectScriptUsed() const {
        EXPECT_TRUE(answers.empty()) << answers.size() << " dialog answers left";
        EXPECT_TRUE(selectorAnswers.empty()) << "selector answers left";
        EXPECT_TRUE(browseAnswers.empty()) << "browser answers left";
    }

    std::vector<Prompt> prompts;
    std::vector<std::string> events;
    std::vector<Version> selectorRuns;
    std::map<Version, std::string> initialDirs;
    std::vector<std::string> errors;
    int browseRuns = 0;
    std::deque<int> answers;
    std::deque<std::pair<bool, std::string>> selectorAnswers;
    std::deque<std::pair<bool, std::string>> browseAnswers;
};

// The main window's controls as plain values, in the state FormCreate leaves.
class FakeView : public MainView {
public:
    struct State {
        std::string text;
        bool enabled = true;
        bool checked = false;
    };

    FakeView() {
        controls[Ctl::lObject].text = "Object directories:";
        controls[Ctl::lAlias].text = "Aliases:";
        controls[Ctl::bSave].enabled = false;
    }

    std::string Text(Ctl ctl) const override { return Get(ctl).text; }
    void SetText(Ctl ctl, const std::string& text) override { controls[ctl].text = text; }
    bool Enabled(Ctl ctl) const override { return Get(ctl).enabled; }
    void SetEnabled(Ctl ctl, bool enabled) override { controls[ctl].enabled = enabled; }
    bool Checked(Ctl ctl) const override { return Get(ctl).checked; }

    // Checks one radio button and clears the other two, as a click does.
    void Choose(Version v) {
        controls[Ctl::rD1].checked = v == Version::D1;
        controls[Ctl::rD2].checked = v == Version::D2;
        controls[Ctl::rD3].checked = v == Version::D3;
    }
    void SetChecked(Ctl ctl, bool checked) { controls[ctl].checked = checked; }

    std::map<Ctl, State> controls;

private:
    State Get(Ctl ctl) const {
        auto it = controls.find(ctl);
        return it == controls.end() ? State{} : it->second;
    }
};

// Answers with fixed sizes and remembers what it was asked.
class FakeMeasurer : public MessageTextMeasurer {
public:
    int lineHeight = 13;
    int cellHeight = 13;
    base::Size box{10, 13};
    int screenWidth = 1024;
    int screenHeight = 768;

    std::vector<std::string> extentTexts;
    int wrapWidth = -1;
    std::string wrappedText;

    base::Size TextExtent(const std::string& text) override {
        extentTexts.push_back(text);
        return {static_cast<int>(text.size()) * 6, lineHeight};
    }
    int CellHeight() override { return cellHeight; }
    base::Size WrappedTextSize(const std::string& text, int maxWidth) override {
        wrappedText = text;
        wrapWidth = maxWidth;
        return box;
    }
    int ScreenWidth() override { return screenWidth; }
    int ScreenHeight() override { return screenHeight; }
};

// A registry value that another process may rewrite between queries: query N
// sees version N, the last version from then on. A read fills the whole
// buffer it is offered with junk before the value, so a reader that takes
// bytes past the value's end takes junk.
struct FakeRegValue {
    struct Version {
        Version(std::string b = {}, bool text = true, bool fail = false,
                std::optional<std::uint32_t> answer = {})
            : bytes(std::move(b)), isText(text), fails(fail), sizeAnswer(answer) {}
        std::string bytes;
        bool isText;
        bool fails;
        std::optional<std::uint32_t> sizeAnswer;  // what a size query says, when not the size
    };
    std::vector<Version> versions;
    int calls = 0;
    bool lastWasRead = false;  // the last query read a text value into the buffer
    std::string lastText;      // that value up to its first zero

    RegValueQuery Query() {
        return [this](char* buffer, std::uint32_t capacity) {
            const Version& v = versions[std::min<std::size_t>(calls++, versions.size() - 1)];
            lastWasRead = false;
            if (v.fails) return RegQueryAnswer{};
            const auto size = static_cast<std::uint32_t>(v.bytes.size());
            if (buffer == nullptr) {
                return RegQueryAnswer{RegQueryStatus::Success, v.isText, v.sizeAnswer.value_or(size)};
            }
            std::memset(buffer, '#', capacity);
            if (size > capacity) return RegQueryAnswer{RegQueryStatus::MoreData, v.isText, size};
            std::memcpy(buffer, v.bytes.data(), size);
            lastWasRead = v.isText;
            lastText = v.bytes.substr(0, v.bytes.find('\0'));
            return RegQueryAnswer{RegQueryStatus::Success, v.isText, size};
        };
    }
};

// Everything a handler test needs, wired together.
struct Harness {
    FakePlatform platform;
    FakePrompts prompts;
    FakeView view;
    AppState state;
    Context ctx{platform, prompts, view, state};
};

}  // namespace quillet::testing
