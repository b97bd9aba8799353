#include "camera/Curves.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using curves::BSplineBasis;
using curves::BSplineCurve3;

namespace {

const Vector3 SQUARE[4] = {{-1, -1, -1}, {1, 0, -1}, {1, 1, 1}, {-1, 0, 1}};

// The uniform cubic B-spline segment in its matrix form: 1/6 [u^3 u^2 u 1] M [P0 P1 P2 P3].
Vector3 matrixFormSegment(const Vector3 p[4], double u) {
    const double m[4][4] = {{-1, 3, -3, 1}, {3, -6, 3, 0}, {-3, 0, 3, 0}, {1, 4, 1, 0}};
    const double powers[4] = {u * u * u, u * u, u, 1};
    double x = 0, y = 0, z = 0;
    for (int k = 0; k < 4; ++k) {
        double weight = 0;
        for (int r = 0; r < 4; ++r) weight += powers[r] * m[r][k] / 6;
        x += weight * p[k].x;
        y += weight * p[k].y;
        z += weight * p[k].z;
    }
    return {float(x), float(y), float(z)};
}

// Closed periodic cubic over four points: four segments, each starting one point further on.
Vector3 closedReference(const Vector3 points[4], double t) {
    t -= std::floor(t);
    const int segment = std::min(int(std::floor(4 * t)), 3);
    const Vector3 window[4] = {points[segment], points[(segment + 1) % 4],
                               points[(segment + 2) % 4], points[(segment + 3) % 4]};
    return matrixFormSegment(window, 4 * t - segment);
}

BSplineCurve3<float> closedSquare() { return BSplineCurve3<float>(4, SQUARE, 3, true, false); }

void expectNear(Vector3 expected, Vector3 actual, float tolerance) {
    EXPECT_NEAR(expected.x, actual.x, tolerance);
    EXPECT_NEAR(expected.y, actual.y, tolerance);
    EXPECT_NEAR(expected.z, actual.z, tolerance);
}

}  // namespace

TEST(CurvesBasis, PeriodicKnotsSpansAndUsedControlPoints) {
    BSplineBasis<float> basis;
    EXPECT_EQ(11, basis.BuildUniform(7, 3, false));
    for (int i = 0; i < 11; ++i) EXPECT_FLOAT_EQ(-0.75f + 0.25f * i, basis.Knots()[i]);

    // t of exactly 1 is not wrapped but stays inside the last interval.
    const struct { float t, wrapped; int span, first; } cases[] = {
        {0.0f, 0.0f, 3, 0},   {0.2f, 0.2f, 3, 0},   {0.8f, 0.8f, 6, 3},
        {1.0f, 1.0f, 6, 3},   {1.25f, 0.25f, 4, 1}, {-0.75f, 0.25f, 4, 1},
    };
    for (const auto& c : cases) {
        float t = c.t;
        EXPECT_EQ(c.span, basis.KnotSpan(t)) << c.t;
        EXPECT_FLOAT_EQ(c.wrapped, t);
        int first = -1, last = -1;
        basis.EvaluateBasis(c.t, 3, first, last);
        EXPECT_EQ(c.first, first);
        EXPECT_EQ(c.span, last);
    }
}

TEST(CurvesBasis, ValuesSumToOneAndDerivativesToZero) {
    BSplineBasis<float> periodic, open;
    periodic.BuildUniform(7, 3, false);
    open.BuildUniform(6, 3, true);
    for (BSplineBasis<float>* basis : {&periodic, &open}) {
        for (float t : {0.0f, 0.13f, 0.5f, 0.77f, 0.999f, 1.0f}) {
            int first = 0, last = 0;
            basis->EvaluateBasis(t, 3, first, last);
            for (int level = 0; level <= 3; ++level) {
                float sum = 0;
                for (int i = first; i <= last; ++i) sum += basis->BasisValue(level, i);
                EXPECT_NEAR(level == 0 ? 1.0f : 0.0f, sum, 1e-3f)
                    << "t " << t << " level " << level;
            }
        }
    }
}

TEST(CurvesBSpline, ClosedPeriodicCurveMatchesMatrixFormAndWraps) {
    BSplineCurve3<float> curve = closedSquare();
    EXPECT_TRUE(curve.IsClosed());
    for (int step = -20; step <= 60; ++step) {
        const float t = step / 40.0f;
        expectNear(closedReference(SQUARE, t), curve.PositionAt(t), 1e-5f);
        Vector3 evaluated;
        curve.Evaluate(t, &evaluated, nullptr, nullptr, nullptr);
        expectNear(curve.PositionAt(t), evaluated, 0.0f);
    }
    expectNear(curve.PositionAt(0.25f), curve.PositionAt(1.25f), 1e-6f);
    expectNear(curve.PositionAt(0.25f), curve.PositionAt(-0.75f), 1e-6f);
    expectNear(curve.PositionAt(0.0f), curve.PositionAt(1.0f), 1e-6f);
    EXPECT_EQ(0.0f, curve.VariationBetween(0.1f, 0.7f));
}

