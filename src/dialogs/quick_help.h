// The quick-help dialog's behaviour: what its creation does, in order, and
// what each of its handlers does, written against the dialog's controls, the
// application around it, the platform and the program's shared state. The
// Win32 dialog (quick_help_win32.h) makes the controls and wires their
// events here.
#pragma once

#include <cstddef>
#include <map>
#include <string>

#include "components/label_effect.h"
#include "core/app_state.h"
#include "core/platform.h"

namespace quillet {

inline constexpr const char* kDefaultTitle = "Quillet";
// The longest custom title that is stored and applied.
inline constexpr std::size_t kMaxTitleLength = 255;
inline constexpr const char* kQuickHelpFile = "readme.txt";
// The title box's text until a stored custom title replaces it.
inline constexpr const char* kTitleBoxText = "Enter custom title text here";

// The dialog's controls that the handlers read and change.
enum class HelpCtl {
    Memo1, pOptions, bOptions, bOK, cCloseOnEsc, cNag, cAppTitle, eAppTitle, bAppTitle,
};

class QuickHelpView {
public:
    virtual ~QuickHelpView() = default;
    // Memo1: its lines, each ended by CR LF. eAppTitle: the title box's text.
    virtual std::string Text(HelpCtl ctl) const = 0;
    virtual void SetText(HelpCtl ctl, const std::string& text) = 0;
    virtual bool Checked(HelpCtl ctl) const = 0;
    // Changes the box only; the handlers decide what a change runs.
    virtual void SetChecked(HelpCtl ctl, bool checked) = 0;
    virtual void SetEnabled(HelpCtl ctl, bool enabled) = 0;
    virtual void SetVisible(HelpCtl ctl, bool visible) = 0;
    virtual void SetCaption(const std::string& caption) = 0;
    // Centres the dialog over the main window, keeping it on the screen.
    virtual void PlaceOverMainWindow() = 0;
    virtual void Close() = 0;
};

// The dialog's controls as plain values, as a window would hold them when
// just made: one empty line of text, the title box's first text, every box
// unchecked. Nothing shows, so placing, showing and closing change nothing.
class QuickHelpValues : public QuickHelpView {
public:
    std::string Text(HelpCtl ctl) const override;
    void SetText(HelpCtl ctl, const std::string& text) override;
    bool Checked(HelpCtl ctl) const override;
    void SetChecked(HelpCtl ctl, bool checked) override;
    bool Enabled(HelpCtl ctl) const;
    void SetEnabled(HelpCtl ctl, bool enabled) override;
    void SetVisible(HelpCtl, bool) override {}
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption) override { caption_ = caption; }
    void PlaceOverMainWindow() override {}
    void Close() override {}

private:
    struct Value {
        std::string text;
        bool checked = false;
        bool enabled = true;
    };
    Value& At(HelpCtl ctl);
    const Value* Find(HelpCtl ctl) const;

    std::map<HelpCtl, Value> values_{{HelpCtl::Memo1, {"\r\n"}}, {HelpCtl::eAppTitle, {kTitleBoxText}}};
    std::string caption_;
};

// What the dialog changes outside itself.
class QuickHelpHost {
public:
    virtual ~QuickHelpHost() = default;
    virtual std::string Title() const = 0;
    // The application's title: the taskbar's, the main window's caption and
    // the message dialog's default caption.
    virtual void SetTitle(const std::string& title) = 0;
    virtual void SetShowHints(bool show) = 0;
    // Whether Escape presses the main window's Exit button.
    virtual bool ExitIsCancel() const = 0;
    virtual void SetExitIsCancel(bool cancel) = 0;
    // The application's general error report.
    virtual void ShowErrorReport(const std::string& text) = 0;
};

class QuickHelp {
public:
    QuickHelp(QuickHelpView& view, QuickHelpHost& host, Platform& platform, AppState& state);

    void FormCreate();
    void bOKClick();
    void bOptionsClick();
    void Button3Click();
    void ShowOptionsPanel(bool show);
    void cCloseOnEscClick();
    void cNagClick();
    void cAppTitleClick();
    void eAppTitleChange();
    void bAppTitleClick();
    void Memo1KeyPress(char& key);

private:
    // Sets a check box as a click would, running its handler when it changes.
    void CheckAsClick(HelpCtl box, bool checked, void (QuickHelp::*handler)());
    void LoadText();
    void Store(const char* key, const std::string& value);

    QuickHelpView& view_;
    QuickHelpHost& host_;
    Platform& platform_;
    AppState& state_;
};

// The dialog's large caption: "Quick help" turned 90 degrees in the steel
// colours, set in the order the dialog sets it.
void DesignQuickHelpCaption(TLabelEffect& label);

}  // namespace quillet
