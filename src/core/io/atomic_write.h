#pragma once
// Writes a whole file so that readers see either the old or the new content, never half of it.
#include <filesystem>
#include <string>

namespace orrerion {

struct WriteResult {
    bool ok = true;
    std::string message;  // names the path and the system's reason when !ok
};

// Writes `content` to `path` (created or emptied), flushes it and forces it to disk. On failure the
// partly written file is removed.
WriteResult WriteFileDurably(const std::filesystem::path& path, const std::string& content);

// Writes `content` to a temporary file in the same folder, flushes it, then renames it over `path`.
// On failure the original file is untouched and the temporary file is removed.
WriteResult WriteFileAtomically(const std::filesystem::path& path, const std::string& content);

}  // namespace orrerion
