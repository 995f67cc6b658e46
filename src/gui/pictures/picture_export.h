#pragma once
// Saving and printing a picture from a window: PNG, PDF (both painted with QPainter from the
// picture's layout) or SVG (the core's own writer, the same text the command line writes), chosen
// by the file name; the bytes are written by the core's file replacement, so a failed export
// leaves nothing half-written and names the path and the reason.
#include <QPageLayout>
#include <QRectF>
#include <QSize>
#include <QString>
#include <functional>
#include <optional>
#include <string>

class QPainter;
class QPrinter;
class QWidget;

namespace orrerion::gui {

class Dialogs;

enum class PictureFormat { Png, Svg, Pdf };
// By the file name's extension (case ignored); nothing for any other.
std::optional<PictureFormat> PictureFormatOf(const QString& fileName);

// Paints a page or an image into `target` (device pixels).
using PicturePainter = std::function<void(QPainter& painter, const QRectF& target)>;

// The bytes of a PNG image of `size` pixels, and of a one-page PDF.
QByteArray RenderPng(QSize size, const PicturePainter& paint);
QByteArray RenderPdf(QPageLayout::Orientation orientation, const PicturePainter& paint);

struct PictureExport {
    QString title;             // of the save dialog
    QString proposedName;      // without folder: "John_wheel.png"
    QString initialDir;
    QSize pngSize;             // pixels
    QPageLayout::Orientation pdfOrientation = QPageLayout::Portrait;
    PicturePainter paint;
    std::function<std::string()> svg;  // the SVG text
};

// Asks for a file (PNG, SVG or PDF) and writes it. The file written; nothing on Cancel or failure
// (reported).
QString ExportPicture(QWidget* parent, Dialogs& dialogs, const PictureExport& request);
// The confirmation a window's status line shows after an export: "Saved /home/me/John_wheel.png".
QString SavedText(const QString& path);
// Writes the picture to `path` in the format of its extension; the result names the path and the
// reason on failure.
std::optional<std::string> WritePicture(const QString& path, const PictureExport& request);

// Prints through the print dialog, one page (or `pages` pages: the painter is called with the page
// number from 0) in the given orientation. False on Cancel.
bool PrintPicture(QWidget* parent, Dialogs& dialogs, QPageLayout::Orientation orientation, int pages,
                  const std::function<void(QPainter&, const QRectF&, int page)>& paintPage);

}  // namespace orrerion::gui
