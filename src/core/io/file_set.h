#pragma once
// A set of files in one folder that readers must see change at one stroke: the sixteen report
// files of a scan. Each file of the set "<name>" is a symbolic link to ".<set>.set/<name>", and
// the set's current link ".<set>.set" leads to a generation folder ".<set>~<16 hex digits>.set"
// that holds the files themselves. A new generation is written whole into a fresh generation
// folder, and then one rename swaps the current link to it: at every moment, a kill included, the
// names lead to the whole previous set or the whole new one. Readers open the files at the same
// paths as before; a folder that still holds the files themselves is turned into links to a
// generation of its own first, without changing what any name reads.
//
// Generation folders are made, cleared and swapped under a lock on the folder itself; a writer
// holds a lock on its generation folder until it publishes or drops it, so that another copy of the
// program clears only what a killed writer left, never a live writer's files.
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "core/io/file_replace.h"

namespace orrerion {

class FileSetGeneration {
public:
    // Clears what killed writers left in `folder`, then starts a new generation of the set `setName`.
    FileSetGeneration(std::filesystem::path folder, std::string setName);
    // A generation never published is removed with everything written into it.
    ~FileSetGeneration();
    FileSetGeneration(const FileSetGeneration&) = delete;
    FileSetGeneration& operator=(const FileSetGeneration&) = delete;

    // Where the new generation's file `name` is written. Without a generation folder (the folder
    // cannot be written or locked) this is the name in the folder itself, so that writing it fails
    // with the folder's own reason.
    std::filesystem::path PathOf(std::string_view name) const;

    // Makes the finished files `names` of the new generation the set. Before anything changes,
    // a name taken by a folder or by anything but a file or the set's own link fails the publishing
    // with a message naming it; the previous set is then untouched.
    WriteResult Publish(std::span<const std::string> names);

private:
    std::filesystem::path folder_;
    std::string setName_;
    std::string generation_;  // the generation folder's name; empty when none could be made
    std::string problem_;     // why there is none
    int generationFd_ = -1;   // holds the generation folder's lock
};

// Removes what killed writers left in `folder`: their temporary files (RemoveStaleTemporaryFiles)
// and generation folders that no set leads to and no running writer holds. Returns how many
// entries were removed.
int RemoveStaleReplacements(const std::filesystem::path& folder);

}  // namespace orrerion
