// TLabelEffect: a windowless label that draws its caption as a 3-D effect
// (a face, a highlight and a shadow, each drawn as one or more offset copies).
// This is its state and behaviour without any drawing: the properties with
// their setters, the effect presets, the colour schemes, the rotation cache
// and the push-button handling of the mouse. label_effect_paint.h turns the
// state into pixels; the Win32 glue owns the window side (invalidating the
// label's rectangle, pointer capture, raising the mouse and click events).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "base/color.h"
#include "base/dpi.h"
#include "base/font.h"
#include "base/geometry.h"
#include "base/mouse.h"

namespace quillet {

using TEffectDepth = std::uint8_t;  // 0..10
using TAngleRange = std::uint16_t;  // 0..360 degrees
inline constexpr TEffectDepth kMaxEffectDepth = 10;
inline constexpr TAngleRange kMaxAngle = 360;

enum TEffectDirection : std::uint8_t {
    edNone, edUp, edUpRight, edRight, edDownRight, edDown, edDownLeft, edLeft, edUpLeft,
};
enum TEffectOption : std::uint8_t { eoNormal, eoReal, eoExtrude, eoGraduated };
enum TEffectStyle : std::uint8_t { esNone, esCustom, esRaised, esSunken, esShadow, esFlying };
enum TColourScheme : std::uint8_t { csCustom, csText, csWindows, csEmbossed, csGold, csSteel };
enum TGraduateOption : std::uint8_t { goNone, goVertical, goHorizontal };
enum TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };

// The screen step of a direction: x grows to the right, y downwards.
struct TDirectionStep {
    int dx = 0;
    int dy = 0;
};
TDirectionStep DirectionStep(TEffectDirection direction);

struct TSchemeColours {
    base::TColor highlight = base::clWhite;
    base::TColor shadow = base::clBlack;
    base::TColor face = base::clGray;
    bool operator==(const TSchemeColours&) const = default;
};

// What the window side does after a mouse notification.
enum class TCapture : std::uint8_t { Unchanged, Take, Release };
struct TMouseReply {
    bool raiseEvent = true;  // run the base handling: OnMouseDown / OnMouseMove / OnMouseUp
    TCapture capture = TCapture::Unchanged;
    bool click = false;  // raise OnClick
    bool operator==(const TMouseReply&) const = default;
};

// The label base: caption, font, colours and bounds as plain data. Every
// setter stores a different value and requests a repaint; an equal value
// does nothing. It has no word wrap or accelerator switch: the effect drawing
// always wraps words and always underlines the letter after "&".
class TCustomLabel {
public:
    // The repaint request. The glue invalidates the label's rectangle; painting
    // follows later.
    std::function<void()> onInvalidate;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value) { Change(caption_, value); }
    const base::FontDescription& Font() const { return font_; }
    void SetFont(const base::FontDescription& value) { Change(font_, value); }
    void SetFontColor(base::TColor value) { Change(font_.color, value); }
    base::TColor Color() const { return color_; }
    void SetColor(base::TColor value) { Change(color_, value); }
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value) { Change(alignment_, value); }
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value) { Change(transparent_, value); }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value) { Change(enabled_, value); }

    const base::Rect& Bounds() const { return bounds_; }
    void SetBounds(const base::Rect& bounds) { Change(bounds_, bounds); }
    void SetBounds(int left, int top, int width, int height) {
        SetBounds(base::RectAt(left, top, width, height));
    }
    int Left() const { return bounds_.left; }
    int Top() const { return bounds_.top; }
    int Width() const { return bounds_.Width(); }
    int Height() const { return bounds_.Height(); }

protected:
    void Invalidate() const {
        if (onInvalidate) onInvalidate();
    }
    template <class T>
    void Change(T& field, const T& value) {
        if (field == value) return;
        field = value;
        Invalidate();
    }

private:
    std::string caption_;
    base::FontDescription font_;
    base::TColor color_ = base::clBtnFace;
    TAlignment alignment_ = taLeftJustify;
    bool transparent_ = false;
    bool enabled_ = true;
    base::Rect bounds_ = base::RectAt(0, 0, 65, 17);
};

class TLabelEffect : public TCustomLabel {
public:
    // `pixelsPerInch` turns the 20-point default font into a height.
    explicit TLabelEffect(int pixelsPerInch = 96);

