// Orrerion, the desktop program.
#include <QApplication>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "core/base/version.h"
#include "core/records/atlas_exchange.h"
#include "core/records/program_folders.h"
#include "gui/app/program_dir.h"
#include "gui/app/session.h"
#include "gui/app/shell.h"
#include "gui/ui/dialogs.h"

namespace {

constexpr const char* Usage =
    "Usage: orrerion [--dir DIR]\n"
    "       orrerion --folders [--dir DIR]\n"
    "       orrerion --version | --help\n"
    "\n"
    "Starts the Orrerion desktop program.\n"
    "  --dir DIR   keep the data files (options, names, cities, zones, reports) in DIR\n"
    "              instead of the folder beside the program or the user's data folder.\n"
    "  --folders   print the data folder, the folder of the shipped data files and the\n"
    "              atlas program this copy uses, then end without starting.\n"
    "  --version   print the version and end.\n"
    "  --help      print this text and end.\n";

// The same reverse-DNS name as the desktop entry, the AppStream file and the icon.
constexpr const char* DesktopId = "io.github.orrerion.Orrerion";

// What `--folders` prints. It only looks: the data folder is neither created nor filled.
void PrintFolders(const std::filesystem::path& exeDir, const std::filesystem::path& dirOption) {
    const std::filesystem::path data =
        orrerion::ChooseProgramDir(exeDir, dirOption, orrerion::UserDataDir(std::getenv("XDG_DATA_HOME"),
                                                                            std::getenv("HOME")));
    const std::filesystem::path atlas = orrerion::AtlasProgramDir(exeDir) / orrerion::AtlasProgramName;
    std::error_code ec;
    std::printf("data: %s\n", data.c_str());
    std::printf("shipped data: %s\n", orrerion::ShippedDataDir(exeDir).c_str());
    std::printf("atlas program: %s%s\n", atlas.c_str(),
                std::filesystem::is_regular_file(atlas, ec) ? "" : " (not found: the Atlas label asks for its folder)");
}

// The exit status of an answer printed before the toolkit starts: 0 when it reached standard
// output, else 1 with the reason on standard error (a full disk, a closed pipe).
int FinishPrinting() {
    errno = 0;
    if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return 0;
    std::fprintf(stderr, "orrerion: cannot write to standard output: %s\n",
                 errno != 0 ? std::strerror(errno) : "write failed");
    return 1;
}

}  // namespace

int main(int argc, char* argv[]) {
    // --help, --version and --folders answer without a display, before the toolkit starts.
    bool folders = false;
    std::filesystem::path dirOption;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(Usage, stdout);
            return FinishPrinting();
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("orrerion %s\n", orrerion::ProgramVersion());
            return FinishPrinting();
        }
        if (std::strcmp(argv[i], "--folders") == 0) folders = true;
        if (std::strcmp(argv[i], "--dir") == 0 && i + 1 < argc) dirOption = argv[++i];
    }
    const std::filesystem::path exeDir = orrerion::ExecutableFolder();
    if (folders) {
        PrintFolders(exeDir, dirOption);
        return FinishPrinting();
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName("Orrerion");
    QApplication::setOrganizationName("Orrerion");
    QApplication::setApplicationVersion(orrerion::ProgramVersion());
    QApplication::setDesktopFileName(DesktopId);

    // Read again without the toolkit's own options (-platform and the like), refusing the unknown.
    const QStringList args = QApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == "--dir" && i + 1 < args.size()) {
            ++i;
            continue;
        }
        std::fprintf(stderr, "orrerion: unknown argument %s\n%s", args[i].toLocal8Bit().constData(), Usage);
        return 2;
    }

    orrerion::gui::QtDialogs qtDialogs;
    orrerion::gui::Dialogs& dialogs = qtDialogs;
    orrerion::gui::SingleInstanceLock lock(orrerion::gui::DefaultLockPath());
    if (!orrerion::gui::TakeSingleCopyLock(lock, dialogs)) return 1;

    // The user's data folder is filled from the shipped files: those of an installed copy, else the
    // build's own data folder.
    const orrerion::ProgramDirChoice choice = orrerion::ResolveProgramDir(
        exeDir, dirOption, orrerion::UserDataDir(std::getenv("XDG_DATA_HOME"), std::getenv("HOME")),
        orrerion::ShippedDataDir(exeDir));
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
