// The characters of list-directed and formatted records, composed from items and a layout.

#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "io/formatted.hpp"
#include "io/list_directed.hpp"
#include "io/number_editing.hpp"

namespace {

using io::OutputItem;
using Records = std::vector<std::string>;
using namespace std::string_literals;

TEST(ListDirected, ProgramRecords) {
    const struct {
        std::vector<OutputItem> items;
        Records expected;
    } cases[] = {
        {{"Elija una opcion"}, {" Elija una opcion"}},
        {{"Soluciones para n=10"}, {" Soluciones para n=10"}},
        {{}, {" "}},
        {{"determinante ", -0.5}, {" determinante  -5.000000000000000E-001"}},
        {{"determinante ", 12345.678}, {" determinante    12345.678000000000000"}},
        // A number first in the record follows the leading blank; the next one gets 25 columns.
        {{1.0, 2.0}, {"        1.000000000000000        2.000000000000000"}},
    };
    for (const auto& c : cases) EXPECT_EQ(io::list_directed_records(c.items), c.expected);
}

TEST(ListDirected, Column79StartsNewRecords) {
    std::string f1 = io::edit_free(1.0), f2 = io::edit_free(-2.0), f3 = io::edit_free(3e-3);
    std::string t54(54, 'a'), t55(55, 'b'), t100(100, 'c');
    const struct {
        std::vector<OutputItem> items;
        Records expected;
    } cases[] = {
        // 1 + 24 + 25 + 25 = 75: a fourth number would reach column 100; it starts a record
        // whose first character is one of its own blanks.
        {{1.0, -2.0, 3e-3, 1.0}, {" " + f1 + " " + f2 + " " + f3, f1}},
        {{1.0, -2.0, 3e-3, 1.0, -2.0}, {" " + f1 + " " + f2 + " " + f3, f1 + " " + f2}},
        // A number that just fits after a text, and one that does not.
        {{t54, 1.0}, {" " + t54 + f1}},
        {{t55, 1.0}, {" " + t55, f1}},
        // Texts are split where column 79 is reached.
        {{t100}, {" " + t100.substr(0, 78), " " + t100.substr(78)}},
        {{1.0, -2.0, 3e-3, "0123456789"}, {" " + f1 + " " + f2 + " " + f3 + "0123", " 456789"}},
        {{t54, t54, t54},
         {" " + t54 + t54.substr(0, 24), " " + t54.substr(24) + t54.substr(0, 48),
          " " + t54.substr(48)}},
    };
    for (const auto& c : cases) {
        Records records = io::list_directed_records(c.items);
        EXPECT_EQ(records, c.expected);
        for (const std::string& r : records) EXPECT_LE(r.size(), 79u);
    }
}

const io::Layout kRow{{6, {io::exponent_field(13, 6)}}};

std::vector<std::string> formatted(const io::Layout& layout, std::vector<OutputItem> items) {
    return io::formatted_records(layout, items);
}

TEST(Formatted, ProgramRecords) {
    EXPECT_EQ(
        formatted(kRow, {1.0, -0.5, 0.0, 123.456, 1.0E-13, 2.0 / 3.0}),
        Records{"  .100000E+01 -.500000E+00  .000000E+00  .123456E+03  .100000E-12  .666667E+00"});
    const io::Layout solution{io::fixed_field(20, 16)};
    EXPECT_EQ(formatted(solution, {1.0}), Records{"  1.0000000000000000"});
    EXPECT_EQ(formatted(solution, {0.9999999999999998}), Records{"   .9999999999999998"});
    EXPECT_EQ(formatted(solution, {1000.0}), Records{std::string(20, '*')});
    const io::Layout norm_label{io::text_field(7), io::fixed_field(4, 1), io::text_field(1)};
    EXPECT_EQ(formatted(norm_label, {"norma(", 10.0, ")"}), Records{" norma(10.0)"});
    EXPECT_EQ(formatted(norm_label, {"norma(", 50.0, ")"}), Records{" norma(50.0)"});
    EXPECT_EQ(formatted(io::Layout{io::exponent_field(15, 7)}, {2.05E-4}),
              Records{"   .2050000E-03"});
}

TEST(Formatted, RowLayoutRevertsToAFreshGroupOfSix) {
    for (std::size_t n : {1u, 6u, 7u, 13u}) {
        std::vector<OutputItem> items;
        std::string all;
        for (std::size_t j = 0; j < n; ++j) {
            double x = (j % 2 ? -1.0 : 1.0) * static_cast<double>(j + 1) / 7.0;
            items.emplace_back(x);
            all += io::edit_exponent(x, 13, 6);
        }
        Records expected;
        for (std::size_t start = 0; start < all.size(); start += 78)
            expected.push_back(all.substr(start, 78));
        EXPECT_EQ(io::formatted_records(kRow, items), expected) << n << " entries";
    }
}

TEST(Formatted, ReversionPointTextFieldsAndMisuse) {
    // The layout starts again at its last top-level group.
    const io::Layout layout{io::text_field(3), {2, {io::fixed_field(5, 1)}}};
    EXPECT_EQ(formatted(layout, {"ab", 1.0, 2.0, 3.0, 4.0, 5.0}),
              (Records{" ab  1.0  2.0", "  3.0  4.0", "  5.0"}));
    // Without a group it starts again from the start; a text wider than its field is cut.
    const io::Layout texts{io::text_field(3), io::text_field(1)};
    EXPECT_EQ(formatted(texts, {"abcdef", "xyz", "", "q"}), (Records{"abcx", "   q"}));
    EXPECT_EQ(formatted(texts, {}), Records{""});
    EXPECT_THROW(formatted(texts, {1.0}), std::invalid_argument);
    EXPECT_THROW(formatted(kRow, {"text"}), std::invalid_argument);
    EXPECT_THROW(formatted(io::Layout{}, {1.0}), std::invalid_argument);
}

} // namespace
