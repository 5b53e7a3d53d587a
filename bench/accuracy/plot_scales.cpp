#include "bench/accuracy/plot_scales.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace accuracy {

LevelScale::LevelScale(double depth, double nearest, double left, double right)
    : depth_(depth), logNearest_(std::log10(nearest)), logHalf_(std::log10(depth / 2.0)), left_(left), right_(right)
{
}

double LevelScale::nearest() const { return std::pow(10.0, logNearest_); }

double LevelScale::x(double level) const
{
    const bool upperHalf = level > depth_ / 2.0;
    const double fromEnd = std::max(upperHalf ? depth_ - level : level, nearest());
    const double share = (std::log10(fromEnd) - logNearest_) / (logHalf_ - logNearest_);
    const double halfWidth = (right_ - left_) / 2.0;
    return upperHalf ? right_ - share * halfWidth : left_ + share * halfWidth;
}

double LevelScale::level(double x) const
{
    const bool upperHalf = x > middle();
    const double share = (upperHalf ? right_ - x : x - left_) / ((right_ - left_) / 2.0);
    const double fromEnd = std::pow(10.0, logNearest_ + share * (logHalf_ - logNearest_));
    return upperHalf ? depth_ - fromEnd : fromEnd;
}

LogScale::LogScale(int lowestExponent, int highestExponent, double bottom, double top)
    : lowest_(lowestExponent), highest_(highestExponent), bottom_(bottom), top_(top)
{
}

double LogScale::y(double value) const
{
    const double exponent = value > 0.0 ? std::clamp(std::log10(value), double(lowest_), double(highest_)) : lowest_;
    return bottom_ + (exponent - lowest_) / (highest_ - lowest_) * (top_ - bottom_);
}

QString powerOfTenText(int exponent)
{
    if (exponent >= 0 && exponent <= 3)
        return QString::number(std::pow(10.0, exponent), 'f', 0);
    if (exponent < 0 && exponent >= -3)
        return QString::number(std::pow(10.0, exponent), 'f', -exponent);
    static const QString superscripts = QStringLiteral("⁰¹²³⁴⁵⁶⁷⁸⁹");
    QString text = QStringLiteral("10");
    if (exponent < 0)
        text += QStringLiteral("⁻");
    const QString digits = QString::number(std::abs(exponent));
    for (const QChar digit : digits)
        text += superscripts.at(digit.digitValue());
    return text;
}

} // namespace accuracy
