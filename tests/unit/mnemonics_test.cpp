#include <gtest/gtest.h>

#include <string>

#include "ui/mnemonics.h"

namespace {

// Window 1 is the dialog; 2 a panel holding 3 "&Close" and 4 "&Apply"; 5
// "&Options". `open` marks each window shown and enabled ('+') or not.
struct Windows {
    using Node = int;
    std::string open;
    char key;
    int Parent(int n) const { return n == 1 ? 0 : n == 3 || n == 4 ? 2 : 1; }
    int FirstChild(int n) const { return n == 1 ? 2 : n == 2 ? 3 : 0; }
    int NextSibling(int n) const { return n == 2 ? 5 : n == 3 ? 4 : 0; }
    bool Open(int n) const { return open[n] == '+'; }
    bool Answers(int n) const { return std::string(" ..CAO")[n] == key; }
};

TEST(MnemonicSearch, EndsWhereverTheCharacterWasTypedAndFindsOnlyUsableWindows) {
    struct Case { const char* open; int typedOn; char key; int found; };
    const Case cases[] = {
        {" +----", 3, 'C', 0},  // every candidate hidden
        {" +----", 1, 'C', 0},  // typed on the dialog
        {" +-+++", 3, 'O', 5},  // on a button whose panel has been hidden
        {" +-+++", 4, 'C', 0},
        {" +++++", 5, 'A', 4},  // round to the dialog's first window, into the panel
        {" ++-++", 5, 'C', 0},  // a disabled button answers nothing
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ui::FindMnemonicOwner(Windows{c.open, c.key}, 1, c.typedOn), c.found)
            << c.open << " " << c.typedOn << c.key;
    }
    EXPECT_EQ(ui::MnemonicOf("Save && &Exit"), 'E');
}

}  // namespace
