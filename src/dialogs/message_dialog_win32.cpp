#include "dialogs/message_dialog_win32.h"

#include <windows.h>
#include <shellapi.h>

#include <array>

#include "base/error.h"
#include "dialogs/message_layout.h"
#include "ui/application.h"
#include "ui/controls.h"
#include "ui/dpi.h"
#include "ui/form.h"
#include "ui/gdi.h"
#include "ui/geometry.h"
#include "ui/main_form.h"
#include "ui/monitor.h"

namespace quillet {

namespace {

// Measures in the dialog's font on the screen, the device the dialog is
// drawn on; `screen` is the work area of the monitor it opens on.
class GdiMeasurer : public MessageTextMeasurer {
public:
    GdiMeasurer(HFONT font, base::Size screen)
        : dc_(Checked(screen_dc_.Get())), font_(dc_, font), screen_(screen) {}
    GdiMeasurer(const GdiMeasurer&) = delete;
    GdiMeasurer& operator=(const GdiMeasurer&) = delete;

    base::Size TextExtent(const std::string& text) override {
        SIZE size{};
        GetTextExtentPoint32A(dc_, text.c_str(), static_cast<int>(text.size()), &size);
        return {size.cx, size.cy};
    }

    int CellHeight() override {
        TEXTMETRICA tm{};
        GetTextMetricsA(dc_, &tm);
        return tm.tmHeight;
    }

    base::Size WrappedTextSize(const std::string& text, int maxWidth) override {
        // The same flags the word-wrapping label draws with (prefix processing
        // on, tabs expanded), so that the text measured is the text shown.
        RECT r{0, 0, maxWidth, 0};
        DrawTextA(dc_, text.c_str(), static_cast<int>(text.size()), &r,
                  DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_LEFT);
        return {r.right - r.left, r.bottom - r.top};
    }

    int ScreenWidth() override { return screen_.width; }
    int ScreenHeight() override { return screen_.height; }

private:
    static HDC Checked(HDC dc) {
        if (!dc) throw base::Error("Cannot measure the message text");
        return dc;
    }
    const ui::WindowDC screen_dc_;
    const HDC dc_;
    const ui::SelectGuard font_;
    const base::Size screen_;
};

// The dialog's picture. Icons extracted from a file are ours to destroy;
// stock icons and the application's icon are shared.
class DialogIcon {
public:
    explicit DialogIcon(int code) {
        ui::Application& app = ui::Application::Get();
        const MessageIconSource source = MessageIconFor(code);
        if (source.index >= 0) {
            const std::string file = source.systemFile ? kSystemIconFile : app.ExeName();
            HICON icon = ExtractIconA(app.Instance(), file.c_str(), static_cast<UINT>(source.index));
            // 0: no such icon; 1: the file holds no icons at all.
            if (reinterpret_cast<UINT_PTR>(icon) > 1) {
                owned_.Reset(icon);
                handle_ = icon;
                return;
            }
        }
        handle_ = StockPicture(source.fallback);
    }
    DialogIcon(const DialogIcon&) = delete;
    DialogIcon& operator=(const DialogIcon&) = delete;
    HICON Handle() const { return handle_; }

private:
    static HICON StockPicture(StockIcon which) {
        // A system without user.exe's pictures still has the stock ones.
        switch (which) {
        case StockIcon::Hand:
            return LoadIconA(nullptr, IDI_HAND);
        case StockIcon::Question:
            return LoadIconA(nullptr, IDI_QUESTION);
        case StockIcon::Exclamation:
            return LoadIconA(nullptr, IDI_EXCLAMATION);
        case StockIcon::Asterisk:
            return LoadIconA(nullptr, IDI_ASTERISK);
        case StockIcon::Application:
            break;
        }
        return ui::Application::Get().Icon();
    }

