#include "tools/plot/sweep_report.hpp"

#include <algorithm>

#include "io/format/exact_decimal.hpp"

namespace plot {

namespace {

bool all_digits(std::string_view s) {
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::vector<std::string_view> records(std::string_view bytes) {
    std::vector<std::string_view> found;
    for (std::size_t end; (end = bytes.find('\n')) != bytes.npos; bytes.remove_prefix(end + 1)) {
        std::string_view record = bytes.substr(0, end);
        if (record.ends_with('\r')) record.remove_suffix(1);
        found.push_back(record);
    }
    return found;
}

// The label record of the norm at this place in a sweep.
std::string norm_label(int place) {
    return " norma(" + std::to_string(10 * (place % kOrders + 1)) + ".0)";
}

// "kind 1 from order 40, kind 2 from order 10": the norms a cut-short sweep lacks.
std::string missing(const SweepNorms& sweep) {
    std::string text;
    for (int k = 0; k < 2; ++k) {
        const std::size_t have = sweep.kind[static_cast<std::size_t>(k)].size();
        if (have == kOrders) continue;
        text += (text.empty() ? "" : ", ") + std::string("kind ") + std::to_string(k + 1) +
                " from order " + std::to_string(10 * (have + 1));
    }
    return text;
}

// The value of a norm record, E 15.7 (`   .6402545E-11`, never negative); none when the record
// is not one.
std::optional<double> read_norm_value(std::string_view record) {
    if (record.size() != 15 || !record.starts_with("   .") || record[11] != 'E')
        return std::nullopt;
    const std::string_view mantissa = record.substr(4, 7), exponent = record.substr(12);
    if (!all_digits(mantissa) || !all_digits(exponent.substr(1)) ||
        (exponent[0] != '+' && exponent[0] != '-'))
        return std::nullopt;
    return io::parse_decimal("0." + std::string(mantissa) + "e" + std::string(exponent));
}

ReportReading not_a_report(std::size_t line, const std::string& what) {
    return {std::nullopt, "not a report of crout: line " + std::to_string(line) + " " + what};
}

} // namespace

ReportReading read_report(std::string_view bytes) {
    const std::vector<std::string_view> rs = records(bytes);
    std::vector<SweepNorms> runs;
    bool option1 = false;
    std::size_t solutions = 0; // two in each run of option 2, one for each kind
    for (std::size_t i = 0; i < rs.size(); ++i) {
        option1 |= rs[i] == " Matriz A";
        solutions += rs[i] == " Soluciones para n=10";
        if (!rs[i].starts_with(" norma(")) continue;
        // Order 10 begins a sweep, unless it is kind 2's after the five of kind 1.
        if (runs.empty() || (rs[i] == norm_label(0) && runs.back().count() != kOrders))
            runs.emplace_back();
        SweepNorms& run = runs.back();
        const int place = run.count();
        if (rs[i] != norm_label(place)) return not_a_report(i + 1, "should be" + norm_label(place));
        if (i + 1 == rs.size()) break; // cut short between the two records
        const std::optional<double> norm = read_norm_value(rs[++i]);
        if (!norm) return not_a_report(i + 1, "should hold the error norm");
        run.kind[place < kOrders ? 0 : 1].push_back(*norm);
    }

    if (!runs.empty() && runs.back().count() == 0) runs.pop_back();
    if (runs.empty()) {
        if (bytes.empty()) return {std::nullopt, "the report is empty"};
        if (solutions) return {std::nullopt, "option 2 was cut short before its first error norm"};
        if (option1) return {std::nullopt, "the report holds option 1's results only"};
        return {std::nullopt, "not a report of crout: no record of option 1 or 2"};
    }
    const auto last_complete = std::find_if(
        runs.rbegin(), runs.rend(), [](const SweepNorms& s) { return s.count() == 2 * kOrders; });
    const auto chosen = last_complete == runs.rend() ? runs.end() - 1 : last_complete.base() - 1;
    ReportReading reading{*chosen, ""};
    if (chosen->count() < 2 * kOrders)
        reading.note = "option 2 was cut short: " + std::to_string(chosen->count()) +
                       " of its 10 error norms drawn, missing " + missing(*chosen);
    // A run cut short before its first norm counts too.
    if (const std::size_t begun = std::max(runs.size(), (solutions + 1) / 2); begun > 1)
        reading.note = "the report holds " + std::to_string(begun) +
                       " runs of option 2: drawn run " + std::to_string(chosen - runs.begin() + 1) +
                       (reading.note.empty() ? ", the last complete one" : "; " + reading.note);
    return reading;
}

} // namespace plot
