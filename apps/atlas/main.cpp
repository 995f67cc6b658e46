// ATLAS.EXE: looks up a place and the clock offset in force there. Without --list it opens the
// atlas window and leaves the chosen place in PCATPATH.TXT and TSRTEMP.TXT in the folder given
// with --out (beside itself without it); with --list it prints the matches, needing no display.
#include <QApplication>
#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

#include "atlas_command_line.h"
#include "atlas_window.h"
#include "core/base/version.h"
#include "core/records/atlas_exchange.h"
#include "geonames_places.h"
#include "place_search.h"

namespace {

QStringList RawArguments(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i) args.append(QString::fromLocal8Bit(argv[i]));
    return args;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace orrerion::atlas;
    const AtlasArguments raw = ParseAtlasArguments(RawArguments(argc, argv));
    if (raw.help) {
        std::fputs(AtlasUsageText(), stdout);
        return 0;
    }
    if (raw.version) {
        std::printf("%s %s\n", orrerion::AtlasProgramName, orrerion::ProgramVersion());
        return 0;
    }
    if (raw.list || raw.places) {
        QCoreApplication app(argc, argv);
        QTextStream out(stdout);
        QTextStream err(stderr);
        if (!raw.error.isEmpty()) {
            err << "ATLAS.EXE: " << raw.error << "\n\n" << AtlasUsageText();
            return 2;
        }
        const PlaceIndex places(LoadGeonamesPlaces());
        const int status = raw.places ? RunAtlasPlaces(places, raw, out, err) : RunAtlasList(places, raw, out, err);
        // The matches must have reached standard output (a full disk, a closed pipe).
        out.flush();
        if (out.status() != QTextStream::Ok || std::fflush(stdout) != 0 || std::ferror(stdout)) {
            err << "ATLAS.EXE: cannot write to standard output\n";
            return 1;
        }
        return status;
    }

    QApplication app(argc, argv);
    // Read again without the toolkit's own options (-platform and the like).
    const AtlasArguments args = ParseAtlasArguments(QCoreApplication::arguments().mid(1));
    if (!args.error.isEmpty()) {
        // A caller's odd argument must not keep the person from looking a place up.
        QTextStream(stderr) << "ATLAS.EXE: " << args.error << " (ignored)\n";
    }
    const PlaceIndex places(LoadGeonamesPlaces());
    const QString resultFolder =
        args.outDir.isEmpty() ? QCoreApplication::applicationDirPath() : args.outDir;
    AtlasWindow window(places, resultFolder.toStdString());
    window.SetMoment(args.date, args.time);
    window.show();
    window.raise();
    window.activateWindow();
    return window.exec() == QDialog::Accepted ? 0 : orrerion::AtlasCancelledStatus;
}
