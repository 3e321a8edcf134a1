#include "models/natural_spline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace vantor {
namespace {

using Nodes = std::vector<SplineNode>;
using Fault = SplineNodesCheck::Fault;

// The spline of the coefficients at x, and its first and second derivative.
struct Piece {
    double a, b, c, d;
    double value(double t) const { return a + b * t + c * t * t + d * t * t * t; }
    double slope(double t) const { return b + 2 * c * t + 3 * d * t * t; }
    double curvature(double t) const { return 2 * c + 6 * d * t; }
};

Piece piece(const std::vector<float>& coefficients, std::size_t interval) {
    const std::size_t at = 4 * interval;
    return {coefficients[at], coefficients[at + 1], coefficients[at + 2], coefficients[at + 3]};
}

TEST(NaturalSpline, TwoNodesGiveTheStraightLineBetweenThem) {
    EXPECT_EQ(naturalSplineCoefficients({{0, 0}, {10, 100}}), (std::vector<float>{0, 10, 0, 0}));
}

TEST(NaturalSpline, ThreeNodesGiveTwoPiecesFlatAtBothEnds) {
    // Worked by hand: S_0 = 1.5t − 0.5t³, S_1 = 1 − 1.5t² + 0.5t³.
    const std::vector<float> expected{0, 1.5F, 0, -0.5F, 1, 0, -1.5F, 0.5F};
    const std::vector<float> worked = naturalSplineCoefficients({{0, 0}, {1, 1}, {2, 0}});
    ASSERT_EQ(worked.size(), expected.size());
    for (std::size_t j = 0; j < expected.size(); ++j) EXPECT_NEAR(worked[j], expected[j], 1e-6) << j;

    const Nodes uneven{{-2, 3}, {0.5, -1}, {4, 7}};
    const std::vector<float> k = naturalSplineCoefficients(uneven);
    ASSERT_EQ(k.size(), 8u);
    EXPECT_EQ(k[2], 0.0F);                              // c_0
    EXPECT_NEAR(k[6] + 3 * k[7] * (4 - 0.5), 0, 1e-5);  // c_1 + 3·d_1·h_1
}

TEST(NaturalSpline, AStraightLineThroughManyNodesHasNoCurvature) {
    const Nodes line{{-5, -13}, {-1, -5}, {0.25, -2.5}, {2, 1}, {7.5, 12}, {8, 13}, {10, 17}};
    const std::vector<float> k = naturalSplineCoefficients(line);
    ASSERT_EQ(k.size(), 4 * (line.size() - 1));
    for (std::size_t i = 0; i + 1 < line.size(); ++i) {
        const Piece p = piece(k, i);
        EXPECT_NEAR(p.a, line[i].y, 1e-5) << i;
        EXPECT_NEAR(p.b, 2, 1e-5) << i;
        EXPECT_NEAR(p.c, 0, 1e-5) << i;
        EXPECT_NEAR(p.d, 0, 1e-5) << i;
    }
}

// Through every node, slope and curvature continuous at the inner nodes, no curvature
// at the ends: what makes it the natural spline of the table.
TEST(NaturalSpline, PassesThroughTheNodesSmoothlyWithFlatEnds) {
    Nodes many;
    for (int i = 0; i < 21; ++i) many.push_back({-10 + i * (1 + 0.05 * i), std::cos(i) * 50 + i});
    const Nodes tables[] = {
        {{0, 0}, {1, 4}, {1.5, -2}, {6, 3}},
        {{-9.5, 120}, {-9.4, 80}, {-3, 0}, {0, 0}, {0.001, 1}, {9.9, 55}},
        many,
    };
    for (const Nodes& nodes : tables) {
        const std::vector<float> k = naturalSplineCoefficients(nodes);
        ASSERT_EQ(k.size(), 4 * (nodes.size() - 1));
        const std::size_t last = nodes.size() - 2;
        double scale = 1;
        for (const SplineNode& node : nodes) scale = std::max(scale, std::fabs(node.y));
        const double tolerance = 1e-5 * scale;
        for (std::size_t i = 0; i <= last; ++i) {
            const Piece p = piece(k, i);
            const double h = nodes[i + 1].x - nodes[i].x;
            EXPECT_NEAR(p.value(0), nodes[i].y, tolerance) << i;
            EXPECT_NEAR(p.value(h), nodes[i + 1].y, tolerance) << i;
            if (i == last) continue;
            const Piece next = piece(k, i + 1);
            EXPECT_NEAR(p.slope(h), next.slope(0), tolerance / h) << i;
            EXPECT_NEAR(p.curvature(h), next.curvature(0), tolerance / (h * h)) << i;
        }
        EXPECT_EQ(piece(k, 0).curvature(0), 0);
        EXPECT_NEAR(piece(k, last).curvature(nodes[last + 1].x - nodes[last].x), 0,
                    tolerance / std::pow(nodes[last + 1].x - nodes[last].x, 2));
    }
}

TEST(NaturalSpline, FollowsACurveFlatAtBothEndsBetweenTheNodes) {
    // sin has no curvature at 0 and pi, so the natural ends cost it nothing.
    Nodes nodes;
    const double step = std::numbers::pi / 20;
    for (int i = 0; i <= 20; ++i) nodes.push_back({i * step, std::sin(i * step)});
    const std::vector<float> k = naturalSplineCoefficients(nodes);
    ASSERT_EQ(k.size(), 80u);
    for (std::size_t i = 0; i < 20; ++i)
        for (const double t : {0.25, 0.5, 0.75})
            EXPECT_NEAR(piece(k, i).value(t * step), std::sin(nodes[i].x + t * step), 2e-5) << i << " " << t;
}

TEST(NaturalSpline, RefusesTablesItCannotSolve) {
    const struct {
        Nodes nodes;
        Fault fault;
        std::size_t node;
    } cases[] = {
        {{}, Fault::TooFewNodes, 0},
        {{{1, 1}}, Fault::TooFewNodes, 0},
        {{{0, 0}, {1, 1}, {1, 2}, {3, 0}}, Fault::Repeated, 2},
        {{{0, 0}, {2, 1}, {1, 2}}, Fault::Decreasing, 2},
        {{{5, 0}, {-5, 1}}, Fault::Decreasing, 1},
    };
    for (const auto& c : cases) {
        const SplineNodesCheck check = checkSplineNodes(c.nodes);
        EXPECT_EQ(check.fault, c.fault) << c.nodes.size();
        EXPECT_EQ(check.node, c.node) << c.nodes.size();
        EXPECT_TRUE(naturalSplineCoefficients(c.nodes).empty()) << c.nodes.size();
    }
    EXPECT_EQ(checkSplineNodes({{-1, 0}, {0, 0}}).fault, Fault::None);
}

}  // namespace
}  // namespace vantor
