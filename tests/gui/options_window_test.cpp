// The Options window: loading, Save, Quit, Restore Default Settings and a missing options file.
#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>
#include <filesystem>

#include "gui/app/about_window.h"
#include "gui/app/main_window.h"
#include "gui/app/options_window.h"
#include "gui/app/title_window.h"
#include "gui_fixture.h"

using namespace orrerion;
using namespace orrerion::gui;
using namespace orrerion::gui::testing;

namespace {

QPlainTextEdit& Content(OptionsWindow& window) {
    return *window.findChild<QPlainTextEdit*>("txtContent");
}

void Click(QWidget& window, const char* name) {
    QPushButton* button = window.findChild<QPushButton*>(name);
    QVERIFY2(button, name);
    button->click();
}

OptionsWindow& OpenOptions(GuiFixture& f) {
    f.shell->main().findChild<QAction*>("mnuOptions")->trigger();
    return f.shell->options();
}

}  // namespace

class OptionsWindowTest : public QObject {
    Q_OBJECT
private slots:
    void opensTheFileAsText();
    void saveWritesTheTextWithOneFinalLineBreakAndReloads();
    void restoreChangesTheFileButNotTheValuesUntilSave();
    void failedRestoreAndMissingFileAreReported();
    void titleAndAboutWindows();
};

void OptionsWindowTest::opensTheFileAsText() {
    GuiFixture f;
    f.Start();
    OptionsWindow& window = OpenOptions(f);
    QVERIFY(window.isVisible());
    QCOMPARE(window.windowTitle(), QString("Edit: OPTIONS.OPT"));
    QVERIFY(window.loaded());
    QVERIFY(!window.changed());
    // The editor holds the file's lines; its line ends are the editor's own.
    const std::string file = f.ReadDataFile("OPTIONS.OPT");
    QCOMPARE(Content(window).toPlainText().replace("\n", "\r\n").toStdString(), file);
    for (const char* name : {"btnSave", "btnQuit", "cmdRestoreDefault"}) {
        QVERIFY2(window.findChild<QPushButton*>(name), name);
    }
    QCOMPARE(window.findChild<QPushButton*>("cmdRestoreDefault")->text(),
             QString("Restore Default Settings"));
    SaveScreenshot(window, "options_window");
}

void OptionsWindowTest::saveWritesTheTextWithOneFinalLineBreakAndReloads() {
    GuiFixture f;
    f.Start();
    QCOMPARE(f.session.calc.options[Option::ConjunctionOrb], 8.0f);
    OptionsWindow& window = OpenOptions(f);
    QString text = Content(window).toPlainText();
    text.replace(0, text.indexOf('\n'), "7.5    conjunction orb");
    Content(window).setPlainText(text);
    QVERIFY(window.changed());
    Click(window, "btnSave");
    QVERIFY(window.isVisible());  // the window stays open

    std::string expected = text.toStdString();
    while (!expected.empty() && expected.back() == '\n') expected.pop_back();
    std::string crlf;
    for (char c : expected) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    crlf += "\r\n";
    QCOMPARE(f.ReadDataFile("OPTIONS.OPT"), crlf);
    QCOMPARE(f.session.calc.options[Option::ConjunctionOrb], 7.5f);

    // Saving again adds no blank lines; a last line without a line break is kept whole.
    Click(window, "btnSave");
    QCOMPARE(f.ReadDataFile("OPTIONS.OPT"), crlf);
    Content(window).setPlainText("3\n4");
    Click(window, "btnSave");
    QCOMPARE(f.ReadDataFile("OPTIONS.OPT"), std::string("3\r\n4\r\n"));
    QCOMPARE(f.session.calc.options[Option::SemisquareOrb], 4.0f);
    QVERIFY(f.dialogs.messages.empty());
}

