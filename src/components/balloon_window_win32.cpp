// The balloon window: its size from the caption, its region and its paint.
#include "components/balloon_win32.h"

#include "components/balloon_region_win32.h"
#include "ui/geometry.h"
#include "ui/monitor.h"

namespace quillet {
namespace {

// Keeps the destination only where the pattern is white (P & D).
constexpr DWORD kPatAnd = 0x00A000C9;

}  // namespace

TBalloonWindow::TBalloonWindow(const TBalloonBase& settings, const char* className)
    : ui::HintWindow(BalloonParams(className)),
      settings_(settings),
      font_(BalloonDefaultHintFont()) {}

TBalloonWindow::~TBalloonWindow() { DestroyHandle(); }

ui::Window::CreateParams TBalloonWindow::BalloonParams(const char* className) {
    CreateParams params = PlainParams();
    params.className = className;
    // No border: the balloon frames itself.
    params.style = WS_POPUP | WS_DISABLED;
    return params;
}

void TBalloonWindow::SetCaption(const std::string& text) {
    StoreCaption(text);
    UpdateSize();
}

void TBalloonWindow::StoreCaption(const std::string& text) {
    text_ = text;
    if (Handle()) SetWindowTextA(Handle(), text_.c_str());
}

void TBalloonWindow::UseCanvasFont(HFONT font) {
    font_ = font;
    ownFont_ = ui::Font();
}

void TBalloonWindow::TakeCanvasFont(const ui::Font& font) {
    if (!font.Handle()) return;
    font_ = font.Handle();
    ownFont_ = font;
}

void TBalloonWindow::UpdateSize(bool resizeWindow) {
    shadowDepth_ = settings_.ShadowDepth();
    shadowStyle_ = settings_.ShadowStyle();
    shape_ = settings_.Shape();
    POINT pointer{};
    GetCursorPos(&pointer);
    // A memory DC measures as the screen does, without taking a screen DC.
    {
        const ui::MemoryDC memory(CreateCompatibleDC(nullptr));
        const HDC dc = memory.Get();
        ui::SelectGuard font(dc, font_);
        // The room beside the pointer is read on the monitor under it, whose
        // left edge the measuring takes for 0.
        const base::Rect screen = ui::WorkAreaAt(ui::FromPOINT(pointer));
        size_ = MeasureBalloon(text_, {pointer.x - screen.left, pointer.y - screen.top},
                               screen.Width(), settings_.MaxWidthPixels(), shadowDepth_,
                               [dc](const std::string& text, int wrapWidth) {
                                   RECT r{0, 0, wrapWidth, 0};
                                   DrawTextA(dc, text.data(), static_cast<int>(text.size()), &r,
                                             DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
                                   return base::Size{r.right - r.left, r.bottom - r.top};
                               },
                               dpi_);
    }
    if (resizeWindow && Handle()) {
        SetWindowPos(Handle(), nullptr, 0, 0, size_.width, size_.height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

BalloonGeometry TBalloonWindow::GetBalloonGeometry() const {
    return quillet::GetBalloonGeometry(size_, shadowDepth_, position_, dpi_);
}

ui::GdiObject<HRGN> TBalloonWindow::CreateBalloonRgn(int offset) const {
    return RegionOf(OutlineAt(GetBalloonGeometry(), shape_, offset));
}

ui::GdiObject<HRGN> TBalloonWindow::CreateWindowRgn() const {
    return UnionOf(BalloonAndShadowOutlines(GetBalloonGeometry(), shape_));
}

void TBalloonWindow::DrawBalloon(HDC dc, int offset, base::TColor fill, base::TColor frame) const {
    const ui::GdiObject<HRGN> region = CreateBalloonRgn(offset);
    const auto fillBrush = CheckedGdiObject(CreateSolidBrush(ui::ResolveColor(fill)));
    const auto frameBrush = CheckedGdiObject(CreateSolidBrush(ui::ResolveColor(frame)));
    FillRgn(dc, region.Get(), fillBrush.Get());
    FrameRgn(dc, region.Get(), frameBrush.Get(), 1, 1);
}

void TBalloonWindow::Compose(HDC under, HDC target) const {
    const int w = size_.width, h = size_.height;
    if (w <= 0 || h <= 0) return;
    const BalloonGeometry g = GetBalloonGeometry();
    ui::MemoryImage picture(w, h);
    HDC pic = picture.DC();
    BitBlt(pic, 0, 0, w, h, under, 0, 0, SRCCOPY);

    const int sd = g.shadowDepth;
    if (sd > 0 && shadowStyle_ == ssShaded) {
        // Every other background pixel blackened, inside the balloon and its
        // shadow only: the pattern darkens a copy, the mask whitens that copy
        // outside both shapes, and the picture keeps the darker of the two.
        ui::MemoryImage work(w, h), mask(w, h);
        BitBlt(work.DC(), 0, 0, w, h, pic, 0, 0, SRCCOPY);
        SetBrushOrgEx(work.DC(), 0, 0, nullptr);
        {
            ui::SelectGuard brush(work.DC(), BalloonShadowBrush());
            PatBlt(work.DC(), 0, 0, w, h, kPatAnd);
        }
        // Both shapes black, fill and frame, on white: the window's shape.
        PatBlt(mask.DC(), 0, 0, w, h, WHITENESS);
        FillRgn(mask.DC(), CreateWindowRgn().Get(), static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        BitBlt(work.DC(), 0, 0, w, h, mask.DC(), 0, 0, SRCPAINT);
        BitBlt(pic, 0, 0, w, h, work.DC(), 0, 0, SRCAND);
    } else if (sd > 0) {
        DrawBalloon(pic, sd, base::clBlack, base::clBlack);
    }
    DrawBalloon(pic, 0, fillColor_, frameColor_);

    {
        ui::SelectGuard font(pic, font_);
        SetBkMode(pic, TRANSPARENT);
        SetTextColor(pic, ui::ResolveColor(fontColor_));
        RECT text = ui::ToRECT(g.text);
        DrawTextA(pic, text_.data(), static_cast<int>(text_.size()), &text,
                  DT_WORDBREAK | DT_NOPREFIX);
    }
    BitBlt(target, 0, 0, w, h, pic, 0, 0, SRCCOPY);
}

void TBalloonWindow::CaptureScreenUnder(const base::Rect& rect) {
    const int w = rect.Width(), h = rect.Height();
    if (w <= 0 || h <= 0) return;
    if (!under_ || under_->Width() != w || under_->Height() != h)
        under_ = std::make_unique<ui::MemoryImage>(w, h);
    const ui::WindowDC screen;
    BitBlt(under_->DC(), 0, 0, w, h, screen.Get(), rect.left, rect.top, SRCCOPY);
}

void TBalloonWindow::Paint(HDC dc) {
    // Where the screen was not captured, the window's own pixels stand in.
    Compose(under_ ? under_->DC() : dc, dc);
}

}  // namespace quillet
