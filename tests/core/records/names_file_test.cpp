// The names file: reading it for the list, the list rules, writing a record and saving it safely.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/records/names_file.h"
#include "test_paths.h"

namespace orrerion {
namespace {

namespace fs = std::filesystem;
using testing::MakeTempDir;
using testing::ReadWholeFile;
using testing::WithFileSizeLimit;
using testing::WriteWholeFile;

std::vector<std::string> Names(const NameTable& t) {
    std::vector<std::string> names;
    for (const NameRecord& r : t.records) names.push_back(r.Name);
    return names;
}

std::size_t FileCount(const fs::path& dir) {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir)) ++n;
    return n;
}

TEST(FillNamesList, ReadsFieldsAcrossLinesAndStopsAtAnEmptyName) {
    const auto dir = MakeTempDir();
    WriteWholeFile(dir / "A.FIL",
                   "Ann,05 Jan 1950,9.30,A,5,071.05,42.21\r\n"
                   "\"Smith, John\",06 Feb 1951,10.05,P,-1\r\n"   // the record goes on below
                   "-003.30,-05.10\r\n"
                   ",07 Mar 1952,1.00,A,0,000.00,00.00\r\n"       // empty Name: the list ends
                   "Hidden,08 Apr 1953,2.00,A,0,000.00,00.00\r\n");
    const NameTable t = FillNamesList(dir / "A.FIL");
    EXPECT_FALSE(t.problem.has_value());
    EXPECT_EQ(Names(t), (std::vector<std::string>{"Ann", "Smith, John"}));
    EXPECT_EQ(t.records[1].Longitude, "-003.30");
    EXPECT_EQ(t.records[1].Latitude, "-05.10");

    // A blank last line ends the list the same way, without a complaint.
    WriteWholeFile(dir / "B.FIL", "Ann,05 Jan 1950,9.30,A,5,071.05,42.21\r\n\r\n");
    const NameTable b = FillNamesList(dir / "B.FIL");
    EXPECT_FALSE(b.problem.has_value());
    EXPECT_EQ(Names(b), (std::vector<std::string>{"Ann"}));

    WriteWholeFile(dir / "EMPTY.FIL", "");
    const NameTable e = FillNamesList(dir / "EMPTY.FIL");
    EXPECT_TRUE(e.records.empty());
    EXPECT_FALSE(e.problem.has_value());
}

TEST(FillNamesList, DamageKeepsTheRecordsBeforeIt) {
    const std::string good = "Ann,05 Jan 1950,9.30,A,5,071.05,42.21\r\n";
    struct Case {
        std::string tail;
        FieldReadFailure failure;
        std::size_t line;
    };
    const Case cases[] = {
        {"Bob,05 Jan 1950,9.30\r\n", FieldReadFailure::PastEnd, 2},  // short last record
        {"\"Bob,05 Jan 1950,9.30,A,5,071.05,42.21\r\n", FieldReadFailure::UnclosedQuote, 2},
        {std::string(70000, 'x') + "\r\n", FieldReadFailure::LineTooLong, 2},
        {std::string("\x7F" "ELF\0\0\0\x01,\x02", 10), FieldReadFailure::BinaryData, 2},
    };
    for (const Case& c : cases) {
        const auto dir = MakeTempDir();
        WriteWholeFile(dir / "N.FIL", good + c.tail);
        const NameTable t = FillNamesList(dir / "N.FIL");
        EXPECT_EQ(Names(t), (std::vector<std::string>{"Ann"}));
        ASSERT_TRUE(t.problem.has_value());
        EXPECT_FALSE(t.problem->cannotOpen);
        EXPECT_EQ(t.problem->failure, c.failure);
        EXPECT_EQ(t.problem->line, c.line);
        EXPECT_EQ(t.problem->message.title, "Error!");
        EXPECT_EQ(t.problem->message.icon, MessageIcon::Critical);
        EXPECT_EQ(t.problem->message.text, NamesFileErrorMessage);
    }
}

