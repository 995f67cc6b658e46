#include "chart_options.h"

#include <langinfo.h>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "core/chart/houses.h"
#include "core/chart/input_checks.h"
#include "core/ephemeris/precise_ephemeris.h"
#include "core/io/number_text.h"
#include "core/records/name_record.h"
#include "core/records/options_file.h"
#include "core/records/settings_file.h"

namespace orrerion::cli {
namespace {

constexpr const char* RecordShape =
    "\"Name,dd mmm yyyy,H.MM,A|P,zone,longitude,latitude\", for example "
    "\"John Smith,13 Jan 1950,8.30,A,5,074.00,40.43\"";

}  // namespace

std::optional<std::string> CheckRecord(const std::string& option, const std::string& text,
                                       NameRecord& record) {
    const std::optional<NameRecord> parsed = NameRecordFromLine(text);
    if (!parsed) return option + ": a record has seven comma-separated fields: " + RecordShape;
    record = *parsed;
    if (!ParseRecordDate(record.Date)) {
        const std::optional<ParsedRecordDate> shape = RecordDateShape(record.Date);
        if (shape && shape->year >= 100 && shape->day >= 1) {
            const InputSection section = option == "--diurnal" ? InputSection::Diurnal : InputSection::Natal;
            return option + ": " + MissingDayReason(section, shape->day, shape->month, shape->year);
        }
        return option + ": the date \"" + record.Date + "\" is not a date written dd mmm yyyy";
    }
    if (record.Meridiem != "A" && record.Meridiem != "P" && record.Meridiem != "a" &&
        record.Meridiem != "p") {
        return option + ": the meridiem \"" + record.Meridiem + "\" is not A or P";
    }
    const std::pair<const char*, const std::string*> numbers[] = {{"time", &record.Time},
                                                                  {"zone", &record.Zone},
                                                                  {"longitude", &record.Longitude},
                                                                  {"latitude", &record.Latitude}};
    for (const auto& [what, value] : numbers) {
        if (!ParseNumber(*value)) {
            return option + ": the " + what + " \"" + *value + "\" is not a number";
        }
    }
    return std::nullopt;
}

namespace {

std::optional<std::string> LoadRecord(const std::string& option, const std::string& text,
                                      int DateOrder, Calculation& calc, bool natal) {
    NameRecord record;
    if (auto error = CheckRecord(option, text, record)) {
        return *error + " (" + InputMessage(natal ? InputSection::Natal : InputSection::Diurnal) + ")";
    }
    const std::vector<Message> messages = natal ? LoadNameRecord(record, DateOrder, InputSection::Natal, calc.natal)
                                                : LoadNameRecord(record, DateOrder, InputSection::Diurnal, calc.diurnal);
    if (!messages.empty()) return option + ": " + messages.front().text;
    if (natal) calc.natal.name = record.Name;
    return std::nullopt;
}

}  // namespace

std::optional<std::string> ParseChartOptions(const CommandLine& line, ChartCommandOptions& options,
                                             ExtraValues& others) {
    bool natalGiven = false;
    bool diurnalGiven = false;
    for (const GivenOption& given : line.options) {
        const std::string name(given.Name());
        const std::string& v = given.value;
        const auto value = [&]() -> std::optional<std::string> { return v; };
        if (std::optional<std::string> momentError; ReadMomentOption(name, value, options.moments, momentError)) {
            if (momentError) return *momentError;
        } else if (name == "--natal" || name == "--diurnal") {
            (name == "--natal" ? options.natalRecord : options.diurnalRecord) = v;
            (name == "--natal" ? natalGiven : diurnalGiven) = true;
        } else if (name == "--houses") {
            options.houses = ComputedHouseSystemByCode(v);
            if (!options.houses) {
                std::string codes;  // "P, R, K, O or M"
                for (const HouseSystemRow& row : HouseSystems) {
                    if (row.routine != nullptr) codes += std::string(codes.empty() ? "" : ", ") + std::string(row.code);
                }
                if (const std::size_t last = codes.rfind(", "); last != std::string::npos) codes.replace(last, 2, " or ");
                return "--houses takes " + codes + ", not \"" + v + "\"";
            }
        } else if (name == "--progression") {
            if (v == "secondary") {
                options.progression = ProgressionType::Secondary;
            } else if (v == "minor") {
                options.progression = ProgressionType::Minor;
            } else if (v == "tertiary") {
                options.progression = ProgressionType::Tertiary;
            } else {
                return "--progression takes secondary, minor or tertiary, not \"" + v + "\"";
            }
        } else if (name == "--options") {
            options.optionsFile = v;
        } else if (name == "--ephemeris") {
            options.ephemeris = ParseEphemerisName(v);
            if (!options.ephemeris) return "--ephemeris takes builtin or precise, not \"" + v + "\"";
        } else if (name == "--date-order") {
            if (v != "0" && v != "1" && v != "2") return "--date-order takes 0, 1 or 2, not \"" + v + "\"";
            options.dateOrder = v[0] - '0';
        } else if (name == "--points") {
            if (auto error = ParsePointList(v, options.points)) return error;
        } else if (name == "--fortune-day-formula") {
            options.points.fortuneDayFormulaAlways = true;
        } else {
            others.emplace_back(name, v);
        }
    }
    if (auto error = CheckMomentOptions(options.moments, natalGiven, diurnalGiven)) return error;
    if (!natalGiven && !options.moments.natal.Given()) {
        return std::string("--natal RECORD is required (or --natal-name NAME, or --birth DATE-TIME with its zone and place)");
    }
    if (options.diurnalRequired && !diurnalGiven && !options.moments.diurnal.Given()) {
        return std::string("--diurnal RECORD is required (or --diurnal-name NAME, or --at DATE-TIME or --now)");
    }
    return std::nullopt;
}

ProgramDirChoice ProgramDataDir() {
    const std::filesystem::path exeDir = ExecutableFolder();
    return ResolveProgramDir(exeDir, {}, UserDataDir(std::getenv("XDG_DATA_HOME"), std::getenv("HOME")),
                             ShippedDataDir(exeDir));
}

int SystemDateOrder() {
    const char* previous = std::setlocale(LC_TIME, nullptr);
    const std::string saved = previous ? previous : "C";
    std::setlocale(LC_TIME, "");
    const std::string format = nl_langinfo(D_FMT);
    std::setlocale(LC_TIME, saved.c_str());
    if (format.find("%F") != std::string::npos) return 2;
    int day = -1, month = -1, year = -1;
    for (std::size_t i = 0; i + 1 < format.size(); ++i) {
        if (format[i] != '%') continue;
        const int at = static_cast<int>(i);
        switch (format[i + 1]) {
            case 'd': case 'e': if (day < 0) day = at; break;
            case 'm': case 'b': case 'B': if (month < 0) month = at; break;
            case 'y': case 'Y': if (year < 0) year = at; break;
            default: break;
        }
    }
    if (year >= 0 && (month < 0 || year < month) && (day < 0 || year < day)) return 2;
    if (day >= 0 && month >= 0 && day < month) return 1;
    return 0;
}

std::optional<EphemerisSource> ParseEphemerisName(const std::string& text) {
    if (text == "builtin") return EphemerisSource::Builtin;
    if (text == "precise") return EphemerisSource::Precise;
    return std::nullopt;
}

std::optional<std::string> ChooseEphemeris(std::optional<EphemerisSource> given,
                                           const std::filesystem::path& programDir, EphemerisSource& source,
                                           std::vector<std::string>& warnings) {
    if (given) {
        source = *given;
    } else {
        SettingsLoad settings = LoadSettings(programDir / SettingsFileName);
        for (std::string& problem : settings.problems) warnings.push_back(std::move(problem));
        source = settings.file.settings.ephemeris;
    }
    if (source == EphemerisSource::Precise) {
        const PreciseAvailability precise = CheckPreciseEphemeris();
        if (!precise.available) return PreciseUnavailableText(precise);
    }
    return std::nullopt;
}

void PrintNote(const std::string& note) { std::fprintf(stderr, "Note: %s\n", note.c_str()); }

CalculationRequest NotingRequest() {
    CalculationRequest request;
    request.notice = PrintNote;
    request.preciseChoice = PreciseChoiceText;
    request.confirmDates = [](const std::vector<DateDoubt>& doubts) {
        for (const DateDoubt& doubt : doubts) {
            if (doubt.kind != DateDoubtKind::OutsideBuiltinYears) PrintNote(doubt.text);
        }
        return true;
    };
    return request;
}

namespace {

std::optional<std::string> FillCalculation(const ChartCommandOptions& options, Calculation& calc,
                                           std::vector<std::string>& warnings) {
    ProgramDirChoice dataDir = ProgramDataDir();
    if (!dataDir.error.empty()) return dataDir.error;
    calc.ProgramDir = std::move(dataDir.dir);
    if (auto error = ChooseEphemeris(options.ephemeris, calc.ProgramDir, calc.eph.Source, warnings)) return error;
    const std::filesystem::path optionsPath =
        options.optionsFile ? *options.optionsFile : calc.ProgramDir / "OPTIONS.OPT";
    for (const OptionsProblem& problem : LoadOptions(optionsPath, calc.options)) {
        if (problem.fileUnreadable) return problem.message;
        warnings.push_back(problem.message);
    }
    calc.houseSystem = options.houses ? *options.houses : HouseSystemFromOption(calc.options[Option::StartHouseSystem]);
    calc.progression = options.progression;
    calc.points = options.points;
    calc.DateOrder = options.dateOrder ? *options.dateOrder : SystemDateOrder();
    MomentRecords records;
    if (auto error = ResolveMomentRecords(options.natalRecord, options.diurnalRecord, options.moments, calc.ProgramDir,
                                          true, records)) {
        return error;
    }
    warnings.insert(warnings.end(), records.shown.begin(), records.shown.end());
    calc.DiurnalZoneName = records.diurnalZoneName;
    if (auto error = LoadRecord("--natal", records.natal, calc.DateOrder, calc, true)) {
        return error;
    }
    // The diurnal record's name is not used.
    if (auto error = LoadRecord("--diurnal", records.diurnal, calc.DateOrder, calc, false)) {
        return error;
    }
    return std::nullopt;
}

}  // namespace

bool SetUpCalculation(const char* command, const ChartCommandOptions& options, Calculation& calc) {
    std::vector<std::string> warnings;
    const std::optional<std::string> error = FillCalculation(options, calc, warnings);
    if (error) {
        std::fprintf(stderr, "%s: %s\n", command, error->c_str());
        return false;
    }
    for (const std::string& warning : warnings) std::fprintf(stderr, "%s: %s\n", command, warning.c_str());
    return true;
}

void PrintMessages(const std::vector<Message>& messages) {
    for (const Message& m : messages) std::fprintf(stderr, "%s: %s\n", m.title.c_str(), m.text.c_str());
}

std::optional<std::string> CheckDaysOption(const std::string& value) {
    if (RoundedDayCount(value) >= 1) return std::nullopt;
    return "--days takes a number of days from 1 to " + std::to_string(MaxScanDays) + ", not \"" + value + "\"";
}

std::optional<int> UnfinishedScanStatus(ScanOutcome outcome) {
    switch (outcome) {
        case ScanOutcome::NotRun: return 0;
        case ScanOutcome::Refused: return 2;
        case ScanOutcome::WriteFailed:
        case ScanOutcome::Cancelled: return 1;
        case ScanOutcome::Completed: break;
    }
    return std::nullopt;
}

std::optional<std::string> ReadEventKinds(std::string_view option, const std::string& text,
                                          std::array<bool, SkyEventKindCount>& kinds) {
    std::string list;
    for (const SkyEventKindRow& row : SkyEventKinds) list += (list.empty() ? "" : ", ") + std::string(row.word);
    kinds.fill(false);
    if (text == "all") {
        kinds.fill(true);
        return std::nullopt;
    }
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        std::string item = text.substr(start, comma - start);
        while (!item.empty() && item.front() == ' ') item.erase(item.begin());
        while (!item.empty() && item.back() == ' ') item.pop_back();
        bool known = false;
        for (std::size_t i = 0; i < SkyEventKinds.size(); ++i) {
            if (item == SkyEventKinds[i].word) kinds[i] = known = true;
        }
        if (!known) return std::string(option) + ": unknown kind \"" + item + "\" (" + list + ", or all)";
        start = comma + 1;
    }
    return std::nullopt;
}

