#include "core/io/line_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orrerion {

TextLines SplitTextLines(const std::string& text) {
    TextLines out;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            out.lines.push_back(text.substr(start));
            out.endedWithNewline = false;
            return out;
        }
        out.lines.push_back(text.substr(start, end - start));
        out.endedWithNewline = true;
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;  // CR LF
    }
    return out;
}

std::optional<std::string> ReadFileBytes(const std::filesystem::path& path, std::string* error) {
    const auto fail = [&](const std::string& reason) -> std::optional<std::string> {
        if (error) *error = reason;
        return std::nullopt;
    };
    // Opened without waiting, so that a FIFO cannot hold the program; only a regular file is read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return fail(std::strerror(errno));
    struct FdCloser {
        int fd;
        ~FdCloser() { ::close(fd); }
    } closer{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0) return fail(std::strerror(errno));
    if (S_ISDIR(st.st_mode)) return fail(std::strerror(EISDIR));
    if (!S_ISREG(st.st_mode)) return fail("not a regular file");
    const std::string tooLarge = "larger than " + std::to_string(MaxDataFileBytes >> 20) + " MiB";
    if (static_cast<std::uintmax_t>(st.st_size) > MaxDataFileBytes) return fail(tooLarge);
    std::string bytes;
    bytes.resize(static_cast<std::size_t>(st.st_size));
    std::size_t have = 0;
    while (true) {
        // One byte more than the limit tells a file that grew past it while being read.
        if (have == bytes.size()) {
            if (bytes.size() > MaxDataFileBytes) return fail(tooLarge);
            bytes.resize(std::min<std::size_t>(bytes.size() + 65536, MaxDataFileBytes + 1));
        }
        const ssize_t n = ::read(fd, bytes.data() + have, bytes.size() - have);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail(std::strerror(errno));
        }
        if (n == 0) break;
        have += static_cast<std::size_t>(n);
    }
    bytes.resize(have);
    return bytes;
}

std::optional<TextLines> ReadTextLines(const std::filesystem::path& path, std::string* error) {
    const std::optional<std::string> bytes = ReadFileBytes(path, error);
    if (!bytes) return std::nullopt;
    return SplitTextLines(*bytes);
}

}  // namespace orrerion
