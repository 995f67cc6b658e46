// The time zone table reader on any bytes, and choosing each listed zone as the picker does.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/records/tz_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orrerion;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const TimeZoneTable table = TimeZoneTableFromBytes(bytes, "TZ.DAT");
    std::size_t picked = 0;
    for (const TimeZoneRecord& zone : table.records) {
        if (zone.ZoneName.empty()) std::abort();
        if (++picked > 64) break;  // each pick searches the whole table
        InputFields fields;
        ApplyTimeZoneChoice(table, TimeZoneListLine(zone), fields);
    }
    return 0;
}
