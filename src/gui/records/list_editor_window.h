#pragma once
// What the names editor (NameEdit) and the cities editor (LongLat) share: the whole file as plain
// text in a fixed-pitch font, Save writing it back in place and Quit closing the editor.
#include <QWidget>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

class QPlainTextEdit;

namespace orrerion::gui {

class Dialogs;
class WindowRequests;

class ListEditorWindow : public QWidget {
    Q_OBJECT
public:
    // The file the editor shows and saves.
    const std::filesystem::path& path() const { return path_; }

    // Writes the text back to the file (with CR LF line ends); a failed write is reported and the
    // file left as it was. The window stays open.
    void btnSave_Click();
    // Closes the editor without asking about unsaved changes; the list window of the file is then
    // read again.
    void btnQuit_Click();

protected:
    // Made as a window of its own over `owner` (the main window); reads `path` with the
    // hourglass shown.
    ListEditorWindow(QWidget& owner, WindowRequests& requests, Dialogs& dialogs,
                     const char* objectName, std::filesystem::path path);

    // After a successful save, and after Quit closed the editor.
    virtual void Saved() {}
    // Why the list window would show fewer records than the saved text holds; said after a save.
    virtual std::optional<std::string> ListEndNote(std::string_view) const { return std::nullopt; }
    virtual void ReloadList() = 0;

    void paintEvent(QPaintEvent* event) override;

    WindowRequests& requests_;
    Dialogs& dialogs_;

private:
    std::filesystem::path path_;
    QPlainTextEdit* txtContent_;
};

}  // namespace orrerion::gui