TEST(OpenNamesList, FallsBackToTheDefaultFileOnceThenShowsAnEmptyList) {
    const auto dir = MakeTempDir();
    WriteWholeFile(dir / "OTHER.FIL", "Other,05 Jan 1950,9.30,A,5,071.05,42.21\r\n");
    WriteWholeFile(dir / "NAMES.FIL", "Default,05 Jan 1950,9.30,A,5,071.05,42.21\r\n");

    NamesWindowList l = OpenNamesList(dir / "OTHER.FIL", dir);
    EXPECT_EQ(Names(l.table), (std::vector<std::string>{"Other"}));
    EXPECT_EQ(l.NamesFilePath, dir / "OTHER.FIL");

    l = OpenNamesList(dir / "GONE.FIL", dir);
    EXPECT_EQ(Names(l.table), (std::vector<std::string>{"Default"}));
    EXPECT_TRUE(l.NamesFilePath.empty()) << "the label then shows nothing";
    EXPECT_EQ(l.openedPath, dir / "NAMES.FIL");
    EXPECT_FALSE(l.table.problem.has_value());

    fs::remove(dir / "NAMES.FIL");
    l = OpenNamesList(dir / "GONE.FIL", dir);
    EXPECT_TRUE(l.table.records.empty());
    ASSERT_TRUE(l.table.problem.has_value());
    EXPECT_TRUE(l.table.problem->cannotOpen);
    EXPECT_NE(l.table.problem->message.text.find((dir / "NAMES.FIL").string()), std::string::npos);
    EXPECT_NE(l.table.problem->message.text.find("No such file"), std::string::npos);
    EXPECT_EQ(NamesEditorPath("", dir), dir / "NAMES.FIL");
    EXPECT_EQ(NamesEditorPath(dir / "OTHER.FIL", dir), dir / "OTHER.FIL");
    EXPECT_EQ(FileLabelText(dir / "my names.fil"), "MY NAMES.FIL");
}

TEST(NamesListRules, DuplicateNamesLoadTheFirstAndTheLockListKeepsItsEntry) {
    NameTable t;
    const auto record = [](const char* name, const char* date) {
        return NameRecord{name, date, "9.30", "A", "5", "071.05", "42.21"};
    };
    t.records = {record("Ann", "01 Jan 1950"), record("Bob", "02 Jan 1950"), record("Ann", "03 Jan 1950")};
    EXPECT_EQ(FindNameRecord(t, "Ann"), 0u);
    EXPECT_EQ(FindNameRecord(t, "Bob"), 1u);
    EXPECT_FALSE(FindNameRecord(t, "ANN").has_value()) << "the list text is matched exactly";

    struct Case {
        int n, locked;
        bool ticked, justSaved;
        int top;
        std::optional<int> select;
        int newLocked;
    };
    const Case cases[] = {
        {40, 30, true, false, 18, 30, 30},        // entry 30 of 40
        {10, 30, true, false, 0, 9, 9},           // the file shrank to 10
        {40, 13, true, false, 1, 13, 13},
        {40, 11, true, false, 0, 11, 11},
        {40, 30, true, true, 0, std::nullopt, 30},  // right after a save: nothing selected
        {40, 30, false, false, 0, std::nullopt, 30},
        {0, 5, true, false, 0, std::nullopt, 0},  // empty list
        {5, -1, true, false, 0, 0, 0},            // nothing was selected when the box was ticked
    };
    for (const Case& c : cases) {
        const LockListPosition p = PositionLockedList(c.n, c.locked, c.ticked, c.justSaved);
        EXPECT_EQ(p.topIndex, c.top) << c.n << " " << c.locked;
        EXPECT_EQ(p.selectIndex, c.select) << c.n << " " << c.locked;
        EXPECT_EQ(p.LockedIndex, c.newLocked) << c.n << " " << c.locked;
    }
}

TEST(ChooseFilePreselection, SelectsTheCurrentFileByItsWholeName) {
    const std::vector<std::string> files = {"ES.FIL", "friends.fil", "NAMES.FIL"};
    EXPECT_EQ(ChooseFilePreselection(files, "/data/names.fil"), 2u)
        << "ES.FIL ends like NAMES.FIL but is another file";
    EXPECT_EQ(ChooseFilePreselection(files, "/data/FRIENDS.FIL"), 1u);
    EXPECT_EQ(ChooseFilePreselection(files, "/data/OTHER.FIL"), 0u);
    EXPECT_EQ(ChooseFilePreselection(files, ""), 0u);
    EXPECT_FALSE(ChooseFilePreselection({}, "/data/NAMES.FIL").has_value());
}

