#pragma once
// Fault injection for file tests: a file size limit makes writes fail part-way with EFBIG, even for
// root, whom permissions do not stop.
#include <type_traits>

namespace orrerion::testing {

// Sets the process's file size limit to `bytes` (SIGXFSZ ignored); a negative value lifts it.
void SetFileSizeLimit(long long bytes);

// Runs `f` under a file size limit of `bytes` and lifts the limit afterwards.
template <class F>
auto WithFileSizeLimit(long long bytes, F&& f) {
    SetFileSizeLimit(bytes);
    if constexpr (std::is_void_v<decltype(f())>) {
        f();
        SetFileSizeLimit(-1);
    } else {
        auto result = f();
        SetFileSizeLimit(-1);
        return result;
    }
}

}  // namespace orrerion::testing
