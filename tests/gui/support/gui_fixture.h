#pragma once
// A desktop program for one window test: a temporary data folder filled with the shipped files,
// scripted dialogs, a session with a fixed clock and an English 12-hour locale, and the shell.
#include <QDateTime>
#include <QString>
#include <QTemporaryDir>
#include <filesystem>
#include <memory>
#include <string>

#include "gui/app/session.h"
#include "gui/app/shell.h"
#include "gui/ui/scripted_dialogs.h"

namespace orrerion::gui::testing {

class GuiFixture {
public:
    // `now` is the clock the program sees.
    explicit GuiFixture(const QDateTime& now = QDateTime(QDate(2026, 12, 6), QTime(15, 40, 0)));

    std::filesystem::path dataDir() const { return dir_.path().toStdString(); }
    // Writes a file of the data folder (for example a smaller names file).
    void WriteDataFile(const std::string& name, const std::string& content) const;
    std::string ReadDataFile(const std::string& name) const;

    // Runs the program's start-up.
    void Start();

    ScriptedDialogs dialogs;
    Session session{dialogs};
    std::unique_ptr<Shell> shell;

private:
    QTemporaryDir dir_;
};

// Saves a picture of the window as build/screenshots/<name>.png and returns its path.
QString SaveScreenshot(QWidget& window, const QString& name);

// Saves a picture of the whole screen: every visible window drawn at its place, with its caption
// as a title bar, so the arrangement of the windows can be judged.
QString SaveDesktopScreenshot(const QString& name);

// The bytes of a file.
std::string ReadWholeFile(const std::filesystem::path& path);

}  // namespace orrerion::gui::testing
