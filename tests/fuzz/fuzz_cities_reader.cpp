// The cities file reader on any bytes, and loading each listed city into the input fields as a
// click on it does.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/records/cities_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orrerion;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const CityTable table = CitiesTableFromBytes(bytes, "GA_MA.LL");
    for (const CityRecord& city : table.records) {
        if (city.CityName.empty()) std::abort();
        InputFields fields;
        LoadCityRecord(city, fields);
    }
    CitiesListEndNote(bytes);
    return 0;
}
