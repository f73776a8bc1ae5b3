// The picture read as XML: each kind's line with its points on the labelled orders and
// decades, the axis labels, the legend, and the marks of a zero norm and of a sweep cut short.

#include <map>
#include <sstream>

#include <gtest/gtest.h>
#include <tinyxml2.h>

#include "tools/plot/error_plot.hpp"

namespace {

struct Picture {
    std::map<std::string, std::string> x, y;                // each text's place, by its words
    std::map<std::string, std::vector<std::string>> points; // each kind's line, by its title
    std::map<std::string, int> hollow;                      // each kind's hollow markers
};

void walk(const tinyxml2::XMLElement* e, Picture& p) {
    for (; e; e = e->NextSiblingElement()) {
        if (e->Name() == std::string("text"))
            p.x[e->GetText()] = e->Attribute("x"), p.y[e->GetText()] = e->Attribute("y");
        if (const tinyxml2::XMLElement* title = e->FirstChildElement("title")) {
            std::istringstream in(e->FirstChildElement("polyline")->Attribute("points"));
            p.points[title->GetText()] = {std::istream_iterator<std::string>(in), {}};
            for (auto* m = e->FirstChildElement(); m; m = m->NextSiblingElement())
                p.hollow[title->GetText()] += m->Attribute("fill", "white") != nullptr;
        }
        walk(e->FirstChildElement(), p);
    }
}

Picture drawn(const plot::SweepNorms& sweep) {
    tinyxml2::XMLDocument document;
    EXPECT_EQ(document.Parse(plot::plot_svg(sweep).c_str()), tinyxml2::XML_SUCCESS);
    Picture p;
    walk(document.RootElement(), p);
    return p;
}

// Where a norm of the decade's value must stand at an order.
std::string at(const Picture& p, int order, const std::string& decade) {
    return p.x.at(std::to_string(order)) + "," + p.y.at(decade);
}

TEST(ErrorPlot, EachKindALineOnTheLabelledGrid) {
    const Picture p = drawn({{std::vector{1e-14, 1e-12, 1e-13, 1e-11, 1e-11},
                              std::vector{1e-4, 1e-3, 1e-3, 1e-2, 1e-1}}});
    for (const char* words : {"Norma del error", "Orden n", "tipo 1", "tipo 2", "1E-15", "1E-01"})
        EXPECT_TRUE(p.x.count(words)) << words;
    EXPECT_EQ(p.x.count("1E-16") + p.x.count("1E+00"), 0u);
    EXPECT_LT(std::stod(p.y.at("1E-01")), std::stod(p.y.at("1E-15"))); // larger norms higher
    EXPECT_EQ(p.hollow.at("tipo 1") + p.hollow.at("tipo 2"), 0);
    EXPECT_EQ(p.points.at("tipo 1"),
              (std::vector{at(p, 10, "1E-14"), at(p, 20, "1E-12"), at(p, 30, "1E-13"),
                           at(p, 40, "1E-11"), at(p, 50, "1E-11")}));
    EXPECT_EQ(p.points.at("tipo 2"),
              (std::vector{at(p, 10, "1E-04"), at(p, 20, "1E-03"), at(p, 30, "1E-03"),
                           at(p, 40, "1E-02"), at(p, 50, "1E-01")}));
}

// A zero norm stands on the lowest decade with a hollow marker; a norm of one adds a decade.
TEST(ErrorPlot, AZeroNormAndASweepCutShort) {
    const Picture p = drawn({{std::vector{1e-14, 0.0, 1.0}, {}}});
    EXPECT_EQ(p.points.at("tipo 1"),
              (std::vector{at(p, 10, "1E-14"), at(p, 20, "1E-15"), at(p, 30, "1E+00")}));
    EXPECT_EQ(p.hollow.at("tipo 1"), 1);
    EXPECT_EQ(p.points.count("tipo 2") + p.x.count("tipo 2"), 0);
    EXPECT_TRUE(p.x.count("norma 0 (bajo el eje)") &&
                p.x.count("informe incompleto: 3 de 10 normas"));
}

} // namespace