TEST(NameRecordWriting, FieldFormatsAndTheNewRecord) {
    EXPECT_EQ(RecordTimeText(9.3), "9.30");
    EXPECT_EQ(RecordTimeText(10.05), "10.05");
    EXPECT_EQ(RecordTimeText(12), "12.00");
    EXPECT_EQ(RecordLongitudeText(71.05), "071.05");
    EXPECT_EQ(RecordLongitudeText(-3.3), "-003.30");
    EXPECT_EQ(RecordLongitudeText(-0.3), "-000.30");
    EXPECT_EQ(RecordLongitudeText(139.41), "139.41");
    EXPECT_EQ(RecordLatitudeText(42.21), "42.21");
    EXPECT_EQ(RecordLatitudeText(-5.1), "-05.10");

    InputFields f;
    f.name = "Zo\xC3\xAB Hartmann";
    f.month = "2";
    f.day = "29";
    f.year = "1964";
    f.hour = "10";
    f.minute = "5";
    f.am = false;
    f.zone = "-1";
    f.longDeg = "13";
    f.longMin = "25";
    f.east = true;
    f.latDeg = "52";
    f.latMin = "31";
    for (int order : {0, 1, 2}) {
        const NewNameRecordResult r = NewNameRecord(f, order);
        ASSERT_TRUE(r.record.has_value()) << order;
        EXPECT_EQ(NameRecordLine(*r.record), "Zo\xC3\xAB Hartmann,29 Feb 1964,10.05,P,-1,-013.25,52.31");
    }
    f.east = false;
    f.south = true;
    f.am = true;
    f.hour = "12";
    f.minute = "0";
    EXPECT_EQ(NameRecordLine(*NewNameRecord(f, 0).record),
              "Zo\xC3\xAB Hartmann,29 Feb 1964,12.00,A,-1,013.25,-52.31");

    for (const char* day : {"30", "", "x"}) {
        f.day = day;
        const NewNameRecordResult bad = NewNameRecord(f, 1);
        EXPECT_FALSE(bad.record.has_value()) << day;
        EXPECT_EQ(bad.field, (FieldRef{InputSection::Natal, InputField::Day})) << day;
        ASSERT_TRUE(bad.problem.has_value());
        EXPECT_EQ(bad.problem->title, "Warning!");
    }
    // A stored name read from quotes keeps them when written back.
    EXPECT_EQ(NameRecordLine({"Smith, John", "06 Feb 1951", "10.05", "P", "-1", "-003.30", "-05.10"}),
              "\"Smith, John\",06 Feb 1951,10.05,P,-1,-003.30,-05.10");
}

TEST(NameRecordWriting, ReplaceQuestionAndCommaCheck) {
    const Message q = ReplaceQuestion({"ANN", "05 Jan 1950", "9.30", "A", "5", "071.05", "42.21"});
    EXPECT_EQ(q.title, "ANN already exists");
    EXPECT_EQ(q.icon, MessageIcon::Question);
    EXPECT_EQ(q.text,
              "There is already a name on file matching your current name with the following "
              "associated data: \r\n\r\nDate =  05 Jan 1950\r\nTime =  9.30 A\r\nTime zone =  5\r\n"
              "Longitude =  071.05\r\nLatitude =  42.21\r\n\r\nDo you want to replace it?\r\n\r\n"
              "Answering 'NO' will append the current name and data to file, not replace the "
              "existing entry.");

    const std::optional<Message> comma = CheckNameForSaving("Smith, John");
    ASSERT_TRUE(comma.has_value());
    EXPECT_EQ(comma->title, "Warning!");
    EXPECT_EQ(comma->icon, MessageIcon::Critical);
    EXPECT_EQ(comma->text, "You cannot have a comma in the name. Please remove the comma and try again.");
    EXPECT_FALSE(CheckNameForSaving("John Smith").has_value());
}