void OptionsWindowTest::restoreChangesTheFileButNotTheValuesUntilSave() {
    GuiFixture f;
    f.WriteDataFile("OPTIONS.OPT", "2.5  edited orb\r\n");
    f.Start();
    QCOMPARE(f.session.calc.options[Option::ConjunctionOrb], 2.5f);
    OptionsWindow& window = OpenOptions(f);
    Click(window, "cmdRestoreDefault");
    QCOMPARE(f.ReadDataFile("OPTIONS.OPT"), f.ReadDataFile("OPTIONS.MST"));
    QCOMPARE(Content(window).toPlainText().replace("\n", "\r\n").toStdString(),
             f.ReadDataFile("OPTIONS.MST"));
    QCOMPARE(f.session.calc.options[Option::ConjunctionOrb], 2.5f);

    // Quit keeps the old values; Save takes the restored ones.
    Click(window, "btnQuit");
    QTRY_VERIFY(!f.shell->optionsLoaded());
    QCOMPARE(f.session.calc.options[Option::ConjunctionOrb], 2.5f);
    Click(OpenOptions(f), "btnSave");
    QCOMPARE(f.session.calc.options[Option::ConjunctionOrb], 8.0f);
}

void OptionsWindowTest::failedRestoreAndMissingFileAreReported() {
    GuiFixture f;
    f.Start();
    OptionsWindow& window = OpenOptions(f);
    Content(window).setPlainText("kept text\n");
    std::filesystem::remove(f.dataDir() / "OPTIONS.MST");
    Click(window, "cmdRestoreDefault");
    QCOMPARE(f.dialogs.messages.size(), std::size_t{1});
    QCOMPARE(f.dialogs.messages[0].text,
             QString("Error in operation. I cannot do what is requested - I don't know why."));
    QCOMPARE(f.dialogs.messages[0].title, QString("Warning!"));
    QCOMPARE(Content(window).toPlainText(), QString("kept text\n"));

    Click(window, "btnQuit");
    QTRY_VERIFY(!f.shell->optionsLoaded());
    std::filesystem::remove(f.dataDir() / "OPTIONS.OPT");
    f.shell->main().findChild<QAction*>("mnuOptions")->trigger();
    QCOMPARE(f.dialogs.messages.size(), std::size_t{2});
    QCOMPARE(f.dialogs.messages[1].text, QString("File Not Found"));
    QVERIFY(!f.shell->optionsLoaded());
}

void OptionsWindowTest::titleAndAboutWindows() {
    // Option 15 shows the title window at start-up, modally, before the main window.
    GuiFixture f;
    std::string options = f.ReadDataFile("OPTIONS.OPT");
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < options.size();) {
        const std::size_t end = options.find("\r\n", start);
        lines.push_back(options.substr(start, end - start));
        start = end + 2;
    }
    lines[14] = "1      show the title window";
    std::string edited;
    for (const std::string& line : lines) edited += line + "\r\n";
    f.WriteDataFile("OPTIONS.OPT", edited);
    QString label2;
    f.dialogs.modalActions.push_back([&](QDialog& dialog) {
        label2 = dialog.findChild<QLabel*>("Label2")->text();
        SaveScreenshot(dialog, "title_window");
        dialog.findChild<QPushButton*>("cmdOK")->click();
        return dialog.result();
    });
    f.Start();
    QCOMPARE(label2, QString("Version 2.34"));
    QVERIFY(f.dialogs.modalActions.empty());

    f.shell->main().findChild<QAction*>("mnuHelpAbout")->trigger();
    AboutWindow* about = f.shell->main().findChild<AboutWindow*>("About");
    QVERIFY(about);
    QVERIFY(about->isVisible());
    SaveScreenshot(*about, "about_window");
    QTest::mouseClick(about, Qt::LeftButton);
    QTRY_VERIFY(f.shell->main().findChild<AboutWindow*>("About") == nullptr);
}

QTEST_MAIN(OptionsWindowTest)
#include "options_window_test.moc"
