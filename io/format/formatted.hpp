#pragma once
// The records of a formatted write: a fixed layout of fields places the items.
//
// Fields take the items in order, one each, with no separator and no leading blank. When items
// remain after the last field, the record ends and the next one starts at the reversion point:
// the start of the last top-level group, or of the layout when it has no group. When the items
// run out, the record ends after the last item's field.

#include <initializer_list>
#include <span>
#include <string>
#include <vector>

#include "io/format/output_item.hpp"

namespace io {

enum class FieldKind { Text, Fixed, Exponent };

struct Field {
    FieldKind kind;
    int width;
    int digits = 0; // decimals of F w.d, digits of E w.d
};

constexpr Field text_field(int width) {
    return {FieldKind::Text, width, 0};
}
constexpr Field fixed_field(int width, int digits) {
    return {FieldKind::Fixed, width, digits};
}
constexpr Field exponent_field(int width, int digits) {
    return {FieldKind::Exponent, width, digits};
}

// One top-level entry of a layout: a single field, or a group of fields with a repeat count.
struct LayoutEntry {
    // Implicit, so that a layout lists its plain fields as they are.
    LayoutEntry(Field field) : fields{field} {}
    LayoutEntry(int repeat_count, std::initializer_list<Field> group_fields)
        : fields(group_fields), repeat(repeat_count), group(true) {}

    std::vector<Field> fields;
    int repeat = 1;
    bool group = false;
};

// A layout with its groups written out field by field.
class Layout {
public:
    Layout(std::initializer_list<LayoutEntry> entries);

    std::span<const Field> fields() const { return fields_; }
    // Index of the field where the layout starts again.
    std::size_t reversion_point() const { return reversion_point_; }

private:
    std::vector<Field> fields_;
    std::size_t reversion_point_ = 0;
};

// A text of length L in a text field of width w: w - L blanks and the text, or its first w
// characters when it is longer.
std::string text_in_field(std::string_view text, int width);

// The records of one write statement. A write with no items gives one empty record. Every item
// must suit its field (a text in a text field, a number in a number field), and a layout
// without fields takes no items.
std::vector<std::string> formatted_records(const Layout& layout, std::span<const OutputItem> items);

} // namespace io
