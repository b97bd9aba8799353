// A small library of parametric curves in 3-D: uniform B-splines with their derivatives, arc
// length by Romberg integration of the speed, and the parameter at a given arc length by
// Newton's method. Templates over the scalar type; points are the shared single-precision
// Vector3, so the program instantiates them with float.
#pragma once

#include <array>
#include <cassert>
#include <cmath>
#include <vector>

#include "camera/MathTypes.h"

namespace curves {

// The derivatives a basis can give besides its values: levels 1..3.
constexpr int MAX_DERIVATIVE_LEVEL = 3;
constexpr float LARGEST_FLOAT = 3.4028235e38f;

// Romberg integration of f over [a, b]: order rows of trapezoid sums, each halving the step
// (2^(order-1) + 1 evaluations of f), extrapolated with Richardson's 4^c weights.
template <typename Real>
Real IntegrateRomberg(int order, Real a, Real b, Real (*f)(Real, void*), void* userData) {
    std::vector<Real> previous(order), current(order);
    Real h = b - a;
    previous[0] = Real(0.5) * h * (f(a, userData) + f(b, userData));
    for (int level = 2, p = 1; level <= order; ++level, p *= 2, h *= Real(0.5)) {
        Real sum = 0;
        for (int m = 1; m <= p; ++m) sum += f(a + h * (Real(m) - Real(0.5)), userData);
        current[0] = Real(0.5) * (previous[0] + h * sum);
        Real q = 4;
        for (int c = 1; c < level; ++c, q *= 4)
            current[c] = (q * current[c - 1] - previous[c - 1]) / (q - 1);
        for (int c = 0; c < level; ++c) previous[c] = current[c];
    }
    return previous[order - 1];
}

template <typename Real>
class Curve3 {
public:
    Curve3(Real tMin, Real tMax) : tMin(tMin), tMax(tMax) {}
    virtual ~Curve3() = default;

    virtual Vector3 PositionAt(Real t) = 0;
    virtual Vector3 FirstDerivativeAt(Real t) = 0;
    virtual Vector3 SecondDerivativeAt(Real t) = 0;
    virtual Vector3 ThirdDerivativeAt(Real t) = 0;
    virtual Real LengthBetween(Real t0, Real t1) = 0;
    virtual Real TimeAtLength(Real length, int iterations, Real tolerance) = 0;
    virtual Real VariationBetween(Real t0, Real t1, const Vector3* p0 = nullptr,
                                  const Vector3* p1 = nullptr) = 0;

    Real tMin;
    Real tMax;
};

// A curve made of one piece: its length is one integral of its speed.
template <typename Real>
class SingleCurve3 : public Curve3<Real> {
public:
    // Evaluations of the speed in one length integral: 2^(order-1) + 1.
    static constexpr int ROMBERG_ORDER = 8;

    SingleCurve3(Real tMin, Real tMax) : Curve3<Real>(tMin, tMax) {}

    Real SpeedAt(Real t) {
        const Vector3 velocity = this->FirstDerivativeAt(t);
        return std::sqrt(Real(dot(velocity, velocity)));
    }

    Real TotalLength() { return this->LengthBetween(this->tMin, this->tMax); }

    static Real SpeedCallback(Real t, void* userData) {
        return static_cast<SingleCurve3*>(userData)->SpeedAt(t);
    }

    Real LengthBetween(Real t0, Real t1) override {
        return IntegrateRomberg<Real>(ROMBERG_ORDER, t0, t1, &SpeedCallback, this);
    }

    // Newton's method on LengthBetween(tMin, t) - length, started from the proportional guess.
    Real TimeAtLength(Real length, int iterations, Real tolerance) override {
        if (length <= 0) return this->tMin;
        if (length >= TotalLength()) return this->tMax;
        const Real ratio = length / TotalLength();
        Real t = (1 - ratio) * this->tMin + ratio * this->tMax;
        for (int i = 0; i < iterations; ++i) {
            const Real difference = this->LengthBetween(this->tMin, t) - length;
            if (std::fabs(difference) < tolerance) return t;
            t -= difference / SpeedAt(t);
        }
        return t;
    }
};

// Uniform B-spline basis functions and their first three derivatives by the Cox-de Boor
// recurrence. Each level's table has degree + 1 rows (row j: the functions of degree j) and
// one column per control point plus degree; row `degree` holds the final values.
template <typename Real>
class BSplineBasis {
public:
    BSplineBasis() = default;
    virtual ~BSplineBasis() = default;

