#pragma once
// Everything one calculation reads and writes, owned by one object and passed by reference, so
// that any number of calculations can exist side by side.
#include <filesystem>

#include "aspects/output_lines.h"
#include "chart/chart_state.h"
#include "chart/input_fields.h"
#include "ephemeris/ephemeris.h"
#include "records/options_file.h"

namespace orrerion {

// The check marks of the Houses menu; the chart driver derives HouseSystemCode from them.
struct HouseMenuMarks {
    bool mnuHousePlacidus = true;
    bool mnuHouseRegiomontanus = false;
    bool mnuHouseKoch = false;
    bool mnuHousePorphyry = false;
    bool mnuHouseMeridian = false;
};

struct Calculation {
    NatalFields natal;
    DiurnalFields diurnal;
    HouseMenuMarks houseMarks;
    Options options;
    int DateOrder = 0;  // 0 month/day/year, 1 day/month/year, 2 year/month/day
    std::filesystem::path ProgramDir;  // the program's data folder

    EphemerisState eph;
    ChartState chart;
    OutputBuffers out;
};

}  // namespace orrerion
