#include "atlas_result.h"

#include "core/records/atlas_exchange.h"

namespace orrerion::atlas {

QString PlaceTitle(const Place& place) {
    QStringList parts{QString::fromStdString(place.name)};
    if (!place.region.empty() && place.region != place.name) parts.append(QString::fromStdString(place.region));
    if (!place.country.empty()) parts.append(QString::fromStdString(place.country));
    return parts.join(QStringLiteral(", "));
}

WriteResult WriteAtlasResult(const std::filesystem::path& folder, const Place& place,
                             const OffsetChoice& choice) {
    std::string note = place.zoneId + " ";
    note += choice.localMeanTime ? "local mean time (longitude / 15)"
                                 : choice.abbreviation.toStdString() +
                                       (choice.daylight ? " daylight saving time" : " standard time");
    const std::string placeText = AtlasPlaceFileText(PlaceTitle(place).toStdString(), place.latitude,
                                                     place.longitude, note, choice.zoneHoursWest);
    // The place first: the path file must never name a folder whose result is not written yet.
    WriteResult written = ReplaceFile(folder / AtlasPlaceFileName, placeText);
    if (!written.ok) return written;
    std::string dir = folder.string();
    if (dir.empty() || dir.back() != '/') dir += '/';
    return ReplaceFile(folder / AtlasPathFileName, AtlasPathFileText(dir));
}

QString DescribeZoneAtLocalTime(const ZoneAtLocalTime& zone, QTime time) {
    const QString clock = time.toString(QStringLiteral("HH:mm"));
    switch (zone.kind) {
    case LocalTimeKind::UnknownZone:
        return QStringLiteral("The time-zone database has no zone \"%1\".").arg(zone.zoneId);
    case LocalTimeKind::Skipped:
        return QStringLiteral("%1 does not exist here: the clocks jumped over it. Either %2 or %3.")
            .arg(clock, ChoiceText(zone.choices[0]), ChoiceText(zone.choices[1]));
    case LocalTimeKind::Repeated:
        return QStringLiteral("%1 occurs twice here: the clocks went back over it. First %2, then %3.")
            .arg(clock, ChoiceText(zone.choices[0]), ChoiceText(zone.choices[1]));
    case LocalTimeKind::Single:
        break;
    }
    const OffsetChoice& only = zone.choices.front();
    if (only.localMeanTime) {
        return ChoiceText(only) +
               QStringLiteral(": before standard time here, the place's own local mean time.");
    }
    return ChoiceText(only);
}

}  // namespace orrerion::atlas
