#pragma once
// One item of an output list: a text, whose length counts its trailing blanks, or a double.

#include <string_view>
#include <variant>

namespace io {

using OutputItem = std::variant<std::string_view, double>;

} // namespace io
