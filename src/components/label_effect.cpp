#include "components/label_effect.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace quillet {

using namespace base::colors;
using base::mbLeft;
using base::ssLeft;

namespace {

// The double nearest pi/180; the angle's cosine and sine are taken in
// extended precision from it, so cos 90 degrees is a tiny value, not 0.
constexpr double kDegreesToRadians = 0.017453292519943295;

// One row of the effect presets; an empty column leaves that property alone.
struct Preset {
    std::optional<TEffectDirection> directionHighlight;
    std::optional<TEffectDirection> directionShadow;
    std::optional<TEffectDepth> depthHighlight;
    std::optional<TEffectDepth> depthShadow;
    bool highlightFromShadow;  // ColourHighlight := the scheme's shadow colour
    std::optional<bool> asButton;
};

// Indexed by TEffectStyle. Only the raised and sunken presets leave AsButton
// on, so a button can switch between them.
const Preset kPresets[] = {
    {edNone, edNone, 0, 0, false, false},                  // esNone
    {{}, {}, {}, {}, false, false},                        // esCustom
    {edUpLeft, edDownRight, 1, 1, false, {}},              // esRaised
    {edDownRight, edUpLeft, 1, 1, false, {}},              // esSunken
    {edNone, edDownRight, 0, 2, false, false},             // esShadow
    {edDownRight, edDownRight, 1, 5, true, false},         // esFlying
};

}  // namespace

TDirectionStep DirectionStep(TEffectDirection direction) {
    switch (direction) {
    case edNone: return {0, 0};
    case edUp: return {0, -1};
    case edUpRight: return {1, -1};
    case edRight: return {1, 0};
    case edDownRight: return {1, 1};
    case edDown: return {0, 1};
    case edDownLeft: return {-1, 1};
    case edLeft: return {-1, 0};
    case edUpLeft: return {-1, -1};
    }
    return {0, 0};
}

TLabelEffect::TLabelEffect(int pixelsPerInch) {
    schemeColours_[csText] = {clWhite, clGray, clBlack};
    schemeColours_[csWindows] = {clWhite, clBlack, clGray};
    schemeColours_[csEmbossed] = {clWhite, clBlack, clSilver};
    schemeColours_[csGold] = {clYellow, clBlack, clOlive};
    schemeColours_[csSteel] = {clAqua, clNavy, clTeal};
    schemeColours_[csCustom] = schemeColours_[csWindows];
    graduateFrom_ = Font().color;
    SetBounds(0, 0, 142, 33);
    SetTransparent(true);
    SetFont(base::MakeFont("Times New Roman", base::PointsToHeight(20, pixelsPerInch), 0,
                           schemeColours_[csWindows].face));
}

template <class T>
void TLabelEffect::SetStyleProperty(T& field, T value) {
    if (field == value) return;
    field = value;
    if (!applyingStyle_) SetEffectStyle(esCustom);
    Invalidate();
}

void TLabelEffect::SetDepthHighlight(TEffectDepth value) {
    SetStyleProperty(depthHighlight_, std::min(value, kMaxEffectDepth));
}
void TLabelEffect::SetDepthShadow(TEffectDepth value) {
    SetStyleProperty(depthShadow_, std::min(value, kMaxEffectDepth));
}
void TLabelEffect::SetDirectionHighlight(TEffectDirection value) {
    SetStyleProperty(directionHighlight_, value);
}
void TLabelEffect::SetDirectionShadow(TEffectDirection value) {
    SetStyleProperty(directionShadow_, value);
}

void TLabelEffect::SetSchemeColor(TColor& field, TColor& customField, TColor value) {
    if (field == value) return;
    field = value;
    customField = value;
    if (!applyingScheme_) SetColourScheme(csCustom);
    Invalidate();
}

void TLabelEffect::SetColourHighlight(TColor value) {
    SetSchemeColor(colourHighlight_, schemeColours_[csCustom].highlight, value);
}
void TLabelEffect::SetColourShadow(TColor value) {
    SetSchemeColor(colourShadow_, schemeColours_[csCustom].shadow, value);
}

void TLabelEffect::SetGraduateFace(TGraduateOption value) { Change(graduateFace_, value); }

