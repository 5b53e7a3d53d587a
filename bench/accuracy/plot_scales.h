#pragma once

// Where a level and an error land in the picture: both on log scales, since
// the error changes by orders of magnitude within a fraction of an inch.

#include <QString>

namespace accuracy {

// A level placed by the log of its distance from the nearer end: the
// decades above the bottom run left to right up to half full in the
// middle, the decades below the top mirror them on the right.
class LevelScale {
public:
    LevelScale(double depth, double nearest, double left, double right);

    double x(double level) const;
    double level(double x) const;
    double left() const { return left_; }
    double right() const { return right_; }
    double middle() const { return (left_ + right_) / 2.0; }
    double depth() const { return depth_; }
    double nearest() const;

private:
    double depth_;
    double logNearest_;
    double logHalf_;
    double left_;
    double right_;
};

// Positive values from 10^lowestExponent at `bottom` to 10^highestExponent at
// `top`; values beyond either end (zero included) stay on the edge.
class LogScale {
public:
    LogScale(int lowestExponent, int highestExponent, double bottom, double top);

    double y(double value) const;
    int lowestExponent() const { return lowest_; }
    int highestExponent() const { return highest_; }

private:
    int lowest_;
    int highest_;
    double bottom_;
    double top_;
};

// 10^exponent as "0.01" or "100" up to three places, otherwise as "10⁻⁶".
QString powerOfTenText(int exponent);

} // namespace accuracy
