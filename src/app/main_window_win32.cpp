#include "app/main_window_win32.h"

#include "app/flows.h"
#include "app/main_form_setup_win32.h"
#include "base/error.h"
#include "config/builder.h"
#include "config/detection.h"
#include "config/profiles.h"
#include "core/settings.h"
#include "dialogs/message_dialog_win32.h"
#include "dialogs/quick_help_win32.h"
#include "output/save.h"
#include "ui/application.h"
#include "ui/geometry.h"

namespace quillet {

namespace {

const char* const kRadioHint =
    "These buttons select the target Delphi command-line compiler for which you wish to create "
    "a .CFG file. Options are enabled, disabled or renamed depending on which version of Delphi "
    "you want to use.";

ui::FormDesign MainFormDesign() {
    ui::FormDesign design;
    design.className = "TCFGFace";
    design.caption = "Quillet";
    design.clientSize = {498, 438};
    design.position = base::Point{142, 19};
    design.border = ui::BorderStyle::Single;
    design.font = ui::Font("Helv", -11, base::fsBold);
    // The caption is the application's title, also when the quick-help
    // window changes it.
    design.followsTitle = true;
    return design;
}

struct LabelRow {
    Ctl ctl;
    ui::ControlDesign design;
};

// Labels (no tab stop). Each is made just before the control it names, so
// that a screen reader names the control after it, and an access key in its
// caption would move to that control.
const LabelRow kLabels[] = {
    {Ctl::Label1,
     {.name = "Label1", .caption = "Target:", .bounds = base::RectAt(16, 12, 42, 13), .tabStop = false}},
    {Ctl::lExepath,
     {.name = "lExepath",
      .caption = "Current path to command line compiler:",
      .bounds = base::RectAt(112, 12, 222, 13),
      .tabStop = false}},
    {Ctl::lUnit,
     {.name = "lUnit",
      .caption = "Unit directories:",
      .bounds = base::RectAt(16, 84, 91, 13),
      .tabStop = false}},
    {Ctl::lInc,
     {.name = "lInc",
      .caption = "Include directories:",
      .bounds = base::RectAt(16, 124, 110, 13),
      .tabStop = false}},
    {Ctl::lObject,
     {.name = "lObject",
      .caption = "Object directories:",
      .bounds = base::RectAt(16, 164, 105, 13),
      .tabStop = false}},
    {Ctl::lAlias,
     {.name = "lAlias", .caption = "Aliases:", .bounds = base::RectAt(16, 204, 45, 13), .tabStop = false}},
    {Ctl::Label3,
     {.name = "Label3",
      .caption = "Current configuration (for manual editing)",
      .bounds = base::RectAt(16, 284, 233, 13),
      .tabStop = false}},
};

}  // namespace

TCFGFace::TCFGFace() : ui::Form(MainFormDesign()) {}

void TCFGFace::Create() {
    ui::Form::Create(nullptr);
    CreateControls();
    OnClose = [this](ui::Form&) { FormClose(); };
    FormCreate();
    // Only a window that was made whole becomes the main form.
    ui::Application::Get().SetMainForm(this);
}

TCFGFace::~TCFGFace() {
    if (ui::Application::Get().MainForm() == this) ui::Application::Get().SetMainForm(nullptr);
}

void TCFGFace::CreateControls() {
    HWND self = Handle();
    auto label = [&](Ctl ctl) {
        for (const LabelRow& row : kLabels) {
            if (row.ctl == ctl) controls_.Add(ctl, Make<ui::Label>({self, row.design}));
        }
    };

    // Controls in tab order.
    label(Ctl::Label1);
    // The captions come from the version profiles; the three form one group.
    auto radio = [&](Ctl ctl, const char* name, Version version, int top) {
        auto& r = Make<ui::RadioButton>({{self,
                                          {.name = name,
                                           .caption = ProfileOf(version).radioCaption,
                                           .bounds = base::RectAt(16, top, 80, 17),
                                           .hint = kRadioHint}},
                                         {.group = "version"}});
        r.OnClick = [this](ui::Widget&) { rD1Click(); };
        controls_.Add(ctl, r);
    };
    radio(Ctl::rD1, "rD1", Version::D1, 28);
    radio(Ctl::rD2, "rD2", Version::D2, 44);
    radio(Ctl::rD3, "rD3", Version::D3, 60);

    label(Ctl::lExepath);

    auto& exe = Make<TElipsisEdit>(
        {{self,
          {.name = "eExepath",
           .bounds = base::RectAt(112, 28, 369, 21),
           .hint = "The location of DCC.EXE (or dcc32.exe) is critical to the success of the "
                   "applet. If it doesn't show up here, you''ll need to use the [...] button to "
                   "locate it before you can save your compiler configuration file."}},
         {.autoSize = false, .style = WS_GROUP}});
    exe.OnElipsisClick = [this](ui::Widget&) { eExepathElipsisClick(); };
    controls_.Add(Ctl::eExepath, exe);

    auto& bat =
        Make<ui::CheckBox>({self,
                            {.name = "cBatfile",
                             .caption = "Create pausing .BAT file",
                             .bounds = base::RectAt(288, 60, 169, 17),
                             .hint = "We've found it useful to use a batchfile with a PAUSE statement to run "
                                     "command line compilers so we can see the last error reported by the "
                                     "compiler (if any) and/or close the console window with a single "
                                     "keypress on completion of compilation."}});
    bat.SetVisible(false);  // the batch file is written for every 32-bit save
    controls_.Add(Ctl::cBatfile, bat);

    controls_.Add(
        Ctl::cShortcut,
        Make<ui::CheckBox>({self,
                            {.name = "cShortcut",
                             .caption = "Create &desktop shortcut",
                             .bounds = base::RectAt(112, 60, 161, 17),
                             .hint = "You might find it handy to create a desktop shortcut to the compiler "
                                     "or its batchfile. You can drag a .DPR file directly to the icon to "
                                     "compile.  If you use an icon dock or drag-and-drop enabled menu, then "
                                     "you won't need a shortcut."}}));

    auto edit = [&](Ctl caption, Ctl ctl, const char* name, int top, const char* hint) {
        label(caption);
        auto& e =
            Make<ui::Edit>({self, {.name = name, .bounds = base::RectAt(16, top, 465, 21), .hint = hint}});
        e.OnChange = [this](ui::Widget&) { FieldsChanged(ctx_); };
        controls_.Add(ctl, e);
    };
    edit(Ctl::lUnit, Ctl::eUnit, "eUnit", 100,
         "Unit directories are where your .DCU files (or unbuilt .PAS files) are located. "
         "Directory lists in these three fields are semicolon-separated. By default, the unit "
         "and include directory fields are the same for all Delphi versions.");
    edit(Ctl::lInc, Ctl::eInc, "eInc", 140,
         "Include directories are where additional files are located. In most cases, Unit "
         "directories should be duplicated in the Include field. Additionally, Delphi 3's "
         "DCC32.EXE requires that the \\SLib\\ and \\Bin\\ directories appear in "
         "unit\\include\\object fields.");
    edit(Ctl::lObject, Ctl::eObject, "eObject", 180,
         "Delphi 1 displays this field as Resource directories and uses the \\LIB\\ directory "
         "only as a default; Delphi 2 and 3 can more easily use BC++ .OBJ files so this .CFG "
         "entry is used for object file directories.");
    edit(Ctl::lAlias, Ctl::eAlias, "eAlias", 220,
         "The aliases entry in the .CFG is only for forward compatibility and needed only for "
         "Delphi 2 and 3. The field fetches the default list of aliases stored in Delphi's "
         "registry entries as the contents of this field.");

    auto& hints = Make<ui::CheckBox>(
        {self,
         {.name = "HintsOn",
          .caption = "Hints and tips",
          .bounds = base::RectAt(16, 256, 97, 17),
          .hint = "Activates and deactivates the hinting function. Disabled by default. "
                  "Take a moment to browse the hints for all controls. They'll provide you "
                  "with useful information about the use and purpose of the applet."}});
    hints.OnClick = [this](ui::Widget&) { HintsOnClick(); };
    controls_.Add(Ctl::HintsOn, hints);

    auto button = [&](Ctl ctl, const char* name, const char* caption, int left, int width, const char* hint,
                      void (TCFGFace::*handler)()) -> ui::Button& {
        auto& b = Make<ui::Button>(
            {self,
             {.name = name, .caption = caption, .bounds = base::RectAt(left, 252, width, 23), .hint = hint}});
        b.OnClick = [this, handler](ui::Widget&) { (this->*handler)(); };
        controls_.Add(ctl, b);
        return b;
    };
    button(Ctl::bUpdate, "bUpdate", "&Update fields", 144, 99,
           "If you modified registry or DELPHI.INI settings or saved a prior configuration while "
           "working with the applet, refill the four fields above by pressing this button. "
           "Manual changes made to edit fields will be lost.",
           &TCFGFace::bUpdateClick);
    button(Ctl::bCreate, "bCreate", "&Create", 248, 55,
           "All this button does is build the fields entered above into a stringlist and assign "
           "the stringlist to the memo below. Prior to doing this, it does some rudimentary "
           "error checking on the fields and alerts you if additional changes need to be made.",
           &TCFGFace::bCreateClick);
    button(Ctl::bSave, "bSave", "&Save", 308, 55,
           "The .CFG isn't actually saved until this button is pressed, and this button is only "
           "active when the .CFG is ready to be saved. It also sets up your desktop shortcut and "
           "writes your .BAT file if those options have been specified.",
           &TCFGFace::bSaveClick);
    button(Ctl::bHelp, "bHelp", "&Help", 368, 55,
           "Opens the Quick Help dialog. Additional online help in helpfile or HTML format may be "
           "available by pressing F1 (online help is version-dependent).",
           &TCFGFace::bHelpClick);
    bExit_ = &button(Ctl::bExit, "bExit", "E&xit", 428, 55, "", &TCFGFace::bExitClick);

    label(Ctl::Label3);
    auto& memo =
        Make<ui::Memo>({{self,
                         {.name = "Memo1",
                          .bounds = base::RectAt(16, 300, 465, 121),
                          .hint = "The current .CFG appears here when the Create button is pressed and the "
                                  ".CFG fields are deemed valid. You can perform final editing on the "
                                  "configuration here prior to saving it, because the memo contents are what "
                                  "is actually saved to disk."}},
                        {.style = ES_WANTRETURN | WS_VSCROLL | WS_HSCROLL}});
    // Configuration lines can be long; the box must not cut them.
    SendMessageA(memo.Handle(), EM_SETLIMITTEXT, 0, 0);
    memo.OnKeyPress = [this](ui::Control&, char& key) { Memo1KeyPress(key); };
    controls_.Add(Ctl::Memo1, memo);

    BD1_ = std::make_unique<TBrowseDirectoryDlg>(Handle());
    BD1_->SetRoot(idDrives);
    BD1_->SetShowSelectionInStatus(false);
    BD1_->SetCaption("Select Delphi 1 \\LIB\\ directory");

    BH1_ = std::make_unique<TBalloonHint>(BalloonApp());
    BH1_->SetBorderColor(base::clBlack);
    BH1_->SetColor(base::clWindow);
    BH1_->SetFont(base::FontDescription{.height = -11, .weight = base::kFontWeightBold,
                                        .charSet = base::kDefaultCharSet, .name = "Helv",
                                        .color = base::clWindowText});
    BH1_->SetMaxWidth(-3);
    BH1_->SetBehavior({bbNoShowMouseDown, bbUseRegions, bbHideOnPaint});
    BH1_->SetPosition(bpBelowLeft);
    BH1_->SetShadowDepth(8);
    BH1_->SetShape(bsRoundRect);
    BH1_->SetStyle(hsCustom);
    BH1_->SetActive(true);
}

// ---- handlers ----

void TCFGFace::FormCreate() {
    SetupMainForm(*this);
    state_.offersElevation = true;
    Settings settings(platform_, state_.iniFileName);
    bExit_->SetCancel(settings.CloseOnEscape());
    Get(Ctl::bSave).SetEnabled(false);
}

void TCFGFace::FormClose() {
    // A minimised window is far off the screen: keep where it stands when
    // restored, as the next start would otherwise open it out of sight.
    base::Rect r = BoundsRect();
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (IsIconic(Handle()) && GetWindowPlacement(Handle(), &placement)) {
        r = ui::FromRECT(placement.rcNormalPosition);
    }
    Settings(platform_, state_).SavePosition(r.left, r.top);
}

void TCFGFace::rD1Click() { quillet::rD1Click(ctx_); }

void TCFGFace::bUpdateClick() { quillet::bUpdateClick(ctx_); }

void TCFGFace::eExepathElipsisClick() { quillet::eExepathElipsisClick(ctx_); }

void TCFGFace::bCreateClick() { quillet::bCreateClick(ctx_); }

void TCFGFace::bSaveClick() { quillet::bSaveClick(ctx_); }

void TCFGFace::bExitClick() { Close(); }

void TCFGFace::bHelpClick() { ShowQuickHelp({*this, *bExit_, platform_, state_}); }

void TCFGFace::HintsOnClick() {
    ui::Application::Get().SetShowHint(static_cast<ui::CheckBox&>(Get(Ctl::HintsOn)).Checked());
}

void TCFGFace::Memo1KeyPress(char& key) {
    if (key == 27 && bExit_->Cancel()) Close();
}

// ---- MainView ----

std::string TCFGFace::Text(Ctl ctl) const { return controls_.Text(ctl); }

void TCFGFace::SetText(Ctl ctl, const std::string& text) { controls_.SetText(ctl, text); }

bool TCFGFace::Enabled(Ctl ctl) const { return controls_.Enabled(ctl); }

void TCFGFace::SetEnabled(Ctl ctl, bool enabled) { controls_.SetEnabled(ctl, enabled); }

bool TCFGFace::Checked(Ctl ctl) const { return controls_.Checked(ctl); }

// ---- Prompts ----

int TCFGFace::ShowMessageDialog(const std::string& message, const std::string& caption,
                                const std::string& button1, const std::string& button2,
                                const std::string& button3, int icon,
                                unsigned char defaultButton) {
    return quillet::ShowMessageDialog(message, caption, button1, button2, button3, icon,
                                      defaultButton, this);
}

bool TCFGFace::RunCompilerSelector(Version version, std::string& fileName) {
    return selectors_.Run(version, Handle(), fileName);
}

void TCFGFace::SetSelectorInitialDir(Version version, const std::string& dir) {
    selectors_.SetInitialDir(version, dir);
}

bool TCFGFace::BrowseForLibraryDir(std::string& path) {
    if (!BD1_->Execute()) return false;
    path = BD1_->Selection();
    return true;
}

void TCFGFace::ShowErrorReport(const std::string& text) {
    ui::Application::Get().ShowException(text);
}

}  // namespace quillet