void TLabelEffect::SetGraduateFrom(TColor value) {
    if (value == graduateFrom_) return;
    graduateFrom_ = value;
    if (graduateFace_ != goNone) Invalidate();
}

void TLabelEffect::SetStyleHighlight(TEffectOption value) { Change(styleHighlight_, value); }
void TLabelEffect::SetStyleShadow(TEffectOption value) { Change(styleShadow_, value); }

void TLabelEffect::SetEffectStyle(TEffectStyle value) {
    if (value == effectStyle_) return;
    applyingStyle_ = applyingScheme_ = true;
    effectStyle_ = value;
    const TSchemeColours& row = schemeColours_[colourScheme_];
    SetColourHighlight(row.highlight);
    const Preset& preset = kPresets[value];
    if (preset.directionHighlight) SetDirectionHighlight(*preset.directionHighlight);
    if (preset.directionShadow) SetDirectionShadow(*preset.directionShadow);
    if (preset.depthHighlight) SetDepthHighlight(*preset.depthHighlight);
    if (preset.depthShadow) SetDepthShadow(*preset.depthShadow);
    if (preset.highlightFromShadow) SetColourHighlight(row.shadow);
    if (preset.asButton) SetAsButton(*preset.asButton);
    applyingStyle_ = applyingScheme_ = false;
}

void TLabelEffect::SetColourScheme(TColourScheme value) {
    if (value == colourScheme_) return;
    applyingScheme_ = true;
    colourScheme_ = value;
    // A copy: the colour setters below rewrite the custom row.
    const TSchemeColours row = schemeColours_[value];
    SetColourHighlight(row.highlight);
    SetFontColor(row.face);
    SetColourShadow(row.shadow);
    if (value != csCustom) schemeColours_[csCustom] = row;
    applyingScheme_ = false;
}

void TLabelEffect::SetAsButton(bool value) {
    if (value == asButton_) return;
    asButton_ = value;
    if (value) SetEffectStyle(esRaised);
}

void TLabelEffect::SetAngle(TAngleRange value) {
    value = std::min(value, kMaxAngle);
    if (value == angle_) return;
    angle_ = value;
    const long double radians = static_cast<long double>(value) * kDegreesToRadians;
    cosAngle_ = static_cast<double>(std::cos(radians));
    sinAngle_ = static_cast<double>(std::sin(radians));
    cosSquared_ = cosAngle_ * cosAngle_;
    sinSquared_ = sinAngle_ * sinAngle_;
    if (value != 0) SetAlignment(taLeftJustify);
    Invalidate();
}

void TLabelEffect::SetKeepLettersVertical(bool value) {
    if (value == keepLettersVertical_) return;
    keepLettersVertical_ = value;
    if (angle_ != 0) Invalidate();
}

bool TLabelEffect::IsOnLabel(int x, int y) const {
    return x >= 0 && x <= Width() && y >= 0 && y <= Height();
}

// The base captures the pointer from a left press to its release and turns a
// left press and release inside the client rectangle into a click, whatever
// AsButton says; AsButton only takes the three notifications from the base.
TMouseReply TLabelEffect::MouseDown(base::MouseButton button, unsigned, int, int) {
    if (button != mbLeft) return {!asButton_};
    clicked_ = true;
    if (asButton_ && effectStyle_ != esSunken && Enabled()) SetEffectStyle(esSunken);
    return {!asButton_, TCapture::Take};
}

TMouseReply TLabelEffect::MouseMove(unsigned shift, int x, int y) {
    if (asButton_ && shift == ssLeft) SetEffectStyle(IsOnLabel(x, y) ? esSunken : esRaised);
    return {!asButton_};
}

TMouseReply TLabelEffect::MouseUp(base::MouseButton button, unsigned, int x, int y) {
    TMouseReply reply{!asButton_};
    if (button == mbLeft) {
        reply.capture = TCapture::Release;
        reply.click = clicked_ && x >= 0 && x < Width() && y >= 0 && y < Height();
        clicked_ = false;
    }
    if (asButton_ && IsOnLabel(x, y)) SetEffectStyle(esRaised);
    return reply;
}

}  // namespace quillet
