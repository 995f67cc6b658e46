#include "gui/pictures/picture_export.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrinter>

#include "core/io/file_replace.h"
#include "gui/ui/dialogs.h"

namespace orrerion::gui {

std::optional<PictureFormat> PictureFormatOf(const QString& fileName) {
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == "png") return PictureFormat::Png;
    if (suffix == "svg") return PictureFormat::Svg;
    if (suffix == "pdf") return PictureFormat::Pdf;
    return std::nullopt;
}

QByteArray RenderPng(QSize size, const PicturePainter& paint) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        paint(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray RenderPdf(QPageLayout::Orientation orientation, const PicturePainter& paint) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageOrientation(orientation);
        writer.setResolution(300);
        writer.setCreator("Orrerion");
        QPainter painter(&writer);
        const QRectF area = writer.pageLayout().paintRectPixels(writer.resolution());
        paint(painter, QRectF(QPointF(0, 0), area.size()));
    }
    return bytes;
}

std::optional<std::string> WritePicture(const QString& path, const PictureExport& request) {
    const std::optional<PictureFormat> format = PictureFormatOf(path);
    if (!format) return "Cannot write " + path.toStdString() + ": the name ends in neither .png, .svg nor .pdf";
    std::string bytes;
    switch (*format) {
        case PictureFormat::Svg: bytes = request.svg(); break;
        case PictureFormat::Png: bytes = RenderPng(request.pngSize, request.paint).toStdString(); break;
        case PictureFormat::Pdf: bytes = RenderPdf(request.pdfOrientation, request.paint).toStdString(); break;
    }
    const WriteResult written = ReplaceFile(path.toStdString(), bytes);
    if (!written.ok) return written.message;
    return std::nullopt;
}

QString SavedText(const QString& path) { return "Saved " + path; }

QString ExportPicture(QWidget* parent, Dialogs& dialogs, const PictureExport& request) {
    SaveDialogRequest ask;
    ask.title = request.title;
    ask.initialDir = request.initialDir;
    ask.proposedName = request.proposedName;
    ask.defaultSuffix = QFileInfo(request.proposedName).suffix();
    ask.filter = "Pictures (*.png *.svg *.pdf);;PNG image (*.png);;SVG drawing (*.svg);;PDF document (*.pdf)";
    const QString path = dialogs.SaveFileName(parent, ask);
    if (path.isEmpty()) return {};
    BusyPointer busy(dialogs);
    if (const std::optional<std::string> problem = WritePicture(path, request)) {
        dialogs.MessageBox(parent, QString::fromStdString(*problem), "Error!", MessageIcon::Critical);
        return {};
    }
    return path;
}

bool PrintPicture(QWidget* parent, Dialogs& dialogs, QPageLayout::Orientation orientation, int pages,
                  const std::function<void(QPainter&, const QRectF&, int page)>& paintPage) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(orientation);
    if (!dialogs.SetUpPrinter(parent, printer)) return false;
    QPainter painter;
    if (!painter.begin(&printer)) {
        dialogs.MessageBox(parent, "The printer could not be started.", "Error!", MessageIcon::Critical);
        return false;
    }
    const QRectF area(QPointF(0, 0), printer.pageLayout().paintRectPixels(printer.resolution()).size());
    for (int page = 0; page < pages; ++page) {
        if (page > 0) printer.newPage();
        paintPage(painter, area, page);
    }
    painter.end();
    return true;
}

}  // namespace orrerion::gui
