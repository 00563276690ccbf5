#include "dialogs/message_layout.h"

#include <algorithm>

#include "core/prompts.h"

namespace quillet {

int MessageButtonCount(const std::string& button2, const std::string& button3) {
    if (button2.empty()) return 1;
    return button3.empty() ? 2 : 3;
}

int MessageDefaultButton(int buttonCount, unsigned char defaultButton) {
    return defaultButton >= 1 && defaultButton <= buttonCount ? defaultButton : 0;
}

int MessageCancelButton(int buttonCount) { return buttonCount; }

std::vector<int> MessageTabOrder(int buttonCount, unsigned char defaultButton) {
    std::vector<int> order;
    const int def = MessageDefaultButton(buttonCount, defaultButton);
    if (def != 0) order.push_back(def);
    for (int n = 1; n <= buttonCount; ++n) {
        if (n != def) order.push_back(n);
    }
    return order;
}

int MessageRowWidth(int buttonCount, int dpi) {
    // The buttons plus the gaps between and around them.
    switch (buttonCount) {
    case 1:
        return base::ScaleForDpi(kMessageButtonWidth + 40, dpi);
    case 2:
        return base::ScaleForDpi(2 * kMessageButtonWidth + 48, dpi);
    default:
        return base::ScaleForDpi(3 * kMessageButtonWidth + 56, dpi);
    }
}

int CenterOverOwnerCoordinate(int ownerStart, int ownerExtent, int dialogExtent) {
    // Integer division truncates toward zero, also for a negative difference.
    const int centred = ownerStart + (ownerExtent - dialogExtent) / 2;
    return centred > 0 ? centred : -centred / 2;
}

namespace {

// A coordinate that keeps the dialog's far edge on the screen; the near edge
// wins when the dialog is larger than the screen, so the caption stays in view.
int KeepOnScreen(int start, int extent, int screenExtent) {
    return std::max(0, std::min(start, screenExtent - extent));
}

bool IsWordBreak(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// The longest start of `word` (one character at least) no wider than `limit`.
std::size_t FittingLength(const std::string& word, int limit, MessageTextMeasurer& measurer) {
    std::size_t fits = 1;
    std::size_t tooLong = word.size() + 1;
    while (tooLong - fits > 1) {
        const std::size_t mid = fits + (tooLong - fits) / 2;
        if (measurer.TextExtent(word.substr(0, mid)).width <= limit) {
            fits = mid;
        } else {
            tooLong = mid;
        }
    }
    // An accelerator mark stays with the letter it marks.
    if (fits > 1 && fits < word.size() && word[fits - 1] == '&') --fits;
    return fits;
}

// `text` with every word wider than `limit` broken into lines that are not.
std::string BreakLongWords(const std::string& text, int limit, MessageTextMeasurer& measurer) {
    std::string result;
    std::size_t i = 0;
    while (i < text.size()) {
        if (IsWordBreak(text[i])) {
            result += text[i++];
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && !IsWordBreak(text[end])) ++end;
        std::string word = text.substr(i, end - i);
        // At least one character a line, however narrow the limit.
        while (word.size() > 1 && measurer.TextExtent(word).width > limit) {
            const std::size_t piece = FittingLength(word, limit, measurer);
            result += word.substr(0, piece) + '\n';
            word.erase(0, piece);
        }
        result += word;
        i = end;
    }
    return result;
}

struct ArrangedText {
    std::string text;
    base::Size box;
};

// The message wrapped at `wrapWidth`; when a word makes it wider than
// `maxWidth`, with the long words broken and wrapped at `maxWidth`. The label
// then takes the whole width the screen allows, and since it draws its text
// wrapped at its own width, that is the width the text is measured at.
ArrangedText Arrange(const std::string& message, int wrapWidth, int maxWidth,
                     MessageTextMeasurer& measurer) {
    ArrangedText arranged{message, measurer.WrappedTextSize(message, wrapWidth)};
    if (arranged.box.width > maxWidth) {
        arranged.text = BreakLongWords(message, maxWidth, measurer);
        arranged.box = measurer.WrappedTextSize(arranged.text, maxWidth);
    }
    return arranged;
}

// The first and last characters of `message`, `kept` in all, around "...".
std::string ShortenedInTheMiddle(const std::string& message, std::size_t kept) {
    const std::size_t head = kept / 2;
    return message.substr(0, head) + "..." + message.substr(message.size() - (kept - head));
}

// The message laid out no wider than `maxWidth` and, shortened in the middle
// as little as needs be, no taller than `maxHeight`.
ArrangedText FitMessage(const std::string& message, int wrapWidth, int maxWidth, int maxHeight,
                        MessageTextMeasurer& measurer) {
    ArrangedText whole = Arrange(message, wrapWidth, maxWidth, measurer);
    if (whole.box.height <= maxHeight) return whole;
    // The most characters kept whose layout still fits; none kept leaves "...".
    std::size_t fits = 0;
    std::size_t tooMany = message.size();
    ArrangedText best = Arrange(ShortenedInTheMiddle(message, 0), wrapWidth, maxWidth, measurer);
    while (tooMany - fits > 1) {
        const std::size_t mid = fits + (tooMany - fits) / 2;
        ArrangedText candidate =
            Arrange(ShortenedInTheMiddle(message, mid), wrapWidth, maxWidth, measurer);
        if (candidate.box.height <= maxHeight) {
            fits = mid;
            best = std::move(candidate);
        } else {
            tooMany = mid;
        }
    }
    return best;
}

}  // namespace

base::Point PlaceOverOwner(const base::Rect& ownerOuter, int dialogWidth, int dialogHeight,
                           int screenWidth, int screenHeight) {
    return {KeepOnScreen(CenterOverOwnerCoordinate(ownerOuter.left, ownerOuter.Width(), dialogWidth),
                         dialogWidth, screenWidth),
            KeepOnScreen(CenterOverOwnerCoordinate(ownerOuter.top, ownerOuter.Height(), dialogHeight),
                         dialogHeight, screenHeight)};
}

base::Point PlaceOverOwnerOn(const base::Rect& ownerOuter, int dialogWidth, int dialogHeight,
                             const base::Rect& screen) {
    const base::Point at = PlaceOverOwner(ownerOuter.Moved(-screen.left, -screen.top), dialogWidth,
                                          dialogHeight, screen.Width(), screen.Height());
    return {screen.left + at.x, screen.top + at.y};
}

MessageDialogLayout LayOutMessageDialog(const std::string& message, const std::string& button2,
                                        const std::string& button3, unsigned char defaultButton,
                                        MessageTextMeasurer& measurer, const base::Size& frame,
                                        int dpi) {
    const auto at = [dpi](int designed) { return base::ScaleForDpi(designed, dpi); };
    const int buttonWidth = at(kMessageButtonWidth);
    const int iconSize = at(kMessageIconSize);
    const int labelLeft = at(kMessageLabelLeft);
    const int rightMargin = at(kMessageRightMargin);
    const int gapAboveButtons = at(kGapAboveButtons);

    MessageDialogLayout l;
    l.lineHeight = measurer.TextExtent(kLineHeightSample).height;
    l.buttonHeight = std::max(measurer.CellHeight() * 16 / 10, at(kMinMessageButtonHeight));

    const int iconTop = l.lineHeight + l.lineHeight / 2;
    l.icon = base::RectAt(at(kMessageIconLeft), iconTop, iconSize, iconSize);

    // The largest label that keeps the whole dialog on the screen.
    const int maxLabelWidth = measurer.ScreenWidth() - labelLeft - rightMargin;
    const int maxLabelHeight = measurer.ScreenHeight() - frame.height - iconTop -
                               gapAboveButtons - l.buttonHeight - l.lineHeight;
    const ArrangedText arranged = FitMessage(message, measurer.ScreenWidth() / 2, maxLabelWidth,
                                             maxLabelHeight, measurer);
    l.text = arranged.text;
    const base::Size box = arranged.box;
    l.label = base::RectAt(labelLeft, iconTop, box.width, box.height);

    l.buttonCount = MessageButtonCount(button2, button3);
    l.tabOrder = MessageTabOrder(l.buttonCount, defaultButton);
    l.defaultButton = MessageDefaultButton(l.buttonCount, defaultButton);
    l.cancelButton = MessageCancelButton(l.buttonCount);

    // Button lefts relative to the middle of the client area.
    static constexpr int kLefts[3][3] = {{-38}, {-81, 4}, {-123, -38, 46}};
    const int* lefts = kLefts[l.buttonCount - 1];
    const int firstLeft = at(lefts[0]);
    const int lastLeft = at(lefts[l.buttonCount - 1]);
    // The row widths hold the centred buttons inside the client area for
    // ordinary frames; a thicker frame widens the dialog so they still fit.
    const int rowHalf = std::max(-firstLeft, lastLeft + buttonWidth);
    l.outerWidth = std::max({labelLeft + box.width + rightMargin,
                             MessageRowWidth(l.buttonCount, dpi), 2 * rowHalf + frame.width});
    l.clientWidth = l.outerWidth - frame.width;

    const int buttonTop = iconTop + std::max(iconSize, box.height) + gapAboveButtons;
    const int middle = l.clientWidth / 2;
    for (int i = 0; i < l.buttonCount; ++i) {
        l.buttons[static_cast<std::size_t>(i)] =
            base::RectAt(middle + at(lefts[i]), buttonTop, buttonWidth, l.buttonHeight);
    }

    l.clientHeight = buttonTop + l.buttonHeight + l.lineHeight;
    l.outerHeight = l.clientHeight + frame.height;
    return l;
}

MessageIconSource MessageIconFor(int icon) {
    switch (icon) {
    case kIconHand:
        return {true, 3, StockIcon::Hand};
    case kIconQuestion:
        return {true, 2, StockIcon::Question};
    case kIconWarning:
        return {true, 1, StockIcon::Exclamation};
    case kIconAsterisk:
        return {true, 4, StockIcon::Asterisk};
    case 128:
        return {true, 0, StockIcon::Application};
    case 256:
        return {true, 5, StockIcon::Application};
    case 512:
        return {true, 6, StockIcon::Application};
    default:
        // Icons are counted from 0; a negative number names none (the icon
        // extraction call would read it as a resource id, or -1 as a count).
        return {false, icon < 0 ? -1 : icon, StockIcon::Application};
    }
}

}  // namespace quillet
