#pragma once
// What the aspect scan shows while it runs: the status window's progress bar, the WAIT window of
// the sorting step, the beep of the exact-date search and the data window at the end. The desktop
// program draws them; the command line prints a bar or nothing. The scan never waits for any of
// them.
#include <algorithm>

namespace orrerion {

class ScanObserver {
public:
    virtual ~ScanObserver() = default;

    // The status window is loaded and its picture area cleared.
    virtual void BeginScan() {}
    // Fill the bar to ProgressPercent(current, maximum); earlier drawing is not erased.
    virtual void ShowProgress(int current, int maximum) { (void)current; (void)maximum; }
    // The status window's picture area is cleared (the bar restarts).
    virtual void ClearProgress() {}
    // The standard system beep: one per candidate of the exact-date search.
    virtual void Beep() {}
    // The status window is unloaded; hourglass pointer and the WAIT window while the sorted
    // files are produced.
    virtual void BeginSorting() {}
    // The WAIT window is unloaded.
    virtual void EndSorting() {}
    // The data window shows the data lines of the calculation.
    virtual void ShowDataWindow() {}
    // Whether the user asked the scan to stop (the status window's Cancel). Asked on the thread
    // that shows the progress, after each block of days; once it answers true the scan stops
    // before any report is written and leaves the earlier report files as they were.
    virtual bool StopAsked() { return false; }
    // Always called last, also after a failed write: every scan window is gone and the normal
    // mouse pointer restored.
    virtual void EndScan() {}
};

// The bar's filled share in percent: current / maximum * 100, limited to 0..100.
inline double ProgressPercent(int current, int maximum) {
    if (maximum <= 0) return 100.0;
    return std::clamp(static_cast<double>(current) / maximum * 100.0, 0.0, 100.0);
}

}  // namespace orrerion
