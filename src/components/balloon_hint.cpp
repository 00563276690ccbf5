#include "components/balloon_hint.h"

#include <algorithm>
#include <limits>

namespace quillet {
namespace {

TBalloonHint* currentBalloonHint = nullptr;

// Points to pixels; a 32-bit height from the registry can overflow the
// product, so the result is brought back into range.
std::int32_t PointsToPixels(std::int32_t height, int pixelsPerInch) {
    const std::int64_t pixels = -std::int64_t{height} * pixelsPerInch / 72;
    using Limits = std::numeric_limits<std::int32_t>;
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(pixels, Limits::min(), Limits::max()));
}

}  // namespace

std::optional<base::FontDescription> StatusFontFromValue(std::span<const std::uint8_t> value,
                                                         int pixelsPerInch,
                                                         const WideFaceConverter& toAnsi) {
    const std::size_t size = value.size();
    // Any other size would fill the font only partly, or from something else.
    if (size != kStatusFont16Size && size != kStatusFontAnsiSize && size != kStatusFontWideSize)
        return std::nullopt;

    // Little-endian fields: 16-bit ones in the 16-bit layout, sign-extended.
    const std::size_t numberSize = size == kStatusFont16Size ? 2 : 4;
    std::size_t pos = 0;
    auto number = [&] {
        std::uint32_t v = 0;
        for (std::size_t i = 0; i < numberSize; ++i) v |= std::uint32_t{value[pos++]} << (8 * i);
        return numberSize == 2 ? std::int32_t{static_cast<std::int16_t>(v)}
                               : static_cast<std::int32_t>(v);
    };

    base::FontDescription f;
    for (std::int32_t* field : {&f.height, &f.width, &f.escapement, &f.orientation, &f.weight})
        *field = number();
    for (std::uint8_t* field : {&f.italic, &f.underline, &f.strikeOut, &f.charSet, &f.outPrecision,
                                &f.clipPrecision, &f.quality, &f.pitchAndFamily})
        *field = value[pos++];

    // The face name fills the rest: 32 characters, NUL-terminated unless full.
    const std::span<const std::uint8_t> face = value.subspan(pos);
    if (size == kStatusFontWideSize) {
        std::u16string wide;
        for (std::size_t i = 0; i + 1 < face.size(); i += 2) {
            const auto unit = static_cast<char16_t>(face[i] | face[i + 1] << 8);
            if (unit == 0) break;
            wide += unit;
        }
        f.name = toAnsi(wide);
    } else {
        const auto end = std::find(face.begin(), face.end(), 0);
        f.name.assign(face.begin(), end);
    }
    f.height = PointsToPixels(f.height, pixelsPerInch);
    return f;
}

TBalloonBase::TBalloonBase(BalloonApplication& application)
    : application_(application), color_(application.HintColor()) {
    SetMaxWidth(-4);
}

void TBalloonBase::SetMaxWidth(int value) {
    if (value == maxWidth_) return;
    const int screenWidth = application_.ScreenWidth();
    maxWidth_ = std::min(value, screenWidth);
    // screen div -MaxWidth, written so that the most negative value cannot
    // overflow when negated.
    maxWidthPixels_ = maxWidth_ < 0 ? -(screenWidth / maxWidth_) : maxWidth_;
}

void TBalloonBase::SetShadowDepth(int value) {
    shadowDepth_ = static_cast<TShadowDepth>(std::clamp(value, 0, kMaxShadowDepth));
}

TBalloonHint::TBalloonHint(BalloonApplication& application) : TBalloonBase(application) {
    currentBalloonHint = this;
    SetActive(true);
}

TBalloonHint::~TBalloonHint() {
    // A later controller keeps its registration.
    if (currentBalloonHint == this) currentBalloonHint = nullptr;
    SetActive(false);
}

void TBalloonHint::SetActive(bool value) {
    if (value == active_) return;
    active_ = value;
    if (application_.Terminating()) return;
    // Hints off and on again: the hint window is remade from the new class.
    const bool showHint = application_.ShowHint();
    application_.SetShowHint(false);
    application_.UseBalloonHintWindows(value);
    application_.SetShowHint(showHint);
}

TBalloonHint* CurrentBalloonHint() { return currentBalloonHint; }

BalloonHookAction BalloonHookActionFor(unsigned message, bool firstMouseMoveSeen,
                                       bool toWatchedBalloon, TBalloonBehaviors behavior) {
    switch (message) {
    case 0x200:  // WM_MOUSEMOVE
        return firstMouseMoveSeen ? BalloonHookAction::CancelHint
                                  : BalloonHookAction::NoteFirstMouseMove;
    case 0x201: case 0x204: case 0x207:  // WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN
    case 0xA1: case 0xA4: case 0xA7:     // and their non-client forms
        return BalloonHookAction::CancelHint;
    case 0x0F:  // WM_PAINT
        return !toWatchedBalloon && behavior.Contains(bbHideOnPaint)
                   ? BalloonHookAction::CancelIfRepaintMeetsBalloon
                   : BalloonHookAction::None;
    default:
        return BalloonHookAction::None;
    }
}

}  // namespace quillet
