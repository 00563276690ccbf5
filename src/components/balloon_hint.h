// The balloon hint controller TBalloonHint and the settings it holds for the
// balloon windows (TBalloonBase), the system status-bar font that the
// hsSystem style reads from the registry, and which queued messages hide a
// balloon shown without a window region. The application object is reached
// through BalloonApplication, so that the rules run without windows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "base/color.h"
#include "base/font.h"
#include "components/balloon_geometry.h"

namespace quillet {

// The byte sizes of the registry value "StatusFont" that are understood: the
// 16-bit layout, the ANSI LOGFONTA and the wide LOGFONTW (as the NT family and
// Wine store it).
inline constexpr std::size_t kStatusFont16Size = 50;
inline constexpr std::size_t kStatusFontAnsiSize = 60;
inline constexpr std::size_t kStatusFontWideSize = 92;

// Converts a UTF-16 face name to the program's ANSI code page.
using WideFaceConverter = std::function<std::string(const std::u16string&)>;

// The status-bar font from the bytes of "StatusFont", with its height taken
// as points and turned into pixels: (-height × pixelsPerInch) div 72,
// truncating, so -11 at 96 pixels per inch gives 14. A value of any size
// other than the three layouts gives nothing: the font stays as it is.
std::optional<base::FontDescription> StatusFontFromValue(std::span<const std::uint8_t> value,
                                                         int pixelsPerInch,
                                                         const WideFaceConverter& toAnsi);

// What the controller needs of the application object.
class BalloonApplication {
public:
    virtual ~BalloonApplication() = default;
    virtual int ScreenWidth() = 0;
    virtual base::TColor HintColor() = 0;
    // True while the application object is being destroyed.
    virtual bool Terminating() = 0;
    virtual bool ShowHint() = 0;
    // Switching hints on creates the hint window from the current class;
    // switching them off destroys it.
    virtual void SetShowHint(bool on) = 0;
    // The hint window class: the balloon window, or the plain hint window.
    virtual void UseBalloonHintWindows(bool balloons) = 0;
};

// The balloon settings. A changed setting takes effect at the next showing of
// a hint; nothing is repainted. Not copyable: balloon windows refer to the
// controller by address.
class TBalloonBase {
public:
    explicit TBalloonBase(BalloonApplication& application);
    TBalloonBase(const TBalloonBase&) = delete;
    TBalloonBase& operator=(const TBalloonBase&) = delete;
    virtual ~TBalloonBase() = default;

    base::TColor BorderColor() const { return borderColor_; }
    void SetBorderColor(base::TColor value) { borderColor_ = value; }
    base::TColor Color() const { return color_; }
    void SetColor(base::TColor value) { color_ = value; }
    const base::FontDescription& Font() const { return font_; }
    void SetFont(const base::FontDescription& value) { font_ = value; }
    // The width limit as set: a pixel count, or when negative the fraction
    // 1 / -MaxWidth of the screen width.
    int MaxWidth() const { return maxWidth_; }
    // Clamps to the screen width and derives MaxWidthPixels with the screen
    // width of this moment.
    void SetMaxWidth(int value);
    int MaxWidthPixels() const { return maxWidthPixels_; }
    TBalloonBehaviors Behavior() const { return behavior_; }
    void SetBehavior(TBalloonBehaviors value) { behavior_ = value; }
    TBalloonPosition Position() const { return position_; }
    void SetPosition(TBalloonPosition value) { position_ = value; }
    TShadowDepth ShadowDepth() const { return shadowDepth_; }
    // Values outside 0 to 16 are brought to the nearer end.
    void SetShadowDepth(int value);
    TBalloonShadowStyle ShadowStyle() const { return shadowStyle_; }
    void SetShadowStyle(TBalloonShadowStyle value) { shadowStyle_ = value; }
    TBalloonShape Shape() const { return shape_; }
    void SetShape(TBalloonShape value) { shape_ = value; }
    THintStyle Style() const { return style_; }
    void SetStyle(THintStyle value) { style_ = value; }

protected:
    BalloonApplication& application_;

private:
    base::TColor borderColor_ = base::clBlack;
    base::TColor color_;
    base::FontDescription font_;
    int maxWidth_ = 0;
    int maxWidthPixels_ = 0;
    TBalloonBehaviors behavior_{bbNoShowMouseDown, bbUseRegions, bbHideOnPaint};
    TBalloonPosition position_ = bpAboveRight;
    TShadowDepth shadowDepth_ = 8;
    TBalloonShadowStyle shadowStyle_ = ssShaded;
    TBalloonShape shape_ = bsRoundRect;
    THintStyle style_ = hsDefault;
};

// The controller: while Active, the application makes its hint windows
// balloons that read their settings from the most recently constructed
// controller. Constructed active; destroyed inactive.
class TBalloonHint : public TBalloonBase {
public:
    explicit TBalloonHint(BalloonApplication& application);
    ~TBalloonHint() override;

    bool Active() const { return active_; }
    // Recreates the application's hint window at once when hints are on;
    // only stores the value while the application is being destroyed.
    void SetActive(bool value);

private:
    bool active_ = false;
};

// The controller whose settings new balloon windows take; none when no
// controller exists.
TBalloonHint* CurrentBalloonHint();

// What the message hook of a balloon without a window region does with a
// message taken from the queue.
enum class BalloonHookAction {
    None,
    NoteFirstMouseMove,  // the move that follows the showing
    CancelHint,
    // Cancel when the window's update rectangle, in screen coordinates,
    // meets the balloon's window rectangle.
    CancelIfRepaintMeetsBalloon,
};

BalloonHookAction BalloonHookActionFor(unsigned message, bool firstMouseMoveSeen,
                                       bool toWatchedBalloon, TBalloonBehaviors behavior);

}  // namespace quillet
