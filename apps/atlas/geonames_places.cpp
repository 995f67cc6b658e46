#include "geonames_places.h"

#include <geonames/geonames.h>

namespace orrerion::atlas {
namespace {

std::string Text(const char* text) { return text ? std::string(text) : std::string(); }

}  // namespace

std::vector<Place> LoadGeonamesPlaces() {
    std::vector<Place> places;
    const int count = geonames_get_n_cities();
    places.reserve(count > 0 ? static_cast<std::size_t>(count) : 0);
    for (int i = 0; i < count; ++i) {
        GeonamesCity* city = geonames_get_city(i);
        if (!city) continue;
        Place place;
        place.name = Text(geonames_city_get_name(city));
        place.region = Text(geonames_city_get_state(city));
        place.country = Text(geonames_city_get_country(city));
        place.countryCode = Text(geonames_city_get_country_code(city));
        place.zoneId = Text(geonames_city_get_timezone(city));
        place.latitude = geonames_city_get_latitude(city);
        place.longitude = geonames_city_get_longitude(city);
        place.population = geonames_city_get_population(city);
        geonames_city_free(city);
        places.push_back(std::move(place));
    }
    return places;
}

}  // namespace orrerion::atlas