    TEffectDepth DepthHighlight() const { return depthHighlight_; }
    TEffectDepth DepthShadow() const { return depthShadow_; }
    TEffectDirection DirectionHighlight() const { return directionHighlight_; }
    TEffectDirection DirectionShadow() const { return directionShadow_; }
    base::TColor ColourHighlight() const { return colourHighlight_; }
    base::TColor ColourShadow() const { return colourShadow_; }
    TGraduateOption GraduateFace() const { return graduateFace_; }
    base::TColor GraduateFrom() const { return graduateFrom_; }
    TEffectOption StyleHighlight() const { return styleHighlight_; }
    TEffectOption StyleShadow() const { return styleShadow_; }
    TEffectStyle EffectStyle() const { return effectStyle_; }
    TColourScheme ColourScheme() const { return colourScheme_; }
    bool AsButton() const { return asButton_; }
    TAngleRange Angle() const { return angle_; }
    bool KeepLettersVertical() const { return keepLettersVertical_; }

    // Depths above 10 and angles above 360 are taken as 10 and 360.
    void SetDepthHighlight(TEffectDepth value);
    void SetDepthShadow(TEffectDepth value);
    void SetDirectionHighlight(TEffectDirection value);
    void SetDirectionShadow(TEffectDirection value);
    void SetColourHighlight(base::TColor value);
    void SetColourShadow(base::TColor value);
    void SetGraduateFace(TGraduateOption value);
    void SetGraduateFrom(base::TColor value);
    void SetStyleHighlight(TEffectOption value);
    void SetStyleShadow(TEffectOption value);
    void SetEffectStyle(TEffectStyle value);
    void SetColourScheme(TColourScheme value);
    void SetAsButton(bool value);
    void SetAngle(TAngleRange value);
    void SetKeepLettersVertical(bool value);

    // A row of the scheme table; the csCustom row follows the colours in use.
    const TSchemeColours& SchemeColours(TColourScheme scheme) const { return schemeColours_[scheme]; }

    // The angle's cosine and sine and their squares, kept so painting
    // evaluates no trigonometric function.
    double CosAngle() const { return cosAngle_; }
    double SinAngle() const { return sinAngle_; }
    double CosSquared() const { return cosSquared_; }
    double SinSquared() const { return sinSquared_; }

    // The mouse notifications, in client coordinates; `shift` holds
    // base::ShiftState bits.
    TMouseReply MouseDown(base::MouseButton button, unsigned shift, int x, int y);
    TMouseReply MouseMove(unsigned shift, int x, int y);
    TMouseReply MouseUp(base::MouseButton button, unsigned shift, int x, int y);

private:
    template <class T>
    void SetStyleProperty(T& field, T value);
    void SetSchemeColor(base::TColor& field, base::TColor& customField, base::TColor value);
    // Inside the client rectangle, both far edges included.
    bool IsOnLabel(int x, int y) const;

    TEffectDepth depthHighlight_ = 1;
    TEffectDepth depthShadow_ = 1;
    TEffectDirection directionHighlight_ = edUpLeft;
    TEffectDirection directionShadow_ = edDownRight;
    base::TColor colourHighlight_ = base::clWhite;
    base::TColor colourShadow_ = base::clBlack;
    TGraduateOption graduateFace_ = goNone;
    base::TColor graduateFrom_ = base::clWindowText;
    TEffectOption styleHighlight_ = eoNormal;
    TEffectOption styleShadow_ = eoNormal;
    TEffectStyle effectStyle_ = esRaised;
    TColourScheme colourScheme_ = csWindows;
    bool asButton_ = false;
    TAngleRange angle_ = 0;
    bool keepLettersVertical_ = false;

    bool applyingStyle_ = false;   // depth and direction setters leave EffectStyle alone
    bool applyingScheme_ = false;  // colour setters leave ColourScheme alone
    bool clicked_ = false;         // a left press that a release inside turns into a click
    std::array<TSchemeColours, 6> schemeColours_;

    double cosAngle_ = 1.0;
    double sinAngle_ = 0.0;
    double cosSquared_ = 1.0;
    double sinSquared_ = 0.0;
};

}  // namespace quillet
