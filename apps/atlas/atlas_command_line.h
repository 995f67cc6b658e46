#pragma once
// The atlas program's arguments and its console mode, which prints the matches of a query with
// their coordinates and the offset in force (the road `orrerion-cli atlas` takes).
#include <QDate>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <QTime>

#include "place_search.h"

namespace orrerion::atlas {

struct AtlasArguments {
    bool help = false;
    bool version = false;  // --version: print the program's name and version
    bool list = false;     // --list: print the matches instead of opening the window
    bool places = false;   // --places: print the matches as rows for orrerion-cli (AtlasPlaceRow)
    QString query;         // the words after --list, joined by blanks
    QDate date;            // --date YYYY-MM-DD; invalid when not given
    QTime time;            // --time HH:MM (24-hour local time); invalid when not given
    QString outDir;        // --out DIR: where the window writes its result; empty: the program's folder
    QString error;         // what was wrong with the arguments; empty when they were understood
};

// Reads `ATLAS.EXE [--date YYYY-MM-DD] [--time HH:MM] [--out DIR]` and
// `ATLAS.EXE --list QUERY... [--date YYYY-MM-DD] [--time HH:MM]` and `ATLAS.EXE --places QUERY...`
// (arguments after the program name).
AtlasArguments ParseAtlasArguments(const QStringList& args);

const char* AtlasUsageText();

// The most matches the console mode prints.
inline constexpr std::size_t ListedMatches = 25;

// Prints the matches of args.query at args.date and args.time (the present date and time of this
// computer's clock for what is not given). Returns the exit status: 0 (also when nothing
// matched), 2 when the query is empty.
int RunAtlasList(const PlaceIndex& places, const AtlasArguments& args, QTextStream& out, QTextStream& err);

// Prints the matches of args.query, best first, one AtlasPlaceRow line each (core/records/
// atlas_exchange.h), nothing when none matched: what orrerion-cli's --place reads. Returns 0, or
// 2 when the query is empty.
int RunAtlasPlaces(const PlaceIndex& places, const AtlasArguments& args, QTextStream& out, QTextStream& err);

}  // namespace orrerion::atlas