const NameRecord NewAnn{"Ann", "01 Jul 1980", "3.15", "P", "-1", "-013.25", "52.31"};
const std::string OldFile =
    "ANN,05 Jan 1950,9.30,A,5,071.05,42.21\r\n"
    "Bob,06 Feb 1951,10.05,P,-1,-003.30,-05.10\r\n"
    "ann,07 Mar 1952,12.00,A,0,000.00,00.00\r\n";

TEST(SaveNameRecord, YesReplacesNoKeepsAndEachMatchAsks) {
    const auto dir = MakeTempDir();
    const fs::path file = dir / "NAMES.FIL";
    WriteWholeFile(file, OldFile);

    std::vector<std::string> asked;
    NameSaveResult r = SaveNameRecord(file, NewAnn, [&](const Message& q, const NameRecord& s) {
        asked.push_back(q.title + "|" + s.Date);
        return true;
    });
    ASSERT_TRUE(r.ok) << (r.problem ? r.problem->text : "");
    EXPECT_EQ(asked, (std::vector<std::string>{"ANN already exists|05 Jan 1950",
                                               "ann already exists|07 Mar 1952"}));
    EXPECT_EQ(r.replaced, 2u);
    EXPECT_EQ(r.kept, 1u);
    EXPECT_EQ(ReadWholeFile(file),
              "Bob,06 Feb 1951,10.05,P,-1,-003.30,-05.10\r\n"
              "Ann,01 Jul 1980,3.15,P,-1,-013.25,52.31\r\n");
    EXPECT_EQ(r.backupPath, dir / "NAMES.OLD");
    EXPECT_EQ(ReadWholeFile(dir / "NAMES.OLD"), OldFile);
    EXPECT_EQ(FileCount(dir), 2u);  // the names file and its backup, no temporary file

    // No keeps every stored Ann; the new record still goes last. The backup is the file as it
    // was before this save.
    const std::string before = ReadWholeFile(file);
    r = SaveNameRecord(file, NewAnn, [](const Message&, const NameRecord&) { return false; });
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.replaced, 0u);
    EXPECT_EQ(ReadWholeFile(file), before + "Ann,01 Jul 1980,3.15,P,-1,-013.25,52.31\r\n");
    EXPECT_EQ(ReadWholeFile(dir / "NAMES.OLD"), before);
    EXPECT_EQ(FileCount(dir), 2u);
}

TEST(SaveNameRecord, CopiesWhatTheListDoesNotShowAndRefusesDamage) {
    const auto dir = MakeTempDir();
    const fs::path file = dir / "F.FIL";
    // Records after an empty name are copied; a quoted comma survives; an old-system byte is
    // written back as UTF-8.
    WriteWholeFile(file,
                   "\"Smith, John\",06 Feb 1951,10.05,P,-1,-003.30,-05.10\r\n"
                   ",07 Mar 1952,12.00,A,0,000.00,00.00\r\n"
                   "Zo\xEB,08 Apr 1953,2.00,A,0,000.00,00.00\r\n\r\n");  // a blank last line
    NameSaveResult r = SaveNameRecord(file, NewAnn, [](const Message&, const NameRecord&) {
        ADD_FAILURE() << "no stored name matches";
        return true;
    });
    ASSERT_TRUE(r.ok);
    EXPECT_FALSE(r.damagedLine.has_value()) << "a blank last line loses nothing";
    EXPECT_EQ(ReadWholeFile(file),
              "\"Smith, John\",06 Feb 1951,10.05,P,-1,-003.30,-05.10\r\n"
              ",07 Mar 1952,12.00,A,0,000.00,00.00\r\n"
              "Zo\xC3\xAB,08 Apr 1953,2.00,A,0,000.00,00.00\r\n"
              "Ann,01 Jul 1980,3.15,P,-1,-013.25,52.31\r\n");
    EXPECT_EQ(ReadWholeFile(dir / "F.OLD").substr(0, 13), "\"Smith, John\"");

    // A line that cannot be read refuses the save, naming the line: copying would leave the
    // records from there on only in the backup, which the next save replaces. The file and its
    // backup stay as they were, and no question is asked.
    const std::string damaged =
        "Bob,06 Feb 1951,10.05,P,-1,-003.30,-05.10\r\n\"broken\r\nCy,1,2,3,4,5,6\r\n";
    WriteWholeFile(file, damaged);
    const std::string backupBefore = ReadWholeFile(dir / "F.OLD");
    r = SaveNameRecord(file, NewAnn, [](const Message&, const NameRecord&) {
        ADD_FAILURE() << "nothing is asked before the damage is found";
        return true;
    });
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.damagedLine, 2u);
    ASSERT_TRUE(r.problem.has_value());
    EXPECT_NE(r.problem->text.find("line 2 cannot be read (unclosed quote)"), std::string::npos)
        << r.problem->text;
    EXPECT_EQ(ReadWholeFile(file), damaged);
    EXPECT_EQ(ReadWholeFile(dir / "F.OLD"), backupBefore);

    // A file that does not exist yet is created with the new record alone.
    r = SaveNameRecord(dir / "NEW.FIL", NewAnn, [](const Message&, const NameRecord&) { return true; });
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(r.backupPath.empty());
    EXPECT_EQ(ReadWholeFile(dir / "NEW.FIL"), "Ann,01 Jul 1980,3.15,P,-1,-013.25,52.31\r\n");
}

