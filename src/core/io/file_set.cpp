#include "core/io/file_set.h"

#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>
#include <optional>
#include <random>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orrerion {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t RandomDigits = 16;
constexpr const char* SetSuffix = ".set";    // the current link and the generation folders
constexpr const char* LinkSuffix = ".link";  // a link being made, before its rename
// Making, clearing and swapping generations takes moments; a folder held longer is in trouble.
constexpr auto FolderLockWait = std::chrono::seconds(30);

std::string RandomHex() {
    static constexpr char Hex[] = "0123456789abcdef";
    std::random_device device;
    std::uint64_t bits = (static_cast<std::uint64_t>(device()) << 32) ^ device();
    std::string digits;
    for (std::size_t i = 0; i < RandomDigits; ++i) {
        digits.push_back(Hex[bits & 15]);
        bits >>= 4;
    }
    return digits;
}

std::string CurrentLinkName(std::string_view set) { return "." + std::string(set) + SetSuffix; }
std::string GenerationName(std::string_view set) { return "." + std::string(set) + "~" + RandomHex() + SetSuffix; }
std::string LinkTempName(std::string_view set) { return "." + std::string(set) + "~" + RandomHex() + LinkSuffix; }

// The set of ".<set>~<16 hex><suffix>"; nothing when the name is not of that form.
std::optional<std::string> SetOfName(const std::string& name, std::string_view suffix) {
    const std::size_t tilde = name.rfind('~');
    if (name.empty() || name[0] != '.' || tilde == std::string::npos) return std::nullopt;
    if (name.size() != tilde + 1 + RandomDigits + suffix.size()) return std::nullopt;
    for (std::size_t i = tilde + 1; i < tilde + 1 + RandomDigits; ++i) {
        if (!std::isxdigit(static_cast<unsigned char>(name[i]))) return std::nullopt;
    }
    if (name.compare(tilde + 1 + RandomDigits, std::string::npos, suffix) != 0) return std::nullopt;
    return name.substr(1, tilde - 1);
}

std::optional<std::string> LinkText(const fs::path& link) {
    std::error_code ec;
    const fs::path text = fs::read_symlink(link, ec);
    if (ec) return std::nullopt;
    return text.string();
}

std::string Reason(int error) { return std::strerror(error); }

// The lock on a folder itself (flock on the open folder), waited for up to FolderLockWait.
class FolderLock {
public:
    explicit FolderLock(const fs::path& folder) {
        fd_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd_ < 0) {
            problem_ = Reason(errno);
            return;
        }
        const auto deadline = std::chrono::steady_clock::now() + FolderLockWait;
        while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
            if ((errno != EWOULDBLOCK && errno != EINTR)) return;  // no locks here: go on unlocked
            if (std::chrono::steady_clock::now() >= deadline) {
                problem_ = "another copy of the program has held the folder for " +
                           std::to_string(FolderLockWait.count()) + " seconds";
                return;
            }
            timespec t{0, 5000000L};
            ::nanosleep(&t, nullptr);
        }
    }
    ~FolderLock() {
        if (fd_ >= 0) ::close(fd_);
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    const std::string& problem() const { return problem_; }

private:
    int fd_ = -1;
    std::string problem_;
};

// Under the folder's lock: no link being made belongs to a live writer, and a generation folder
// that no set leads to belongs to a live writer only while that writer holds its lock.
int RemoveStaleSetEntries(const fs::path& folder) {
    int removed = 0;
    std::error_code ec;
    std::vector<fs::path> stale;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code typeError;
        if (SetOfName(name, LinkSuffix) && it->is_symlink(typeError)) {
            stale.push_back(it->path());
            continue;
        }
        const std::optional<std::string> set = SetOfName(name, SetSuffix);
        if (!set || it->is_symlink(typeError) || !it->is_directory(typeError)) continue;
        if (LinkText(folder / CurrentLinkName(*set)) == name) continue;  // the set as it stands
        const int fd = ::open(it->path().c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0) continue;
        const bool unheld = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
        ::close(fd);
        if (unheld) stale.push_back(it->path());
    }
    for (const fs::path& path : stale) {
        std::error_code removeError;
        if (fs::remove_all(path, removeError) > 0 && !removeError) ++removed;
    }
    return removed;
}

// Puts a link with `text` at `path` in one rename, whatever file or link was there.
bool PlaceLink(const fs::path& folder, std::string_view set, const std::string& text, const fs::path& path,
               int& error) {
    const fs::path temp = folder / LinkTempName(set);
    if (::symlink(text.c_str(), temp.c_str()) != 0) {
        error = errno;
        return false;
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        error = errno;
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

// Another name for the file at `from`, or a copy of it where the file system has no hard links.
bool LinkOrCopy(const fs::path& from, const fs::path& to, int& error) {
    if (::link(from.c_str(), to.c_str()) == 0) return true;
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) {
        error = errno;
        return false;
    }
    struct stat st {};
    ::fstat(in, &st);
    const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, st.st_mode & 0777);
    bool ok = out >= 0;
    if (!ok) error = errno;
    char buffer[64 << 10];
    while (ok) {
        const ssize_t n = ::read(in, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n < 0) error = errno, ok = false;
            break;
        }
        for (ssize_t done = 0; ok && done < n;) {
            const ssize_t w = ::write(out, buffer + done, static_cast<std::size_t>(n - done));
            if (w < 0 && errno == EINTR) continue;
            if (w <= 0) error = w < 0 ? errno : EIO, ok = false;
            else done += w;
        }
    }
    if (out >= 0 && ::close(out) != 0 && ok) error = errno, ok = false;
    ::close(in);
    return ok;
}

}  // namespace

