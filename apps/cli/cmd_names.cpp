// orrerion-cli names: listing a names file and adding a record to it through the desktop program's
// own save (all records read and checked first, a backup of the old file, the new record last).
#include <cstdio>
#include <string>
#include <vector>

#include "chart_options.h"
#include "commands.h"
#include "core/chart/input_checks.h"
#include "core/io/line_reader.h"
#include "core/records/name_record.h"
#include "core/records/names_file.h"

namespace orrerion::cli {
namespace {

constexpr const char* NamesUsage =
    "usage: names list FILE | names add FILE RECORD [--replace]";

int ListNames(const std::filesystem::path& file) {
    std::string reason;
    const std::optional<std::string> bytes = ReadFileBytes(file, &reason);
    if (!bytes) {
        std::fprintf(stderr, "orrerion-cli names: cannot read %s: %s\n", file.c_str(), reason.c_str());
        return 1;
    }
    const NameTable table = NamesTableFromBytes(*bytes, file);
    for (const NameRecord& record : table.records) std::printf("%s\n", NameRecordLine(record).c_str());
    if (const std::optional<std::string> note = NamesListEndNote(*bytes)) {
        std::fprintf(stderr, "orrerion-cli names: %s: %s\n", file.c_str(), note->c_str());
        if (table.problem) return 1;  // damage, not just an empty name
    }
    return 0;
}

int AddName(const std::filesystem::path& file, const std::string& line, bool replace) {
    NameRecord record;
    if (const std::optional<std::string> error = CheckRecord("RECORD", line, record)) {
        std::fprintf(stderr, "orrerion-cli names: %s\n", error->c_str());
        return 2;
    }
    // Only a record a chart can be calculated from is stored.
    const std::vector<InputProblem> problems = CheckRecordFields(record);
    for (const InputProblem& problem : problems) {
        std::fprintf(stderr, "orrerion-cli names: %s\n", InputWarning(problem).text.c_str());
    }
    if (!problems.empty()) return 2;
    // Without --replace a stored name cancels the save: nothing is written.
    const NameSaveResult saved = SaveNameRecord(
        file, record, [&](const Message&, const NameRecord& stored) -> std::optional<bool> {
            if (replace) return true;
            std::fprintf(stderr, "orrerion-cli names: %s already exists (add --replace to replace it)\n",
                         stored.Name.c_str());
            return std::nullopt;
        });
    if (saved.cancelled) return 2;
    if (!saved.ok) {
        if (saved.problem) std::fprintf(stderr, "orrerion-cli names: %s\n", saved.problem->text.c_str());
        return saved.problem && saved.problem->title == "Warning!" ? 2 : 1;
    }
    std::printf("saved %s: %zu kept, %zu replaced%s%s\n", file.c_str(), saved.kept, saved.replaced,
                saved.backupPath.empty() ? "" : ", backup ", saved.backupPath.c_str());
    return 0;
}

}  // namespace

int RunNamesCommand(const CommandLine& line) {
    const std::vector<std::string>& words = line.operands;
    const bool replace = !line.options.empty();  // --replace, the one option
    if (words.size() == 2 && words[0] == "list" && !replace) return ListNames(words[1]);
    if (words.size() == 3 && words[0] == "add") return AddName(words[1], words[2], replace);
    std::fprintf(stderr, "orrerion-cli names: %s (try --help)\n", NamesUsage);
    return 2;
}

}  // namespace orrerion::cli
