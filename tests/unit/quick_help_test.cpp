// The quick-help dialog's creation steps and handlers against a recording
// view and host: what each changes, in what order, and what is stored.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "dialogs/quick_help.h"
#include "fakes.h"

namespace quillet {
namespace {

const std::string kReadme = "C:\\QUILLET\\readme.txt";

// The dialog's controls and the application as plain values; every change is logged.
struct Recorder : QuickHelpView, QuickHelpHost {
    std::map<HelpCtl, std::string> text{{HelpCtl::Memo1, "\r\n"}, {HelpCtl::eAppTitle, "Enter custom title"}};
    std::map<HelpCtl, bool> checked;
    std::vector<std::string> log;
    std::string title = "Quillet";
    bool escape = false;

    static std::string N(HelpCtl c) {
        const char* const names[] = {"Memo1", "pOptions", "bOptions", "bOK", "cCloseOnEsc",
                                     "cNag", "cAppTitle", "eAppTitle", "bAppTitle"};
        return names[static_cast<int>(c)];
    }
    std::string Text(HelpCtl c) const override { return text.count(c) ? text.at(c) : ""; }
    void SetText(HelpCtl c, const std::string& t) override { text[c] = t, log.push_back(N(c) + " text"); }
    bool Checked(HelpCtl c) const override { return checked.count(c) && checked.at(c); }
    void SetChecked(HelpCtl c, bool v) override { checked[c] = v, log.push_back(N(c) + (v ? " on" : " off")); }
    void SetEnabled(HelpCtl c, bool v) override { log.push_back(N(c) + (v ? " enabled" : " disabled")); }
    void SetVisible(HelpCtl c, bool v) override { log.push_back(N(c) + (v ? " shown" : " hidden")); }
    void SetCaption(const std::string& c) override { log.push_back("caption " + c); }
    void PlaceOverMainWindow() override { log.push_back("placed"); }
    void Close() override { log.push_back("closed"); }
    std::string Title() const override { return title; }
    void SetTitle(const std::string& t) override { title = t, log.push_back("title " + t); }
    void SetShowHints(bool v) override { log.push_back(v ? "hints on" : "hints off"); }
    bool ExitIsCancel() const override { return escape; }
    void SetExitIsCancel(bool v) override { escape = v, log.push_back(v ? "Escape exits" : "Escape stays"); }
    void ShowErrorReport(const std::string& t) override { log.push_back("error " + t); }
};

struct Dialog {
    testing::FakePlatform platform;
    AppState state;
    Recorder rec;
    QuickHelp help{rec, rec, platform, state};
    Dialog() { state.iniFileName = "C:\\QUILLET\\quillet.ini"; }
    void Option(const char* key, const std::string& value) {
        platform.SetProfile(state.iniFileName, "Options", key, value);
    }
    // A click changes the box, then runs its handler.
    void Click(HelpCtl box, void (QuickHelp::*handler)()) {
        rec.checked[box] = !rec.Checked(box);
        (help.*handler)();
    }
};

TEST(QuickHelp, CreationStepsInOrder) {
    const std::string sentence = " in quillet.exe's directory. Unable to load quick help.\r\n";
    const struct {
        std::function<void(Dialog&)> arrange;
        std::vector<std::string> log, writes;
        std::string memo;
    } cases[] = {
        {[](Dialog& d) { d.platform.AddFile(kReadme, "Quick\nhelp"); },
         {"hints off", "placed", "Memo1 text", "caption Quillet quick help", "eAppTitle disabled",
          "bAppTitle disabled"},
         {}, "Quick\r\nhelp\r\n"},
        // Unreadable: reported, then the dialog is made whole; only Escape's box stores at creation.
        {[](Dialog& d) {
             d.platform.AddFile(kReadme), d.platform.unreadable.insert(testing::FakePlatform::Norm(kReadme));
             d.rec.escape = true, d.state.extraMessages = false, d.rec.title = "Mine";
             d.Option("UseCustomTitle", "1"), d.Option("CustomTitleText", "Mine");
         },
         {"hints off", "placed", "error Cannot open file " + kReadme, "Memo1 text", "caption Mine quick help",
          "cCloseOnEsc on", "Escape exits", "cNag on", "eAppTitle text", "bAppTitle enabled", "cAppTitle on",
          "eAppTitle enabled", "bAppTitle disabled"},
         {"Options/CloseOnEscape=1"}, "\r\n" + kReadme + " could not be read from" + sentence.substr(3)},
        {[](Dialog& d) { d.Option("CustomTitleText", std::string(300, 'T')); },
         {"hints off", "placed", "Memo1 text", "caption Quillet quick help", "eAppTitle text",
          "bAppTitle enabled", "eAppTitle disabled", "bAppTitle disabled"},
         {}, "\r\n" + kReadme + " could not be found" + sentence},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        Dialog d;
        c.arrange(d);
        d.help.FormCreate();
        EXPECT_EQ(d.rec.log, c.log);
        EXPECT_EQ(d.platform.profileWrites, c.writes);
        EXPECT_EQ(d.rec.text[HelpCtl::Memo1], c.memo);
        EXPECT_LE(d.rec.text[HelpCtl::eAppTitle].size(), kMaxTitleLength);
        EXPECT_TRUE(d.state.quickHelpCreated);
    }
}

TEST(QuickHelp, HandlersTakeEffectAndStoreAtOnce) {
    using Q = QuickHelp;
    const struct {
        std::function<void(Dialog&)> act;
        std::vector<std::string> log, writes;
        bool extraMessages;
    } steps[] = {
        {[](Dialog& d) { d.help.bOptionsClick(); },
         {"pOptions shown", "bOptions disabled", "bOK disabled", "Memo1 disabled"}, {}, true},
        {[](Dialog& d) { d.Click(HelpCtl::cNag, &Q::cNagClick); }, {}, {"Options/ExtraMessages=0"}, false},
        {[](Dialog& d) { d.Click(HelpCtl::cCloseOnEsc, &Q::cCloseOnEscClick); }, {"Escape exits"},
         {"Options/CloseOnEscape=1"}, false},
        {[](Dialog& d) { d.Click(HelpCtl::cAppTitle, &Q::cAppTitleClick); }, {"eAppTitle enabled"},
         {"Options/UseCustomTitle=1"}, false},
        {[](Dialog& d) { d.rec.text[HelpCtl::eAppTitle] = "Tool", d.help.eAppTitleChange(), d.help.bAppTitleClick(); },
         {"bAppTitle enabled", "title Tool", "caption Tool", "bAppTitle disabled"},
         {"Options/CustomTitleText=Tool"}, false},
        // Apply stays on through the option going off after a change of the text.
        {[](Dialog& d) { d.help.eAppTitleChange(), d.Click(HelpCtl::cAppTitle, &Q::cAppTitleClick); },
         {"bAppTitle enabled", "eAppTitle disabled", "title Quillet", "caption Quillet"},
         {"Options/UseCustomTitle=0"}, false},
        {[](Dialog& d) {
             d.Click(HelpCtl::cNag, &Q::cNagClick), d.Click(HelpCtl::cCloseOnEsc, &Q::cCloseOnEscClick);
             d.help.Button3Click();
         },
         {"Escape stays", "pOptions hidden", "bOptions enabled", "bOK enabled", "Memo1 enabled"},
         {"Options/ExtraMessages=1", "Options/CloseOnEscape=0"}, true},
        {[](Dialog& d) {
             char a = 'a', escape = 27;
             d.help.Memo1KeyPress(a), d.help.Memo1KeyPress(escape), d.help.bOKClick();
         },
         {"closed", "hints off", "closed"}, {}, true},
    };
    Dialog d;
    d.help.FormCreate();
    for (const auto& s : steps) {
        SCOPED_TRACE(&s - steps);
        d.rec.log.clear(), d.platform.profileWrites.clear();
        s.act(d);
        EXPECT_EQ(d.rec.log, s.log);
        EXPECT_EQ(d.platform.profileWrites, s.writes);
        EXPECT_EQ(d.state.extraMessages, s.extraMessages);
    }
}

}  // namespace
}  // namespace quillet
