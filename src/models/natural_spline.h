#pragma once
// The natural cubic spline through a table of nodes, as the mutual-inductance module
// (KQ-13) takes it: on each interval i, S_i(x) = a_i + b_i·t + c_i·t² + d_i·t³ with
// t = x − x_i, the second derivative zero at both ends. The module is given the
// coefficients a_0, b_0, c_0, d_0, a_1, ... as 32-bit floats.

#include <cstddef>
#include <vector>

namespace vantor {

struct SplineNode {
    double x = 0;
    double y = 0;
};

// What is wrong with a table of nodes, if anything: the system of the spline needs two
// nodes at least and x strictly increasing (a repeated x makes it singular).
struct SplineNodesCheck {
    enum class Fault { None, TooFewNodes, Repeated, Decreasing };
    Fault fault = Fault::None;
    std::size_t node = 0;  // Repeated, Decreasing: the node that is not above the one before it
};

SplineNodesCheck checkSplineNodes(const std::vector<SplineNode>& nodes);

// The 4(n − 1) coefficients, interval by interval; empty for nodes the check refuses.
std::vector<float> naturalSplineCoefficients(const std::vector<SplineNode>& nodes);

}  // namespace vantor
