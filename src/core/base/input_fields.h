#pragma once
// The field texts and option-button states of the natal and diurnal input windows, as plain data.
// The windows fill these; the checks, the parser and the chart driver read them.
#include <string>

namespace orrerion {

struct NatalFields {
    std::string txtName;
    std::string txtMonth, txtDay, txtYear;
    std::string txtBirthHour, txtBirthMinute;
    std::string txtTZ;
    std::string txtLongDeg, txtLongMin;
    std::string txtLatDeg, txtLatMin;
    bool optAM = true;      // false: P.M.
    bool optEast = false;   // false: West
    bool optSouth = false;  // false: North
};

enum class ProgressionType { Secondary, Minor, Tertiary };  // Option1, Option2, Option3

struct DiurnalFields {
    std::string txtDiurnalMonth, txtDiurnalDay, txtDiurnalYear;
    std::string txtDiurnalHour, txtDiurnalMinute;
    std::string txtDiurnalTZ;
    std::string txtDiurnalLongDeg, txtDiurnalLongMin;
    std::string txtDiurnalLatDeg, txtDiurnalLatMin;
    bool optDiurnalAM = true;
    bool optDiurnalEast = false;
    bool optDiurnalSouth = false;
    ProgressionType progression = ProgressionType::Secondary;
};

// The check marks of the Houses menu; the chart driver derives HouseSystemCode from them.
struct HouseMenuMarks {
    bool mnuHousePlacidus = true;
    bool mnuHouseRegiomontanus = false;
    bool mnuHouseKoch = false;
    bool mnuHousePorphyry = false;
    bool mnuHouseMeridian = false;
};

// The place fields of either input window (zone, longitude, latitude), so that one routine can
// fill the natal or the diurnal window from a city, a name record or the atlas.
struct PlaceFields {
    std::string& zone;
    std::string& longDeg;
    std::string& longMin;
    bool& east;
    std::string& latDeg;
    std::string& latMin;
    bool& south;
};

inline PlaceFields PlaceFieldsOf(NatalFields& f) {
    return {f.txtTZ, f.txtLongDeg, f.txtLongMin, f.optEast, f.txtLatDeg, f.txtLatMin, f.optSouth};
}

inline PlaceFields PlaceFieldsOf(DiurnalFields& f) {
    return {f.txtDiurnalTZ,     f.txtDiurnalLongDeg, f.txtDiurnalLongMin, f.optDiurnalEast,
            f.txtDiurnalLatDeg, f.txtDiurnalLatMin,  f.optDiurnalSouth};
}

}  // namespace orrerion
