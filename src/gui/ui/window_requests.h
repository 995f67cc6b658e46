#pragma once
// What one window of the desktop program asks of the others. The shell implements it and hands it
// to every window it makes, together with the slice of the session that window reads; so a window
// includes no other window's header and holds no other window (the include check enforces it).
//
// A new window follows the same pattern: its constructor takes WindowRequests& and references to
// the parts of the Session it reads or keeps (a small struct of them when there are several, as
// InputWindowSlice); its rules that need no pixels sit in a presenter beside it
// (<name>_presenter.h, tested without a display in tests/gui/presenters_test.cpp); state it keeps
// between openings lives in the Session with the window or its presenter as the only writer; what
// the other windows ask of it becomes a method here, which the shell carries out; and the shell
// gets its loader.
#include <QString>
#include <filesystem>
#include <string>
#include <variant>
#include <vector>

#include "core/aspects/returns.h"
#include "core/base/input_fields.h"
#include "core/records/atlas_exchange.h"

class QWidget;

namespace orrerion::gui {

class WindowRequests {
public:
    // The input windows (natal and diurnal).

    // Whether both input windows stand (while the natal window is being made, the diurnal one
    // does not yet).
    virtual bool InputWindowsLoaded() const = 0;
    // The fields of a section as the chart driver reads them, and values put back into them
    // without the window's own rules (values that already passed them).
    virtual InputFields Fields(InputSection section) = 0;
    virtual void SetFields(InputSection section, const InputFields& fields) = 0;
    // The diurnal window holds a second person ("2nd Person" ticked): names and cities picked in
    // the lists go there, and its box shows the person's name.
    virtual bool SecondPerson() = 0;
    virtual void SetSecondPersonName(const QString& name) = 0;
    // After natal fields were loaded from a list: the diurnal window copies the natal time and
    // place when "Use natal data" is ticked, else takes the present moment.
    virtual void DiurnalFollowsNatal() = 0;
    // The time zone picker's choice: the zone text, then East or West as a click on the button,
    // which runs the window's zone sign rule.
    virtual void SetZone(InputSection section, const QString& zone, bool east) = 0;
    // "TZ Help": the picker for that section's zone, placed beside the input windows.
    virtual void OpenTimeZonePicker(InputSection section) = 0;
    // "Atlas": a run of the atlas program for the fields' moment; true when the person accepted a
    // place and its zone, longitude and latitude are in `fields`.
    virtual bool LookUpAtlasPlace(InputFields& fields, QWidget* parent) = 0;
    // "Find place...": the atlas's places matching `query`, best first (ATLAS.EXE --places, as the
    // command line's --place asks it); the problem when the atlas program cannot answer.
    virtual std::variant<std::vector<AtlasPlaceRow>, std::string> FindAtlasPlaces(const std::string& query) = 0;
    // The Summary command is disabled while the diurnal window holds a second person.
    virtual void SetSummaryEnabled(bool enabled) = 0;
    // The natal window's OK: the time zone picker closed, then the calculation.
    virtual void CalculateFromInput() = 0;

    // The Names and Cities lists.

    // Chooses a names or cities file (pattern "*.FIL" or "*.LL", `current` preselected); an empty
    // path when the choice was cancelled.
    virtual std::filesystem::path ChooseListFile(const QString& pattern,
                                                 const std::filesystem::path& current) = 0;
    // The lists emptied while another file is chosen.
    virtual void ClearNamesAndCitiesLists() = 0;
    // The window unloaded and shown again, so its list is read afresh.
    virtual void ReloadNamesList() = 0;
    virtual void ReloadCitiesList() = 0;
    // One list window in place of the other, once the handler that asked has returned (the
    // asking window is deleted).
    virtual void ShowCitiesInsteadOfNames() = 0;
    virtual void ShowNamesInsteadOfCities() = 0;
    // "Edit this List": one editor of each kind at a time.
    virtual void OpenNamesEditor() = 0;
    virtual void OpenCitiesEditor() = 0;
    // A double click on a name: once the handler has returned, the Names window unloaded, the
    // natal window brought forward and the calculation run.
    virtual void CalculatePickedName() = 0;

    // The program.

    // A help file of the data folder in the data window.
    virtual void ShowHelpText(const QString& fileName) = 0;
    // A help file of the data folder in the Help window, leaving the data window as it is.
    virtual void ShowHelpWindow(const QString& fileName) = 0;
    // A fresh print window on the print buffer file, in place of one still open.
    virtual void OpenPrintWindow() = 0;
    // The main window brought forward and activated; `keyboardFocus` also gives it the keys.
    virtual void FocusMainWindow(bool keyboardFocus) = 0;

    // The scan's pictures and listings.

    // The Timeline window, brought forward.
    virtual void OpenTimeline() = 0;
    // The data window brought forward with `line` selected: the first such line after the
    // listing title `heading`.
    virtual void ShowListingLine(const QString& heading, const QString& line) = 0;
    // A return chart of the current calculation: drawn in the Wheel window inside the natal chart
    // and summed up in the data window, both brought forward. `precessed` says whether its natal
    // longitude was moved by precession.
    virtual void ShowReturnChart(const ReturnChart& chart, bool precessed) = 0;

protected:
    ~WindowRequests() = default;
};

}  // namespace orrerion::gui
