#include "log/log_text.h"

#include <windows.h>

namespace lumeva {

namespace {

bool isHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

std::string logText(const std::wstring& text) {
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c < 0x80) {
            shown += static_cast<char>(c);
            continue;
        }
        // A character beyond the basic plane is two UTF-16 units but one character: one '?'.
        if (isHighSurrogate(c) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            ++i;
            shown += '?';
            continue;
        }
        char bytes[8];
        BOOL lacking = FALSE;
        const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, &c, 1, bytes, sizeof bytes, "?", &lacking);
        if (length <= 0 || lacking) {
            shown += '?';
        } else {
            shown.append(bytes, static_cast<std::size_t>(length));
        }
    }
    return shown;
}

}  // namespace lumeva
