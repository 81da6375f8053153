#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// The platform clipboard's text (CF_UNICODETEXT; the platform converts other text formats to it).
bool ClipboardHasText();
// The clipboard's text, or an empty text when it holds none.
std::wstring ClipboardText();
// Replaces the clipboard's content by text, owned by the window owner. Raises EOSError when the
// clipboard cannot be opened or takes no data.
void SetClipboardText(HWND owner, std::wstring_view text);
// The same for a command that silently does nothing when the clipboard cannot take the text (another
// program holds it open): false then.
bool TrySetClipboardText(HWND owner, std::wstring_view text);
