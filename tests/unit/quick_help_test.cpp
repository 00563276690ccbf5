// The quick-help dialog's creation steps and handlers against a recording
// view and host: what each step changes, in what order, and what reaches
// the settings file.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "dialogs/quick_help.h"
#include "fakes.h"

namespace quillet {
namespace {

using testing::FakePlatform;

const char* const kExe = "C:\\QUILLET\\quillet.exe";
const char* const kReadme = "C:\\QUILLET\\readme.txt";
const char* const kIni = "C:\\QUILLET\\quillet.ini";

// The dialog and the application as plain values; every change is logged.
struct Recorder : QuickHelpView, QuickHelpHost {
    struct Box {
        std::string text;
        bool checked = false, enabled = true, visible = true;
    };
    std::map<HelpCtl, Box> boxes;
    std::vector<std::string> log;
    std::string caption, title = "Quillet";
    bool exitIsCancel = false;
    bool hints = true;

    Recorder() {
        for (int c = 0; c <= static_cast<int>(HelpCtl::bAppTitle); ++c) boxes[static_cast<HelpCtl>(c)];
        boxes[HelpCtl::Memo1].text = "\r\n";
        boxes[HelpCtl::eAppTitle].text = "Enter custom title text here";
        boxes[HelpCtl::pOptions].visible = false;
    }
    static std::string Name(HelpCtl c) {
        static const char* const names[] = {"Memo1", "pOptions", "bOptions", "bOK", "cCloseOnEsc",
                                            "cNag", "cAppTitle", "eAppTitle", "bAppTitle"};
        return names[static_cast<int>(c)];
    }
    std::string Text(HelpCtl c) const override { return boxes.at(c).text; }
    void SetText(HelpCtl c, const std::string& t) override {
        boxes[c].text = t;
        log.push_back(Name(c) + " text");
    }
    bool Checked(HelpCtl c) const override { return boxes.at(c).checked; }
    void SetChecked(HelpCtl c, bool v) override {
        boxes[c].checked = v;
        log.push_back(Name(c) + (v ? " checked" : " unchecked"));
    }
    bool Enabled(HelpCtl c) const override { return boxes.at(c).enabled; }
    void SetEnabled(HelpCtl c, bool v) override {
        boxes[c].enabled = v;
        log.push_back(Name(c) + (v ? " enabled" : " disabled"));
    }
    bool Visible(HelpCtl c) const override { return boxes.at(c).visible; }
    void SetVisible(HelpCtl c, bool v) override {
        boxes[c].visible = v;
        log.push_back(Name(c) + (v ? " shown" : " hidden"));
    }
    void SetCaption(const std::string& c) override {
        caption = c;
        log.push_back("caption " + c);
    }
    void PlaceOverMainWindow() override { log.push_back("placed"); }
    void Close() override { log.push_back("closed"); }

    std::string Title() const override { return title; }
    void SetTitle(const std::string& t) override {
        title = t;
        log.push_back("title " + t);
    }
    void SetShowHints(bool v) override {
        hints = v;
        log.push_back(v ? "hints on" : "hints off");
    }
    bool ExitIsCancel() const override { return exitIsCancel; }
    void SetExitIsCancel(bool v) override {
        exitIsCancel = v;
        log.push_back(v ? "exit cancels" : "exit does not cancel");
    }
    void ShowErrorReport(const std::string& text) override { log.push_back("error " + text); }
};

struct Dialog {
    FakePlatform platform;
    AppState state;
    Recorder rec;
    QuickHelp help{rec, rec, platform, state};