// Every name the natal window can hold is written so that it reads back whole, and the next save
// copies it: a name beginning with a double quote once made the next save stop at its line.
TEST(SaveNameRecord, EveryNameReadsBackAndSurvivesTheNextSave) {
    const auto dir = MakeTempDir();
    const fs::path file = dir / "NAMES.FIL";
    // The first lands on the file's first line, where a leading U+FEFF would read as a byte order
    // mark (a finding of the names reader's fuzz target).
    const char* const names[] = {"\xEF\xBB\xBFZero-width", "\"Bob", "Bob \"the\" Smith", "\"", "\"\"", " lead and trail ",
                                 "Zo\xC3\xAB \"Z\"", "x\"", "tab\t"};
    std::vector<std::string> expected;
    for (const char* name : names) {
        NameRecord record = NewAnn;
        record.Name = name;
        const NameSaveResult r =
            SaveNameRecord(file, record, [](const Message&, const NameRecord&) { return false; });
        ASSERT_TRUE(r.ok) << name << ": " << (r.problem ? r.problem->text : "");
        expected.push_back(name);
        const NameTable back = FillNamesList(file);
        EXPECT_FALSE(back.problem.has_value()) << name;
        EXPECT_EQ(Names(back), expected) << name;
        EXPECT_EQ(back.records.back(), record) << name;
    }
    // A field that cannot stand on one line of the file is refused before anything is written.
    const std::string before = ReadWholeFile(file);
    for (const char* bad : {"two\nlines", "cr\rhere", "latin1 \xE9"}) {
        NameRecord record = NewAnn;
        record.Name = bad;
        const NameSaveResult r =
            SaveNameRecord(file, record, [](const Message&, const NameRecord&) { return false; });
        EXPECT_FALSE(r.ok) << bad;
        ASSERT_TRUE(r.problem.has_value()) << bad;
        EXPECT_EQ(r.problem->text, NameUnstorableMessage);
    }
    EXPECT_EQ(ReadWholeFile(file), before);
}

