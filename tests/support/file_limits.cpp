#include "file_limits.h"

#include <csignal>

#include <sys/resource.h>

namespace orrerion::testing {

void SetFileSizeLimit(long long bytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = bytes < 0 ? limit.rlim_max : static_cast<rlim_t>(bytes);
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

}  // namespace orrerion::testing
