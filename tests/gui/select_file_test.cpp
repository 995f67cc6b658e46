// The Select a File window through the shell's ChooseListFile: the files matching the pattern in
// any case, the current file highlighted, another folder's file chosen, Select without a file,
// Cancel, the drive list and a double click.
#include <QComboBox>
#include <QFileSystemModel>
#include <QListWidget>
#include <QPushButton>
#include <QTreeView>
#include <QtTest>
#include <fstream>

#include "gui/output/select_file_window.h"
#include "gui_fixture.h"

using namespace orrerion;
using namespace orrerion::gui;
using namespace orrerion::gui::testing;
namespace fs = std::filesystem;

namespace {

QListWidget& FileList(QDialog& window) { return *window.findChild<QListWidget*>("filList"); }

QString CurrentFile(QDialog& window) {
    const QListWidgetItem* item = FileList(window).currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

// Chooses `folder` in the folder tree, as a click on it does.
void ClickFolder(QDialog& window, const fs::path& folder) {
    auto* tree = window.findChild<QTreeView*>("dirList");
    auto* model = qobject_cast<QFileSystemModel*>(tree->model());
    tree->setCurrentIndex(model->index(QString::fromStdString(folder.string())));
}

void SelectRowNamed(QDialog& window, const QString& name) {
    QListWidget& list = FileList(window);
    const auto found = list.findItems(name, Qt::MatchExactly);
    if (!found.isEmpty()) list.setCurrentItem(found[0]);
}

// A data folder with names files in mixed case and a second folder with one more.
struct TwoFolders {
    GuiFixture f;
    fs::path other;

    TwoFolders() {
        f.Start();
        f.WriteDataFile("NAMES.FIL", "John Smith,13 Jan 1950,8.30,A,5,074.00,40.43\r\n");
        f.WriteDataFile("family.fil", "");
        f.WriteDataFile("Zeta.Fil", "");
        f.WriteDataFile("notes.txt", "");
        f.WriteDataFile("GA_MA.LL", "");
        other = f.dataDir() / "other folder";
        fs::create_directories(other);
        std::ofstream(other / "FRIENDS.FIL") << "";
        std::ofstream(other / "friends.bak") << "";
    }
};

}  // namespace

class SelectFileTest : public QObject {
    Q_OBJECT
private slots:
    void choosesAFileInAnotherFolder();
    void selectWithoutAFileKeepsTheCurrentOne();
    void cancelReturnsNothing();
    void cityPatternAndDoubleClick();
    void driveListChangesTheFolder();
};

void SelectFileTest::choosesAFileInAnotherFolder() {
    TwoFolders t;
    GuiFixture& f = t.f;
    QStringList shownFiles;
    QString highlighted;
    QStringList controls;
    QStringList otherFiles;
    bool currentFolderShown = false;
    f.dialogs.modalActions.push_back([&](QDialog& window) -> int {
        controls << window.objectName() << window.windowTitle()
                 << window.findChild<QPushButton*>("cmdSelect")->text()
                 << window.findChild<QPushButton*>("cmdCancel")->text()
                 << window.findChild<QComboBox*>("drvList")->objectName()
                 << window.findChild<QTreeView*>("dirList")->objectName();
        shownFiles = static_cast<SelectFileWindow&>(window).files();
        highlighted = CurrentFile(window);

        // The folder tree fills in the background; the data folder comes into view.
        window.show();
        auto* tree = window.findChild<QTreeView*>("dirList");
        currentFolderShown = QTest::qWaitFor([tree] {
            const QRect place = tree->visualRect(tree->currentIndex());
            return place.isValid() && tree->viewport()->rect().contains(place.center());
        }, 5000);
        QTest::qWait(500);  // the neighbouring folders for the picture
        SaveScreenshot(window, "select_file_window");

        ClickFolder(window, t.other);
        otherFiles = static_cast<SelectFileWindow&>(window).files();
        SelectRowNamed(window, "FRIENDS.FIL");
        window.findChild<QPushButton*>("cmdSelect")->click();
        return window.result();
    });
    const fs::path chosen = f.shell->ChooseListFile("*.FIL", f.dataDir() / "names.fil");
    QCOMPARE(controls, (QStringList{"SelectFIle", "Select a File", "Select", "Cancel", "drvList",
                                    "dirList"}));
    QCOMPARE(otherFiles, QStringList{"FRIENDS.FIL"});
    QVERIFY(currentFolderShown);

    // The data folder's names files in any case, sorted by name; the current one highlighted.
    QCOMPARE(shownFiles, (QStringList{"family.fil", "NAMES.FIL", "Zeta.Fil"}));
    QCOMPARE(highlighted, QString("NAMES.FIL"));
    QCOMPARE(chosen, t.other / "FRIENDS.FIL");
    QCOMPARE(f.session.SelectedFilePath, t.other / "FRIENDS.FIL");
    QVERIFY(f.dialogs.unanswered.isEmpty());
}

void SelectFileTest::selectWithoutAFileKeepsTheCurrentOne() {
    TwoFolders t;
    GuiFixture& f = t.f;
    // The window opens where the current file is, with it highlighted.
    QString opened;
    QString highlighted;
    f.dialogs.modalActions.push_back([&](QDialog& window) {
        auto& select = static_cast<SelectFileWindow&>(window);
        opened = select.directory();
        highlighted = CurrentFile(window);
        FileList(window).clearSelection();
        FileList(window).setCurrentRow(-1);
        window.findChild<QPushButton*>("cmdSelect")->click();
        return window.result();
    });
    const fs::path current = t.other / "FRIENDS.FIL";
    QCOMPARE(f.shell->ChooseListFile("*.FIL", current), current);
    QCOMPARE(opened, QString::fromStdString(t.other.string()));
    QCOMPARE(highlighted, QString("FRIENDS.FIL"));

    // A current file whose folder is gone opens the data folder, its first file highlighted.
    f.dialogs.modalActions.push_back([&](QDialog& window) {
        opened = static_cast<SelectFileWindow&>(window).directory();
        highlighted = CurrentFile(window);
        window.findChild<QPushButton*>("cmdSelect")->click();
        return window.result();
    });
    QCOMPARE(f.shell->ChooseListFile("*.FIL", f.dataDir() / "gone" / "OLD.FIL"),
             f.dataDir() / "family.fil");
    QCOMPARE(opened, QString::fromStdString(f.dataDir().string()));
    QCOMPARE(highlighted, QString("family.fil"));
}

void SelectFileTest::cancelReturnsNothing() {
    TwoFolders t;
    GuiFixture& f = t.f;
    f.dialogs.modalActions.push_back([&](QDialog& window) {
        ClickFolder(window, t.other);
        window.findChild<QPushButton*>("cmdCancel")->click();
        return window.result();
    });
    QVERIFY(f.shell->ChooseListFile("*.FIL", f.dataDir() / "NAMES.FIL").empty());
    QVERIFY(f.session.SelectedFilePath.empty());

    // Closing the window is Cancel too.
    QVERIFY(f.shell->ChooseListFile("*.FIL", f.dataDir() / "NAMES.FIL").empty());
    QCOMPARE(f.dialogs.unanswered.size(), 1);
    QVERIFY(f.session.SelectedFilePath.empty());
}

void SelectFileTest::cityPatternAndDoubleClick() {
    TwoFolders t;
    GuiFixture& f = t.f;
    f.WriteDataFile("north.ll", "");
    QStringList shown;
    f.dialogs.modalActions.push_back([&](QDialog& window) -> int {
        shown = static_cast<SelectFileWindow&>(window).files();
        window.show();
        if (!QTest::qWaitForWindowExposed(&window)) return QDialog::Rejected;
        QListWidget& list = FileList(window);
        const auto item = list.findItems("north.ll", Qt::MatchExactly);
        if (item.isEmpty()) return QDialog::Rejected;
        const QRect place = list.visualItemRect(item[0]);
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, place.center());
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, place.center());
        return window.result();
    });
    QCOMPARE(f.shell->ChooseListFile("*.LL", f.dataDir() / "GA_MA.LL"), f.dataDir() / "north.ll");
    QCOMPARE(shown, (QStringList{"GA_MA.LL", "north.ll"}));
}

void SelectFileTest::driveListChangesTheFolder() {
    TwoFolders t;
    GuiFixture& f = t.f;
    SelectFileWindow window(*f.shell, "*.FIL", f.dataDir());
    auto* drives = window.findChild<QComboBox*>("drvList");
    QStringList roots;
    for (int i = 0; i < drives->count(); ++i) roots << drives->itemData(i).toString();
    QVERIFY(roots.contains(QDir::rootPath()));
    QVERIFY(roots.contains(QDir::cleanPath(QDir::homePath())));

    const int root = drives->findData(QDir::rootPath());
    drives->setCurrentIndex(root);
    emit drives->activated(root);
    QCOMPARE(window.directory(), QDir::rootPath());

    // A folder chosen in the tree lists its own files, the pattern kept.
    window.SetDirectory(QString::fromStdString(t.other.string()));
    QCOMPARE(window.files(), QStringList{"FRIENDS.FIL"});
}

QTEST_MAIN(SelectFileTest)
#include "select_file_test.moc"
