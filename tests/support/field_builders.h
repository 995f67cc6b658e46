#pragma once
// Input fields as a window holds them, built for tests from numbers: a moment typed into the
// natal or diurnal window, and the default chart's two windows.
#include <cstdio>
#include <string>

#include "core/base/input_fields.h"

namespace orrerion::testing {

// A moment as typed: date, 12-hour clock, zone west positive, place in degrees and minutes.
struct TypedMoment {
    int year, month, day, hour, minute;
    bool pm;
    double zone;
    int longDeg, longMin;
    bool east;
    int latDeg, latMin;
    bool south;
};

inline InputFields FieldsOf(const TypedMoment& m, const char* name = "") {
    InputFields f;
    f.name = name;
    f.month = std::to_string(m.month);
    f.day = std::to_string(m.day);
    f.year = std::to_string(m.year);
    f.hour = std::to_string(m.hour);
    f.minute = std::to_string(m.minute);
    char zone[16];
    std::snprintf(zone, sizeof zone, "%g", m.zone);
    f.zone = zone;
    f.longDeg = std::to_string(m.longDeg);
    f.longMin = std::to_string(m.longMin);
    f.latDeg = std::to_string(m.latDeg);
    f.latMin = std::to_string(m.latMin);
    f.am = !m.pm;
    f.east = m.east;
    f.south = m.south;
    return f;
}

// John Smith's birth, 13 Jan 1950 8.30 A.M., zone 5, 74.00 W 40.43 N, and the diurnal moment of
// the default chart, 07 Dec 2026 12.00 P.M. at the same place.
inline InputFields JohnSmithFields() { return FieldsOf({1950, 1, 13, 8, 30, false, 5, 74, 0, false, 40, 43, false}, "John Smith"); }
inline InputFields DefaultDiurnalFields() { return FieldsOf({2026, 12, 7, 12, 0, true, 5, 74, 0, false, 40, 43, false}); }

}  // namespace orrerion::testing
