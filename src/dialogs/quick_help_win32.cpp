#include "dialogs/quick_help_win32.h"

#include "base/error.h"
#include "ui/application.h"

namespace quillet {

namespace {

// The speech-balloon icon of Image1 in the program's resources (res/quillet.rc).
constexpr int kQuickHelpIcon = 2;

ui::FormDesign QuickHelpDesign() {
    ui::FormDesign design;
    design.className = "TQuickHelp";
    design.clientSize = {523, 355};
    design.border = ui::BorderStyle::DialogNoSysMenu;
    design.font = ui::Font("Helv", -11, base::fsBold);
    return design;
}

// Puts a control above its siblings, where it is drawn over those it lies on.
// The dialog manager's Tab order follows this order too: the control moves
// to the front of its parent's cycle.
void DrawnOverSiblings(ui::Control& control) {
    SetWindowPos(control.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// The application around a quick-help dialog, windowed or not.
class QuickHelpApplication : public QuickHelpHost {
public:
    explicit QuickHelpApplication(ui::Button& exitButton) : exit_(exitButton) {}

    std::string Title() const override { return ui::Application::Get().Title(); }
    // The main window follows the title.
    void SetTitle(const std::string& title) override { ui::Application::Get().SetTitle(title); }
    void SetShowHints(bool show) override { ui::Application::Get().SetShowHint(show); }
    bool ExitIsCancel() const override { return exit_.Cancel(); }
    void SetExitIsCancel(bool cancel) override { exit_.SetCancel(cancel); }
    void ShowErrorReport(const std::string& text) override {
        ui::Application::Get().ShowException(text);
    }

private:
    ui::Button& exit_;
};

}  // namespace

class TQuickHelp::View : public QuickHelpView {
public:
    explicit View(TQuickHelp& dialog) : dialog_(dialog) {}

    std::string Text(HelpCtl ctl) const override { return Controls().Text(ctl); }
    void SetText(HelpCtl ctl, const std::string& text) override { Controls().SetText(ctl, text); }
    bool Checked(HelpCtl ctl) const override { return Controls().Checked(ctl); }
    void SetChecked(HelpCtl ctl, bool checked) override {
        // BM_SETCHECK itself: CheckBox::SetChecked would raise the click too.
        SendMessageA(Box(ctl).Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    void SetEnabled(HelpCtl ctl, bool enabled) override { Controls().SetEnabled(ctl, enabled); }
    void SetVisible(HelpCtl ctl, bool visible) override { Controls().SetVisible(ctl, visible); }
    void SetCaption(const std::string& caption) override { dialog_.SetCaption(caption); }
    void PlaceOverMainWindow() override { ui::CenterOverForm(dialog_.setup_.mainForm, dialog_); }
    void Close() override { dialog_.Close(); }

private:
    const ui::ControlTable<HelpCtl>& Controls() const { return dialog_.controls_; }
    ui::CheckBox& Box(HelpCtl ctl) const { return dynamic_cast<ui::CheckBox&>(dialog_.Get(ctl)); }
    TQuickHelp& dialog_;
};

TQuickHelp::TQuickHelp(const QuickHelpSetup& setup)
    : ui::Form(QuickHelpDesign()),
      setup_(setup),
      view_(std::make_unique<View>(*this)),
      host_(std::make_unique<QuickHelpApplication>(setup.exitButton)),
      handlers_(*view_, *host_, setup.platform, setup.state) {}

void TQuickHelp::Create() {
    ui::Form::Create(setup_.mainForm.Handle());
    CreateControls();
    handlers_.FormCreate();
}

TQuickHelp::~TQuickHelp() = default;

void TQuickHelp::FocusOn(HelpCtl ctl) {
    SendMessageA(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Get(ctl).Handle()), TRUE);
}

void TQuickHelp::CreateControls() {
    HWND self = Handle();
    auto& image =
        Make<ui::Image>({self, {.name = "Image1", .bounds = base::RectAt(12, 16, 32, 32), .tabStop = false}});
    image.SetIcon(LoadIconA(ui::Application::Get().Instance(), MAKEINTRESOURCEA(kQuickHelpIcon)));

    auto& caption = Make<TLabelEffectControl>(
        {*this, {.name = "LabelEffect1", .bounds = base::RectAt(-75, 118, 160, 293), .tabStop = false}});
    DesignQuickHelpCaption(caption.Label());

    // The form's controls in tab order. The options panel covers the text
    // box when it shows, and the box leaves it alone.
    auto& memo = Make<ui::Memo>({{self, {.name = "Memo1", .bounds = base::RectAt(56, 16, 453, 289)}},
                                 {.style = ES_READONLY | WS_VSCROLL | WS_CLIPSIBLINGS, .wordWrap = true}});
    memo.SetFont(ui::Font("Fixedsys", -12));
    SendMessageA(memo.Handle(), EM_SETLIMITTEXT, 0, 0);  // the readme may be long
    memo.SetText("\r\n");                                 // one empty line
    memo.OnKeyPress = [this](ui::Control&, char& key) { handlers_.Memo1KeyPress(key); };
    controls_.Add(HelpCtl::Memo1, memo);

    auto& panel = Make<ui::Panel>(
        {{self, {.name = "pOptions", .bounds = base::RectAt(76, 18, 413, 286), .tabStop = false}},
         {.bevel = ui::BevelKind::Raised}});
    panel.SetVisible(false);
    controls_.Add(HelpCtl::pOptions, panel);

    auto& options = Make<ui::Button>(
        {self, {.name = "bOptions", .caption = "&Options", .bounds = base::RectAt(56, 316, 75, 23)}});
    options.OnClick = [this](ui::Widget&) {
        handlers_.bOptionsClick();
        FocusOn(HelpCtl::cCloseOnEsc);
    };
    controls_.Add(HelpCtl::bOptions, options);

    auto& ok =
        Make<ui::Button>({self, {.name = "bOK", .caption = "&OK", .bounds = base::RectAt(450, 316, 61, 23)}});
    ok.ModalResult = ui::mrOk;
    ok.SetCancel(true);
    SetDefaultButton(&ok);
    ok.OnClick = [this](ui::Widget&) { handlers_.bOKClick(); };
    controls_.Add(HelpCtl::bOK, ok);

    // The panel's controls, the check boxes and buttons in its tab order.
    HWND p = panel.Handle();
    const ui::Font explanation("Helv", -11);
    // The line runs through the heading's box: made first, it lies above
    // the heading, which leaves it alone.
    Make<ui::Bevel>({p, {.name = "Bevel1", .bounds = base::RectAt(12, 28, 387, 2), .tabStop = false}});
    auto& heading = Make<ui::Label>({{p,
                                      {.name = "Label2",
                                       .caption = "Interface options",
                                       .bounds = base::RectAt(14, 8, 285, 25),
                                       .tabStop = false}},
                                     {.style = WS_CLIPSIBLINGS}});
    heading.SetFont(ui::Font("Arial", -16, base::fsBold));
    auto& note = Make<ui::Label>(
        {{p,
          {.name = "Label1",
           .caption = "Interface options are applied even if the Save Settings button is not checked.",
           .bounds = base::RectAt(16, 36, 385, 21),
           .tabStop = false}},
         {.wordWrap = true}});
    note.SetVisible(false);

    auto box = [&](HelpCtl ctl, const char* name, const char* caption, int top, int width,
                   void (QuickHelp::*handler)()) {
        auto& b = Make<ui::CheckBox>(
            {p, {.name = name, .caption = caption, .bounds = base::RectAt(16, top, width, 17)}});
        b.OnClick = [this, handler](ui::Widget&) { (handlers_.*handler)(); };
        controls_.Add(ctl, b);
    };
    auto explain = [&](const char* name, const char* text, int top, int height) {
        Make<ui::Label>({{p,
                          {.name = name,
                           .caption = text,
                           .bounds = base::RectAt(36, top, 357, height),
                           .tabStop = false}},
                         {.wordWrap = true}})
            .SetFont(explanation);
    };
    box(HelpCtl::cCloseOnEsc, "cCloseOnEsc", "Allow close-on-Escape", 60, 153,
        &QuickHelp::cCloseOnEscClick);
    explain("Label3",
            "This allows you to quick-close the applet using the ESC key. Not recommended if you "
            "have a habit of pounding the escape key after making casual errors.",
            76, 49);
    box(HelpCtl::cNag, "cNag", "Turn off extra messages and prompts", 120, 313, &QuickHelp::cNagClick);
    explain("Label4",
            "Check this option if you don't need to be told every time a clipboard copy or file "
            "save is performed, an interface option is changed or a screen resolution conflict is "
            "discovered.",
            136, 49);
    box(HelpCtl::cAppTitle, "cAppTitle", "Use custom application title", 180, 361,
        &QuickHelp::cAppTitleClick);

    auto& close = Make<ui::Button>(
        {p, {.name = "Button3", .caption = "&Close", .bounds = base::RectAt(324, 248, 75, 23)}});
    close.OnClick = [this](ui::Widget&) {
        handlers_.Button3Click();
        FocusOn(HelpCtl::bOptions);
    };

    // Made just before the title box, which a screen reader names after it.
    explain("Label5", "Don't like our applet title? Then define your own application title below.",
            196, 17);

    // The edit leaves the button that lies over its right end alone, and
    // its text stays clear of it.
    auto& title = Make<ui::Edit>(
        {{p, {.name = "eAppTitle", .caption = kTitleBoxText, .bounds = base::RectAt(36, 216, 361, 21)}},
         {.style = WS_CLIPSIBLINGS, .rightMargin = 50}});
    SendMessageA(title.Handle(), EM_SETLIMITTEXT, kMaxTitleLength, 0);
    title.OnChange = [this](ui::Widget&) { handlers_.eAppTitleChange(); };
    controls_.Add(HelpCtl::eAppTitle, title);

    auto& apply = Make<ui::Button>(
        {p, {.name = "bAppTitle", .caption = "&Apply", .bounds = base::RectAt(348, 217, 48, 19)}});
    apply.SetFont(ui::Font("Small", -11, base::fsBold));
    apply.OnClick = [this](ui::Widget&) { handlers_.bAppTitleClick(); };
    controls_.Add(HelpCtl::bAppTitle, apply);
    // The button is drawn over the edit. Putting it first among the panel's
    // children keeps the cycle of Tab through the panel, whose controls are
    // the only ones that take the focus while it shows.
    DrawnOverSiblings(apply);
    // The same for the panel over the text box: the form's other controls
    // are disabled while it shows.
    DrawnOverSiblings(panel);
}

HiddenQuickHelp::HiddenQuickHelp(const QuickHelpSetup& setup)
    : host_(std::make_unique<QuickHelpApplication>(setup.exitButton)),
      handlers_(values_, *host_, setup.platform, setup.state) {
    handlers_.FormCreate();
}

HiddenQuickHelp::~HiddenQuickHelp() = default;

void ShowQuickHelp(const QuickHelpSetup& setup) {
    TQuickHelp dialog(setup);
    dialog.Create();
    dialog.ShowModal();
}

}  // namespace quillet
