#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dialogs/message_layout.h"
#include "fakes.h"

namespace quillet {
namespace {

using testing::FakeMeasurer;

constexpr base::Size kFrame{6, 25};

// Lays text out as word-wrapping DrawText does, every character 6 pixels wide
// and every line 13 high: words go on while they fit, a line feed starts a new
// line, and a word wider than the limit stands alone at its full width.
class WrappingMeasurer : public MessageTextMeasurer {
public:
    int screenHeight = 768;

    base::Size TextExtent(const std::string& text) override {
        return {static_cast<int>(text.size()) * 6, 13};
    }
    int CellHeight() override { return 13; }
    base::Size WrappedTextSize(const std::string& text, int maxWidth) override {
        int widest = 0, lines = 1;
        int line = -6;  // the line's width so far; -6 when empty, so the first word adds no blank
        std::string word;
        const auto place = [&] {
            const int width = static_cast<int>(word.size()) * 6;
            if (line >= 0 && line + 6 + width > maxWidth) {
                ++lines;
                line = -6;
            }
            line += 6 + width;
            widest = std::max(widest, line);
            word.clear();
        };
        for (char c : text) {
            if (c == ' ' || c == '\n') place();
            if (c == '\n') {
                ++lines;
                line = -6;
            }
            if (c != ' ' && c != '\n') word += c;
        }
        place();
        return {widest, lines * 13};
    }
    int ScreenWidth() override { return 1024; }
    int ScreenHeight() override { return screenHeight; }
};

std::string WithoutLineFeeds(std::string text) {
    std::erase(text, '\n');
    return text;
}

TEST(MessageLayout, MeasuresTheSampleAndWrapsAtHalfTheScreen) {
    FakeMeasurer m;
    m.screenWidth = 1023;
    LayOutMessageDialog("Hello\n\nWorld", "", "", 1, m, kFrame);
    ASSERT_EQ(m.extentTexts.size(), 1u);
    EXPECT_EQ(m.extentTexts[0], "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    EXPECT_EQ(m.wrappedText, "Hello\n\nWorld");
    EXPECT_EQ(m.wrapWidth, 511);
}

TEST(MessageLayout, SizesAndButtonPositions) {
    struct Case {
        const char* name;
        base::Size box;
        const char* button2;
        const char* button3;
        int outerWidth, clientWidth;
        std::vector<int> lefts;
        int buttonTop, clientHeight, outerHeight;
    };
    // Line and cell height 13: icon top 13 + 6 = 19, button height 23.
    const Case cases[] = {
        {"short, one button", {10, 13}, "", "", 117, 111, {17}, 71, 107, 132},
        {"label of 15 just fits the row", {15, 13}, "", "", 117, 111, {17}, 71, 107, 132},
        {"label of 16 widens the dialog", {16, 13}, "", "", 118, 112, {18}, 71, 107, 132},
        {"short, two buttons", {10, 13}, "&No", "", 202, 196, {17, 102}, 71, 107, 132},
        {"short, three buttons", {10, 13}, "&No", "Cancel", 287, 281, {17, 102, 186}, 71, 107, 132},
        {"third text without a second", {10, 13}, "", "Cancel", 117, 111, {17}, 71, 107, 132},
        {"long, one button", {400, 52}, "", "", 502, 496, {210}, 91, 127, 152},
        {"long, two buttons", {400, 52}, "&No", "", 502, 496, {167, 252}, 91, 127, 152},
        {"long, three buttons", {401, 52}, "&No", "Cancel", 503, 497,
         {248 - 123, 248 - 38, 248 + 46}, 91, 127, 152},
        {"label of 33 lines below the icon's 32", {50, 33}, "", "", 152, 146, {35}, 72, 108, 133},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeMeasurer m;
        m.box = c.box;
        const MessageDialogLayout l = LayOutMessageDialog("text", c.button2, c.button3, 1, m, kFrame);
        EXPECT_EQ(l.icon, base::RectAt(20, 19, 32, 32));
        EXPECT_EQ(l.label, base::RectAt(72, 19, c.box.width, c.box.height));
        EXPECT_EQ(l.outerWidth, c.outerWidth);
        EXPECT_EQ(l.clientWidth, c.clientWidth);
        ASSERT_EQ(l.buttonCount, static_cast<int>(c.lefts.size()));
        for (std::size_t i = 0; i < c.lefts.size(); ++i) {
            EXPECT_EQ(l.buttons[i], base::RectAt(c.lefts[i], c.buttonTop, 77, 23)) << "button " << i + 1;
        }
        EXPECT_EQ(l.clientHeight, c.clientHeight);
        EXPECT_EQ(l.outerHeight, c.outerHeight);
    }
    // A frame thicker than the row widths allow for widens the dialog so the
    // three buttons still lie inside the client area.
    FakeMeasurer m;
    const MessageDialogLayout l = LayOutMessageDialog("text", "&No", "Cancel", 1, m, {64, 25});
    EXPECT_EQ(l.clientWidth, 246);
    EXPECT_EQ(l.outerWidth, 246 + 64);
    EXPECT_EQ(l.buttons[0].left, 0);
    EXPECT_EQ(l.buttons[2].left + 77, 246);
}

TEST(MessageLayout, ButtonHeightFromCellHeightWithMinimum) {
    struct Case { int cell; int expected; };
    const Case cases[] = {{0, 23}, {13, 23}, {14, 23}, {15, 24}, {16, 25}, {19, 30}, {20, 32}};
    for (const Case& c : cases) {
        FakeMeasurer m;
        m.cellHeight = c.cell;
        const MessageDialogLayout l = LayOutMessageDialog("x", "", "", 1, m, kFrame);
        EXPECT_EQ(l.buttonHeight, c.expected) << "cell " << c.cell;
        EXPECT_EQ(l.buttons[0].Height(), c.expected) << "cell " << c.cell;
        EXPECT_EQ(l.clientHeight, l.buttons[0].top + c.expected + l.lineHeight) << "cell " << c.cell;
    }
}

TEST(MessageLayout, LineHeightPlacesIconAndLabel) {
    FakeMeasurer m;
    m.lineHeight = 15;  // icon top 15 + 7
    m.box = {100, 45};
    const MessageDialogLayout l = LayOutMessageDialog("x", "", "", 1, m, kFrame);
    EXPECT_EQ(l.lineHeight, 15);
    EXPECT_EQ(l.icon.top, 22);
    EXPECT_EQ(l.label.top, 22);
    EXPECT_EQ(l.buttons[0].top, 22 + 45 + 20);
    EXPECT_EQ(l.clientHeight, 22 + 45 + 20 + 23 + 15);
}

TEST(MessageButtons, CountDefaultCancelAndTabOrder) {
    struct Case {
        const char* button2;
        const char* button3;
        unsigned char defaultButton;
        int count, def, cancel;
        std::vector<int> tabOrder;
    };
    const Case cases[] = {
        {"", "", 1, 1, 1, 1, {1}},
        {"", "", 0, 1, 0, 1, {1}},
        {"", "", 2, 1, 0, 1, {1}},  // no second button: no default
        {"", "Cancel", 3, 1, 0, 1, {1}},  // the third text is ignored
        {"&No", "", 1, 2, 1, 2, {1, 2}},
        {"&No", "", 2, 2, 2, 2, {2, 1}},
        {"&No", "", 3, 2, 0, 2, {1, 2}},
        {"&No", "Cancel", 0, 3, 0, 3, {1, 2, 3}},
        {"&No", "Cancel", 2, 3, 2, 3, {2, 1, 3}},
        {"&No", "Cancel", 3, 3, 3, 3, {3, 1, 2}},
        {"&No", "Cancel", 255, 3, 0, 3, {1, 2, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << '"' << c.button2 << "\" \"" << c.button3 << "\" default "
                                        << int(c.defaultButton));
        FakeMeasurer m;
        const MessageDialogLayout l =
            LayOutMessageDialog("x", c.button2, c.button3, c.defaultButton, m, kFrame);
        EXPECT_EQ(l.buttonCount, c.count);
        EXPECT_EQ(l.defaultButton, c.def);
        EXPECT_EQ(l.cancelButton, c.cancel);
        EXPECT_EQ(l.tabOrder, c.tabOrder);
    }
}

TEST(MessagePlacement, CentredOverOwnerOrHalfTheOverhang) {
    struct Case { int start, extent, dialog, expected; };
    const Case cases[] = {
        {0, 37, 117, 20},     // centred left would be -40
        {40, 117, 117, 40},
        {0, 117, 117, 0},     // exactly 0 stays 0
        {-40, 197, 117, 0},   // also exactly 0
        {100, 400, 200, 200},
        {100, 401, 200, 200},
        {1, 5, 10, 0},        // 1 + (-5) div 2 = -1, and 1 div 2 = 0 (truncating, not flooring)
        {-300, 100, 117, 154},  // -300 + (-17) div 2 = -308
        {1, 0, 0, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CenterOverOwnerCoordinate(c.start, c.extent, c.dialog), c.expected)
            << c.start << ", " << c.extent << ", " << c.dialog;
    }
    EXPECT_EQ(PlaceOverOwner(base::RectAt(0, 300, 37, 100), 117, 60, 1024, 768), (base::Point{20, 320}));
    EXPECT_EQ(PlaceOverOwner(base::RectAt(0, -100, 117, 120), 117, 200, 1024, 768), (base::Point{0, 70}));
    EXPECT_EQ(PlaceOverOwner(base::RectAt(900, 700, 200, 100), 300, 200, 1024, 768), (base::Point{724, 568}))
        << "ending beyond the right and bottom edges: moved inside";
    EXPECT_EQ(PlaceOverOwner(base::RectAt(0, 0, 504, 467), 1020, 700, 1024, 768), (base::Point{4, 58}))
        << "half the overhang would end beyond the right edge";
    EXPECT_EQ(PlaceOverOwner(base::RectAt(0, 0, 504, 467), 1100, 800, 1024, 768), (base::Point{0, 0}))
        << "larger than the screen: the caption stays in view";
}

TEST(MessageDialog, OpensOnItsOwnersMonitor) {
    EXPECT_EQ(PlaceOverOwnerOn(base::RectAt(-1000, 100, 504, 467), 300, 150, {-1280, 0, 0, 1024}),
              (base::Point{-898, 258}));
    EXPECT_EQ(PlaceOverOwnerOn(base::RectAt(2100, 900, 504, 467), 300, 150, {1024, 0, 2304, 1024}),
              (base::Point{2004, 874})) << "kept within its work area";
}

TEST(MessageLayout, AWordTooWideForTheScreenBreaksAcrossLines) {
    WrappingMeasurer m;
    struct Case {
        const char* name;
        std::string word;
        int labelWidth;
        bool broken;
    };
    // Wrapped at 512; the label may grow to 1024 - 72 - 30 = 922, 153 characters.
    const Case cases[] = {
        {"wider than the wrap width widens the label", std::string(100, 'p'), 600, false},
        {"as wide as the screen allows", std::string(153, 'p'), 918, false},
        {"wider than the screen breaks", std::string(216, 'p'), 918, true},
        {"much wider breaks again and again", std::string(5000, 'p'), 918, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string message = "The application did not find it at " + c.word + " now.";
        const MessageDialogLayout l = LayOutMessageDialog(message, "", "", 1, m, kFrame);
        EXPECT_EQ(l.label.Width(), c.labelWidth);
        EXPECT_LE(l.outerWidth, 1024);
        EXPECT_LE(l.outerHeight, 768);
        EXPECT_EQ(l.text != message, c.broken);
        EXPECT_EQ(WithoutLineFeeds(l.text), message) << "nothing is lost";
        EXPECT_EQ(l.label.Height(), m.WrappedTextSize(l.text, c.broken ? 922 : 512).height)
            << "measured as the label draws it";
    }
}

TEST(MessageLayout, AMessageTooTallForTheScreenIsShortenedInTheMiddle) {
    WrappingMeasurer m;
    std::string message = "First line.";
    for (int i = 0; i < 100; ++i) message += "\nline " + std::to_string(i);
    message += "\nLast line.";
    // 768 - 25 frame - 19 icon top - 20 gap - 23 button - 13 line: 668, 51 lines.
    const MessageDialogLayout l = LayOutMessageDialog(message, "&Yes", "&No", 2, m, kFrame);
    EXPECT_EQ(l.label.Height(), 51 * 13) << "the tallest label that fits";
    EXPECT_EQ(l.outerHeight, 19 + 51 * 13 + 20 + 23 + 13 + 25);
    const std::size_t dots = l.text.find("...");
    ASSERT_NE(dots, std::string::npos) << l.text;
    EXPECT_EQ(message.compare(0, dots, l.text, 0, dots), 0) << "the head is kept";
    const std::string tail = l.text.substr(dots + 3);
    EXPECT_EQ(message.compare(message.size() - tail.size(), tail.size(), tail), 0)
        << "the tail is kept";
    EXPECT_EQ(l.buttons[0].top + l.buttonHeight + l.lineHeight + kFrame.height, l.outerHeight);

    m.screenHeight = 100;  // not even one line fits: the dots alone remain
    EXPECT_EQ(LayOutMessageDialog(message, "", "", 1, m, kFrame).text, "...");
}

TEST(MessageIcons, CodesChooseFileAndPosition) {
    struct Case { int code; bool system; int index; StockIcon fallback; };
    const Case cases[] = {
        {16, true, 3, StockIcon::Hand},
        {32, true, 2, StockIcon::Question},
        {48, true, 1, StockIcon::Exclamation},
        {64, true, 4, StockIcon::Asterisk},
        {128, true, 0, StockIcon::Application},
        {256, true, 5, StockIcon::Application},
        {512, true, 6, StockIcon::Application},
        {0, false, 0, StockIcon::Application},
        {7, false, 7, StockIcon::Application},
        {1, false, 1, StockIcon::Application},
        {17, false, 17, StockIcon::Application},
        {-1, false, -1, StockIcon::Application},
        {-5, false, -1, StockIcon::Application},
    };
    for (const Case& c : cases) {
        const MessageIconSource s = MessageIconFor(c.code);
        EXPECT_EQ(s.systemFile, c.system) << c.code;
        EXPECT_EQ(s.index, c.index) << c.code;
        EXPECT_EQ(s.fallback, c.fallback) << c.code;
    }
}

}  // namespace
}  // namespace quillet
