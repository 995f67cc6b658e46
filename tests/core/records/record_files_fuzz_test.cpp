// Randomised damage for the names, cities and time zone readers and for saving a names record.
// Fixed seeds, so every run meets the same inputs: files generated whole (whose records must come
// back exactly, however the fields are spread over lines), the same files and the shipped files
// mutated (bytes flipped, inserted, deleted, duplicated, cut short, line ends changed, overlong
// lines, byte order marks), and runs of random bytes. Each reader must return, never crash or hang,
// and hand back only fields that could be in a record.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <random>

#include "core/chart/input_rules.h"
#include "core/io/number_text.h"
#include "core/io/text_encoding.h"
#include "core/records/cities_file.h"
#include "core/records/names_file.h"
#include "core/records/tz_table.h"
#include "test_paths.h"

namespace orrerion {
namespace {

namespace fs = std::filesystem;
using Rng = std::mt19937_64;

constexpr int InputsPerReader = 25000;
constexpr int SavesToRun = 1500;

int Pick(Rng& rng, int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }
bool Chance(Rng& rng, int percent) { return Pick(rng, 100) < percent; }

// A field that may stand in a record; with `quoted` it may hold commas and blanks at its edges.
std::string RandomField(Rng& rng, bool quoted, std::size_t maxChars) {
    static const char* const pieces[] = {"a", "Z", "7", "0", ".", "-", "x", "Jo", "\xC3\xA9",
                                         "\xC3\xB8", "\xE2\x82\xAC", "'", "S", "E", " "};
    std::string field;
    const std::size_t n = static_cast<std::size_t>(Pick(rng, static_cast<int>(maxChars) + 1));
    for (std::size_t k = 0; k < n; ++k) {
        const std::string piece = quoted && Chance(rng, 10) ? "," : pieces[Pick(rng, std::size(pieces))];
        if (CharacterCount(field + piece) > maxChars) break;
        field += piece;
    }
    if (!quoted) {  // an unquoted field loses its edge blanks
        const std::size_t first = field.find_first_not_of(' ');
        const std::size_t last = field.find_last_not_of(' ');
        field = first == std::string::npos ? "" : field.substr(first, last - first + 1);
    }
    return field;
}

struct Generated {
    std::string text;
    std::vector<std::vector<std::string>> records;  // what a reader must return
};

// Whole records, written with random blanks, quotes and line breaks between any two fields.
// Field 0 is never empty, except in a final record that ends the table.
Generated GenerateFile(Rng& rng, std::size_t fieldCount, std::size_t nameLimit, std::size_t abbrevLimit) {
    Generated g;
    const int count = Pick(rng, 12);
    for (int r = 0; r < count; ++r) {
        std::vector<std::string> fields;
        for (std::size_t k = 0; k < fieldCount; ++k) {
            const bool quoted = Chance(rng, 25);
            const std::size_t limit = k == 0 ? nameLimit : (k == 1 ? abbrevLimit : 12);
            std::string f;
            do {
                f = RandomField(rng, quoted, limit);
            } while (k == 0 && f.empty());
            fields.push_back(f);
        }
        g.records.push_back(fields);
    }
    std::vector<std::vector<std::string>> written = g.records;
    if (Chance(rng, 15)) written.push_back(std::vector<std::string>(fieldCount, "tail"));
    if (written.size() > g.records.size()) written.back()[0] = "";  // ends the table
    bool first = true;
    for (const auto& record : written) {
        for (const std::string& f : record) {
            bool afterLineEnd = false;
            if (!first) {
                const int sep = Pick(rng, 10);
                g.text += sep < 6 ? "," : (sep < 8 ? "\r\n" : (sep < 9 ? "\n" : "\r"));
                afterLineEnd = sep >= 6;
            }
            first = false;
            if (Chance(rng, 10)) g.text += " ";
            // An empty field alone on its line is quoted: at the end of the file it would not be a
            // field, and after a lone CR a following LF would join the two into one line end.
            const bool needsQuotes = f.find(',') != std::string::npos || (afterLineEnd && f.empty()) ||
                                     (!f.empty() && (f.front() == ' ' || f.back() == ' '));
            g.text += needsQuotes || Chance(rng, 10) ? "\"" + f + "\"" : f;
            if (Chance(rng, 10)) g.text += "  ";
        }
    }
    if (Chance(rng, 70)) g.text += "\r\n";
    return g;
}

std::string Mutate(Rng& rng, std::string text) {
    static const char damageBytes[] = {',', '"', '\r', '\n', '\0', ' ', '\xE9', '\xC3', '\x81', 'A', '5'};
    const int steps = 1 + Pick(rng, 8);
    for (int s = 0; s < steps; ++s) {
        const std::size_t at = text.empty() ? 0 : rng() % (text.size() + 1);
        switch (Pick(rng, 9)) {
            case 0:
                if (at < text.size()) text[at] = static_cast<char>(rng());
                break;
            case 1: text.insert(at, 1, damageBytes[Pick(rng, sizeof damageBytes)]); break;
            case 2: text.erase(at, static_cast<std::size_t>(Pick(rng, 40))); break;
            case 3: text.insert(at, text.substr(at, static_cast<std::size_t>(Pick(rng, 200)))); break;
            case 4: text.resize(at); break;
            case 5: {  // CR LF to LF, or a lone CR
                const std::size_t crlf = text.find("\r\n", at);
                if (crlf != std::string::npos) text.erase(crlf + (Chance(rng, 50) ? 0 : 1), 1);
                break;
            }
            case 6:
                if (Chance(rng, 8)) text.insert(at, MaxRecordLineLength + 1, 'w');
                break;
            case 7:
                if (Chance(rng, 20)) text.insert(0, "\xEF\xBB\xBF");
                break;
            default: text.insert(at, "\",\""); break;
        }
    }
    return text;
}

// A folder for the fuzz files: in memory where the system has such a folder (tens of thousands of
// files are written), otherwise the test's temporary folder. Removed when the test ends.
class FuzzDir {
public:
    FuzzDir() {
        const fs::path temp = testing::MakeTempDir();
        std::error_code ec;
        if (fs::is_directory("/dev/shm", ec)) {
            path_ = fs::path("/dev/shm") / temp.filename();
            if (fs::create_directory(path_, ec) && !ec) {
                fs::remove_all(temp, ec);
                return;
            }
        }
        path_ = temp;
    }
    ~FuzzDir() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

// Each input goes into a new file: rewriting one file in place makes some file systems flush it
// to disk on every close, which costs more than the reading.
void WriteInput(const fs::path& file, const std::string& text) {
    fs::remove(file);
    testing::WriteWholeFile(file, text);
}

std::string RandomBytes(Rng& rng) {
    static const char alphabet[] = ",,,\"\r\n\n \0aZ09.-\xE9\xC3\xA9\xFF\x80";
    std::string text;
    const int n = Pick(rng, 2000);
    const bool anyByte = Chance(rng, 30);
    for (int k = 0; k < n; ++k) {
        text += anyByte ? static_cast<char>(rng()) : alphabet[Pick(rng, sizeof alphabet - 1)];
    }
    return text;
}

// How many fields the text could hold at most: one more than its separators.
std::size_t FieldBound(const std::string& text) {
    std::size_t n = 1;
    for (char c : text) n += c == ',' || c == '\n' || c == '\r';
    return n;
}

// A field as a line can hold it: no line end, no NUL, valid UTF-8, no longer than a line (a
// city entry joins two fields).
void ExpectCleanField(const std::string& field, const char* what, std::size_t joined = 1) {
    EXPECT_EQ(field.find_first_of(std::string("\r\n\0", 3)), std::string::npos) << what;
    EXPECT_TRUE(IsValidUtf8(field)) << what;
    EXPECT_LE(field.size(), joined * (MaxRecordLineLength + 1)) << what;
}

void ExpectProblemShape(const std::optional<RecordFileProblem>& p, const std::string& text,
                        std::string_view message) {
    if (!p) return;
    EXPECT_FALSE(p->cannotOpen);
    EXPECT_EQ(p->message.title, "Error!");
    EXPECT_EQ(p->message.icon, MessageIcon::Critical);
    EXPECT_EQ(p->message.text, message);
    EXPECT_GE(p->line, 1u);
    EXPECT_LE(p->line, FieldBound(text));
}

// The three kinds of input in turn, from one generator per reader.
class InputSource {
public:
    InputSource(std::uint64_t seed, std::string shipped, std::size_t fieldCount, std::size_t nameLimit,
                std::size_t abbrevLimit)
        : rng_(seed), shipped_(std::move(shipped)), fieldCount_(fieldCount), nameLimit_(nameLimit),
          abbrevLimit_(abbrevLimit) {}

