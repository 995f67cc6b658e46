// Orrerion, the desktop program.
#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTextStream>
#include <cstdio>
#include <filesystem>

#include "gui/app/program_dir.h"
#include "gui/app/session.h"
#include "gui/app/shell.h"
#include "gui/ui/dialogs.h"

namespace {

constexpr const char* Usage =
    "Usage: orrerion [--dir DIR]\n"
    "\n"
    "Starts the Orrerion desktop program.\n"
    "  --dir DIR   keep the data files (options, names, cities, zones, reports) in DIR\n"
    "              instead of the folder beside the program or the user's data folder.\n";

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Orrerion");
    QApplication::setOrganizationName("Orrerion");

    std::filesystem::path dirOption;
    const QStringList args = QApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == "--help" || args[i] == "-h") {
            std::fputs(Usage, stdout);
            return 0;
        }
        if (args[i] == "--dir" && i + 1 < args.size()) {
            dirOption = args[++i].toStdString();
            continue;
        }
        std::fprintf(stderr, "orrerion: unknown argument %s\n%s", args[i].toLocal8Bit().constData(), Usage);
        return 2;
    }

    orrerion::gui::QtDialogs qtDialogs;
    orrerion::gui::Dialogs& dialogs = qtDialogs;
    orrerion::gui::SingleInstanceLock lock(orrerion::gui::DefaultLockPath());
    if (!orrerion::gui::TakeSingleCopyLock(lock, dialogs)) return 1;

    const std::filesystem::path exeDir = QApplication::applicationDirPath().toStdString();
    const std::filesystem::path userDir =
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString();
    // The shipped files: those of an installed copy, else the build's own data folder.
    std::filesystem::path shipped = exeDir / ".." / "share" / "orrerion" / "data";
    if (!std::filesystem::is_directory(shipped)) shipped = exeDir / "data";
    const orrerion::gui::ProgramDirChoice choice =
        orrerion::gui::ResolveProgramDir(exeDir, dirOption, userDir, shipped);
    if (!choice.error.empty()) {
        dialogs.MessageBox(nullptr, QString::fromStdString(choice.error), "Error!",
                           orrerion::MessageIcon::Critical);
        return 1;
    }

    orrerion::gui::Session session(dialogs);
    session.exeDir = exeDir;
    session.calc.ProgramDir = choice.dir;
    session.clock.locale = QLocale::system();
    orrerion::gui::Shell shell(session);
    if (!shell.Start()) return 1;
    return QApplication::exec();
}
