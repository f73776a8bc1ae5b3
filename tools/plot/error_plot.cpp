#include "tools/plot/error_plot.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "io/format/exact_decimal.hpp"

namespace plot {

namespace {

// The frame, in pixels; the orders stand 100 pixels apart from x = 120, the decades share its
// height, and the legend stands to its right.
constexpr double kLeft = 90, kRight = 550, kTop = 50, kBottom = 400;
constexpr const char* kColour[2] = {"#1f5fbf", "#c8321e"};

// Coordinates with one decimal, correctly rounded (ties to even): the same bytes on every
// machine.
std::string num(double value) {
    return io::fixed_notation(value, 1);
}

double order_x(std::size_t place) {
    return 120 + 100 * static_cast<double>(place);
}

// The decades shown: 1E-15 to 1E-01, or more when a norm lies outside.
struct Scale {
    int low = -15, high = -1;
    double y_of_exponent(double e) const {
        return kBottom - (e - low) * (kBottom - kTop) / (high - low);
    }
    double y(double norm) const { return norm > 0 ? y_of_exponent(std::log10(norm)) : kBottom; }
};

Scale scale_of(const SweepNorms& sweep) {
    Scale scale;
    for (const auto& norms : sweep.kind)
        for (double norm : norms)
            if (norm > 0) {
                scale.low = std::min(scale.low, static_cast<int>(std::floor(std::log10(norm))));
                scale.high = std::max(scale.high, static_cast<int>(std::ceil(std::log10(norm))));
            }
    return scale;
}

std::string decade(int e) {
    char text[16];
    std::snprintf(text, sizeof text, "1E%+03d", e);
    return text;
}

// Kind 1 a circle, kind 2 a square, in the colour of the group around it.
std::string marker(std::size_t kind, double x, double y, bool hollow) {
    const std::string fill = hollow ? R"( fill="white")" : "";
    if (kind == 0)
        return "<circle cx=\"" + num(x) + "\" cy=\"" + num(y) + "\" r=\"4\"" + fill + "/>\n";
    return "<rect x=\"" + num(x - 4) + "\" y=\"" + num(y - 4) + "\" width=\"8\" height=\"8\"" +
           fill + "/>\n";
}

std::string group(std::size_t kind) {
    return std::string("<g stroke=\"") + kColour[kind] + "\" fill=\"" + kColour[kind] + "\">\n";
}

std::string text(double x, double y, const std::string& words, const std::string& more = "") {
    return "<text x=\"" + num(x) + "\" y=\"" + num(y) + "\"" + more + ">" + words + "</text>\n";
}

// The grid and the frame; each decade's label on its line, each order's under its line.
std::string grid_and_axes(const Scale& scale) {
    std::string svg = "<g stroke=\"#d9d9d9\">\n";
    for (int e = scale.low; e <= scale.high; ++e) {
        const std::string y = num(scale.y_of_exponent(e));
        svg += "<line x1=\"90\" y1=\"" + y + "\" x2=\"550\" y2=\"" + y + "\"/>\n";
    }
    for (std::size_t i = 0; i < kOrders; ++i) {
        const std::string x = num(order_x(i));
        svg += "<line x1=\"" + x + "\" y1=\"50\" x2=\"" + x + "\" y2=\"400\"/>\n";
    }
    svg += "</g>\n<rect x=\"90\" y=\"50\" width=\"460\" height=\"350\" fill=\"none\" "
           "stroke=\"black\"/>\n";
    svg += "<g text-anchor=\"end\">\n";
    for (int e = scale.low; e <= scale.high; ++e)
        svg += text(kLeft - 6, scale.y_of_exponent(e), decade(e), R"( dy="4")");
    svg += "</g>\n<g text-anchor=\"middle\">\n";
    for (std::size_t i = 0; i < kOrders; ++i)
        svg += text(order_x(i), kBottom + 18, std::to_string(10 * (i + 1)));
    svg += text((kLeft + kRight) / 2, kBottom + 46, "Orden n");
    svg += text(-(kTop + kBottom) / 2, 28, "Norma del error", " transform=\"rotate(-90)\"");
    return svg + "</g>\n";
}

// One group for each kind: its line, then its markers; a zero norm on the lowest decade. Then
// the legend: each kind's line and marker, and the hollow marker of a zero norm if there is one.
std::string norms_and_legend(const SweepNorms& sweep, const Scale& scale) {
    bool zero = false;
    double legend_y = 70;
    std::string svg, legend;
    for (std::size_t k = 0; k < 2; ++k) {
        const std::vector<double>& norms = sweep.kind[k];
        if (norms.empty()) continue;
        const std::string name = "tipo " + std::to_string(k + 1);
        std::string points, markers;
        for (std::size_t i = 0; i < norms.size(); ++i) {
            const double x = order_x(i), y = scale.y(norms[i]);
            points += (i ? " " : "") + num(x) + "," + num(y);
            markers += marker(k, x, y, norms[i] <= 0);
            zero |= norms[i] <= 0;
        }
        svg += group(k) + "<title>" + name +
               "</title>\n<polyline fill=\"none\" stroke-width=\"2\" points=\"" + points +
               "\"/>\n" + markers + "</g>\n";
        legend += group(k) + "<line x1=\"570\" y1=\"" + num(legend_y) + "\" x2=\"594\" y2=\"" +
                  num(legend_y) + "\" stroke-width=\"2\"/>\n" + marker(k, 582, legend_y, false) +
                  "</g>\n" + text(604, legend_y, name, R"( dy="4")");
        legend_y += 22;
    }
    if (zero)
        legend += R"(<circle cx="582" cy=")" + num(legend_y) +
                  R"(" r="4" fill="white" stroke="#555555"/>)"
                  "\n" +
                  text(604, legend_y, "norma 0 (bajo el eje)", R"( dy="4")");
    return svg + legend;
}

} // namespace

std::string plot_svg(const SweepNorms& sweep) {
    const Scale scale = scale_of(sweep);
    std::string svg = R"(<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="760" height="470" viewBox="0 0 760 470" font-family="sans-serif" font-size="13">
<rect width="760" height="470" fill="white"/>
)";
    svg += text(320, 24, "Sistema Ax=b por Crout sin pivoteo",
                R"( text-anchor="middle" font-size="16")");
    if (sweep.count() < 2 * kOrders)
        svg +=
            text(320, 42, "informe incompleto: " + std::to_string(sweep.count()) + " de 10 normas",
                 R"( text-anchor="middle" font-size="12")");
    return svg + grid_and_axes(scale) + norms_and_legend(sweep, scale) + "</svg>\n";
}

} // namespace plot