TEST(CurvesBSpline, OpenCurvesAreClampedToTheirEnds) {
    const Vector3 points[5] = {{0, 0, 0}, {1, 2, 0}, {2, -1, 1}, {3, 0, 2}, {4, 1, 0}};
    BSplineCurve3<float> open(5, points, 3, false, true);
    EXPECT_FALSE(open.IsClosed());
    for (float t : {-0.5f, 0.0f}) expectNear(points[0], open.PositionAt(t), 1e-6f);
    for (float t : {1.0f, 2.0f}) expectNear(points[4], open.PositionAt(t), 1e-6f);

    // Closed but open: the first point is stored once more, and the curve ends there.
    BSplineCurve3<float> loop(5, points, 3, true, true);
    expectNear(points[0], loop.PositionAt(0.0f), 1e-6f);
    expectNear(points[0], loop.PositionAt(1.0f), 1e-6f);
}

TEST(CurvesBSpline, DerivativesMatchFiniteDifferences) {
    BSplineCurve3<float> curve = closedSquare();
    const float h = 1e-3f;
    const auto difference = [&](auto derivative, float t) {
        const Vector3 ahead = (curve.*derivative)(t + h), behind = (curve.*derivative)(t - h);
        return (ahead - behind) * (0.5f / h);
    };
    // Sample inside knot intervals: the third derivative jumps at the knots.
    for (float t : {0.1f, 0.4f, 0.6f, 0.9f}) {
        expectNear(difference(&BSplineCurve3<float>::PositionAt, t), curve.FirstDerivativeAt(t),
                   1e-2f);
        expectNear(difference(&BSplineCurve3<float>::FirstDerivativeAt, t),
                   curve.SecondDerivativeAt(t), 5e-2f);
        expectNear(difference(&BSplineCurve3<float>::SecondDerivativeAt, t),
                   curve.ThirdDerivativeAt(t), 2e-1f);
        Vector3 position, first, second, third;
        curve.Evaluate(t, &position, &first, &second, &third);
        expectNear(curve.PositionAt(t), position, 1e-6f);
        expectNear(curve.FirstDerivativeAt(t), first, 1e-6f);
        expectNear(curve.SecondDerivativeAt(t), second, 1e-5f);
        expectNear(curve.ThirdDerivativeAt(t), third, 1e-5f);
    }
}

TEST(CurvesLength, RombergLengthsAndTheirInverse) {
    // Order 1 is the trapezoid rule, order 3 Boole's rule, exact up to degree 5.
    const auto identity = [](float x, void*) { return x; };
    const auto fifthPower = [](float x, void*) { return x * x * x * x * x; };
    const auto sine = [](float x, void*) { return std::sin(x); };
    EXPECT_FLOAT_EQ(2.0f, curves::IntegrateRomberg<float>(1, 0.0f, 2.0f, identity, nullptr));
    EXPECT_NEAR(64.0f / 6, curves::IntegrateRomberg<float>(3, 0.0f, 2.0f, fifthPower, nullptr),
                1e-4f);
    EXPECT_NEAR(2.0f, curves::IntegrateRomberg<float>(8, 0.0f, 3.14159265f, sine, nullptr), 1e-5f);

    BSplineCurve3<float> curve = closedSquare();
    double polyline = 0;
    const int segments = 20000;
    for (int i = 0; i < segments; ++i)
        polyline += length(closedReference(SQUARE, double(i + 1) / segments) -
                           closedReference(SQUARE, double(i) / segments));
    const float total = curve.TotalLength();
    EXPECT_NEAR(polyline, total, 1e-3 * polyline);
    EXPECT_NEAR(total, curve.LengthBetween(0.0f, 0.3f) + curve.LengthBetween(0.3f, 1.0f), 1e-4f);

    EXPECT_EQ(0.0f, curve.TimeAtLength(0.0f, 10, 1e-5f));
    EXPECT_EQ(1.0f, curve.TimeAtLength(total, 10, 1e-5f));
    EXPECT_EQ(1.0f, curve.TimeAtLength(2 * total, 10, 1e-5f));
    for (float fraction : {0.1f, 0.5f, 0.85f}) {
        const float t = curve.TimeAtLength(fraction * total, 10, 1e-5f);
        EXPECT_NEAR(fraction * total, curve.LengthBetween(0.0f, t), 1e-4f);
    }
}

TEST(CurvesBSpline, ReplacingControlPointsKeepsTheCurveClosed) {
    BSplineCurve3<float> curve = closedSquare();
    Vector3 moved[4] = {SQUARE[0], SQUARE[1], SQUARE[2], SQUARE[3]};
    moved[0] = {-3, 2, 0};
    moved[2] = {0.5f, 4, -2};
    curve.ReplaceControlPoint(0, moved[0]);
    curve.ReplaceControlPoint(2, moved[2]);
    for (float t : {0.0f, 0.3f, 0.8f, 0.95f, 1.0f})
        expectNear(closedReference(moved, t), curve.PositionAt(t), 1e-5f);
    expectNear(curve.PositionAt(0.0f), curve.PositionAt(1.0f), 1e-6f);
    for (int i = 0; i < 4; ++i) expectNear(moved[i], curve.ControlPointAt(i), 0.0f);

    const Vector3 largest{3.4028235e38f, 3.4028235e38f, 3.4028235e38f};
    expectNear(largest, curve.ControlPointAt(4), 0.0f);
    expectNear(largest, curve.ControlPointAt(-1), 0.0f);
    const Vector3 before = curve.PositionAt(0.9f);
    curve.ReplaceControlPoint(4, {9, 9, 9});
    curve.ReplaceControlPoint(-1, {9, 9, 9});
    expectNear(before, curve.PositionAt(0.9f), 0.0f);
}
