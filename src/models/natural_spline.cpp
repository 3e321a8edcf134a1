#include "models/natural_spline.h"

namespace vantor {
namespace {

// The linear system of the spline: one row per condition, the unknowns a_0, b_0, c_0,
// d_0, a_1, ... and the right-hand side in the last column. The rows stand in the
// order the module's own computation has them, which the elimination below relies on:
// it takes the diagonal as it comes, without exchanging rows.
class SplineSystem {
public:
    explicit SplineSystem(std::size_t unknowns) : size_(unknowns), cells_(unknowns * (unknowns + 1), 0.0) {}

    double& at(std::size_t row, std::size_t column) { return cells_[row * (size_ + 1) + column]; }
    double& rightSide(std::size_t row) { return at(row, size_); }

    // Gauss–Jordan in row order: each row divided by its diagonal element and cleared
    // from the rows below, then back substitution.
    std::vector<double> solve() {
        for (std::size_t row = 0; row < size_; ++row) {
            const double diagonal = at(row, row);
            for (std::size_t column = row; column <= size_; ++column) at(row, column) /= diagonal;
            for (std::size_t below = row + 1; below < size_; ++below) {
                const double factor = at(below, row);
                for (std::size_t column = row; column <= size_; ++column) at(below, column) -= factor * at(row, column);
            }
        }
        std::vector<double> solution(size_);
        for (std::size_t row = size_; row-- > 0;) {
            double value = rightSide(row);
            for (std::size_t column = row + 1; column < size_; ++column) value -= at(row, column) * solution[column];
            solution[row] = value;
        }
        return solution;
    }

private:
    std::size_t size_;
    std::vector<double> cells_;
};

// Column of coefficient `which` (0 a, 1 b, 2 c, 3 d) of interval `interval`.
constexpr std::size_t coefficient(std::size_t interval, std::size_t which) { return 4 * interval + which; }

// S_i(x_i + h) = y in `row`.
void valueAtEnd(SplineSystem& system, std::size_t row, std::size_t interval, double h, double y) {
    system.at(row, coefficient(interval, 0)) = 1;
    system.at(row, coefficient(interval, 1)) = h;
    system.at(row, coefficient(interval, 2)) = h * h;
    system.at(row, coefficient(interval, 3)) = h * h * h;
    system.rightSide(row) = y;
}

}  // namespace

SplineNodesCheck checkSplineNodes(const std::vector<SplineNode>& nodes) {
    using Fault = SplineNodesCheck::Fault;
    if (nodes.size() < 2) return {Fault::TooFewNodes, 0};
    for (std::size_t k = 1; k < nodes.size(); ++k) {
        if (nodes[k].x == nodes[k - 1].x) return {Fault::Repeated, k};
        if (nodes[k].x < nodes[k - 1].x) return {Fault::Decreasing, k};
    }
    return {};
}

std::vector<float> naturalSplineCoefficients(const std::vector<SplineNode>& nodes) {
    if (checkSplineNodes(nodes).fault != SplineNodesCheck::Fault::None) return {};
    const std::size_t n = nodes.size();
    const auto h = [&](std::size_t i) { return nodes[i + 1].x - nodes[i].x; };
    SplineSystem system(4 * (n - 1));

    // The left end: S_0(x_0) = y_0, S_0''(x_0) = 0.
    system.at(0, coefficient(0, 0)) = 1;
    system.rightSide(0) = nodes[0].y;
    system.at(2, coefficient(0, 2)) = 1;
    // Each inner node k joins intervals k − 1 and k: equal slope, the value from both
    // sides, equal second derivative.
    for (std::size_t k = 1; k + 1 < n; ++k) {
        const std::size_t before = k - 1;
        const double step = h(before);
        const std::size_t slopeRow = 4 * k - 3, endRow = 4 * k - 1, startRow = 4 * k, curvatureRow = 4 * k + 2;
        system.at(slopeRow, coefficient(before, 1)) = 1;
        system.at(slopeRow, coefficient(before, 2)) = 2 * step;
        system.at(slopeRow, coefficient(before, 3)) = 3 * step * step;
        system.at(slopeRow, coefficient(k, 1)) = -1;
        valueAtEnd(system, endRow, before, step, nodes[k].y);
        system.at(startRow, coefficient(k, 0)) = 1;
        system.rightSide(startRow) = nodes[k].y;
        system.at(curvatureRow, coefficient(before, 2)) = 2;
        system.at(curvatureRow, coefficient(before, 3)) = 6 * step;
        system.at(curvatureRow, coefficient(k, 2)) = -2;
    }
    // The right end: S_{n−2}(x_{n−1}) = y_{n−1}, S_{n−2}''(x_{n−1}) = 0 (halved).
    const std::size_t last = n - 2;
    valueAtEnd(system, 4 * n - 7, last, h(last), nodes[n - 1].y);
    system.at(4 * n - 5, coefficient(last, 2)) = 1;
    system.at(4 * n - 5, coefficient(last, 3)) = 3 * h(last);

    const std::vector<double> solution = system.solve();
    return {solution.begin(), solution.end()};
}

}  // namespace vantor
