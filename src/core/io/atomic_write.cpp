#include "io/atomic_write.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

#include <unistd.h>

namespace orrerion {

WriteResult WriteFileAtomically(const std::filesystem::path& path, const std::string& content) {
    namespace fs = std::filesystem;
    auto fail = [&](const fs::path& where, const std::string& reason) {
        return WriteResult{false, "Cannot write " + where.string() + ": " + reason};
    };
    fs::path temp = path;
    temp += ".tmp" + std::to_string(::getpid());

    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) return fail(path, std::strerror(errno));
    bool ok = content.empty() || std::fwrite(content.data(), 1, content.size(), f) == content.size();
    int savedErrno = errno;
    if (ok && std::fflush(f) != 0) { ok = false; savedErrno = errno; }
    if (ok && ::fsync(::fileno(f)) != 0) { ok = false; savedErrno = errno; }
    if (std::fclose(f) != 0 && ok) { ok = false; savedErrno = errno; }
    if (!ok) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        return fail(path, std::strerror(savedErrno));
    }
    std::error_code ec;
    fs::rename(temp, path, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        return fail(path, ec.message());
    }
    return {};
}

}  // namespace orrerion
