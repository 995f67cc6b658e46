#include "core/aspects/scan_result.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace orrerion {

PlaceCode MakePlaceCode(const SplitResult& longitude, char house0, char house1) {
    const auto position = static_cast<PlaceCode>((longitude.SignNumber - 1) * 1800 +
                                                 longitude.SignDegree * 60 + longitude.ArcMinute);
    return position | static_cast<PlaceCode>(static_cast<unsigned char>(house0)) << 15 |
           static_cast<PlaceCode>(static_cast<unsigned char>(house1)) << 23;
}

SplitResult PlaceLongitude(PlaceCode place) {
    const int position = static_cast<int>(place & 0x7FFF);
    return {position / 1800 + 1, position % 1800 / 60, position % 60};
}

std::string PlacePositionText(PlaceCode place) {
    std::array<char, LongitudeCompactSize> text{};
    PutLongitudeCompact(text, PlaceLongitude(place));
    return std::string(text.data(), text.size());
}

void PutPlaceWithHouse(std::span<char, PlaceWithHouseSize> out, PlaceCode place) {
    PutLongitudeCompact(out.subspan<0, LongitudeCompactSize>(), PlaceLongitude(place));
    out[7] = '(';
    out[8] = PlaceHouse0(place);
    out[9] = PlaceHouse1(place);
    out[10] = ')';
}

std::span<const ScanRun> ScanResult::Runs(AspectFamily family) const {
    const std::size_t f = FamilyIndex(family);
    return std::span<const ScanRun>(runs).subspan(familyStart[f], familyStart[f + 1] - familyStart[f]);
}

std::span<const DayRange> ScanResult::SmallestOrbDays(const ScanRun& run) const {
    return std::span<const DayRange>(smallestOrbDays)
        .subspan(run.smallestOrbRangeAt, run.smallestOrbRangeCount);
}

std::vector<std::size_t> OrderByFirstDay(const std::vector<int>& firstDays, int scanDays) {
    // A counting sort by day: stable, and linear in lines plus days.
    std::vector<std::size_t> start(static_cast<std::size_t>(scanDays) + 1, 0);
    for (const int day : firstDays) {
        if (day >= 0 && day < scanDays) ++start[static_cast<std::size_t>(day) + 1];
    }
    for (std::size_t d = 1; d < start.size(); ++d) start[d] += start[d - 1];
    std::vector<std::size_t> order(start.back());
    for (std::size_t i = 0; i < firstDays.size(); ++i) {
        const int day = firstDays[i];
        if (day >= 0 && day < scanDays) order[start[static_cast<std::size_t>(day)]++] = i;
    }
    return order;
}

std::vector<std::uint32_t> ScanResult::RunsByDate(AspectFamily family) const {
    const std::span<const ScanRun> familyRuns = Runs(family);
    std::vector<int> firstDays;
    firstDays.reserve(familyRuns.size());
    for (const ScanRun& run : familyRuns) firstDays.push_back(run.firstDay);
    const std::uint32_t offset = familyStart[FamilyIndex(family)];
    std::vector<std::uint32_t> order;
    order.reserve(familyRuns.size());
    for (const std::size_t i : OrderByFirstDay(firstDays, ScanDays)) {
        order.push_back(offset + static_cast<std::uint32_t>(i));
    }
    return order;
}

ScanResult WithoutExtraPoints(const ScanResult& result) {
    ScanResult kept;
    kept.DiurnalJD = result.DiurnalJD;
    kept.ScanDays = result.ScanDays;
    kept.smallestOrbDays = result.smallestOrbDays;
    std::copy_n(result.natal.begin(), BodyCount, kept.natal.begin());
    // Where each kept run went; the runs stay in their order, so the families' ranges follow.
    std::vector<std::uint32_t> keptAt(result.runs.size(), UINT32_MAX);
    std::size_t f = 0;
    for (std::uint32_t i = 0; i < result.runs.size(); ++i) {
        while (f < FamilyCount && i >= result.familyStart[f + 1]) kept.familyStart[++f] = static_cast<std::uint32_t>(kept.runs.size());
        if (HasExtraPoint(result.runs[i])) continue;
        keptAt[i] = static_cast<std::uint32_t>(kept.runs.size());
        kept.runs.push_back(result.runs[i]);
    }
    while (f < FamilyCount) kept.familyStart[++f] = static_cast<std::uint32_t>(kept.runs.size());
    for (const ExactDate& exact : result.exactDates) {
        if (exact.run < keptAt.size() && keptAt[exact.run] != UINT32_MAX) {
            ExactDate moved = exact;
            moved.run = keptAt[exact.run];
            kept.exactDates.push_back(moved);
        }
    }
    return kept;
}

std::size_t ScanResult::ByteCount() const {
    return sizeof(ScanResult) + runs.capacity() * sizeof(ScanRun) +
           smallestOrbDays.capacity() * sizeof(DayRange) + exactDates.capacity() * sizeof(ExactDate);
}

}  // namespace orrerion