    // Periodic knots continue evenly beyond [0, 1]; open ones repeat 0 and 1 degree + 1 times,
    // which clamps the curve to its end points. Returns the knot count.
    int BuildUniform(int numControlPoints, int degree, bool open) {
        this->numControlPoints = numControlPoints;
        this->degree = degree;
        this->open = open;
        knots.assign(numControlPoints + degree + 1, Real(0));
        valueTables = {};
        valueTables[0] = NewTable();
        const Real step = Real(1) / Real(numControlPoints - degree);
        for (int i = 0; i <= numControlPoints + degree; ++i) {
            if (open && i <= degree)
                knots[i] = 0;
            else if (open && i >= numControlPoints)
                knots[i] = 1;
            else
                knots[i] = Real(i - degree) * step;
        }
        return int(knots.size());
    }

    // The knot interval of t, clamping (open) or wrapping (periodic) t in place. A periodic
    // t of exactly 1 falls in the last interval, so it never needs a point past the stored ones.
    int KnotSpan(Real& t) const {
        if (open) {
            if (t <= 0) {
                t = 0;
                return degree;
            }
            if (t >= 1) {
                t = 1;
                return numControlPoints - 1;
            }
        } else if (t < 0 || t > 1) {
            t -= std::floor(t);
        }
        int span = degree + int(Real(numControlPoints - degree) * t);
        if (span > numControlPoints - 1) span = numControlPoints - 1;
        assert(span >= degree && span < numControlPoints);
        return span;
    }

    // Fills the tables of levels 0..order at t; first..last are the control points whose
    // basis values may be non-zero.
    void EvaluateBasis(Real t, int order, int& first, int& last) {
        for (int level = 1; level <= order; ++level)
            if (valueTables[level].values.empty()) valueTables[level] = NewTable();
        const int i = KnotSpan(t);
        valueTables[0](0, i) = 1;
        for (int level = 1; level <= order; ++level) valueTables[level](0, i) = 0;
        EvaluateOuterEntries(t, i, order);
        EvaluateInnerEntries(t, i, order);
        first = i - degree;
        last = i;
    }

    Real BasisValue(int level, int i) const { return valueTables[level](degree, i); }
    const std::vector<Real>& Knots() const { return knots; }

private:
    // One zero-filled block of floats, addressed by row and column.
    struct Table {
        std::vector<Real> values;
        int columns = 0;
        Real& operator()(int row, int column) { return values[row * columns + column]; }
        Real operator()(int row, int column) const { return values[row * columns + column]; }
    };

    Table NewTable() const {
        Table table;
        table.columns = numControlPoints + degree;
        table.values.assign((degree + 1) * table.columns, Real(0));
        return table;
    }

    // The first and last entry of each row have only one non-zero term of the recurrence.
    void EvaluateOuterEntries(Real t, int i, int order) {
        const Real left = t - knots[i];
        const Real right = knots[i + 1] - t;
        for (int j = 1; j <= degree; ++j) {
            const Real invLeft = 1 / (knots[i + j] - knots[i]);
            const Real invRight = 1 / (knots[i + 1] - knots[i - j + 1]);
            Table& v0 = valueTables[0];
            v0(j, i) = left * v0(j - 1, i) * invLeft;
            v0(j, i - j) = right * v0(j - 1, i - j + 1) * invRight;
            for (int k = 1; k <= order; ++k) {
                Table& vk = valueTables[k];
                const Table& below = valueTables[k - 1];
                vk(j, i) = (left * vk(j - 1, i) + Real(k) * below(j - 1, i)) * invLeft;
                vk(j, i - j) =
                    (right * vk(j - 1, i - j + 1) - Real(k) * below(j - 1, i - j + 1)) * invRight;
            }
        }
    }

    // Inner entries blend two neighbours of the row below, whose outer entries already exist.
    void EvaluateInnerEntries(Real t, int i, int order) {
        for (int j = 2; j <= degree; ++j) {
            for (int m = i - j + 1; m <= i - 1; ++m) {
                const Real left = t - knots[m];
                const Real right = knots[m + j + 1] - t;
                const Real invLeft = 1 / (knots[m + j] - knots[m]);
                const Real invRight = 1 / (knots[m + j + 1] - knots[m + 1]);
                Table& v0 = valueTables[0];
                v0(j, m) = left * v0(j - 1, m) * invLeft + right * v0(j - 1, m + 1) * invRight;
                for (int k = 1; k <= order; ++k) {
                    Table& vk = valueTables[k];
                    const Table& below = valueTables[k - 1];
                    vk(j, m) =
                        (left * vk(j - 1, m) + Real(k) * below(j - 1, m)) * invLeft +
                        (right * vk(j - 1, m + 1) - Real(k) * below(j - 1, m + 1)) * invRight;
                }
            }
        }
    }

