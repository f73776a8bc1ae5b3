#pragma once
// The picture of a sweep's error norms: an SVG document of fixed size, the norm against the
// order on a logarithmic scale, one line with markers for each kind.

#include <string>

#include "tools/plot/sweep_report.hpp"

namespace plot {

// The same sweep gives the same bytes. A zero norm stands on the lowest decade with a hollow
// marker, which the legend explains; a sweep cut short says so under the title.
std::string plot_svg(const SweepNorms& sweep);

} // namespace plot
