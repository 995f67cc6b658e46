#include "atlas_command_line.h"

#include <QDateTime>

#include "atlas_result.h"
#include "core/records/atlas_exchange.h"
#include "zone_offset.h"

namespace orrerion::atlas {

const char* AtlasUsageText() {
    return "Usage: ATLAS.EXE [--date YYYY-MM-DD] [--time HH:MM] [--out DIR]\n"
           "       ATLAS.EXE --list QUERY [--date YYYY-MM-DD] [--time HH:MM]\n"
           "       ATLAS.EXE --places QUERY\n"
           "       ATLAS.EXE --version | --help\n"
           "\n"
           "Without --list, opens the atlas window: search a place, check the clock offset in force\n"
           "there at the date and time given (24-hour local time; the present moment when not given),\n"
           "and \"Use this place\" writes PCATPATH.TXT and TSRTEMP.TXT into DIR (the calling program's\n"
           "data folder; the atlas program's own folder when --out is not given).\n"
           "\n"
           "With --list, prints the places matching QUERY (name, region or country; accents and case\n"
           "ignored) with latitude, longitude, time-zone name and the zone in force, in hours west of\n"
           "Greenwich (east negative).\n"
           "\n"
           "With --places, prints the places matching QUERY, best first, one per line with tab-separated\n"
           "fields: 1 when the name is the query else 0, name, region, country, latitude (degrees north),\n"
           "longitude (degrees east), time-zone name, population.\n"
           "\n"
           "Place data from GeoNames (geonames.org), CC BY 4.0.\n";
}

AtlasArguments ParseAtlasArguments(const QStringList& args) {
    AtlasArguments parsed;
    QStringList words;
    auto fail = [&](const QString& message) {
        if (parsed.error.isEmpty()) parsed.error = message;
    };
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            parsed.help = true;
        } else if (arg == QLatin1String("--version")) {
            parsed.version = true;
        } else if (arg == QLatin1String("--list")) {
            parsed.list = true;
        } else if (arg == QLatin1String("--places")) {
            parsed.places = true;
        } else if (arg == QLatin1String("--out")) {
            if (i + 1 >= args.size() || args[i + 1].isEmpty()) {
                fail(QStringLiteral("--out needs a folder"));
                ++i;
                continue;
            }
            parsed.outDir = args[++i];
        } else if (arg == QLatin1String("--date") || arg == QLatin1String("--time")) {
            if (i + 1 >= args.size()) {
                fail(QStringLiteral("%1 needs a value").arg(arg));
                continue;
            }
            const QString value = args[++i];
            if (arg == QLatin1String("--date")) {
                parsed.date = QDate::fromString(value, QStringLiteral("yyyy-MM-dd"));
                if (!parsed.date.isValid()) fail(QStringLiteral("'%1' is not a date YYYY-MM-DD").arg(value));
            } else {
                parsed.time = QTime::fromString(value, QStringLiteral("HH:mm"));
                if (!parsed.time.isValid()) fail(QStringLiteral("'%1' is not a time HH:MM").arg(value));
            }
        } else if (arg.startsWith(QLatin1String("--"))) {
            fail(QStringLiteral("unknown option '%1'").arg(arg));
        } else {
            words.append(arg);
        }
    }
    parsed.query = words.join(QLatin1Char(' '));
    if (!words.isEmpty() && !parsed.list && !parsed.places) fail(QStringLiteral("unexpected argument '%1'").arg(words.front()));
    return parsed;
}

int RunAtlasList(const PlaceIndex& places, const AtlasArguments& args, QTextStream& out, QTextStream& err) {
    if (args.query.trimmed().isEmpty()) {
        err << "ATLAS.EXE --list: give the name of a place to look up\n";
        return 2;
    }
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = args.date.isValid() ? args.date : now.date();
    const QTime time = args.time.isValid() ? args.time : QTime(now.time().hour(), now.time().minute());

    const SearchResult found = places.Search(args.query, ListedMatches);
    if (found.places.empty()) {
        out << "No place matches \"" << args.query << "\".\n";
        return 0;
    }
    out << "Places matching \"" << args.query << "\" at " << date.toString(QStringLiteral("yyyy-MM-dd")) << ' '
        << time.toString(QStringLiteral("HH:mm")) << " local time (zone in hours west of Greenwich):\n";
    for (const Place* place : found.places) {
        const ZoneAtLocalTime zone =
            OffsetInForce(QString::fromStdString(place->zoneId), place->longitude, date, time);
        out << QString::fromStdString(place->name) << " | " << QString::fromStdString(place->region) << " | "
            << QString::fromStdString(place->country) << " | "
            << QString::fromStdString(LatitudeCode(place->latitude)) << ' '
            << QString::fromStdString(LongitudeCode(place->longitude)) << " | "
            << QString::fromStdString(place->zoneId) << " | " << DescribeZoneAtLocalTime(zone, time) << '\n';
    }
    if (found.total > found.places.size()) {
        out << "... and " << (found.total - found.places.size())
            << " more; type more of the name, or add the region or country.\n";
    }
    return 0;
}

int RunAtlasPlaces(const PlaceIndex& places, const AtlasArguments& args, QTextStream& out, QTextStream& err) {
    if (args.query.trimmed().isEmpty()) {
        err << "ATLAS.EXE --places: give the name of a place to look up\n";
        return 2;
    }
    const SearchResult found = places.Search(args.query, ListedMatches);
    for (std::size_t i = 0; i < found.places.size(); ++i) {
        const Place& place = *found.places[i];
        AtlasPlaceRow row;
        row.exactName = i < found.exactNames;
        row.name = place.name;
        row.region = place.region;
        row.country = place.country;
        row.latitude = place.latitude;
        row.longitude = place.longitude;
        row.zoneId = place.zoneId;
        row.population = place.population;
        out << QString::fromStdString(AtlasPlaceRowText(row)) << '\n';
    }
    return 0;
}

}  // namespace orrerion::atlas
