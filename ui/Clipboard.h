// The system clipboard as text: what the workspace copies documents and time stamps
// through. Every call opens and closes the clipboard; when another program holds it open
// past a short wait, the call throws ui::Exception("Cannot open clipboard").
#pragma once

#include <string>
#include <string_view>

namespace ui {

class TClipboard {
public:
    // The Unicode text on the clipboard; empty when it holds none.
    std::wstring AsText() const;
    // Replaces everything on the clipboard with the text.
    void SetAsText(std::wstring_view text);
    void Clear();
    bool HasText() const;
};

TClipboard& Clipboard();

}  // namespace ui
