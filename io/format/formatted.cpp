// The records of a formatted write (formatted.hpp): a layout's fields take the items in order,
// and the layout starts again at its reversion point while items remain.

#include "io/format/formatted.hpp"

#include <cassert>
#include <string_view>

#include "io/format/number_editing.hpp"
#include "runtime/unreachable.hpp"

namespace io {

Layout::Layout(std::initializer_list<LayoutEntry> entries) {
    for (const LayoutEntry& entry : entries) {
        if (entry.group) reversion_point_ = fields_.size();
        for (int i = 0; i < entry.repeat; ++i)
            fields_.insert(fields_.end(), entry.fields.begin(), entry.fields.end());
    }
    // A last group repeated no times leaves nothing to start again from but the start.
    if (reversion_point_ >= fields_.size()) reversion_point_ = 0;
}

std::string text_in_field(std::string_view text, int width) {
    auto w = static_cast<std::size_t>(width);
    if (text.size() >= w) return std::string(text.substr(0, w));
    std::string out(w - text.size(), ' ');
    out.append(text);
    return out;
}

namespace {

std::string render(const Field& field, const OutputItem& item) {
    if (const auto* text = std::get_if<std::string_view>(&item)) {
        assert(field.kind == FieldKind::Text && "a text item in a number field");
        return text_in_field(*text, field.width);
    }
    double value = std::get<double>(item);
    switch (field.kind) {
    case FieldKind::Fixed: return edit_fixed(value, field.width, field.digits);
    case FieldKind::Exponent: return edit_exponent(value, field.width, field.digits);
    case FieldKind::Text: break;
    }
    assert(false && "a number item in a text field");
    runtime::unreachable();
}

} // namespace

std::vector<std::string> formatted_records(const Layout& layout,
                                           std::span<const OutputItem> items) {
    std::span<const Field> fields = layout.fields();
    assert((!fields.empty() || items.empty()) && "items for a layout without fields");
    std::vector<std::string> records;
    std::string record;
    std::size_t next = 0;
    for (const OutputItem& item : items) {
        if (next == fields.size()) {
            records.push_back(std::move(record));
            record.clear();
            next = layout.reversion_point();
        }
        record.append(render(fields[next++], item));
    }
    records.push_back(std::move(record));
    return records;
}

} // namespace io
