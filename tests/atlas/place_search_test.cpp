// Finding places: folding of accents and case, the order of matches, and the library's data.
#include <gtest/gtest.h>

#include "atlas_places.h"
#include "place_search.h"

namespace orrerion::atlas {
namespace {

Place MakePlace(const char* name, const char* region, const char* country, const char* code, unsigned population) {
    Place p;
    p.name = name;
    p.region = region;
    p.country = country;
    p.countryCode = code;
    p.zoneId = "Etc/UTC";
    p.population = population;
    return p;
}

std::vector<std::string> Names(const SearchResult& r) {
    std::vector<std::string> names;
    for (const Place* p : r.places) names.push_back(p->name + "/" + p->region);
    return names;
}

TEST(FoldForSearch, DropsAccentsAndCaseAndSpellsOutLettersWithoutMarks) {
    struct Case { const char* text; const char* folded; };
    const Case cases[] = {
        {"São Paulo", "sao paulo"},    {"ZÜRICH", "zurich"},  {"Straße", "strasse"},
        {"Łódź", "lodz"},              {"Ærøskøbing", "aeroskobing"}, {"Đà Nẵng", "da nang"},
        {"Þórshöfn", "thorshofn"},     {"İzmir", "izmir"},    {"Reykjavík", "reykjavik"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FoldForSearch(QString::fromUtf8(c.text)).toStdString(), c.folded) << c.text;
    }
    EXPECT_EQ(SearchWords(QStringLiteral("Saint-Étienne, d'Arc  (x)")),
              (QStringList{"saint", "etienne", "d", "arc", "x"}));
}

TEST(PlaceIndex, RanksExactNamesThenPrefixesThenWordsThenRegionOrCountry) {
    const PlaceIndex index({
        MakePlace("Springfield Gardens", "New York", "United States", "US", 900000),
        MakePlace("Springfield", "Illinois", "United States", "US", 100000),
        MakePlace("West Springfield", "Massachusetts", "United States", "US", 800000),
        MakePlace("Springfield", "Missouri", "United States", "US", 150000),
        MakePlace("Holyoke", "Springfield County", "United States", "US", 950000),
        MakePlace("Sprangfeld", "Bern", "Switzerland", "CH", 990000),
    });
    EXPECT_EQ(Names(index.Search(QStringLiteral("springfield"), 10)),
              (std::vector<std::string>{"Springfield/Missouri", "Springfield/Illinois",
                                        "Springfield Gardens/New York", "West Springfield/Massachusetts",
                                        "Holyoke/Springfield County"}));
    // Every word must begin a word of the name, region or country, or be the country code.
    EXPECT_EQ(Names(index.Search(QStringLiteral("springfield ill"), 10)),
              (std::vector<std::string>{"Springfield/Illinois"}));
    EXPECT_EQ(Names(index.Search(QStringLiteral("spr ch"), 10)), (std::vector<std::string>{"Sprangfeld/Bern"}));
    EXPECT_EQ(Names(index.Search(QStringLiteral("switz"), 10)), (std::vector<std::string>{"Sprangfeld/Bern"}));
    EXPECT_TRUE(index.Search(QStringLiteral("pringfield"), 10).places.empty()) << "words match from their start";
    EXPECT_TRUE(index.Search(QStringLiteral("  ,  "), 10).places.empty());

    const SearchResult two = index.Search(QStringLiteral("spr"), 2);
    EXPECT_EQ(two.places.size(), 2u);
    EXPECT_EQ(two.total, 6u);
    EXPECT_EQ(Names(two), (std::vector<std::string>{"Sprangfeld/Bern", "Springfield Gardens/New York"}));
}

TEST(GeonamesPlaces, HoldTheLargerTownsOfTheWorldWithRegionCountryAndZone) {
    const PlaceIndex& index = testing::GeonamesIndex();
    EXPECT_GT(index.size(), 20000u);

    const SearchResult boston = index.Search(QStringLiteral("Boston"), 10);
    ASSERT_GE(boston.places.size(), 2u);
    const Place& first = *boston.places[0];
    EXPECT_EQ(first.region, "Massachusetts");
    EXPECT_EQ(first.country, "United States of America");
    EXPECT_EQ(first.zoneId, "America/New_York");
    EXPECT_NEAR(first.latitude, 42.358, 0.01);
    EXPECT_NEAR(first.longitude, -71.060, 0.01);
    EXPECT_EQ(boston.places[1]->region, "England");

    EXPECT_EQ(Names(index.Search(QStringLiteral("boston england"), 10)),
              (std::vector<std::string>{"Boston/England"}));
}

TEST(GeonamesPlaces, AccentsAreIgnoredInTheQueryAndInTheNames) {
    const PlaceIndex& index = testing::GeonamesIndex();
    struct Case { const char* query; const char* name; const char* zone; };
    const Case cases[] = {
        {"zürich", "Zurich", "Europe/Zurich"},
        {"sao paulo", "São Paulo", "America/Sao_Paulo"},
        {"SÃO PAULO", "São Paulo", "America/Sao_Paulo"},
        {"reykjavík", "Reykjavik", "Atlantic/Reykjavik"},
        {"bogota", "Bogotá", "America/Bogota"},
    };
    for (const Case& c : cases) {
        const SearchResult r = index.Search(QString::fromUtf8(c.query), 5);
        ASSERT_FALSE(r.places.empty()) << c.query;
        EXPECT_EQ(r.places[0]->name, c.name) << c.query;
        EXPECT_EQ(r.places[0]->zoneId, c.zone) << c.query;
    }
}

TEST(GeonamesPlaces, TheFirstLettersAlreadyFindTheLargestPlace) {
    const PlaceIndex& index = testing::GeonamesIndex();
    const SearchResult r = index.Search(QStringLiteral("bos"), 5);
    ASSERT_FALSE(r.places.empty());
    EXPECT_EQ(r.places[0]->name, "Boston");
    EXPECT_GT(r.total, 5u);
}

}  // namespace
}  // namespace orrerion::atlas