    HICON handle_ = nullptr;
    ui::OwnedIcon owned_;
};

// The message text. Its "&" underlines a letter like a button's, but the
// letter belongs to the buttons: the label takes no part in the dialog
// manager's accelerator search, which would otherwise move the focus instead
// of pressing the button with that letter.
class MessageLabel final : public ui::Label {
public:
    using ui::Label::Label;

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_GETDLGCODE) return DefaultProc(msg, wParam, lParam) & ~DLGC_STATIC;
        return ui::Label::WndProc(msg, wParam, lParam);
    }
};

// The owner's face, point size and style (not its colour), or the
// toolkit's font without an owner; the size is kept in points.
void TakeDialogFont(const ui::Form* owner, ui::FormDesign& design) {
    const ui::Font font = owner ? owner->DesignFont() : ui::Font();
    design.fontPoints = font.Size(owner ? owner->Design().dpi : base::kDesignDpi);
    design.font = owner ? ui::Font(font.Name(), 0, font.Style()) : font;
}

}  // namespace

int ShowMessageDialog(const std::string& message, const std::string& caption,
                      const std::string& button1, const std::string& button2,
                      const std::string& button3, int icon, unsigned char defaultButton,
                      ui::Form* owner) {
    ui::Application& app = ui::Application::Get();
    // Declared before the form so that the picture outlives the control showing it.
    const DialogIcon picture(icon);

    ui::FormDesign design;
    design.className = "TMessageDialog";
    design.caption = caption.empty() ? app.Title() : caption;
    design.border = ui::BorderStyle::Dialog;
    // Laid out in code at the DPI of the monitor it opens on: the main
    // window's, over which it is made.
    design.dpi = ui::DpiOfWindow(ui::MainFormHandle());
    TakeDialogFont(owner, design);
    // A provisional size: the frame is read from the real window, and the
    // layout needs it to know the client width.
    design.clientSize = {MessageRowWidth(1, design.dpi), 100};
    ui::Form form(design);
    // The dialog belongs to the application, not to owner: it stays above
    // the main window, whichever window it is centred over.
    form.Create(ui::MainFormHandle());
    const HWND hwnd = form.Handle();

    RECT client{};
    GetClientRect(hwnd, &client);
    const base::Rect outer = form.BoundsRect();
    const base::Size frame{outer.Width() - client.right, outer.Height() - client.bottom};

    // Measured and laid out at the designed DPI, which the form takes at its own.
    // On the owner's monitor, which the rules read as a screen of its own.
    const base::Rect screen = ui::WorkAreaOf(owner ? owner->Handle() : nullptr);
    GdiMeasurer measurer(form.DesignFont().Handle(), screen.Extent());
    const MessageDialogLayout layout =
        LayOutMessageDialog(message, button2, button3, defaultButton, measurer, frame, design.dpi);

    const base::Rect ownerRect = owner ? owner->BoundsRect() : screen;
    const base::Point at =
        PlaceOverOwnerOn(ownerRect, layout.outerWidth, layout.outerHeight, screen);
    form.SetClientSize({layout.clientWidth, layout.clientHeight});
    form.SetPosition(at);

    form.Make<ui::Image>({hwnd, {.name = "Image", .bounds = layout.icon}}).SetIcon(picture.Handle());
    form.Make<MessageLabel>(
        {{hwnd, {.name = "Message", .caption = layout.text, .bounds = layout.label}}, {.wordWrap = true}});

    // Created in tab order: the dialog manager follows the order of creation,
    // and on activation it gives the focus to the first button in it.
    const std::array<const std::string*, 3> texts{&button1, &button2, &button3};
    for (const int n : layout.tabOrder) {
        const auto i = static_cast<std::size_t>(n - 1);
        ui::Button& button = form.Make<ui::Button>(
            {hwnd,
             {.name = "Button" + std::to_string(n), .caption = *texts[i], .bounds = layout.buttons[i]}});
        button.ModalResult = n;
        if (n == layout.cancelButton) button.SetCancel(true);
        if (n == layout.defaultButton) form.SetDefaultButton(&button);
    }
    return form.ShowModal();
}

}  // namespace quillet
