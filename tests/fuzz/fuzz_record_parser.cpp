// A names-file record line as the Names window loads it: split into fields, the date read, the
// fields loaded into the natal window, checked, and, when the checks pass, parsed into the
// numbers a chart is built from. The sanitizers catch a value the checks let through that a
// conversion cannot hold (a float or int16 cast out of range).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "core/chart/input_checks.h"
#include "core/records/name_record.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orrerion;
    if (size == 0) return 0;
    const int DateOrder = data[0] % 3;
    const std::string_view line(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::optional<NameRecord> record = NameRecordFromLine(line);
    if (!record) return 0;
    ParseRecordDate(record->Date);
    InputFields natal;
    if (!LoadNameRecord(*record, DateOrder, InputSection::Natal, natal).empty()) return 0;
    natal.name = record->Name;
    InputFields diurnal = natal;
    if (!CheckAllInput(natal, diurnal, HouseSystem::Placidus).empty()) return 0;
    ParsedInput parsed;
    ParseNatal(natal, DateOrder, parsed);
    ParseDiurnal(diurnal, DateOrder, parsed);
    return 0;
}
