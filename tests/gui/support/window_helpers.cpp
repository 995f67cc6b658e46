#include "window_helpers.h"

#include <QListWidget>
#include <QPushButton>
#include <QtTest>
#include <vector>

#include "core/records/name_record.h"
#include "gui/records/diurnal_window.h"
#include "gui/records/natal_window.h"
#include "gui_fixture.h"

namespace orrerion::gui::testing {

void SetOption(GuiFixture& f, int line, const std::string& value) {
    std::string text = f.ReadDataFile("OPTIONS.OPT");
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    lines[static_cast<std::size_t>(line - 1)] = value;
    std::string out;
    for (const std::string& l : lines) out += l + "\r\n";
    f.WriteDataFile("OPTIONS.OPT", out);
}

void LoadChart(GuiFixture& f, const std::string& natalLine, const std::string& diurnalLine) {
    InputFields natal = f.shell->inputD().Fields();
    const auto natalRecord = NameRecordFromLine(natalLine);
    LoadNameRecord(*natalRecord, 0, InputSection::Natal, natal);
    natal.name = natalRecord->Name;
    f.shell->inputD().SetFields(natal);
    InputFields diurnal = f.shell->inputD1().Fields();
    const auto diurnalRecord = NameRecordFromLine(diurnalLine);
    LoadNameRecord(*diurnalRecord, 0, InputSection::Diurnal, diurnal);
    f.shell->inputD1().SetFields(diurnal);
}

void LoadExampleChart(GuiFixture& f) {
    LoadChart(f, "John Smith,13 Jan 1950,8.30,A,5,074.00,40.43", ",07 Dec 2026,12.00,P,5,074.00,40.43");
}

QStringList Entries(const QListWidget& list) {
    QStringList entries;
    for (int i = 0; i < list.count(); ++i) entries << list.item(i)->text();
    return entries;
}

void ClickEntry(QListWidget& list, int row, bool twice) {
    QListWidgetItem* item = list.item(row);
    QVERIFY(item);
    list.scrollToItem(item);
    const QPoint at = list.visualItemRect(item).center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
    if (twice) {
        // The second press of a double click arrives as the double-click event.
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(list.viewport(), Qt::LeftButton, {}, at);
    }
}

void Press(QWidget& window, const char* button) {
    auto* b = window.findChild<QPushButton*>(button);
    QVERIFY2(b, button);
    b->click();
}

}  // namespace orrerion::gui::testing
