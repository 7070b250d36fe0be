#pragma once

#include <QtGlobal>
#include <compare>

// A length on paper. Stored in millimetres, the unit every page description uses; report units (1/96 inch)
// and device units are conversions made at the edges.
class Length
{
public:
    static constexpr double kUnitsPerMm = 96.0 / 25.4; // report units: 1/96 inch

    constexpr Length() = default;
    static constexpr Length mm(double value) { return Length(value); }
    static constexpr Length units(double value) { return Length(value / kUnitsPerMm); }
    static constexpr Length points(double value) { return Length(value * 25.4 / 72.0); }

    constexpr double mm() const { return m_mm; }
    constexpr double units() const { return m_mm * kUnitsPerMm; }
    constexpr double points() const { return m_mm * 72.0 / 25.4; }
    // Device units at `dotsPerInch`, the only conversion painting needs.
    constexpr double toDevice(double dotsPerInch) const { return m_mm * dotsPerInch / 25.4; }

    constexpr Length operator+(Length other) const { return Length(m_mm + other.m_mm); }
    constexpr Length operator-(Length other) const { return Length(m_mm - other.m_mm); }
    constexpr Length operator-() const { return Length(-m_mm); }
    constexpr Length operator*(double factor) const { return Length(m_mm * factor); }
    constexpr Length& operator+=(Length other)
    {
        m_mm += other.m_mm;
        return *this;
    }
    constexpr Length& operator-=(Length other)
    {
        m_mm -= other.m_mm;
        return *this;
    }
    constexpr auto operator<=>(const Length&) const = default;

private:
    constexpr explicit Length(double mm) : m_mm(mm) {}
    double m_mm = 0.0;
};

// A rectangle on paper, in lengths.
struct LengthRect
{
    Length left;
    Length top;
    Length width;
    Length height;

    constexpr Length right() const { return left + width; }
    constexpr Length bottom() const { return top + height; }
    constexpr LengthRect translated(Length dx, Length dy) const { return {left + dx, top + dy, width, height}; }
    constexpr bool operator==(const LengthRect&) const = default;
};
