#pragma once
// A counted loop whose index is a double, as the generators and the sweep run theirs: the
// number of passes is fixed when the loop starts, from the double bounds, and the index starts
// at the first value and advances by adding the step and storing the sum. After the loop the
// index stands one step past its last value. Each operation is checked (runtime/checked.hpp).

#include <cstdint>

#include "runtime/checked.hpp"
#include "runtime/truncate.hpp"

namespace linalg {

template <class Body>
void for_double(double& index, double first, double last, double step, Body body) {
    using runtime::checked::add, runtime::checked::divide, runtime::checked::subtract;
    std::int32_t passes = runtime::truncate_to_int(divide(add(subtract(last, first), step), step));
    for (index = first; passes > 0; --passes) {
        body();
        index = add(index, step);
    }
}

} // namespace linalg