    Dialog() {
        platform.exePath = kExe;
        state.iniFileName = kIni;
    }
    void Option(const char* key, const std::string& value) {
        platform.SetProfile(kIni, "Options", key, value);
    }
    // Clicks a box: it changes, then its handler runs.
    void Click(HelpCtl box, void (QuickHelp::*handler)()) {
        rec.boxes[box].checked = !rec.boxes[box].checked;
        (help.*handler)();
    }
};

TEST(QuickHelp, CreationStepsInOrder) {
    struct Case {
        const char* what;
        std::function<void(Dialog&)> arrange;
        std::vector<std::string> log;
        std::vector<std::string> writes;
        std::string memo;
    };
    const std::string notFound = std::string("\r\n") + kReadme +
                                 " could not be found in quillet.exe's directory. Unable to load "
                                 "quick help.\r\n";
    const std::string title300(300, 'T');
    const Case cases[] = {
        {"first run with the readme",
         [](Dialog& d) { d.platform.AddFile(kReadme, "Quillet\nquick help\n"); },
         {"hints off", "placed", "Memo1 text", "caption Quillet quick help", "eAppTitle disabled",
          "bAppTitle disabled"},
         {},
         "Quillet\r\nquick help\r\n"},
        {"no readme: an empty line, then the sentence", [](Dialog&) {},
         {"hints off", "placed", "Memo1 text", "caption Quillet quick help", "eAppTitle disabled",
          "bAppTitle disabled"},
         {},
         notFound},
        {"a readme that cannot be read is reported, and the dialog is made whole",
         [](Dialog& d) {
             d.platform.AddFile(kReadme);
             d.platform.unreadable.insert(FakePlatform::Norm(kReadme));
             d.rec.exitIsCancel = true;
         },
         {"hints off", "placed", std::string("error Cannot open file ") + kReadme, "Memo1 text",
          "caption Quillet quick help", "cCloseOnEsc checked", "exit cancels", "eAppTitle disabled",
          "bAppTitle disabled"},
         {"Options/CloseOnEscape=1"},
         std::string("\r\n") + kReadme +
             " could not be read from quillet.exe's directory. Unable to load quick help.\r\n"},
        {"options on: Escape stores itself again, the others only show",
         [](Dialog& d) {
             d.platform.AddFile(kReadme, "x");
             d.rec.exitIsCancel = true;
             d.state.extraMessages = false;
             d.rec.title = "Mine";
             d.Option("UseCustomTitle", "1");
             d.Option("CustomTitleText", "Mine");
         },
         {"hints off", "placed", "Memo1 text", "caption Mine quick help", "cCloseOnEsc checked",
          "exit cancels", "cNag checked", "eAppTitle text", "bAppTitle enabled", "cAppTitle checked",
          "eAppTitle enabled", "bAppTitle disabled"},
         {"Options/CloseOnEscape=1"},
         "x\r\n"},
        {"a stored title longer than the box takes is cut",
         [&](Dialog& d) {
             d.platform.AddFile(kReadme, "x");
             d.Option("CustomTitleText", title300);
         },
         {"hints off", "placed", "Memo1 text", "caption Quillet quick help", "eAppTitle text",
          "bAppTitle enabled", "eAppTitle disabled", "bAppTitle disabled"},
         {},
         "x\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Dialog d;
        c.arrange(d);
        d.state.quickHelpCreated = true;
        d.help.FormCreate();
        EXPECT_EQ(d.rec.log, c.log);
        EXPECT_EQ(d.platform.profileWrites, c.writes);
        EXPECT_EQ(d.rec.Text(HelpCtl::Memo1), c.memo);
        EXPECT_TRUE(d.state.quickHelpCreated);
        EXPECT_LE(d.rec.Text(HelpCtl::eAppTitle).size(), kMaxTitleLength);
    }
}

TEST(QuickHelp, HandlersTakeEffectAndStoreAtOnce) {
    struct Step {
        const char* what;
        std::function<void(Dialog&)> act;
        std::vector<std::string> log;
        std::vector<std::string> writes;
        bool extraMessages = true;
    };
    const Step steps[] = {
        {"Options shows the panel", [](Dialog& d) { d.help.bOptionsClick(); },
         {"pOptions shown", "bOptions disabled", "bOK disabled", "Memo1 disabled"}, {}},
        {"nag off", [](Dialog& d) { d.Click(HelpCtl::cNag, &QuickHelp::cNagClick); }, {},
         {"Options/ExtraMessages=0"}, false},
        {"Escape allowed", [](Dialog& d) { d.Click(HelpCtl::cCloseOnEsc, &QuickHelp::cCloseOnEscClick); },
         {"exit cancels"}, {"Options/CloseOnEscape=1"}, false},
        {"custom title on", [](Dialog& d) { d.Click(HelpCtl::cAppTitle, &QuickHelp::cAppTitleClick); },
         {"eAppTitle enabled"}, {"Options/UseCustomTitle=1"}, false},
        {"typing enables Apply", [](Dialog& d) {
             d.rec.boxes[HelpCtl::eAppTitle].text = "My tool";
             d.help.eAppTitleChange();
         },
         {"bAppTitle enabled"}, {}, false},
        {"Apply", [](Dialog& d) { d.help.bAppTitleClick(); },
         {"title My tool", "caption My tool", "bAppTitle disabled"}, {"Options/CustomTitleText=My tool"}, false},
        {"typing again, then custom title off: Quillet everywhere, Apply still on",
         [](Dialog& d) {
             d.help.eAppTitleChange();
             d.Click(HelpCtl::cAppTitle, &QuickHelp::cAppTitleClick);
         },
         {"bAppTitle enabled", "eAppTitle disabled", "title Quillet", "caption Quillet"},
         {"Options/UseCustomTitle=0"}, false},
        {"nag on, Escape refused", [](Dialog& d) {
             d.Click(HelpCtl::cNag, &QuickHelp::cNagClick);
             d.Click(HelpCtl::cCloseOnEsc, &QuickHelp::cCloseOnEscClick);
         },
         {"exit does not cancel"}, {"Options/ExtraMessages=1", "Options/CloseOnEscape=0"}},
        {"Close hides the panel", [](Dialog& d) { d.help.Button3Click(); },
         {"pOptions hidden", "bOptions enabled", "bOK enabled", "Memo1 enabled"}, {}},
        {"a key in the text box", [](Dialog& d) {
             char a = 'a', escape = 27;
             d.help.Memo1KeyPress(a);
             d.help.Memo1KeyPress(escape);
         },
         {"closed"}, {}},
        {"OK", [](Dialog& d) { d.help.bOKClick(); }, {"hints off", "closed"}, {}},
    };
    Dialog d;
    d.platform.AddFile(kReadme, "x");
    d.help.FormCreate();
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        d.rec.log.clear();
        d.platform.profileWrites.clear();
        s.act(d);
        EXPECT_EQ(d.rec.log, s.log);
        EXPECT_EQ(d.platform.profileWrites, s.writes);
        EXPECT_EQ(d.state.extraMessages, s.extraMessages);
    }
}

TEST(QuickHelp, CaptionLabelAsTheDialogSetsIt) {
    TLabelEffect label;
    DesignQuickHelpCaption(label);
    EXPECT_EQ(label.Caption(), "Quick help");
    EXPECT_EQ(label.ColourScheme(), csSteel);
    EXPECT_EQ(label.ColourHighlight(), clAqua);
    EXPECT_EQ(label.ColourShadow(), clNavy);
    EXPECT_EQ(label.GraduateFrom(), clWindowText);
    EXPECT_EQ(label.Angle(), 90);
    EXPECT_EQ(label.Alignment(), taLeftJustify);
    EXPECT_EQ(label.Font(), (TLabelFont{"Arial", -35, fsBold | fsItalic, clTeal}));
}

}  // namespace
}  // namespace quillet
