// The atlas window, offscreen: typing a search, the offset shown for the moment, choosing at a
// clock change, "Use this place" and Cancel; and a picture of the window for the documentation.
#include <gtest/gtest.h>

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimeEdit>
#include <QTreeWidget>

#include "atlas_places.h"
#include "atlas_window.h"
#include "test_paths.h"

namespace orrerion::atlas {
namespace {

template <typename T>
T* Child(const QWidget& window, const char* name) {
    T* child = window.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

QString Text(const QWidget& window, const char* label) { return Child<QLabel>(window, label)->text(); }

struct AtlasWindowTest : ::testing::Test {
    std::filesystem::path folder = orrerion::testing::MakeTempDir();
    AtlasWindow window{testing::GeonamesIndex(), folder};

    void Type(const char* query) {
        QLineEdit* search = Child<QLineEdit>(window, "txtSearch");
        search->clear();
        // Key events stand for typing; letters beyond ASCII come as an input method inserts them.
        for (const QChar c : QString::fromUtf8(query)) {
            if (c.unicode() < 0x80) QTest::keyClick(search, c.toLatin1());
            else search->insert(QString(c));
        }
    }
    void Row(int row) {
        QTreeWidget* list = Child<QTreeWidget>(window, "lstPlaces");
        list->setCurrentItem(list->topLevelItem(row));
    }
};

TEST_F(AtlasWindowTest, TypingListsTheMatchesWithRegionCountryAndCoordinates) {
    Type("Bost");
    QTreeWidget* list = Child<QTreeWidget>(window, "lstPlaces");
    ASSERT_GE(list->topLevelItemCount(), 2);
    const QTreeWidgetItem* first = list->topLevelItem(0);
    EXPECT_EQ(first->text(0), "Boston");
    EXPECT_EQ(first->text(1), "Massachusetts");
    EXPECT_EQ(first->text(2), "United States of America");
    EXPECT_EQ(first->text(3), "42N22");
    EXPECT_EQ(first->text(4), "71W04");
    EXPECT_EQ(first->text(5), "America/New_York");
    EXPECT_EQ(list->currentItem(), first) << "the best match is chosen at once";

    Type("São Paulo");
    ASSERT_GE(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(3), "23S33");
    EXPECT_EQ(list->topLevelItem(0)->text(4), "46W38");
    // The city's name also names its state: more places match than the list holds.
    EXPECT_TRUE(QRegularExpression("^200 of [0-9]+ places$").match(Text(window, "lblMatches")).hasMatch())
        << Text(window, "lblMatches").toStdString();
    Type("Boston England");
    EXPECT_EQ(Text(window, "lblMatches"), "1 place");

    Type("Xqzzyville");
    EXPECT_EQ(list->topLevelItemCount(), 0);
    EXPECT_FALSE(Child<QPushButton>(window, "cmdUse")->isEnabled());
    EXPECT_EQ(Text(window, "lblNote"), "No place matches.");
}

TEST_F(AtlasWindowTest, ShowsTheZoneNameOffsetAndDaylightSavingForTheDate) {
    window.SetMoment(QDate(1950, 7, 1), QTime(12, 0));
    Type("Boston");
    EXPECT_EQ(Text(window, "lblZoneName"), "America/New_York");
    EXPECT_EQ(Text(window, "lblOffset"), "zone 4 (EDT, UTC-04:00, daylight saving time)");
    EXPECT_EQ(Text(window, "lblDaylight"), "in force");

    Child<QDateEdit>(window, "txtDate")->setDate(QDate(1950, 1, 15));
    EXPECT_EQ(Text(window, "lblOffset"), "zone 5 (EST, UTC-05:00, standard time)");
    EXPECT_EQ(Text(window, "lblDaylight"), "not in force");

    Child<QDateEdit>(window, "txtDate")->setDate(QDate(1850, 1, 15));
    EXPECT_EQ(Text(window, "lblOffset"), "zone 4.733333 (local mean time, longitude / 15, UTC-04:44)");
    EXPECT_NE(Text(window, "lblNote").indexOf("own local mean time"), -1) << Text(window, "lblNote").toStdString();

    Row(1);  // Boston, England
    Child<QDateEdit>(window, "txtDate")->setDate(QDate(1950, 7, 1));
    EXPECT_EQ(Text(window, "lblZoneName"), "Europe/London");
    EXPECT_EQ(Text(window, "lblOffset"), "zone -1 (BST, UTC+01:00, daylight saving time)");
}

TEST_F(AtlasWindowTest, ASkippedClockTimeOffersBothOffsetsAndWritesTheChosenOne) {
    window.SetMoment(QDate(2021, 3, 14), QTime(2, 30));
    Type("New York");
    QRadioButton* first = Child<QRadioButton>(window, "optFirstOffset");
    QRadioButton* second = Child<QRadioButton>(window, "optSecondOffset");
    EXPECT_FALSE(first->isHidden());
    EXPECT_FALSE(second->isHidden());
    EXPECT_EQ(first->text(), "Offset before the change: zone 5 (EST, UTC-05:00, standard time)");
    EXPECT_EQ(second->text(), "Offset after the change: zone 4 (EDT, UTC-04:00, daylight saving time)");
    EXPECT_TRUE(first->isChecked());
    EXPECT_NE(Text(window, "lblNote").indexOf("02:30 did not exist on this date"), -1);
    EXPECT_EQ(Text(window, "lblOffset"), first->text().mid(first->text().indexOf("zone")));

    QTest::mouseClick(second, Qt::LeftButton);
    ASSERT_NE(window.ChosenOffset(), nullptr);
    EXPECT_EQ(window.ChosenOffset()->zoneHoursWest, 4);
    EXPECT_EQ(Text(window, "lblDaylight"), "in force");

    QTest::mouseClick(Child<QPushButton>(window, "cmdUse"), Qt::LeftButton);
    EXPECT_EQ(window.result(), QDialog::Accepted);
    const std::string place = orrerion::testing::ReadWholeFile(folder / "TSRTEMP.TXT");
    EXPECT_EQ(place, "New York, United States of America\r\n40N43\r\n74W00\r\n"
                     "America/New_York EDT daylight saving time\r\n4\r\n");
    EXPECT_EQ(orrerion::testing::ReadWholeFile(folder / "PCATPATH.TXT"), folder.string() + "/\r\n");
}

TEST_F(AtlasWindowTest, ARepeatedClockTimeOffersBothOccurrencesAnOrdinaryTimeHidesTheChoice) {
    window.SetMoment(QDate(2021, 4, 4), QTime(2, 30));
    Type("Sydney");
    EXPECT_EQ(Text(window, "lblZoneName"), "Australia/Sydney");
    QRadioButton* first = Child<QRadioButton>(window, "optFirstOffset");
    EXPECT_FALSE(first->isHidden());
    EXPECT_EQ(first->text(), "First occurrence: zone -11 (AEDT, UTC+11:00, daylight saving time)");
    EXPECT_EQ(Child<QRadioButton>(window, "optSecondOffset")->text(),
              "Second occurrence: zone -10 (AEST, UTC+10:00, standard time)");

    Child<QTimeEdit>(window, "txtTime")->setTime(QTime(4, 0));
    EXPECT_TRUE(first->isHidden());
    EXPECT_EQ(Text(window, "lblOffset"), "zone -10 (AEST, UTC+10:00, standard time)");
    EXPECT_TRUE(Text(window, "lblNote").isEmpty());
}

TEST_F(AtlasWindowTest, CancelLeavesNoFiles) {
    Type("Boston");
    QTest::mouseClick(Child<QPushButton>(window, "cmdCancel"), Qt::LeftButton);
    EXPECT_EQ(window.result(), QDialog::Rejected);
    EXPECT_FALSE(std::filesystem::exists(folder / "PCATPATH.TXT"));
    EXPECT_FALSE(std::filesystem::exists(folder / "TSRTEMP.TXT"));
}

TEST_F(AtlasWindowTest, AboutNamesTheLicenceAndThePlaceData) {
    const QString about = AtlasWindow::AboutText();
    EXPECT_NE(about.indexOf("Place data from GeoNames (geonames.org), CC BY 4.0"), -1);
    EXPECT_NE(about.indexOf("GNU General Public License"), -1);
    EXPECT_NE(about.indexOf("version 3"), -1);
}

TEST_F(AtlasWindowTest, PictureOfTheWindowWithASearchTyped) {
    window.SetMoment(QDate(1950, 7, 1), QTime(12, 0));
    window.show();
    Type("Boston");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const std::filesystem::path dir = ORRERION_SCREENSHOT_DIR;
    std::filesystem::create_directories(dir);
    const QString path = QString::fromStdString((dir / "atlas.png").string());
    const QPixmap picture = window.grab();
    EXPECT_GT(picture.width(), 600);
    ASSERT_TRUE(picture.save(path, "PNG")) << path.toStdString();
    EXPECT_GT(std::filesystem::file_size(dir / "atlas.png"), 10000u);
}

}  // namespace
}  // namespace orrerion::atlas
