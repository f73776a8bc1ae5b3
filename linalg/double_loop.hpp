#pragma once
// A counted loop whose index is a double, as the generators and the sweep run theirs: the
// number of passes is fixed when the loop starts, from the double bounds, and the index starts
// at the first value and advances by adding the step and storing the sum. After the loop the
// index stands one step past its last value.

#include <cstdint>

#include "runtime/truncate.hpp"

namespace linalg {

template <class Body>
void for_double(double& index, double first, double last, double step, Body body) {
    std::int32_t passes = runtime::truncate_to_int((last - first + step) / step);
    for (index = first; passes > 0; --passes) {
        body();
        index = index + step;
    }
}

} // namespace linalg
