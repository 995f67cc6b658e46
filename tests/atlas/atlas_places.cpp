#include "atlas_places.h"

#include <gtest/gtest.h>

namespace orrerion::atlas::testing {

const PlaceIndex& GeonamesIndex() {
    static const PlaceIndex index(LoadGeonamesPlaces());
    return index;
}

const Place* FindPlace(const char* query, const char* region) {
    for (const Place* place : GeonamesIndex().Search(QString::fromUtf8(query), 50).places) {
        if (place->region == region) return place;
    }
    ADD_FAILURE() << "no place \"" << query << "\" in " << region;
    return nullptr;
}

}  // namespace orrerion::atlas::testing
