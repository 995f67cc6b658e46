#include "gui/records/names_save.h"

#include "core/records/names_file.h"
#include "gui/app/shell.h"
#include "gui/records/choose_file.h"
#include "gui/records/names_window.h"
#include "gui/records/natal_window.h"

namespace orrerion::gui {

void SaveNatalToNamesFile(Shell& shell) {
    NatalWindow& natal = shell.inputD();
    if (const std::optional<Message> comma = CheckNameForSaving(natal.Fields().name)) {
        shell.dialogs().Show(&natal, *comma);
    } else if (!WriteNatalToNamesFile(shell)) {
        return;  // cancelled: nothing is read again
    }
    shell.session.JustSaved = 1;
    shell.unloadNames();
    shell.names().show();
}

bool WriteNatalToNamesFile(Shell& shell) {
    Session& session = shell.session;
    NatalWindow& natal = shell.inputD();
    const std::filesystem::path chosen =
        ChooseListFile(shell, NamesFilePattern,
                       NamesEditorPath(session.NamesFilePath, session.calc.ProgramDir));
    if (chosen.empty()) return false;

    const NewNameRecordResult made = NewNameRecord(natal.Fields(), session.calc.DateOrder);
    if (!made.record) {
        if (made.problem) shell.dialogs().Show(&natal, *made.problem);
        return true;
    }
    const NameSaveResult saved =
        SaveNameRecord(chosen, *made.record, [&](const Message& question, const NameRecord&) {
            return shell.dialogs().Show(&natal, question, MessageButtons::YesNo) == AnswerYes;
        });
    if (saved.problem) shell.dialogs().Show(&natal, *saved.problem);
    return true;
}

}  // namespace orrerion::gui
