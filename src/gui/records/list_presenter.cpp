#include "gui/records/list_presenter.h"

#include <algorithm>

#include "core/records/name_record.h"

namespace orrerion::gui {

void NamesListState::ChangeFile(std::filesystem::path file) {
    justSaved_ = false;
    NamesFilePath_ = std::move(file);
    lockedIndex_ = 0;
}

void NamesListState::Picked(std::optional<int> lockedRow) {
    justSaved_ = false;
    if (lockedRow) lockedIndex_ = *lockedRow;
}

void NamesListState::SetLock(bool ticked, std::optional<int> selectedRow) {
    lockList_ = ticked;
    if (lockList_) lockedIndex_ = selectedRow.value_or(-1);
}

LockListPosition NamesListState::Position(int count, bool ticked) {
    const LockListPosition position = PositionLockedList(count, lockedIndex_, ticked, justSaved_);
    lockedIndex_ = position.LockedIndex;
    return position;
}

PickedRecord PickName(const NameRecord& record, int DateOrder, InputSection target,
                      InputFields fields) {
    PickedRecord picked;
    if (target == InputSection::Natal) fields.name = record.Name;
    picked.messages = LoadNameRecord(record, DateOrder, target, fields);
    picked.fields = std::move(fields);
    const bool stopped = std::any_of(picked.messages.begin(), picked.messages.end(),
                                     [](const Message& m) { return m.text == RecordFormatErrorMessage; });
    picked.diurnalFollows = target == InputSection::Natal && !stopped;
    return picked;
}

PickedRecord PickCity(const CityRecord& city, InputSection target, InputFields fields) {
    PickedRecord picked;
    picked.messages = LoadCityRecord(city, fields);
    picked.fields = std::move(fields);
    picked.diurnalFollows = target == InputSection::Natal && picked.messages.empty();
    return picked;
}

}  // namespace orrerion::gui
