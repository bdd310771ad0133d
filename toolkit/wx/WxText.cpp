// Text conversions between UTF-16 wide strings and wxString (UTF-32 or UTF-16 wchar_t).
#include "toolkit/wx/WxText.h"

namespace Zenlo {

wxString toWx(const WideString& text) {
    if constexpr (sizeof(wchar_t) == 2) {
        return wxString(reinterpret_cast<const wchar_t*>(text.c_str()), text.length());
    } else {
        std::wstring wide;
        wide.reserve(text.length());
        for (WideString::Size i = 0; i < text.length(); ++i) {
            char32_t unit = text[i];
            bool pair = unit >= 0xD800 && unit < 0xDC00 && i + 1 < text.length() &&
                        text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000;
            if (pair) unit = 0x10000 + ((unit - 0xD800) << 10) + (text[++i] - 0xDC00);
            wide.push_back(static_cast<wchar_t>(unit));
        }
        return wxString(wide);
    }
}

WideString fromWx(const wxString& text) {
    const std::wstring wide = text.ToStdWstring();
    std::u16string units;
    units.reserve(wide.size());
    for (wchar_t c : wide) {
        auto point = static_cast<char32_t>(c);
        if (point >= 0x10000 && point <= 0x10FFFF) {
            point -= 0x10000;
            units.push_back(static_cast<char16_t>(0xD800 + (point >> 10)));
            units.push_back(static_cast<char16_t>(0xDC00 + (point & 0x3FF)));
        } else {
            units.push_back(static_cast<char16_t>(point));
        }
    }
    return WideString(units.c_str(), static_cast<WideString::Size>(units.size()));
}

} // namespace Zenlo
