#include "gui/records/atlas_bridge.h"

#include <QEventLoop>
#include <QProcess>

#include "core/io/number_text.h"
#include "core/records/birth_input.h"
#include "gui/ui/dialogs.h"

namespace orrerion::gui {
namespace {

AtlasMoment Moment(const std::string& month, const std::string& day, const std::string& year,
                   const std::string& hour, const std::string& minute, bool am) {
    AtlasMoment moment;
    // Each number is checked to lie within its field's range before it is made an int.
    const auto within = [](const std::optional<double>& v, double low, double high) {
        return v && *v >= low && *v <= high;
    };
    const auto m = ParseNumber(month), d = ParseNumber(day), y = ParseNumber(year);
    if (within(m, 1, 12) && within(d, 1, 31) && within(y, 1, 9999)) {
        moment.date = QDate(static_cast<int>(*y), static_cast<int>(*m), static_cast<int>(*d));
    }
    const auto h = ParseNumber(hour), n = ParseNumber(minute);
    if (within(h, 1, 12) && within(n, 0, 59)) {
        // 12 A.M. is midnight, 12 P.M. noon.
        const int hour24 = static_cast<int>(*h) % 12 + (am ? 0 : 12);
        moment.time = QTime(hour24, static_cast<int>(*n));
    }
    return moment;
}

// Starts the program and runs a local event loop until it ends, so the windows keep answering;
// false when it could not be started.
bool RunUntilEnd(QProcess& process, const QString& program, const QStringList& arguments) {
    QEventLoop loop;
    bool failedToStart = false;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            failedToStart = true;
            loop.quit();
        }
    });
    process.start(program, arguments);
    if (!failedToStart && process.state() != QProcess::NotRunning) loop.exec();
    return !failedToStart;
}

enum class LaunchOutcome { NotStarted, Ended, Cancelled };

LaunchOutcome LaunchAndWait(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    if (!RunUntilEnd(process, program, arguments)) return LaunchOutcome::NotStarted;
    if (process.exitStatus() == QProcess::NormalExit && process.exitCode() == AtlasCancelledStatus) {
        return LaunchOutcome::Cancelled;
    }
    return LaunchOutcome::Ended;
}

}  // namespace

AtlasMoment MomentOf(const InputFields& f) {
    return Moment(f.month, f.day, f.year, f.hour, f.minute, f.am);
}

QStringList AtlasProgramArguments(const AtlasMoment& moment, const std::filesystem::path& exchangeDir) {
    QStringList arguments{"--out", QString::fromStdString(exchangeDir.string())};
    if (moment.date.isValid()) arguments << "--date" << moment.date.toString("yyyy-MM-dd");
    if (moment.time.isValid()) arguments << "--time" << moment.time.toString("HH:mm");
    return arguments;
}

std::variant<std::vector<AtlasPlaceRow>, std::string> SearchAtlasPlaces(const QString& atlasDir,
                                                                       const std::string& query) {
    if (atlasDir.isEmpty()) {
        return "The folder of the atlas program is not known: click Atlas once to give it.";
    }
    const QString program = atlasDir + AtlasProgramName;
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    if (!RunUntilEnd(process, program, {"--places", QString::fromStdString(query)})) {
        return "The atlas program " + program.toStdString() + " could not be started: " +
               process.errorString().toStdString();
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        const QString said = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
        return "The atlas program could not look up \"" + query + "\"" +
               (said.isEmpty() ? std::string(".") : ": " + said.toStdString());
    }
    const QByteArray out = process.readAllStandardOutput();
    return ParseAtlasPlaceRows(std::string_view(out.constData(), static_cast<std::size_t>(out.size())));
}

void RunAtlas(const AtlasAccess& access, QWidget* parent, const AtlasMoment& moment, AtlasRun& run) {
    // The atlas writes its result into the program's data folder, the user's own, and it is read
    // back from there.
    const std::filesystem::path exchangeDir =
        access.ProgramDir.empty() ? std::filesystem::path(".") : access.ProgramDir;
    const QStringList arguments = AtlasProgramArguments(moment, exchangeDir);
    // An empty AtlasDir is a path the person gave up on: ask again at once rather than let the
    // system search for the program elsewhere.
    LaunchOutcome outcome = LaunchOutcome::NotStarted;
    while (access.AtlasDir.isEmpty() ||
           (outcome = LaunchAndWait(access.AtlasDir + AtlasProgramName, arguments)) ==
               LaunchOutcome::NotStarted) {
        access.AtlasDir.clear();
        const QString answer = access.dialogs.InputBox(parent, AtlasPathPrompt, AtlasPathPromptTitle, QString());
        if (answer.isEmpty()) {
            run.AtlasReady = 0;
            return;
        }
        access.AtlasDir = QString::fromStdString(AtlasDirFromAnswer(answer.toStdString()));
    }

    // Cancelled in the atlas: nothing to read and nothing to report.
    if (outcome == LaunchOutcome::Cancelled) {
        run.AtlasReady = 0;
        return;
    }
    const AtlasReadResult read = ReadAtlasPlace(AtlasDirFromAnswer(exchangeDir.string()));
    if (!read.place) {
        access.dialogs.Show(parent, *read.message);
        run.AtlasReady = 0;
        return;
    }
    run.place = *read.place;
    run.AtlasAnswer = access.dialogs.Show(parent, AtlasAcceptQuestion(run.place), MessageButtons::YesNo);
}

bool FillFromAtlas(const AtlasAccess& access, InputFields& fields, QWidget* parent) {
    AtlasRun run;
    run.AtlasReady = 1;
    RunAtlas(access, parent, MomentOf(fields), run);
    if (run.AtlasAnswer != AnswerYes || run.AtlasReady != 1) return false;
    if (const auto problem = FillFieldsFromAtlas(run.place, fields)) {
        access.dialogs.Show(parent, *problem);
        return false;
    }
    return true;
}

}  // namespace orrerion::gui
