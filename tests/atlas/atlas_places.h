#pragma once
// The library's places, loaded once for all tests of this program.
#include <QString>
#include <ostream>

#include "place_search.h"

// Failed comparisons of texts print the text.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace orrerion::atlas::testing {

const PlaceIndex& GeonamesIndex();

// The first match of a query that lies in `region`; fails the test when there is none.
const Place* FindPlace(const char* query, const char* region);

}  // namespace orrerion::atlas::testing