FileSetGeneration::FileSetGeneration(fs::path folder, std::string setName)
    : folder_(std::move(folder)), setName_(std::move(setName)) {
    const FolderLock lock(folder_);
    if (!lock.problem().empty()) {
        problem_ = lock.problem();
        return;
    }
    RemoveStaleTemporaryFiles(folder_);
    RemoveStaleSetEntries(folder_);
    for (int attempt = 0; attempt < 16 && generation_.empty(); ++attempt) {
        const std::string name = GenerationName(setName_);
        if (::mkdir((folder_ / name).c_str(), 0777) == 0) {
            generation_ = name;
        } else if (errno != EEXIST) {
            problem_ = Reason(errno);
            return;
        }
    }
    if (generation_.empty()) return;
    // Held from now until the generation is published or removed; taken while the folder is locked,
    // so that no other copy ever sees the new folder unheld.
    generationFd_ = ::open((folder_ / generation_).c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (generationFd_ >= 0) ::flock(generationFd_, LOCK_EX | LOCK_NB);
}

FileSetGeneration::~FileSetGeneration() {
    if (!generation_.empty()) {
        std::error_code ec;
        fs::remove_all(folder_ / generation_, ec);
    }
    if (generationFd_ >= 0) ::close(generationFd_);
}

fs::path FileSetGeneration::PathOf(std::string_view name) const {
    return generation_.empty() ? folder_ / name : folder_ / generation_ / name;
}

WriteResult FileSetGeneration::Publish(std::span<const std::string> names) {
    auto failure = [&](const fs::path& path, const std::string& reason) {
        return WriteResult{false, "Cannot write " + path.string() + ": " + reason};
    };
    if (generation_.empty()) return failure(folder_, problem_.empty() ? "no folder for the new files" : problem_);
    const FolderLock lock(folder_);
    if (!lock.problem().empty()) return failure(folder_, lock.problem());

    const std::string current = CurrentLinkName(setName_);
    const fs::path currentLink = folder_ / current;
    auto linkTextOf = [&](const std::string& name) { return current + "/" + name; };

    // What each name holds now; anything but nothing, a file or the set's own link stops the
    // publishing before anything changes.
    enum class Held { Nothing, File, SetLink };
    std::vector<Held> held;
    bool filesHeld = false;
    for (const std::string& name : names) {
        const fs::path path = folder_ / name;
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0) {
            if (errno != ENOENT) return failure(path, Reason(errno));
            held.push_back(Held::Nothing);
        } else if (S_ISREG(st.st_mode)) {
            held.push_back(Held::File);
            filesHeld = true;
        } else if (S_ISLNK(st.st_mode) && LinkText(path) == linkTextOf(name)) {
            held.push_back(Held::SetLink);
        } else {
            return failure(path, S_ISDIR(st.st_mode) ? Reason(EISDIR)
                                                     : "something other than a report file has its name");
        }
    }

    const std::optional<std::string> before = LinkText(currentLink);
    std::string replaced = before.value_or("");
    int error = 0;
    if (filesHeld) {
        // Files themselves (written before sets had generations, or put there by hand) first move
        // into a generation of their own, which the names then lead to: nothing reads differently.
        std::string previous;
        for (int attempt = 0; attempt < 16 && previous.empty(); ++attempt) {
            const std::string name = GenerationName(setName_);
            if (::mkdir((folder_ / name).c_str(), 0777) == 0) previous = name;
            else if (errno != EEXIST) return failure(folder_ / name, Reason(errno));
        }
        if (previous.empty()) return failure(folder_, Reason(EEXIST));
        for (std::size_t i = 0; i < names.size(); ++i) {
            const fs::path from = held[i] == Held::File ? folder_ / names[i] : currentLink / names[i];
            if (held[i] == Held::Nothing || (held[i] == Held::SetLink && !fs::exists(from))) continue;
            if (!LinkOrCopy(from, folder_ / previous / names[i], error)) {
                std::error_code ec;
                fs::remove_all(folder_ / previous, ec);
                return failure(folder_ / names[i], Reason(error));
            }
        }
        if (!PlaceLink(folder_, setName_, previous, currentLink, error)) {
            std::error_code ec;
            fs::remove_all(folder_ / previous, ec);
            return failure(currentLink, Reason(error));
        }
        if (!replaced.empty() && SetOfName(replaced, SetSuffix)) {
            std::error_code ec;
            fs::remove_all(folder_ / replaced, ec);
        }
        replaced = previous;
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (held[i] != Held::File) continue;
            if (!PlaceLink(folder_, setName_, linkTextOf(names[i]), folder_ / names[i], error)) {
                return failure(folder_ / names[i], Reason(error));
            }
            held[i] = Held::SetLink;
        }
    }
    // A name the set did not have yet leads nowhere until the swap, as it did before.
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (held[i] != Held::Nothing) continue;
        if (!PlaceLink(folder_, setName_, linkTextOf(names[i]), folder_ / names[i], error)) {
            return failure(folder_ / names[i], Reason(error));
        }
    }
    // The swap: every name now leads into the new generation.
    if (!PlaceLink(folder_, setName_, generation_, currentLink, error)) return failure(currentLink, Reason(error));
    ::close(generationFd_);
    generationFd_ = -1;
    generation_.clear();  // published: no longer this object's to remove
    if (!replaced.empty() && SetOfName(replaced, SetSuffix)) {
        std::error_code ec;
        fs::remove_all(folder_ / replaced, ec);
    }
    return {};
}

int RemoveStaleReplacements(const fs::path& folder) {
    const FolderLock lock(folder);
    if (!lock.problem().empty()) return 0;
    return RemoveStaleTemporaryFiles(folder) + RemoveStaleSetEntries(folder);
}

}  // namespace orrerion
