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

int MessageRowWidth(int buttonCount) {
    // The buttons plus the gaps between and around them.
    switch (buttonCount) {
    case 1:
        return kMessageButtonWidth + 40;
    case 2:
        return 2 * kMessageButtonWidth + 48;
    default:
        return 3 * kMessageButtonWidth + 56;
    }
}

int CenterOverOwnerCoordinate(int ownerStart, int ownerExtent, int dialogExtent) {
    // Integer division truncates toward zero, also for a negative difference.
    const int centred = ownerStart + (ownerExtent - dialogExtent) / 2;
    return centred > 0 ? centred : -centred / 2;
}

LayoutPoint PlaceOverOwner(const LayoutRect& ownerOuter, int dialogWidth, int dialogHeight) {
    return {CenterOverOwnerCoordinate(ownerOuter.left, ownerOuter.width, dialogWidth),
            CenterOverOwnerCoordinate(ownerOuter.top, ownerOuter.height, dialogHeight)};
}

MessageDialogLayout LayOutMessageDialog(const std::string& message, const std::string& button2,
                                        const std::string& button3, unsigned char defaultButton,
                                        MessageTextMeasurer& measurer, const FrameSize& frame) {
    MessageDialogLayout l;
    l.lineHeight = measurer.TextExtent(kLineHeightSample).height;
    l.buttonHeight = std::max(measurer.CellHeight() * 16 / 10, kMinMessageButtonHeight);

    const int iconTop = l.lineHeight + l.lineHeight / 2;
    l.icon = {kMessageIconLeft, iconTop, kMessageIconSize, kMessageIconSize};

    const TextSize box = measurer.WrappedTextSize(message, measurer.ScreenWidth() / 2);
    l.label = {kMessageLabelLeft, iconTop, box.width, box.height};

    l.buttonCount = MessageButtonCount(button2, button3);
    l.tabOrder = MessageTabOrder(l.buttonCount, defaultButton);
    l.defaultButton = MessageDefaultButton(l.buttonCount, defaultButton);
    l.cancelButton = MessageCancelButton(l.buttonCount);

    // Button lefts relative to the middle of the client area.
    static constexpr int kLefts[3][3] = {{-38}, {-81, 4}, {-123, -38, 46}};
    const int* lefts = kLefts[l.buttonCount - 1];
    // The row widths hold the centred buttons inside the client area for
    // ordinary frames; a thicker frame widens the dialog so they still fit.
    const int rowHalf = std::max(-lefts[0], lefts[l.buttonCount - 1] + kMessageButtonWidth);
    l.outerWidth = std::max({kMessageLabelLeft + box.width + kMessageRightMargin,
                             MessageRowWidth(l.buttonCount), 2 * rowHalf + frame.width});
    l.clientWidth = l.outerWidth - frame.width;

    const int buttonTop = iconTop + std::max(kMessageIconSize, box.height) + kGapAboveButtons;
    const int middle = l.clientWidth / 2;
    for (int i = 0; i < l.buttonCount; ++i) {
        l.buttons[static_cast<std::size_t>(i)] = {middle + lefts[i], buttonTop,
                                                  kMessageButtonWidth, l.buttonHeight};
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
