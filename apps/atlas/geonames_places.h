#pragma once
// The places the atlas offers: the cities of the GeoNames extract that Debian's libgeonames
// carries (towns of 15,000 people or more, each with region, country and IANA time-zone name).
// Plain C++ so that the GLib headers of the library stay out of the Qt sources.
#include <string>
#include <vector>

namespace orrerion::atlas {

struct Place {
    std::string name;         // UTF-8, as the library gives it in the current language
    std::string region;       // state, province or similar
    std::string country;
    std::string countryCode;  // ISO 3166 two letters
    std::string zoneId;       // IANA time-zone name, e.g. "America/New_York"
    double latitude = 0;      // degrees, north positive
    double longitude = 0;     // degrees, east positive (GeoNames' sign; the exchange codes say E or W)
    unsigned population = 0;
};

// Every city of the library, in its own order.
std::vector<Place> LoadGeonamesPlaces();

}  // namespace orrerion::atlas
