#include "place_search.h"

#include <algorithm>

namespace orrerion::atlas {
namespace {

// Letters that Unicode does not decompose into a base letter and a mark.
QString SpelledOut(QChar c) {
    switch (c.unicode()) {
    case 0x00DF: return QStringLiteral("ss");  // ß
    case 0x00E6: return QStringLiteral("ae");  // æ
    case 0x0153: return QStringLiteral("oe");  // œ
    case 0x00F8: return QStringLiteral("o");   // ø
    case 0x0142: return QStringLiteral("l");   // ł
    case 0x0111: return QStringLiteral("d");   // đ
    case 0x00F0: return QStringLiteral("d");   // ð
    case 0x00FE: return QStringLiteral("th");  // þ
    case 0x0131: return QStringLiteral("i");   // dotless i
    case 0x0127: return QStringLiteral("h");   // ħ
    default: return QString(c);
    }
}

bool BeginsAWord(const QString& token, const QStringList& words) {
    return std::any_of(words.begin(), words.end(), [&](const QString& w) { return w.startsWith(token); });
}

}  // namespace

QString FoldForSearch(const QString& text) {
    const QString decomposed = text.normalized(QString::NormalizationForm_KD).toCaseFolded();
    QString folded;
    folded.reserve(decomposed.size());
    for (QChar c : decomposed) {
        const QChar::Category category = c.category();
        if (category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining ||
            category == QChar::Mark_Enclosing) {
            continue;
        }
        folded += SpelledOut(c);
    }
    return folded;
}

QStringList SearchWords(const QString& text) {
    QStringList words;
    QString word;
    for (QChar c : FoldForSearch(text)) {
        if (c.isLetterOrNumber()) {
            word += c;
        } else if (!word.isEmpty()) {
            words.append(word);
            word.clear();
        }
    }
    if (!word.isEmpty()) words.append(word);
    return words;
}

PlaceIndex::PlaceIndex(std::vector<Place> places) {
    entries_.reserve(places.size());
    for (Place& place : places) {
        Entry entry;
        entry.nameWords = SearchWords(QString::fromStdString(place.name));
        entry.foldedName = entry.nameWords.join(QLatin1Char(' '));
        entry.otherWords = SearchWords(QString::fromStdString(place.region));
        entry.otherWords += SearchWords(QString::fromStdString(place.country));
        entry.countryCode = QString::fromStdString(place.countryCode).toLower();
        entry.place = std::move(place);
        entries_.push_back(std::move(entry));
    }
}

SearchResult PlaceIndex::Search(const QString& query, std::size_t limit) const {
    const QStringList tokens = SearchWords(query);
    if (tokens.isEmpty()) return {};
    const QString joined = tokens.join(QLatin1Char(' '));

    struct Hit {
        int rank;
        const Place* place;
    };
    std::vector<Hit> hits;
    for (const Entry& e : entries_) {
        bool allInName = true;
        bool anyInName = false;
        bool all = true;
        for (const QString& token : tokens) {
            const bool inName = BeginsAWord(token, e.nameWords);
            allInName = allInName && inName;
            anyInName = anyInName || inName;
            if (!inName && !BeginsAWord(token, e.otherWords) && token != e.countryCode) {
                all = false;
                break;
            }
        }
        if (!all) continue;
        int rank = 4;
        if (e.foldedName == joined) rank = 0;
        else if (e.foldedName.startsWith(joined)) rank = 1;
        else if (allInName) rank = 2;
        else if (anyInName) rank = 3;
        hits.push_back({rank, &e.place});
    }
    const std::size_t kept = std::min(limit, hits.size());
    std::partial_sort(hits.begin(), hits.begin() + static_cast<std::ptrdiff_t>(kept), hits.end(),
                      [](const Hit& a, const Hit& b) {
                          if (a.rank != b.rank) return a.rank < b.rank;
                          if (a.place->population != b.place->population) {
                              return a.place->population > b.place->population;
                          }
                          return a.place->name < b.place->name;
                      });
    SearchResult result;
    result.total = hits.size();
    result.places.reserve(kept);
    for (std::size_t i = 0; i < kept; ++i) {
        result.places.push_back(hits[i].place);
        if (hits[i].rank == 0) ++result.exactNames;
    }
    return result;
}

}  // namespace orrerion::atlas
