#pragma once
// Finding places as the person types: every word of the query must begin a word of the place's
// name, region or country (or be its two-letter country code), with accents and case ignored.
#include <QString>
#include <QStringList>
#include <vector>

#include "geonames_places.h"

namespace orrerion::atlas {

// The text as the search compares it: letters without accents, case folded, and the letters that
// have no decomposition spelled out ("ß" -> "ss", "ø" -> "o", "æ" -> "ae", "ł" -> "l").
QString FoldForSearch(const QString& text);

// The folded words of a text, split at anything that is not a letter or digit.
QStringList SearchWords(const QString& text);

struct SearchResult {
    std::vector<const Place*> places;  // best first, at most the limit asked for
    std::size_t total = 0;             // how many places matched in all
    std::size_t exactNames = 0;        // how many of `places`, the first ones, have the query as their whole name
};

class PlaceIndex {
public:
    explicit PlaceIndex(std::vector<Place> places);

    // The places matching the query, best first: the name equal to the query, then names that
    // begin with it, then names holding all its words, then matches that need the region or the
    // country; within each rank the larger place first. At most `limit` places.
    SearchResult Search(const QString& query, std::size_t limit) const;

    std::size_t size() const { return entries_.size(); }

private:
    struct Entry {
        Place place;
        QString foldedName;        // the name's words joined by single blanks
        QStringList nameWords;
        QStringList otherWords;    // region and country words
        QString countryCode;       // lower case
    };
    std::vector<Entry> entries_;
};

}  // namespace orrerion::atlas
