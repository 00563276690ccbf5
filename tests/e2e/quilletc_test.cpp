// quilletc.exe in the test prefix: what print writes next to what the
// window's Create builds, save keeping or replacing existing files, and
// check's findings in text and in JSON.

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <vector>

#include "delphi_fixture.h"
#include "driver.h"

namespace e2e {
namespace {

// A strict JSON reader: the whole text must be one value, with no trailing
// commas, only JSON's escapes and no control characters in strings.
struct Json {
    enum Kind { Null, Bool, Number, String, Array, Object } kind = Null;
    std::string text;  // a string's value, or a number's or literal's spelling
    std::vector<Json> items;
    std::map<std::string, Json> members;
};

class JsonReader {
public:
    explicit JsonReader(const std::string& s) : s_(s) {}
    bool Read(Json& value) {
        if (!Value(value)) return false;
        Space();
        return i_ == s_.size();
    }

private:
    void Space() {
        while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\t' || s_[i_] == '\n' || s_[i_] == '\r')) ++i_;
    }
    bool Eat(char c) {
        Space();
        if (i_ < s_.size() && s_[i_] == c) return ++i_, true;
        return false;
    }
    bool Value(Json& v) {
        Space();
        if (i_ >= s_.size()) return false;
        const char c = s_[i_];
        if (c == '"') return v.kind = Json::String, Str(v.text);
        if (c == '[') {
            ++i_;
            v.kind = Json::Array;
            if (Eat(']')) return true;
            do {
                v.items.emplace_back();
                if (!Value(v.items.back())) return false;
            } while (Eat(','));
            return Eat(']');
        }
        if (c == '{') {
            ++i_;
            v.kind = Json::Object;
            if (Eat('}')) return true;
            do {
                std::string key;
                Space();
                if (i_ >= s_.size() || s_[i_] != '"' || !Str(key) || !Eat(':')) return false;
                if (v.members.count(key) || !Value(v.members[key])) return false;
            } while (Eat(','));
            return Eat('}');
        }
        for (const char* word : {"true", "false", "null"}) {
            if (s_.compare(i_, strlen(word), word) == 0) {
                i_ += strlen(word);
                v.kind = word[0] == 'n' ? Json::Null : Json::Bool;
                v.text = word;
                return true;
            }
        }
        const std::size_t start = i_;
        if (s_[i_] == '-') ++i_;
        if (i_ >= s_.size() || !isdigit(static_cast<unsigned char>(s_[i_]))) return false;
        if (s_[i_] == '0') {
            ++i_;
        } else {
            while (i_ < s_.size() && isdigit(static_cast<unsigned char>(s_[i_]))) ++i_;
        }
        v.kind = Json::Number;
        v.text = s_.substr(start, i_ - start);
        return true;
    }
    bool Str(std::string& out) {
        ++i_;  // the opening quote
        while (i_ < s_.size()) {
            const unsigned char c = s_[i_++];
            if (c == '"') return true;
            if (c < 0x20) return false;
            if (c != '\\') {
                out += static_cast<char>(c);
                continue;
            }
            if (i_ >= s_.size()) return false;
            const char e = s_[i_++];
            const std::string simple = "\"\\/bfnrt", meant = "\"\\/\b\f\n\r\t";
            if (simple.find(e) != std::string::npos) {
                out += meant[simple.find(e)];
            } else if (e == 'u' && i_ + 4 <= s_.size()) {
                const unsigned long code = strtoul(s_.substr(i_, 4).c_str(), nullptr, 16);
                i_ += 4;
                if (code < 0x80) {
                    out += static_cast<char>(code);
                } else {
                    return false;  // not needed here: the paths are ASCII
                }
            } else {
                return false;
            }
        }
        return false;
    }
    const std::string& s_;
    std::size_t i_ = 0;
};

// The version switch, clearing what an earlier Create left, then Create with
// Delphi 3's completion accepted.
std::string MemoAfterCreate(Session& s, const char* radio, bool delphi3, bool clearFirst) {
    if (clearFirst) {
        s.Press(radio);
        EXPECT_TRUE(s.Dialog("Unsaved configuration detected").Press(2));
        s.Settle();
    } else {
        EXPECT_TRUE(Click(s.Control(radio)));
    }
    if (delphi3) {
        s.Press("bCreate");
        EXPECT_TRUE(s.Dialog("SLib directory not in path list").Press(1));
        EXPECT_TRUE(s.Dialog("Bin directory not in path list").Press(1));
        s.Settle();
    } else {
        EXPECT_TRUE(Click(s.Control("bCreate")));
    }
    return Text(s.Control("Memo1"));
}

class Companion : public Session {
public:
    Companion() : Session(false, true) { EXPECT_TRUE(folder_.CopyFromBin("quilletc.exe")); }
};

TEST(Quilletc, PrintGivesTheBytesOfTheWindowsCreate) {
    Companion s;
    ASSERT_TRUE(s.Start());
    const struct {
        const char* radio;
        const char* version;
    } cases[] = {{"rD1", "1"}, {"rD2", "2"}, {"rD3", "3"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.radio);
        const std::string memo =
            MemoAfterCreate(s, c.radio, c.version[0] == '3', c.version[0] != '1');
        ASSERT_FALSE(memo.empty());
        const Outcome run = Quilletc(s.folder_, std::string("print ") + c.version);
        EXPECT_EQ(run.code, 0u) << run.err;
        EXPECT_EQ(run.out, memo);
        EXPECT_EQ(run.err, "");
    }
    // Without completion the lists stay as Delphi 3 holds them.
    const Outcome bare = Quilletc(s.folder_, "print 3 --no-complete");
    EXPECT_EQ(bare.out, Lines32(s.delphi_.d3Aliases, s.delphi_.d3SearchPath,
                                s.delphi_.d3SearchPath, s.delphi_.d3SearchPath));
}

TEST(Quilletc, SaveKeepsAnExistingFileUnlessOverwrite) {
    Companion s;
    const std::string dir = s.delphi_.d3Dcc.substr(0, s.delphi_.d3Dcc.rfind('\\') + 1);
    const std::string old = "-u\"C:\\OLD\"\r\n";
    ASSERT_TRUE(MakeDirs(dir));
    auto write = [&](const std::string& path, const std::string& bytes) {
        HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        DWORD n = 0;
        WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
        CloseHandle(h);
    };
    auto read = [&](const std::string& path) {
        HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               0, nullptr);
        std::string bytes;
        if (h == INVALID_HANDLE_VALUE) return bytes;
        char chunk[4096];
        DWORD got = 0;
        while (ReadFile(h, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
        CloseHandle(h);
        return bytes;
    };
    const std::string cfg = dir + "dcc32.cfg";
    write(cfg, old);

    const Outcome kept = Quilletc(s.folder_, "save 3");
    EXPECT_EQ(kept.code, 3u) << kept.err;
    EXPECT_NE(kept.err.find("An existing " + cfg + " was found. Kept"), std::string::npos)
        << kept.err;
    EXPECT_EQ(read(cfg), old) << "the old configuration is kept byte for byte";
    EXPECT_FALSE(read(dir + "dcc32.bat").empty()) << "a new batch file is written";
    EXPECT_EQ(read(dir + "LunketD3.exe"), read(s.folder_.File("LunketD3.exe")));

    const Outcome printed = Quilletc(s.folder_, "print 3");
    const Outcome replaced = Quilletc(s.folder_, "save 3 --overwrite");
    EXPECT_EQ(replaced.code, 0u) << replaced.err;
    EXPECT_EQ(read(cfg), printed.out);
}

TEST(Quilletc, CheckReportsAMissingDirectoryAndAMacro) {
    Companion s;
    const DelphiFixture& d = s.delphi_;
    const std::string missing = s.folder_.File("Missing");
    DelphiFixture::SetReg(HKEY_CURRENT_USER, "Software\\Borland\\Delphi\\3.0\\Library",
                          "SearchPath",
                          d.d3Bin + ";" + d.d3SLib + ";" + d.d3SearchPath + ";" + missing +
                              ";$(DELPHI)\\Lib");

    const Outcome text = Quilletc(s.folder_, "check 3");
    EXPECT_EQ(text.code, 1u);
    EXPECT_EQ(text.out, "directory does not exist (unit,include,object): " + missing +
                            "\nmacro the compiler does not expand (unit,include,object): "
                            "$(DELPHI)\\Lib\nDelphi 3: 2 problems found\n");

    const Outcome json = Quilletc(s.folder_, "check 3 --json");
    EXPECT_EQ(json.code, 1u);
    Json root;
    ASSERT_TRUE(JsonReader(json.out).Read(root)) << json.out;
    ASSERT_EQ(root.kind, Json::Object);
    EXPECT_EQ(root.members["version"].text, "3");
    EXPECT_EQ(root.members["compiler"].text, d.d3Dcc);
    EXPECT_EQ(root.members["summary"].text, "Delphi 3: 2 problems found");
    const std::vector<Json>& findings = root.members["findings"].items;
    ASSERT_EQ(findings.size(), 2u);
    const std::pair<std::string, std::string> expected[] = {{"missing-directory", missing},
                                                            {"macro", "$(DELPHI)\\Lib"}};
    for (std::size_t i = 0; i < 2; ++i) {
        Json f = findings[i];
        EXPECT_EQ(f.members["kind"].text, expected[i].first);
        EXPECT_EQ(f.members["entry"].text, expected[i].second);
        ASSERT_EQ(f.members["fields"].items.size(), 3u);
        EXPECT_EQ(f.members["fields"].items[0].text, "unit");
    }

    // Nothing wrong: exit 0 and only the summary.
    DelphiFixture::SetReg(HKEY_CURRENT_USER, "Software\\Borland\\Delphi\\3.0\\Library",
                          "SearchPath", d.d3Bin + ";" + d.d3SLib + ";" + d.d3SearchPath);
    const Outcome clean = Quilletc(s.folder_, "check 3");
    EXPECT_EQ(clean.code, 0u) << clean.out;
    EXPECT_EQ(clean.out, "Delphi 3: no problems found\n");
}

}  // namespace
}  // namespace e2e
