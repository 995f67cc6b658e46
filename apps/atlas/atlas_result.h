#pragma once
// What "Use this place" leaves for the input windows, and how a place and its offset read.
#include <QString>
#include <filesystem>

#include "core/io/file_replace.h"
#include "geonames_places.h"
#include "zone_offset.h"

namespace orrerion::atlas {

// "Boston, Massachusetts, United States of America"; a region that repeats the name is left out.
QString PlaceTitle(const Place& place);

// Writes TSRTEMP.TXT and then PCATPATH.TXT (naming `folder` with a final separator) into `folder`:
// the place's latitude and longitude codes and the chosen zone. Each file is replaced whole.
WriteResult WriteAtlasResult(const std::filesystem::path& folder, const Place& place,
                             const OffsetChoice& choice);

// What the offset at a local time means, in one sentence for the window and the list:
// "zone 4 (EDT, UTC-04:00, daylight saving time)", or both readings at a clock change, or the
// local mean time with its reason.
QString DescribeZoneAtLocalTime(const ZoneAtLocalTime& zone, QTime time);

}  // namespace orrerion::atlas
