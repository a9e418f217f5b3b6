// clipboard_text.cpp: reading the clipboard's text.
#include "app/shell/clipboard_text.h"

#include <cstdint>
#include <string_view>

#include "ruk/static/vkoruk.h"

std::string ReadClipboardText(ClipboardTrim trim)
{
    if (!vko_cb_open(FALSE))
        return {};
    std::uint32_t size = 0;
    const auto* data = static_cast<const char*>(vko_cb_get_data(CB_TEXT, nullptr, &size));
    std::string text = data != nullptr ? std::string(data, size) : std::string();
    vko_cb_close();
    using namespace std::string_view_literals;
    const std::string_view trailing = trim == ClipboardTrim::kLineEnds ? "\0\n\r"sv : "\0\n\r "sv;
    const std::size_t last = text.find_last_not_of(trailing);
    text.erase(last == std::string::npos ? 0 : last + 1);
    return text;
}
