// clipboard_text.h: the text another program left on the clipboard, as the main window's
// Paste and the look-up of the clipboard's word take it.
#pragma once
#include <string>

enum class ClipboardTrim {
    kLineEnds,            // what Paste puts into the one-line search field
    kLineEndsAndSpaces,   // the word the clipboard look-up searches for
};

// The clipboard's text with its end trimmed as asked (terminating NULs always go); empty
// when the clipboard cannot be opened or holds no text.
std::string ReadClipboardText(ClipboardTrim trim);
