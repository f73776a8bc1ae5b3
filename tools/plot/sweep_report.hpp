#pragma once
// Reading the error norms of option 2 back from a report: each ` norma(NN.0)` record and the
// norm record after it, in order. A sweep holds ten norms, the orders 10 to 50 of kind 1, then
// those of kind 2; the kind of a norm is known only by its place.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plot {

inline constexpr int kOrders = 5; // 10, 20, 30, 40, 50: order 10 * (i + 1) at index i

// The norms of one sweep, each kind's in order from order 10; fewer than five when the run
// was cut short.
struct SweepNorms {
    std::array<std::vector<double>, 2> kind;
    int count() const { return static_cast<int>(kind[0].size() + kind[1].size()); }
};

struct ReportReading {
    std::optional<SweepNorms> sweep; // the sweep to draw; none when there is nothing to draw
    std::string note; // one line: why nothing is drawn, or what is missing or left out; empty
                      // exactly when the report holds one complete sweep
};

// Every record ends with CR LF (a LF alone is taken too); an unended last line is not a record.
ReportReading read_report(std::string_view bytes);

} // namespace plot
