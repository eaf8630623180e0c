#pragma once

#include <cmath>
// The program measures in three units that must never be mixed by accident:
// millimetres on the envelope and the printer, twips (1440 per inch) for the designed
// window geometry and the preview, and device pixels on whatever is painted.
// Each has its own type; conversions are spelled out at the boundaries.

#include <QPointF>
#include <QRectF>
#include <compare>

template <typename Tag> struct Length {
    double value = 0.0;

    constexpr Length() = default;
    constexpr explicit Length(double v) : value(v) {}

    constexpr Length operator+(Length o) const { return Length(value + o.value); }
    constexpr Length operator-(Length o) const { return Length(value - o.value); }
    constexpr Length operator-() const { return Length(-value); }
    constexpr Length operator*(double k) const { return Length(value * k); }
    constexpr Length operator/(double k) const { return Length(value / k); }
    constexpr double operator/(Length o) const { return value / o.value; }
    constexpr Length& operator+=(Length o)
    {
        value += o.value;
        return *this;
    }
    constexpr Length& operator-=(Length o)
    {
        value -= o.value;
        return *this;
    }
    constexpr auto operator<=>(const Length&) const = default;
};

struct MmTag {};
struct TwipsTag {};
using Mm = Length<MmTag>;
using Twips = Length<TwipsTag>;

namespace units {
inline constexpr double kTwipsPerInch = 1440.0;
inline constexpr double kMmPerInch = 25.4;
// The designed geometry assumes the logical resolution of 96 dpi: 15 twips a pixel.
inline constexpr double kTwipsPerLogicalPixel = 15.0;
inline constexpr double kLogicalDpi = 96.0;

constexpr double toLogicalPixels(Twips t)
{
    return t.value / kTwipsPerLogicalPixel;
}
constexpr Twips fromLogicalPixels(double px)
{
    return Twips(px * kTwipsPerLogicalPixel);
}
constexpr double toDevicePixels(Mm mm, double dpi)
{
    return mm.value * dpi / kMmPerInch;
}
constexpr Mm fromDevicePixels(double px, double dpi)
{
    return Mm(px * kMmPerInch / dpi);
}
// A bitmap's natural size: its pixels at the screen's logical resolution.
constexpr Mm bitmapPixelsToMm(double px)
{
    return Mm(px * kMmPerInch / kLogicalDpi);
}
// The screen's logical resolution in dots per metre, as pictures state theirs.
inline constexpr double kLogicalDotsPerMetre = kLogicalDpi / kMmPerInch * 1000.0;
// A picture's size on paper: its pixels at the resolution it states, where it states one
// other than the screen's (within half a dot per inch, what a file can round to); else
// its natural size.
inline Mm pictureSideToMm(int px, int dotsPerMetre)
{
    constexpr double kDemiPoint = 0.5 / kMmPerInch * 1000.0;
    if (dotsPerMetre <= 0 || std::abs(dotsPerMetre - kLogicalDotsPerMetre) < kDemiPoint)
        return bitmapPixelsToMm(px);
    return Mm(px * 1000.0 / dotsPerMetre);
}
} // namespace units

inline constexpr Mm operator""_mm(long double v)
{
    return Mm(static_cast<double>(v));
}
inline constexpr Mm operator""_mm(unsigned long long v)
{
    return Mm(static_cast<double>(v));
}
inline constexpr Twips operator""_tw(long double v)
{
    return Twips(static_cast<double>(v));
}
inline constexpr Twips operator""_tw(unsigned long long v)
{
    return Twips(static_cast<double>(v));
}

// A point and a rectangle on the printed page, in millimetres.
struct PointMm {
    Mm x, y;
    constexpr bool operator==(const PointMm&) const = default;
};
struct RectMm {
    Mm left, top, width, height;
    constexpr bool operator==(const RectMm&) const = default;
};

// A rectangle on the preview, in twips.
struct RectTwips {
    Twips left, top, width, height;
    constexpr bool operator==(const RectTwips&) const = default;
    QRectF toLogicalPixels() const
    {
        return {units::toLogicalPixels(left), units::toLogicalPixels(top), units::toLogicalPixels(width),
                units::toLogicalPixels(height)};
    }
};
