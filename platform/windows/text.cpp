#include "platform/windows/text.hpp"

namespace platform {

std::wstring wide(std::string_view text, UINT code_page) {
    if (text.empty()) return {};
    const int size =
        MultiByteToWideChar(code_page, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(code_page, 0, text.data(), static_cast<int>(text.size()), result.data(),
                        size);
    return result;
}

} // namespace platform
