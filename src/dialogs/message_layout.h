// The arithmetic of the message dialog: where the icon, the text and the
// buttons go, how big the window is, which buttons exist and how they take
// the keyboard, where the window sits over its owner, and which picture an
// icon code asks for. Text is measured through MessageTextMeasurer so that the
// rules run without windows; the Win32 dialog measures with GDI in its font.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "base/dpi.h"
#include "base/geometry.h"

namespace quillet {

// Measures text in the dialog's font.
class MessageTextMeasurer {
public:
    virtual ~MessageTextMeasurer() = default;
    // One line of text, as the text-extent call gives it.
    virtual base::Size TextExtent(const std::string& text) = 0;
    // The font's cell height (ascent plus descent).
    virtual int CellHeight() = 0;
    // The smallest box that holds `text` laid out with word wrapping inside
    // `maxWidth`; line feeds start new lines and "&" marks an accelerator
    // (not shown; "&&" shows one "&"). Wider than maxWidth when a single word is.
    virtual base::Size WrappedTextSize(const std::string& text, int maxWidth) = 0;
    virtual int ScreenWidth() = 0;
    virtual int ScreenHeight() = 0;
};

// The text whose height is the dialog's line height.
inline constexpr const char* kLineHeightSample =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

// Designed for 96 DPI; the layout takes them at the dialog's DPI.
inline constexpr int kMessageButtonWidth = 77;
inline constexpr int kMinMessageButtonHeight = 23;
inline constexpr int kMessageIconLeft = 20;
inline constexpr int kMessageIconSize = 32;
inline constexpr int kMessageLabelLeft = 72;
inline constexpr int kMessageRightMargin = 30;
inline constexpr int kGapAboveButtons = 20;

// The buttons a dialog shows: button 1 always, button 2 when its text is not
// empty, button 3 only when buttons 2 and 3 both have text.
int MessageButtonCount(const std::string& button2, const std::string& button3);

// The default button (the one Enter presses): `defaultButton` when that button
// exists, else 0 for none.
int MessageDefaultButton(int buttonCount, unsigned char defaultButton);

// The cancel button (the one Escape presses): the last button there is.
int MessageCancelButton(int buttonCount);

// Button numbers in tab order: in sequence, with the default button moved to
// the front.
std::vector<int> MessageTabOrder(int buttonCount, unsigned char defaultButton);

// Width of the button row for 1, 2 or 3 buttons (117, 202, 287 at 96 DPI).
int MessageRowWidth(int buttonCount, int dpi = base::kDesignDpi);

// One coordinate of the dialog over its owner: centred on the owner, and when
// that would put it at or beyond the screen's left (top) edge, at half the
// overhang instead.
int CenterOverOwnerCoordinate(int ownerStart, int ownerExtent, int dialogExtent);

// The dialog's outer top-left corner over the owner's outer rectangle, moved
// inside the screen where it would end beyond the right or bottom edge.
base::Point PlaceOverOwner(const base::Rect& ownerOuter, int dialogWidth, int dialogHeight,
                           int screenWidth, int screenHeight);

// PlaceOverOwner on the monitor whose work area is `screen`, which it reads
// as a screen of its own: the corner in screen coordinates.
base::Point PlaceOverOwnerOn(const base::Rect& ownerOuter, int dialogWidth, int dialogHeight,
                             const base::Rect& screen);

struct MessageDialogLayout {
    // The message as the label shows it: the caller's text, unless it would
    // not fit on the screen (see LayOutMessageDialog).
    std::string text;
    int lineHeight = 0;
    int buttonHeight = 0;
    base::Rect icon;
    base::Rect label;
    int buttonCount = 1;
    // Index 0 holds button 1; only the first buttonCount entries are used.
    std::array<base::Rect, 3> buttons{};
    std::vector<int> tabOrder;
    int defaultButton = 0;  // 0: none
    int cancelButton = 1;
    int outerWidth = 0;
    int outerHeight = 0;
    int clientWidth = 0;
    int clientHeight = 0;
};

// Lays the dialog out for `message` and the button texts, in client
// coordinates at `dpi` (the measurer measures in the font at that DPI); the
// outer size adds `frame`, how much wider and taller the window is than its
// client area. The message is wrapped at half the
// screen width, and a longer word widens the label, but the dialog stays on
// the screen: a word too wide for it is broken across lines, and a message too
// tall for it is shortened in the middle with "...". A message that fits is
// shown and measured exactly as given.
MessageDialogLayout LayOutMessageDialog(const std::string& message, const std::string& button2,
                                        const std::string& button3, unsigned char defaultButton,
                                        MessageTextMeasurer& measurer, const base::Size& frame,
                                        int dpi = base::kDesignDpi);

// The picture an icon code asks for.
enum class StockIcon { Application, Hand, Question, Exclamation, Asterisk };

struct MessageIconSource {
    // True: icon `index` of the system file "user.exe"; false: icon `index` of
    // the program's own file. A negative index names no icon.
    bool systemFile = false;
    int index = 0;
    // What to show when the file has no such icon.
    StockIcon fallback = StockIcon::Application;
};

inline constexpr const char* kSystemIconFile = "user.exe";

MessageIconSource MessageIconFor(int icon);

}  // namespace quillet
