#include "gui_fixture.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QWidget>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace orrerion::gui::testing {
namespace fs = std::filesystem;

GuiFixture::GuiFixture(const QDateTime& now) {
    if (!dir_.isValid()) throw std::runtime_error("cannot make a temporary folder");
    for (const fs::directory_entry& entry : fs::directory_iterator(ORRERION_DATA_DIR)) {
        if (entry.is_regular_file()) fs::copy_file(entry.path(), dataDir() / entry.path().filename());
    }
    session.calc.ProgramDir = dataDir();
    session.exeDir = dataDir();
    session.clock.locale = QLocale(QLocale::English, QLocale::UnitedStates);
    session.clock.now = [now] { return now; };
    shell = std::make_unique<Shell>(session);
}

void GuiFixture::WriteDataFile(const std::string& name, const std::string& content) const {
    std::ofstream out(dataDir() / name, std::ios::binary | std::ios::trunc);
    out << content;
}

std::string GuiFixture::ReadDataFile(const std::string& name) const {
    return ReadWholeFile(dataDir() / name);
}

void GuiFixture::Start() {
    shell->Start();
    QApplication::processEvents();
}

QString SaveScreenshot(QWidget& window, const QString& name) {
    QDir().mkpath(ORRERION_SCREENSHOT_DIR);
    const QString path = QDir(ORRERION_SCREENSHOT_DIR).filePath(name + ".png");
    window.grab().save(path);
    return path;
}

QString SaveDesktopScreenshot(const QString& name) {
    QImage desktop(1280, 800, QImage::Format_RGB32);
    desktop.fill(QColor(0x3A, 0x6E, 0xA5));
    QPainter painter(&desktop);
    constexpr int TitleBar = 22;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible() || window->windowType() == Qt::ToolTip) continue;
        const QPoint at = window->pos() + QPoint(0, TitleBar);
        painter.fillRect(QRect(at.x(), at.y() - TitleBar, window->width(), TitleBar), QColor(0x20, 0x30, 0x60));
        painter.setPen(Qt::white);
        painter.drawText(QRect(at.x() + 6, at.y() - TitleBar, window->width() - 12, TitleBar),
                         Qt::AlignVCenter | Qt::AlignLeft, window->windowTitle());
        painter.drawPixmap(at, window->grab());
    }
    painter.end();
    QDir().mkpath(ORRERION_SCREENSHOT_DIR);
    const QString path = QDir(ORRERION_SCREENSHOT_DIR).filePath(name + ".png");
    desktop.save(path);
    return path;
}

std::string ReadWholeFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace orrerion::gui::testing
