// power_check PAIRS [SEED]: the power against MPFR on PAIRS pairs drawn in turn from every class
// of arguments (tests/support/power_families.hpp): the power rounded once to 64 bits with its
// error class, and 1 - p rounded once to double. Prints the pairs compared and those that differ
// by class; exits 1 when any differ.

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "runtime/library_pow.hpp"
#include "tests/support/mpfr_reference.hpp"
#include "tests/support/power_families.hpp"

int main(int argc, char** argv) {
    const long pairs = argc > 1 ? std::atol(argv[1]) : 1000000;
    std::mt19937_64 bits(argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1);
    const std::vector<testsupport::Family> families = testsupport::families(bits);
    const auto count = static_cast<long>(families.size());
    std::vector<long> compared(families.size()), differing(families.size());
    const runtime::Extended one = runtime::Extended::from_double(1.0);
    for (long i = 0; i < pairs; ++i) {
        const auto k = static_cast<std::size_t>(i % count);
        auto [x, y] = families[k].pair(i / count);
        runtime::PowResult power = runtime::library_pow(x, y);
        runtime::PowResult reference = mpfr_reference::library_pow(x, y);
        runtime::RoundedDouble a =
            runtime::round_operation(runtime::Operation::Subtract, one, power.value);
        runtime::RoundedDouble b =
            mpfr_reference::round_operation(runtime::Operation::Subtract, one, power.value);
        bool same = power.value == reference.value && power.error == reference.error &&
                    (std::isnan(a.value) ? std::isnan(b.value) : a.value == b.value);
        ++compared[k];
        if (!same && ++differing[k] <= 5) std::printf("differs: %a ** %a\n", x, y);
    }
    long total = 0;
    for (std::size_t k = 0; k < families.size(); ++k) {
        std::printf("%-66s %11ld pairs, %ld differ\n", families[k].name, compared[k], differing[k]);
        total += differing[k];
    }
    return total == 0 ? 0 : 1;
}
