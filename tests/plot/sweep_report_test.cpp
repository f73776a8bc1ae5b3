// Reading the norms back from reports made by the program, cut and combined as a user's
// reports may be.

#include <gtest/gtest.h>

#include "tests/plot/real_reports.hpp"
#include "tools/plot/sweep_report.hpp"

namespace {

using namespace testsupport;
using plot::read_report;

// E 15.7 by its rules: a point, seven digits, E and a signed two-digit exponent, or beyond
// E-99 and E+99 a sign and three digits; right-justified in 15 columns, never negative.
TEST(SweepReport, ReadsNormValues) {
    const std::pair<const char*, std::optional<double>> cases[] = {
        {"   .2050000E-03", 2.05e-4}, {"   .0000000E+00", 0.0}, {"   .1000000-100", 1e-101},
        {"   .2500000+101", 2.5e100}, {"  -.5000000E+00", {}},  {"    .2050000E-03", {}},
        {"   .205000xE-03", {}},      {"   .2050000E*03", {}}};
    for (const auto& [record, value] : cases)
        EXPECT_EQ(plot::read_norm_value(record), value) << record;
}

// Kind 2's norms are the exact solutions' distances from ones to three digits; kind 1's stay
// at rounding level.
void expect_the_real_norms(const plot::SweepNorms& sweep) {
    const double kind2[] = {2.05e-4, 5.20e-4, 8.01e-4, 3.00e-3, 2.12e-2};
    ASSERT_EQ(sweep.count(), 10);
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_GT(sweep.kind[0][i], 0);
        EXPECT_LT(sweep.kind[0][i], 1e-10);
        EXPECT_NEAR(sweep.kind[1][i], kind2[i], 0.005 * kind2[i]);
    }
}

TEST(SweepReport, WholeSweepsAndTheLastOfSeveral) {
    const RealReports& r = real_reports();
    std::string without_cr = r.cut.back();
    std::erase(without_cr, '\r');
    const std::pair<std::string, std::string> cases[] = {
        {r.cut.back(), ""},
        {r.after_option1, ""},
        {without_cr, ""},
        {r.twice, "the report holds 2 runs of option 2: drawn run 2, the last complete one"},
        {r.cut[4] + r.cut.back(), // reports put together, the first cut short
         "the report holds 2 runs of option 2: drawn run 2, the last complete one"},
        {r.cut.back() + r.cut[4], // the second cut short
         "the report holds 2 runs of option 2: drawn run 1, the last complete one"}};
    for (const auto& [report, note] : cases) {
        const plot::ReportReading reading = read_report(report);
        EXPECT_EQ(reading.note, note);
        ASSERT_TRUE(reading.sweep);
        expect_the_real_norms(*reading.sweep);
    }
}

TEST(SweepReport, OptionTwoCutAtEachPause) {
    const RealReports& r = real_reports();
    const plot::SweepNorms whole = *read_report(r.cut.back()).sweep;
    for (std::size_t pause = 1; pause <= 12; ++pause) {
        SCOPED_TRACE(pause); // each kind's first pause follows its solution, the others a norm
        const std::size_t norms = pause - 1 - (pause > 6), k1 = std::min<std::size_t>(norms, 5);
        const plot::ReportReading reading = read_report(r.cut[pause - 1]);
        if (norms == 0) {
            EXPECT_FALSE(reading.sweep);
            EXPECT_EQ(reading.note, "option 2 was cut short before its first error norm");
            continue;
        }
        ASSERT_TRUE(reading.sweep);
        for (std::size_t k = 0; k < 2; ++k)
            EXPECT_EQ(reading.sweep->kind[k],
                      std::vector(whole.kind[k].begin(),
                                  whole.kind[k].begin() + static_cast<long>(k ? norms - k1 : k1)));
        const std::string missing =
            k1 < 5 ? "kind 1 from order " + std::to_string(10 * k1 + 10) + ", kind 2 from order 10"
                   : "kind 2 from order " + std::to_string(10 * norms - 40);
        EXPECT_EQ(reading.note, norms == 10
                                    ? ""
                                    : "option 2 was cut short: " + std::to_string(norms) +
                                          " of its 10 error norms drawn, missing " + missing);
    }
}

TEST(SweepReport, NothingToDrawOrCutInsideARecord) {
    const RealReports& r = real_reports();
    const std::string& whole = r.cut.back();
    const std::size_t order20 = whole.find(" norma(20.0)"), norm20 = order20 + 14;
    const std::pair<std::string, std::string> cases[] = {
        {"", "the report is empty"},
        {r.option1, "the report holds option 1's results only"},
        {r.console, "not a report of crout: no record of option 1 or 2"},
        {whole.substr(0, order20) + whole.substr(norm20 + 17),
         "not a report of crout: line 15 should be norma(20.0)"},
        {whole.substr(0, norm20) + whole.substr(norm20 + 17),
         "not a report of crout: line 16 should hold the error norm"},
        {whole.substr(0, whole.size() - 2),
         "option 2 was cut short: 9 of its 10 error norms drawn, missing kind 2 from order 50"}};
    for (const auto& [report, note] : cases) {
        const plot::ReportReading reading = read_report(report);
        EXPECT_EQ(reading.note, note);
        EXPECT_EQ(reading.sweep.has_value(), note.starts_with("option 2 was cut short:"));
    }
}

} // namespace