namespace {

// "tn, sn, pn, pp, tp"
std::string FamilyCodesText() {
    std::string text;
    for (const FamilyInfo& info : ScanFamilies) text += (text.empty() ? "" : ", ") + std::string(info.code);
    return text;
}

}  // namespace

std::variant<FamilySet, std::string> ParseFamilyList(const std::string& list) {
    if (list.empty()) return "--families: name at least one of " + FamilyCodesText();
    FamilySet chosen{};
    std::size_t at = 0;
    while (at <= list.size()) {
        const std::size_t comma = std::min(list.find(',', at), list.size());
        const std::string code = list.substr(at, comma - at);
        const std::optional<AspectFamily> family = FamilyFromCode(code);
        if (!family) return "--families: unknown family \"" + code + "\" (" + FamilyCodesText() + ")";
        chosen[FamilyIndex(*family)] = true;
        at = comma + 1;
    }
    return chosen;
}

std::string PointCodesText() {
    std::string text;
    for (const ExtraPointRow& row : ExtraPoints) {
        if (row.code.empty()) continue;
        text += (text.empty() ? "" : ", ") + std::string(row.code);
    }
    return text;
}

std::optional<std::string> ParsePointList(const std::string& list, PointChoice& choice) {
    if (list.empty()) return "--points: name at least one of " + PointCodesText() + " or all";
    if (list == "all") {
        for (const ExtraPointRow& row : ExtraPoints) ChoosePoint(choice, row.point);
        return std::nullopt;
    }
    std::size_t at = 0;
    while (at <= list.size()) {
        const std::size_t comma = std::min(list.find(',', at), list.size());
        const std::string code = list.substr(at, comma - at);
        const std::optional<ExtraPoint> point = ExtraPointOfCode(code);
        if (!point) return "--points: unknown point \"" + code + "\" (" + PointCodesText() + " or all)";
        ChoosePoint(choice, *point);
        at = comma + 1;
    }
    return std::nullopt;
}

}  // namespace orrerion::cli