// A name longer than the natal window's name box takes, or one whose record outgrows a line of
// the file (MaxRecordLineLength bytes), is refused before anything is written, so that the file
// always reads back whole and takes the next save. Lengths count UTF-16 units, as the box does.
TEST(SaveNameRecord, ANameIsRefusedBeforeItsRecordOutgrowsTheReader) {
    auto repeat = [](std::string_view piece, std::size_t times) {
        std::string out;
        for (std::size_t i = 0; i < times; ++i) out += piece;
        return out;
    };
    const std::string euro = "\xE2\x82\xAC";       // 3 bytes, one unit
    const std::string clef = "\xF0\x9D\x84\x9E";   // 4 bytes, two units
    // NewAnn's other fields and their commas take 36 bytes of the line.
    const std::size_t nameRoom = MaxRecordLineLength - 36;
    struct Case {
        std::string what;
        std::string name;
        const char* refusal;  // nullptr: saved
    };
    const std::vector<Case> cases = {
        {"32767 letters", repeat("a", 32767), nullptr},
        {"32768 letters", repeat("a", 32768), NameTooLongMessage},
        {"65536 letters", repeat("a", 65536), NameTooLongMessage},
        {"20000 two-byte letters", repeat("\xC3\xA9", 20000), nullptr},
        {"a line of exactly the limit", repeat(euro, nameRoom / 3) + repeat("a", nameRoom % 3), nullptr},
        {"one byte over the limit", repeat(euro, nameRoom / 3) + repeat("a", nameRoom % 3 + 1), RecordTooLongMessage},
        {"16383 four-byte characters", repeat(clef, 16383), RecordTooLongMessage},
        {"16384 four-byte characters", repeat(clef, 16384), NameTooLongMessage},
    };
    const auto dir = MakeTempDir();
    const fs::path file = dir / "NAMES.FIL";
    std::vector<std::string> stored;
    for (const Case& c : cases) {
        NameRecord record = NewAnn;
        record.Name = c.name;
        const std::string before = fs::exists(file) ? ReadWholeFile(file) : std::string();
        const NameSaveResult r = SaveNameRecord(file, record, [](const Message&, const NameRecord&) { return false; });
        if (c.refusal) {
            EXPECT_FALSE(r.ok) << c.what;
            ASSERT_TRUE(r.problem.has_value()) << c.what;
            EXPECT_EQ(r.problem->text, c.refusal) << c.what;
            EXPECT_EQ(r.problem->title, "Warning!") << c.what;
            EXPECT_EQ(fs::exists(file) ? ReadWholeFile(file) : std::string(), before) << c.what;
        } else {
            ASSERT_TRUE(r.ok) << c.what << ": " << (r.problem ? r.problem->text : "");
            stored.push_back(c.name);
        }
        const NameTable back = FillNamesList(file);
        EXPECT_FALSE(back.problem.has_value()) << c.what;
        EXPECT_EQ(Names(back), stored) << c.what;
    }
    EXPECT_EQ(stored.size(), 3u);
}

// The list editor's note: where the Names or Cities list will stop before the end of the text,
// and why; nothing when it lists every record.
TEST(ListEndNote, SaysWhereAndWhyTheListStopsEarly) {
    const std::string ann = "Ann,01 Jul 1980,3.15,P,-1,-013.25,52.31\r\n";
    struct Case { std::string text; const char* note; };
    const Case cases[] = {
        {ann + ann, nullptr},
        {ann + ann + "\r\n\r\n", nullptr},
        {ann + "\r\n" + ann, "The Names list stops at line 2: a record there has an empty first field"},
        {ann + ",07 Mar 1952,12.00,A,0,000.00,00.00\r\n" + ann,
         "The Names list stops at line 2: a record there has an empty first field"},
        {ann + ann + "\"Bob,13 Jan 1950\r\n", "The Names list stops at line 3: unclosed quote"},
        {ann + "Cy,1,2\r\n", "The Names list stops at line 2: the file ends inside a record"},
    };
    for (const Case& c : cases) {
        const std::optional<std::string> note = NamesListEndNote(c.text);
        if (!c.note) {
            EXPECT_FALSE(note.has_value()) << *note;
            continue;
        }
        ASSERT_TRUE(note.has_value()) << c.note;
        EXPECT_EQ(note->substr(0, std::string(c.note).size()), c.note);
    }
}

