// The options file reader on any bytes: it returns, reads at most the forty options, and every
// value it keeps is a number (the reader never produces an infinity or NaN from seven characters).
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/records/options_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orrerion;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    Options options;
    LoadOptionsText(bytes, "OPTIONS.OPT", options);
    for (float value : options.OptionValue) {
        if (!std::isfinite(value)) std::abort();
    }
    return 0;
}
