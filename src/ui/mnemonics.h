// Mnemonics in our dialogs: the character after "&" in a control's caption.
// Typed with Alt, or alone where the control with the focus takes no
// characters, it presses that button or moves the focus on from that label.
// Portable and header-only, so that the search is tested without Windows.
#pragma once

#include <cstddef>
#include <string_view>

namespace ui {

// The mnemonic of a caption: the character after the first "&" that does not
// begin a "&&" (which shows one "&"); 0 when there is none.
constexpr char MnemonicOf(std::string_view caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] != '&') return caption[i + 1];
        ++i;
    }
    return 0;
}

// The window whose mnemonic a character names, looked for as the dialog
// manager looks: from the window the character was typed on through the
// dialog's windows depth first, into a window's children only while it is
// shown and enabled, from the dialog's last window round to its first. Null
// when no window answers.
//
// The dialog manager stops only when it comes back to where it began, so it
// goes round for ever from a window inside a hidden or disabled panel (keys
// posted to a button that has just hidden its panel): it never steps into that
// panel again. This search begins at the outermost such panel instead, where
// it does come back, so that nothing inside answers, as nothing there can be
// seen or used; and it stops in any case on coming round to the dialog a
// second time.
//
// Tree::Node is a handle, null for none. For a node, Tree gives FirstChild,
// NextSibling and Parent (null for none), Open (shown and enabled) and
// Answers (its caption's mnemonic is the character).
template <class Tree>
typename Tree::Node FindMnemonicOwner(const Tree& tree, typename Tree::Node dialog,
                                      typename Tree::Node typedOn) {
    using Node = typename Tree::Node;
    Node start = typedOn;
    for (Node up = typedOn; up && up != dialog; up = tree.Parent(up)) {
        if (!tree.Open(up)) start = up;
    }
    int rounds = start == dialog ? 1 : 0;  // times the search came round to the dialog
    Node node = start;
    do {
        const bool open = tree.Open(node);
        if (open && tree.Answers(node)) return node;
        Node next = open ? tree.FirstChild(node) : Node{};
        // Past a window's last child, on to the window after it; past the
        // dialog's last window, round to its first.
        for (Node up = node; !next;) {
            if (!up) return Node{};
            if (up == dialog) {
                if (++rounds > 1) return Node{};
                next = tree.FirstChild(dialog);
                if (!next) return Node{};
            } else {
                next = tree.NextSibling(up);
                up = tree.Parent(up);
            }
        }
        node = next;
    } while (node != start);
    return Node{};
}

}  // namespace ui
