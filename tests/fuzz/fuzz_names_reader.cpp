// The names file reader on any bytes: it returns, and every record it lists is one the Names
// window can show and a save can write back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/records/names_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orrerion;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const NameTable table = NamesTableFromBytes(bytes, "NAMES.FIL");
    for (const NameRecord& record : table.records) {
        if (record.Name.empty()) std::abort();  // an empty name ends the list
        // What a save writes reads back as the same record.
        const NameTable back = NamesTableFromBytes(NameRecordLine(record) + "\r\n", "NAMES.FIL");
        if (back.problem || back.records.size() != 1 || !(back.records[0] == record)) std::abort();
    }
    NamesListEndNote(bytes);
    return 0;
}
