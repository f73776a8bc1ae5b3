// COEF: the right-hand side of the accuracy sweep, in closed form.
#include "linalg/right_hand_side.hpp"

#include "linalg/column_major.hpp"
#include "linalg/double_loop.hpp"
#include "runtime/checked.hpp"
#include "runtime/power.hpp"
#include "runtime/truncate.hpp"

namespace linalg {

// Row i sums 1/i, (1 - 3^(i-N)) / 2 above the diagonal and (1 - 4^(1-i)) / 3 below it. Each
// power enters the subtraction from 1.0 unrounded, which checks itself; the other operations
// are checked (runtime/checked.hpp).
void COEF(const double& N, std::span<double> B) {
    using runtime::power;
    using runtime::truncate_to_int;
    using runtime::checked::add, runtime::checked::divide, runtime::checked::multiply,
        runtime::checked::subtract;
    const Vector b(B);

    // Row 1 has nothing below the diagonal: (1 - 3^(1-N)) / 2 + 1, written as one product.
    b(1) = multiply(1.0 - power(3.0, -N), 1.5);

    double I = 0.0;
    for_double(I, 2.0, subtract(N, 1.0), 1.0, [&] {
        double above = divide(1.0 - power(3.0, subtract(I, N)), 2.0);
        double below = divide(1.0 - power(4.0, subtract(1.0, I)), 3.0);
        double sides = add(above, below); // before 1/I, as written
        b(truncate_to_int(I)) = add(sides, divide(1.0, I));
    });

    // Row N has nothing above the diagonal.
    double below = divide(1.0 - power(4.0, subtract(1.0, N)), 3.0);
    b(truncate_to_int(N)) = add(below, divide(1.0, N));
}

} // namespace linalg