TEST(SaveNameRecord, AFailedStepLeavesTheFileAsItWas) {
    const auto noQuestions = [](const Message&, const NameRecord&) { return true; };
    // A comma in the name: nothing is written.
    {
        const auto dir = MakeTempDir();
        WriteWholeFile(dir / "NAMES.FIL", OldFile);
        NameRecord withComma = NewAnn;
        withComma.Name = "Smith, Ann";
        const NameSaveResult r = SaveNameRecord(dir / "NAMES.FIL", withComma, noQuestions);
        EXPECT_FALSE(r.ok);
        ASSERT_TRUE(r.problem.has_value());
        EXPECT_EQ(r.problem->text, NameCommaMessage);
        EXPECT_EQ(ReadWholeFile(dir / "NAMES.FIL"), OldFile);
        EXPECT_EQ(FileCount(dir), 1u);
    }
    // The new file cannot be written (a file size limit stops the write), the backup cannot be
    // made, the chosen path cannot be read: each is reported with the path and the reason, and the
    // old file stays whole. (A size limit and folders in the way make the steps fail even for
    // root, whom permissions do not stop.)
    struct Case {
        const char* blocker;  // a non-empty folder made at this name
        const char* chosen;
        const char* reason;
    };
    const Case cases[] = {
        {nullptr, "NAMES.FIL", "File too large"},
        {"NAMES.OLD", "NAMES.FIL", "NAMES.OLD"},
        {"DIR.FIL", "DIR.FIL", "Is a directory"},
    };
    for (const Case& c : cases) {
        const auto dir = MakeTempDir();
        WriteWholeFile(dir / "NAMES.FIL", OldFile);
        if (c.blocker) {
            fs::create_directory(dir / c.blocker);
            WriteWholeFile(dir / c.blocker / "keep", "x");
        }
        const NameSaveResult r = c.blocker ? SaveNameRecord(dir / c.chosen, NewAnn, noQuestions)
                                           : WithFileSizeLimit(16, [&] {
                                                 return SaveNameRecord(dir / c.chosen, NewAnn, noQuestions);
                                             });
        EXPECT_FALSE(r.ok) << c.reason;
        ASSERT_TRUE(r.problem.has_value()) << c.reason;
        EXPECT_EQ(r.problem->title, "Error!");
        EXPECT_NE(r.problem->text.find((dir / c.chosen).string()), std::string::npos) << r.problem->text;
        EXPECT_NE(r.problem->text.find(c.reason), std::string::npos) << r.problem->text;
        EXPECT_EQ(ReadWholeFile(dir / "NAMES.FIL"), OldFile) << c.reason;
        EXPECT_EQ(FileCount(dir), c.blocker ? 2u : 1u) << "no temporary file is left: " << c.reason;
    }
}

TEST(NamesBackupPath, LastThreeCharactersBecomeOld) {
    EXPECT_EQ(NamesBackupPath("/d/NAMES.FIL"), fs::path("/d/NAMES.OLD"));
    EXPECT_EQ(NamesBackupPath("/d/friends.fil"), fs::path("/d/friends.OLD"));
    EXPECT_EQ(NamesBackupPath("/d/X.OLD"), fs::path("/d/X.OLD.OLD")) << "never the file itself";
    EXPECT_EQ(NamesBackupPath("/d/ab"), fs::path("/d/ab.OLD"));
}

TEST(ListEditor, LoadsWithCrLfAndSavesWithOneLineEnd) {
    const auto dir = MakeTempDir();
    const fs::path file = dir / "NAMES.FIL";
    WriteWholeFile(file, "Zo\xEB,1\nBob,2");
    const EditorText loaded = LoadEditorText(file);
    EXPECT_FALSE(loaded.problem.has_value());
    EXPECT_EQ(loaded.text, "Zo\xC3\xAB,1\r\nBob,2\r\n");

    ASSERT_TRUE(SaveEditorText(file, loaded.text).ok);
    EXPECT_EQ(ReadWholeFile(file), "Zo\xC3\xAB,1\r\nBob,2\r\n");
    // A text box that gives LF line ends: the file still gets CR LF, and no character is lost.
    ASSERT_TRUE(SaveEditorText(file, "a,1\nb,2\n").ok);
    EXPECT_EQ(ReadWholeFile(file), "a,1\r\nb,2\r\n");
    ASSERT_TRUE(SaveEditorText(file, "a,1\r\nb,2").ok);
    EXPECT_EQ(ReadWholeFile(file), "a,1\r\nb,2\r\n");
    ASSERT_TRUE(SaveEditorText(file, "").ok);
    EXPECT_EQ(ReadWholeFile(file), "");
    EXPECT_EQ(FileCount(dir), 1u);

    const EditorText missing = LoadEditorText(dir / "GONE.FIL");
    ASSERT_TRUE(missing.problem.has_value());
    EXPECT_NE(missing.problem->text.find("GONE.FIL"), std::string::npos);
    const WriteResult failed = SaveEditorText(dir / "no folder" / "X.FIL", "a\r\n");
    EXPECT_FALSE(failed.ok);
    EXPECT_NE(failed.message.find("No such file"), std::string::npos);
}

}  // namespace
}  // namespace orrerion
