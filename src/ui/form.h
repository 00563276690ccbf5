// A top-level window of ours. Forms run on the system's dialog manager
// (DefDlgProc), which gives them keyboard navigation, default-button handling
// and focus restoring; the controls are created in code, in tab order.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/container.h"
#include "ui/controls.h"
#include "ui/dpi.h"
#include "ui/font.h"
#include "ui/window.h"

namespace ui {

enum class BorderStyle {
    Single,  // fixed frame, system menu and minimise box
    Dialog,  // fixed dialog frame, close box only
    DialogNoSysMenu,  // fixed dialog frame, no title-bar buttons
};

// Every windowed control made on a form takes the form's next identifier, in
// the order the controls are made, from this one up: clear of IDOK and
// IDCANCEL, which the dialog manager sends. The order is part of what other
// programs see (the main window's Save button is 114).
inline constexpr int kFirstControlId = 100;

// Results a modal form may end with.
enum ModalResultValue { mrNone = 0, mrOk = 1, mrCancel = 2 };

// A form as designed. Its measures, its controls' bounds and the pixel
// heights of its fonts are given for a screen of `dpi` (96 unless a form is
// laid out in code at a DPI it knows); the form takes each at the DPI of its
// monitor.
struct FormDesign {
    std::string className;     // window class, also how other programs find us
    std::string caption;
    base::Size clientSize;
    // The window's top-left corner on the screen; none: at its owner's
    // centre, or at the screen's corner without one, until it is placed.
    std::optional<base::Point> position;
    BorderStyle border = BorderStyle::Single;
    Font font;
    // When not 0, the font's size in points, taken at the form's DPI
    // instead of its height.
    int fontPoints = 0;
    int dpi = base::kDesignDpi;
    // The caption is the application's title and changes with it.
    bool followsTitle = false;
};

class Form : public Window, public Container {
public:
    explicit Form(FormDesign design);
    ~Form() override;

    // Makes the window (hidden). `owner` keeps it above that window.
    void Create(HWND owner);
    HWND ContainerHandle() const override { return Handle(); }

    const FormDesign& Design() const { return design_; }
    // The form's font at its DPI, and as designed.
    const Font& GetFont() const { return font_; }
    const Font& DesignFont() const { return design_.font; }

    // The DPI the form is drawn at: its monitor's. A designed measure at
    // that DPI, and a designed font.
    int Dpi() const { return dpi_; }
    int Scale(int designed) const { return base::ScaleForDpi(designed, dpi_, design_.dpi); }
    Font ScaledFont(const Font& designed) const;
    std::string Caption() const;
    void SetCaption(const std::string& caption);

    // Outer rectangle in screen coordinates.
    base::Rect BoundsRect() const;
    // Gives the client area a designed size, at the form's DPI.
    void SetClientSize(base::Size designed);
    void SetPosition(base::Point topLeft);
    int Left() const { return BoundsRect().left; }
    int Top() const { return BoundsRect().top; }
    int Width() const;
    int Height() const;

    // Makes a control of kind T from its Args and keeps it. Controls are
    // made in tab order; `extra` goes to T's constructor after the form.
    template <class T, class... Extra>
    T& Make(const typename T::Args& args, Extra&&... extra) {
        auto control = std::make_unique<T>(*this, std::forward<Extra>(extra)...);
        control->Create(args);
        T& made = *control;
        controls_.push_back(std::move(control));
        return made;
    }
    Widget* FindControl(const std::string& name) const;
    const std::vector<std::unique_ptr<Widget>>& Controls() const { return controls_; }
    // The identifier of the next windowed control (see kFirstControlId).
    int NextControlId() { return nextId_++; }

    // The button that Enter presses (made the dialog manager's default) and
    // the one Escape presses.
    void SetDefaultButton(Button* button);
    Button* DefaultButton() const { return default_; }
    Button* CancelButton() const;

    void Show();
    void Hide();
    // Shows the form modally and returns its ModalResult; all other windows
    // of the program take no input meanwhile.
    int ShowModal();
    int ModalResult = mrNone;

    // Closes the form: OnClose runs, then a modal form ends with mrCancel
    // unless a result is set, and the main form ends the program.
    void Close();
    std::function<void(Form&)> OnClose;

    static Form* FromHandle(HWND hwnd);

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT ClassDefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    CreateParams FormParams(HWND owner) const;
    void HandleCommand(WPARAM wParam);
    // Lays the form out again at `dpi`: its font, every control's bounds and
    // font from their designs, and its designed client size, with the
    // window's top-left corner at `suggested`'s (screen coordinates) when
    // given.
    void ApplyDpi(int dpi, const base::Rect* suggested);
    // The outer size of the designed client area at the form's DPI: with the
    // frame the window has, or (FramedSize) the frame its style gives.
    base::Size OuterSize() const;
    base::Size FramedSize() const;
    // The form's font at its DPI, made now: the controls share it.
    void TakeFontAtDpi();
    // The designed font at its size in points, at `dpi`.
    Font FontAtPoints(int dpi) const;

    FormDesign design_;
    int dpi_ = base::kDesignDpi;
    Font font_;
    std::vector<std::unique_ptr<Widget>> controls_;
    Button* default_ = nullptr;
    int nextId_ = kFirstControlId;
    bool modal_ = false;
};

// Centres `dialog` over `owner`, keeping it on the screen.
void CenterOverForm(const Form& owner, Form& dialog);

}  // namespace ui
