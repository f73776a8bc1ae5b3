#pragma once
// A square matrix stored column by column, addressed from 1 as the algorithms write it: entry
// (i, j) is the double at (i - 1) + (j - 1) * leading_dimension from the start of the storage.

#include <cassert>
#include <cstddef>
#include <span>

namespace linalg {

class ColumnMajor {
public:
    ColumnMajor(std::span<double> storage, int leading_dimension)
        : storage_(storage), leading_dimension_(leading_dimension) {}

    double& operator()(int i, int j) const {
        std::size_t at = static_cast<std::size_t>((i - 1) + (j - 1) * leading_dimension_);
        assert(i >= 1 && j >= 1 && at < storage_.size());
        return storage_[at];
    }

    int leading_dimension() const { return leading_dimension_; }

private:
    std::span<double> storage_;
    int leading_dimension_;
};

// B(1..n) of a vector, addressed from 1.
class Vector {
public:
    explicit Vector(std::span<double> storage) : storage_(storage) {}

    double& operator()(int i) const {
        assert(i >= 1 && static_cast<std::size_t>(i) <= storage_.size());
        return storage_[static_cast<std::size_t>(i - 1)];
    }

private:
    std::span<double> storage_;
};

} // namespace linalg
