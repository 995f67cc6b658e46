#pragma once
// Everything one calculation reads and writes, owned by one object and passed by reference, so
// that any number of calculations can exist side by side.
#include <filesystem>
#include <string>

#include "core/aspects/scan_result.h"
#include "core/base/input_fields.h"
#include "core/base/options.h"
#include "core/base/output_lines.h"
#include "core/chart/chart_driver.h"
#include "core/chart/chart_state.h"
#include "core/ephemeris/ephemeris.h"

namespace orrerion {

struct Calculation {
    InputFields natal;
    InputFields diurnal;
    ProgressionType progression = ProgressionType::Secondary;
    HouseSystem houseSystem = HouseSystem::Placidus;  // the Houses menu's choice
    Options options;
    int DateOrder = 0;  // 0 month/day/year, 1 day/month/year, 2 year/month/day
    PointChoice points;  // the extra points the charts add (none: the twelve points only)
    // The IANA zone of the diurnal place ("Europe/Paris") when it is known: the exact moments of a
    // scan are then shown in that zone's clock at each moment, daylight saving included, rather than
    // in the diurnal zone as typed. Empty: the zone as typed.
    std::string DiurnalZoneName;
    std::filesystem::path ProgramDir;  // the program's data folder

    EphemerisState eph;
    ChartState chart;
    OutputBuffers out;
    // The runs and exact dates of the last scan; empty until a scan completes.
    ScanResult scan;
};

// What the chart driver reads of a calculation.
inline ChartInput ChartInputOf(const Calculation& calc) {
    return {calc.natal, calc.diurnal, calc.progression, calc.houseSystem, calc.options, calc.DateOrder,
            calc.points};
}

}  // namespace orrerion
