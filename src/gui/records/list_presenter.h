#pragma once
// The rules of the Names and Cities windows that need no pixels: the Names list's state kept
// between openings of its window, and what a name or a city picked in a list puts into the input
// fields.
#include <filesystem>
#include <optional>
#include <vector>

#include "core/base/input_fields.h"
#include "core/base/messages.h"
#include "core/records/cities_file.h"
#include "core/records/names_file.h"

namespace orrerion::gui {

// The Names list between openings of its window: the file it lists, "Lock list" with the entry it
// keeps, and whether the natal data was just saved. This class is the only writer of that state;
// the Names window, the natal window's "Save to disk", the names editor and the Input command ask
// it through the methods below.
class NamesListState {
public:
    const std::filesystem::path& file() const { return NamesFilePath_; }
    bool justSaved() const { return justSaved_; }
    bool lockList() const { return lockList_; }
    int lockedIndex() const { return lockedIndex_; }

    // The file listed: the default one at start-up, the one the window opened (empty when the
    // default file stood in for a missing one).
    void SetFile(std::filesystem::path file) { NamesFilePath_ = std::move(file); }
    // "Change List": another file; the lock starts again at its first entry.
    void ChangeFile(std::filesystem::path file);
    // The natal data was saved into a names file, or the program starts: the next reading of the
    // list selects nothing.
    void MarkSaved() { justSaved_ = true; }
    // A name was picked, the names file edited or a new chart asked for: the lock applies again.
    void ClearSaved() { justSaved_ = false; }
    // A click on the list: clears the saved mark; `lockedRow`, given when the click named a record
    // while "Lock list" is ticked, becomes the locked entry.
    void Picked(std::optional<int> lockedRow);
    // "Lock list" ticked or cleared by the person. Ticking locks the selected entry, or none (-1),
    // which the next reading turns into the first.
    void SetLock(bool ticked, std::optional<int> selectedRow);
    // Where a list of `count` entries opens, with "Lock list" ticked or not: PositionLockedList on
    // this state, whose corrected locked entry is kept.
    LockListPosition Position(int count, bool ticked);

private:
    std::filesystem::path NamesFilePath_;
    bool justSaved_ = false;
    bool lockList_ = false;
    int lockedIndex_ = 0;
};

// What a record picked in the Names or Cities list does to the input fields of the window it goes
// to (the diurnal window when it holds a second person, else the natal window).
struct PickedRecord {
    InputFields fields;             // the window's fields after the loading
    std::vector<Message> messages;  // to show, in order
    // A natal loading that no message stopped: the diurnal window then follows the natal one.
    bool diurnalFollows = false;
};

// A name: its date, time, zone and place, and in the natal window its name too. Only a record
// format error stops the loading.
PickedRecord PickName(const NameRecord& record, int DateOrder, InputSection target,
                      InputFields fields);
// A city: its place and zone. Every message stops the loading.
PickedRecord PickCity(const CityRecord& city, InputSection target, InputFields fields);

}  // namespace orrerion::gui