    int numControlPoints = 0;
    int degree = 0;
    std::vector<Real> knots;
    bool open = false;
    std::array<Table, MAX_DERIVATIVE_LEVEL + 1> valueTables;
};

// A uniform B-spline over [0, 1]. A closed periodic curve stores copies of its first `degree`
// points after the given ones, so the last knot intervals wrap round to the start smoothly;
// a closed open curve repeats only the first point.
template <typename Real>
class BSplineCurve3 : public SingleCurve3<Real> {
public:
    BSplineCurve3(int numControlPoints, const Vector3* points, int degree, bool closed, bool open)
        : SingleCurve3<Real>(0, 1),
          numControlPoints(numControlPoints),
          closed(closed),
          replicateCount(ReplicateCount(degree, closed, open)) {
        // Exactly the stored points: a read past them shows up under the address sanitizer.
        controlPoints.reserve(numControlPoints + replicateCount);
        controlPoints.assign(points, points + numControlPoints);
        controlPoints.insert(controlPoints.end(), points, points + replicateCount);
        basis.BuildUniform(numControlPoints + replicateCount, degree, open);
    }

    // Moving a replicated point moves its copy too, so a closed curve stays closed.
    void ReplaceControlPoint(int i, Vector3 p) {
        if (i < 0 || i >= numControlPoints) return;
        controlPoints[i] = p;
        if (i < replicateCount) controlPoints[numControlPoints + i] = p;
    }

    bool IsClosed() const { return closed; }

    Vector3 ControlPointAt(int i) const {
        if (i < 0 || i >= numControlPoints) return {LARGEST_FLOAT, LARGEST_FLOAT, LARGEST_FLOAT};
        return controlPoints[i];
    }

    // Any output may be null; only the derivative levels asked for are computed.
    void Evaluate(Real t, Vector3* position, Vector3* first, Vector3* second, Vector3* third) {
        const std::array<Vector3*, MAX_DERIVATIVE_LEVEL + 1> outputs = {position, first, second,
                                                                        third};
        int order = MAX_DERIVATIVE_LEVEL;
        while (order > 0 && outputs[order] == nullptr) --order;
        int lo = 0, hi = 0;
        basis.EvaluateBasis(t, order, lo, hi);
        for (int level = 0; level <= order; ++level)
            if (outputs[level] != nullptr) *outputs[level] = WeightedSum(level, lo, hi);
    }

    Vector3 PositionAt(Real t) override {
        int lo = 0, hi = 0;
        basis.EvaluateBasis(t, 0, lo, hi);
        return WeightedSum(0, lo, hi);
    }

    Vector3 FirstDerivativeAt(Real t) override {
        Vector3 result;
        Evaluate(t, nullptr, &result, nullptr, nullptr);
        return result;
    }

    Vector3 SecondDerivativeAt(Real t) override {
        Vector3 result;
        Evaluate(t, nullptr, nullptr, &result, nullptr);
        return result;
    }

    Vector3 ThirdDerivativeAt(Real t) override {
        Vector3 result;
        Evaluate(t, nullptr, nullptr, nullptr, &result);
        return result;
    }

    Real VariationBetween(Real, Real, const Vector3* = nullptr, const Vector3* = nullptr) override {
        return 0;
    }

private:
    // Periodic closing needs the first `degree` points again at the end, open closing only one.
    static int ReplicateCount(int degree, bool closed, bool open) {
        if (!closed) return 0;
        return open ? 1 : degree;
    }

    Vector3 WeightedSum(int level, int lo, int hi) const {
        Vector3 sum;
        for (int i = lo; i <= hi; ++i) sum += controlPoints[i] * basis.BasisValue(level, i);
        return sum;
    }

    int numControlPoints;
    std::vector<Vector3> controlPoints;
    bool closed;
    BSplineBasis<Real> basis;
    int replicateCount;
};

}  // namespace curves
