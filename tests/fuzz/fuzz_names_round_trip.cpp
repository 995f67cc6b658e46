// Saving a names record into a names file, then reading the file back. The input holds the old
// file and the seven fields of the new record, separated by NUL bytes. Whatever the old file holds,
// a save either is refused and leaves the file as it was, or leaves a file that reads back whole:
// the records kept in their order and the new record last, exactly as given.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/records/names_file.h"

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const fs::path& FuzzDir() {
    static const fs::path dir = [] {
        const fs::path base = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        fs::path d = base / ("orrerion-fuzz-" + std::to_string(::getpid()));
        fs::create_directories(d);
        return d;
    }();
    return dir;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orrerion;
    std::vector<std::string> parts(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0 && parts.size() < 8) {
            parts.emplace_back();
        } else {
            parts.back() += static_cast<char>(data[i]);
        }
    }
    parts.resize(8);
    const NameRecord record{parts[1], parts[2], parts[3], parts[4], parts[5], parts[6], parts[7]};
    const fs::path file = FuzzDir() / "NAMES.FIL";
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out << parts[0];
    }
    const bool replace = size > 0 && (data[size - 1] & 1);
    const NameSaveResult saved =
        SaveNameRecord(file, record, [&](const Message&, const NameRecord&) { return replace; });
    if (!saved.ok) {
        if (ReadAll(file) != parts[0]) std::abort();  // a refused save changes nothing
        return 0;
    }
    const RawRecordFile back = ReadRecordFile(file, 7, false);
    if (back.failure != FieldReadFailure::None || back.records.size() != saved.kept + 1) std::abort();
    const std::vector<std::string>& last = back.records.back().fields;
    if (!(NameRecord{last[0], last[1], last[2], last[3], last[4], last[5], last[6]} == record)) std::abort();
    return 0;
}
