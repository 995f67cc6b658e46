#pragma once
// The natal window's "Save to disk": the natal fields stored as a record of a names file.
namespace orrerion::gui {

class Shell;

// The whole save: a name with a comma is refused with its message; otherwise
// WriteNatalToNamesFile. Unless the file choice was cancelled, JustSaved is set and the Names
// window unloaded and shown again (it reads NamesFilePath, which saving does not change).
void SaveNatalToNamesFile(Shell& shell);

// Chooses a names file ("*.FIL", the current one preselected) and writes the natal fields to it:
// each stored record of the same name (ignoring case) is replaced or kept as the person answers,
// the new record goes last, the old file is kept as the backup ending in "OLD". Problems are
// reported, including a copy that stopped at a damaged line. Returns false only when the choice
// of file was cancelled; the Names window is not touched.
bool WriteNatalToNamesFile(Shell& shell);

}  // namespace orrerion::gui
