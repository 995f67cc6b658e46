#include "zone_offset.h"

#include <QDateTime>
#include <QTimeZone>
#include <cmath>
#include <limits>

#include "core/records/atlas_exchange.h"

namespace orrerion::atlas {
namespace {

constexpr qint64 MsPerSecond = 1000;
constexpr qint64 MsPerDay = 86400 * MsPerSecond;

// A stretch of time with one offset, in UT milliseconds since 1970: [startMs, endMs).
struct Period {
    qint64 startMs;
    qint64 endMs;
    OffsetChoice choice;
};

OffsetChoice ChoiceFrom(const QTimeZone::OffsetData& data) {
    OffsetChoice choice;
    choice.offsetSeconds = data.offsetFromUtc;
    choice.zoneHoursWest = -data.offsetFromUtc / 3600.0;
    choice.abbreviation = data.abbreviation;
    choice.daylight = data.daylightTimeOffset != 0;
    return choice;
}

OffsetChoice LocalMeanTimeChoice(double longitudeEast) {
    OffsetChoice choice;
    choice.offsetSeconds = LocalMeanTimeSeconds(longitudeEast);
    choice.zoneHoursWest = -choice.offsetSeconds / 3600.0;
    choice.abbreviation = QStringLiteral("LMT");
    choice.localMeanTime = true;
    return choice;
}

QDateTime UtcFromMs(qint64 ms) { return QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC); }

// The periods of the zone that cover two days either side of the wall-clock time: no offset is
// more than a day from UT, so every reading of the wall clock falls inside them.
std::vector<Period> PeriodsAround(const QTimeZone& zone, qint64 wallMs, double longitudeEast) {
    const qint64 fromMs = wallMs - 2 * MsPerDay;
    const qint64 toMs = wallMs + 2 * MsPerDay;
    qint64 firstChangeMs = std::numeric_limits<qint64>::min();
    if (zone.hasTransitions()) {
        const QTimeZone::OffsetData first = zone.nextTransition(QDateTime(QDate(1000, 1, 1), QTime(0, 0), Qt::UTC));
        if (first.atUtc.isValid()) firstChangeMs = first.atUtc.toMSecsSinceEpoch();
    }
    const bool beforeStandardTime = fromMs < firstChangeMs;

    std::vector<Period> periods;
    Period current{std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max(),
                   beforeStandardTime ? LocalMeanTimeChoice(longitudeEast) : ChoiceFrom(zone.offsetData(UtcFromMs(fromMs)))};
    if (zone.hasTransitions()) {
        for (const QTimeZone::OffsetData& change : zone.transitions(UtcFromMs(fromMs), UtcFromMs(toMs))) {
            const qint64 atMs = change.atUtc.toMSecsSinceEpoch();
            if (atMs <= current.startMs) continue;
            current.endMs = atMs;
            periods.push_back(current);
            current = Period{atMs, std::numeric_limits<qint64>::max(), ChoiceFrom(change)};
        }
    }
    periods.push_back(current);
    return periods;
}

}  // namespace

int LocalMeanTimeSeconds(double longitudeEast) {
    // Four minutes of time per degree, to the whole minute.
    return static_cast<int>(std::lround(longitudeEast * 4)) * 60;
}

ZoneAtLocalTime OffsetInForce(const QString& zoneId, double longitudeEast, QDate date, QTime time) {
    ZoneAtLocalTime result;
    result.zoneId = zoneId;
    const QTimeZone zone(zoneId.toUtf8());
    if (!zone.isValid() || !date.isValid() || !time.isValid()) return result;

    // The wall-clock reading counted as if it were UT; subtracting an offset gives the UT instant.
    const qint64 wallMs = QDateTime(date, time, Qt::UTC).toMSecsSinceEpoch();
    const std::vector<Period> periods = PeriodsAround(zone, wallMs, longitudeEast);

    for (const Period& p : periods) {
        const qint64 utcMs = wallMs - p.choice.offsetSeconds * MsPerSecond;
        if (utcMs >= p.startMs && utcMs < p.endMs) result.choices.push_back(p.choice);
    }
    if (result.choices.size() == 1) {
        result.kind = LocalTimeKind::Single;
    } else if (result.choices.size() >= 2) {
        result.kind = LocalTimeKind::Repeated;  // first occurrence first
    } else {
        // Skipped: the change whose earlier offset puts the reading after it and whose later
        // offset puts it before it.
        for (std::size_t i = 0; i + 1 < periods.size(); ++i) {
            const qint64 changeMs = periods[i].endMs;
            if (wallMs - periods[i].choice.offsetSeconds * MsPerSecond >= changeMs &&
                wallMs - periods[i + 1].choice.offsetSeconds * MsPerSecond < changeMs) {
                result.choices = {periods[i].choice, periods[i + 1].choice};
                break;
            }
        }
        result.kind = result.choices.empty() ? LocalTimeKind::UnknownZone : LocalTimeKind::Skipped;
    }
    return result;
}

QString UtcOffsetText(int offsetSeconds) {
    const int magnitude = std::abs(offsetSeconds);
    QString text = QStringLiteral("UTC%1%2:%3")
                       .arg(offsetSeconds < 0 ? QLatin1Char('-') : QLatin1Char('+'))
                       .arg(magnitude / 3600, 2, 10, QLatin1Char('0'))
                       .arg(magnitude / 60 % 60, 2, 10, QLatin1Char('0'));
    if (magnitude % 60 != 0) text += QStringLiteral(":%1").arg(magnitude % 60, 2, 10, QLatin1Char('0'));
    return text;
}

QString ChoiceText(const OffsetChoice& choice) {
    const QString zone = QString::fromStdString(ZoneNumberText(choice.zoneHoursWest));
    if (choice.localMeanTime) {
        return QStringLiteral("zone %1 (local mean time, longitude / 15, %2)").arg(zone, UtcOffsetText(choice.offsetSeconds));
    }
    return QStringLiteral("zone %1 (%2, %3, %4)")
        .arg(zone, choice.abbreviation, UtcOffsetText(choice.offsetSeconds),
             choice.daylight ? QStringLiteral("daylight saving time") : QStringLiteral("standard time"));
}

}  // namespace orrerion::atlas