    // The next input; `expected` is set when the input is a generated file left whole.
    std::string Next(std::optional<std::vector<std::vector<std::string>>>& expected) {
        expected.reset();
        const int kind = Pick(rng_, 10);
        if (kind < 3) {
            Generated g = GenerateFile(rng_, fieldCount_, nameLimit_, abbrevLimit_);
            expected = std::move(g.records);
            return g.text;
        }
        if (kind < 5) return Mutate(rng_, GenerateFile(rng_, fieldCount_, nameLimit_, abbrevLimit_).text);
        if (kind < 8) return Mutate(rng_, shipped_);
        if (kind < 9) return RandomBytes(rng_);
        return Pick(rng_, 4) == 0 ? std::string() : shipped_.substr(0, rng_() % (shipped_.size() + 1));
    }
    Rng& rng() { return rng_; }

private:
    Rng rng_;
    std::string shipped_;
    std::size_t fieldCount_, nameLimit_, abbrevLimit_;
};

// The input as a C string literal, cut short, for the failure trace.
std::string Printable(const std::string& text) {
    std::string out;
    for (std::size_t k = 0; k < text.size() && k < 600; ++k) {
        const auto c = static_cast<unsigned char>(text[k]);
        if (c == '\r') out += "\\r";
        else if (c == '\n') out += "\\n";
        else if (c < 0x20 || c >= 0x7F) { char hex[8]; std::snprintf(hex, sizeof hex, "\\x%02X", c); out += hex; }
        else out += static_cast<char>(c);
    }
    return out;
}

struct Timer {
    std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
    double Seconds() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
};

void Report(const char* reader, int inputs, int exact, const Timer& timer) {
    std::printf("[ fuzz     ] %s: %d inputs (%d of them whole generated files checked record for "
                "record) in %.2f s\n", reader, inputs, exact, timer.Seconds());
}

TEST(RecordFilesFuzz, NamesReader) {
    const FuzzDir dir;
    const fs::path file = dir.path() / "FUZZ.FIL";
    InputSource source(0x4E414D45, testing::ReadWholeFile(testing::DataDir() / DefaultNamesFileName), 7,
                       24, 12);
    Timer timer;
    int exact = 0;
    for (int i = 0; i < InputsPerReader && !HasFailure(); ++i) {
        std::optional<std::vector<std::vector<std::string>>> expected;
        const std::string text = source.Next(expected);
        WriteInput(file, text);
        const NameTable t = FillNamesList(file);
        SCOPED_TRACE("input " + std::to_string(i) + ": " + Printable(text));
        EXPECT_LE(t.records.size() * 7, FieldBound(text));
        ExpectProblemShape(t.problem, text, NamesFileErrorMessage);
        for (const NameRecord& r : t.records) {
            EXPECT_FALSE(r.Name.empty());
            for (const std::string* f : {&r.Name, &r.Date, &r.Time, &r.Meridiem, &r.Zone,
                                         &r.Longitude, &r.Latitude}) {
                ExpectCleanField(*f, "names field");
            }
            InputFields natal;
            const std::vector<Message> m = LoadNameRecord(r, Pick(source.rng(), 3), InputSection::Natal, natal);
            for (const Message& message : m) EXPECT_FALSE(message.text.empty());
        }
        if (expected) {
            ++exact;
            EXPECT_FALSE(t.problem.has_value()) << t.problem->detail;
            ASSERT_EQ(t.records.size(), expected->size());
            for (std::size_t k = 0; k < expected->size(); ++k) {
                const auto& e = (*expected)[k];
                EXPECT_EQ(NameRecordLine(t.records[k]),
                          NameRecordLine({e[0], e[1], e[2], e[3], e[4], e[5], e[6]}));
            }
        }
    }
    Report("names reader", InputsPerReader, exact, timer);
}

TEST(RecordFilesFuzz, CitiesReader) {
    const FuzzDir dir;
    const fs::path file = dir.path() / "FUZZ.LL";
    InputSource source(0x43495459, testing::ReadWholeFile(testing::DataDir() / DefaultCitiesFileName), 5,
                       24, 12);
    Timer timer;
    int exact = 0;
    for (int i = 0; i < InputsPerReader && !HasFailure(); ++i) {
        std::optional<std::vector<std::vector<std::string>>> expected;
        const std::string text = source.Next(expected);
        WriteInput(file, text);
        const CityTable t = FillCitiesList(file);
        SCOPED_TRACE("input " + std::to_string(i) + ": " + Printable(text));
        EXPECT_LE(t.records.size() * 5, FieldBound(text));
        ExpectProblemShape(t.problem, text, CitiesFileErrorMessage);
        for (const CityRecord& c : t.records) {
            EXPECT_NE(c.CityName.find(','), std::string::npos);
            EXPECT_GE(c.CityName.size(), 2u) << "an empty City ends the list";
            ExpectCleanField(c.CityName, "city entry", 2);
            for (const std::string* f : {&c.LongitudeCode, &c.LatitudeCode, &c.Zone}) {
                ExpectCleanField(*f, "cities field");
            }
            InputFields diurnal;
            const std::vector<Message> m = LoadCityRecord(c, diurnal);
            EXPECT_LE(m.size(), 1u);
            if (!m.empty()) {
                EXPECT_EQ(m[0].text, CityFormatErrorMessage);
            }
        }
        if (expected) {
            ++exact;
            EXPECT_FALSE(t.problem.has_value()) << t.problem->detail;
            ASSERT_EQ(t.records.size(), expected->size());
            for (std::size_t k = 0; k < expected->size(); ++k) {
                const auto& e = (*expected)[k];
                EXPECT_EQ(t.records[k].CityName, e[0] + "," + e[1]);
                EXPECT_EQ(t.records[k].LongitudeCode, e[2]);
                EXPECT_EQ(t.records[k].LatitudeCode, e[3]);
                EXPECT_EQ(t.records[k].Zone, e[4]);
            }
        }
    }
    Report("cities reader", InputsPerReader, exact, timer);
}

TEST(RecordFilesFuzz, TimeZoneReader) {
    const FuzzDir dir;
    const fs::path file = dir.path() / "TZ.DAT";
    InputSource source(0x545A4441, testing::ReadWholeFile(testing::DataDir() / TimeZoneFileName), 3,
                       ZoneNameLimit, ZoneAbbrevLimit);
    Timer timer;
    int exact = 0;
    for (int i = 0; i < InputsPerReader && !HasFailure(); ++i) {
        std::optional<std::vector<std::vector<std::string>>> expected;
        const std::string text = source.Next(expected);
        WriteInput(file, text);
        const TimeZoneTable t = LoadTimeZoneTable(file);
        SCOPED_TRACE("input " + std::to_string(i) + ": " + Printable(text));
        EXPECT_LE(t.records.size() * 3, FieldBound(text));
        if (t.problem) {
            EXPECT_EQ(t.problem->message.text, TimeZoneCorruptMessage);
            EXPECT_LE(t.problem->line, FieldBound(text));
        }
        for (std::size_t k = 0; k < t.records.size(); ++k) {
            const TimeZoneRecord& z = t.records[k];
            EXPECT_FALSE(z.ZoneName.empty());
            EXPECT_LE(CharacterCount(z.ZoneName), ZoneNameLimit);
            EXPECT_LE(CharacterCount(z.ZoneAbbrev), ZoneAbbrevLimit);
            for (const std::string* f : {&z.ZoneName, &z.ZoneAbbrev, &z.ZoneOffset}) {
                ExpectCleanField(*f, "zone field");
            }
            // A name without "-" and without a trailing blank is its own key and picks the first
            // record of that name; any other line picks nothing or the record its key names.
            // (The first records only: each pick searches the whole table.)
            if (k >= 16) continue;
            InputFields natal;
            const std::vector<Message> m = ApplyTimeZoneChoice(t, TimeZoneListLine(z), natal);
            const std::optional<std::string> key = TimeZoneListKey(TimeZoneListLine(z));
            std::size_t keyed = 0;
            while (keyed < t.records.size() && (!key || t.records[keyed].ZoneName != *key)) ++keyed;
            if (z.ZoneName.find('-') == std::string::npos && z.ZoneName.back() != ' ') {
                EXPECT_EQ(key, z.ZoneName);
                EXPECT_LE(keyed, k);
            }
            EXPECT_EQ(m.empty(), keyed < t.records.size()) << z.ZoneName;
            if (m.empty()) {
                EXPECT_EQ(LeadingNumber(natal.zone), LeadingNumber(t.records[keyed].ZoneOffset));
                // East for a zone ahead of Greenwich, except across the date line (below -12).
                const double zone = LeadingNumber(natal.zone);
                EXPECT_EQ(natal.east, zone < 0 && zone >= DateLineZone);
            }
        }
        if (expected) {
            ++exact;
            EXPECT_FALSE(t.problem.has_value()) << t.problem->detail;
            ASSERT_EQ(t.records.size(), expected->size());
            for (std::size_t k = 0; k < expected->size(); ++k) {
                EXPECT_EQ(t.records[k].ZoneName, (*expected)[k][0]);
                EXPECT_EQ(t.records[k].ZoneAbbrev, (*expected)[k][1]);
                EXPECT_EQ(t.records[k].ZoneOffset, (*expected)[k][2]);
            }
        }
    }
    Report("time zone reader", InputsPerReader, exact, timer);
}

// Saving into damaged names files: either the save is refused at a line it cannot read, leaving
// the file and its backup as they were, or the result is a whole, readable file whose last record
// is the new one and which holds exactly the records kept, and the backup is the old file.
TEST(RecordFilesFuzz, SavingIntoDamagedNamesFiles) {
    const FuzzDir fuzzDir;
    const fs::path& dir = fuzzDir.path();
    const fs::path file = dir / "NAMES.FIL";
    InputSource source(0x53415645, testing::ReadWholeFile(testing::DataDir() / DefaultNamesFileName), 7,
                       24, 12);
    const NameRecord newRecord{"Zo\xC3\xAB Hartmann", "29 Feb 1964", "10.05", "P", "-1", "-013.25", "52.31"};
    Timer timer;
    int refused = 0;
    for (int i = 0; i < SavesToRun && !HasFailure(); ++i) {
        std::optional<std::vector<std::vector<std::string>>> expected;
        const std::string text = source.Next(expected);
        testing::WriteWholeFile(file, text);
        const bool hadBackup = fs::exists(dir / "NAMES.OLD");
        const std::string backupBefore = hadBackup ? testing::ReadWholeFile(dir / "NAMES.OLD") : "";
        const bool answer = Chance(source.rng(), 50);
        const NameSaveResult r = SaveNameRecord(file, newRecord, [&](const Message&, const NameRecord&) {
            return answer;
        });
        SCOPED_TRACE("input " + std::to_string(i) + ": " + Printable(text));
        if (!r.ok) {
            ASSERT_TRUE(r.damagedLine.has_value()) << (r.problem ? r.problem->text : "");
            EXPECT_EQ(testing::ReadWholeFile(file), text);
            EXPECT_EQ(fs::exists(dir / "NAMES.OLD"), hadBackup);
            if (hadBackup) {
                EXPECT_EQ(testing::ReadWholeFile(dir / "NAMES.OLD"), backupBefore);
            }
            ++refused;
            continue;
        }
        EXPECT_EQ(testing::ReadWholeFile(dir / "NAMES.OLD"), text);
        const RawRecordFile back = ReadRecordFile(file, 7, false);
        EXPECT_EQ(back.failure, FieldReadFailure::None);
        ASSERT_EQ(back.records.size(), r.kept + 1);
        const auto& last = back.records.back().fields;
        EXPECT_EQ(NameRecordLine({last[0], last[1], last[2], last[3], last[4], last[5], last[6]}),
                  NameRecordLine(newRecord));
        // The copied records are the old file's records up to any damage, less the replaced ones.
        const RawRecordFile old = ReadRecordLines(SplitTextLines(DecodeDataText(text)).lines, 7, false);
        EXPECT_EQ(r.kept + r.replaced, old.records.size());
        std::size_t b = 0;
        for (const RawRecord& o : old.records) {
            if (b < r.kept && o.fields == back.records[b].fields) ++b;
        }
        EXPECT_EQ(b, r.kept) << "every kept record is copied unchanged and in order";
    }
    std::printf("[ fuzz     ] names saving: %d saves (%d refused at a damaged line) in %.2f s\n",
                SavesToRun, refused, timer.Seconds());
    EXPECT_GT(refused, 0);
    EXPECT_LT(refused, SavesToRun);
    EXPECT_LE(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2)
        << "only the file and its backup";
}

}  // namespace
}  // namespace orrerion
