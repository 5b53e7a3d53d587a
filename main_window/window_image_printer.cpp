#include "main_window/window_image_printer.h"

#include "window_kit/app_identity.h"

#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <cmath>

bool printImagePage(QPagedPaintDevice& device, const QImage& image, double screenDotsPerInch)
{
    const int deviceDotsPerInch = device.logicalDpiX();
    const QSizeF printable = device.pageLayout().paintRectPixels(deviceDotsPerInch).size();
    const QRectF target =
        printedImageRect(image.deviceIndependentSize(), screenDotsPerInch, deviceDotsPerInch, printable);
    if (target.isEmpty())
        return false;
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, image);
    return painter.end();
}

QRectF printedImageRect(QSizeF onScreenSize, double screenDotsPerInch, double deviceDotsPerInch, QSizeF printableSize)
{
    if (onScreenSize.isEmpty() || !(screenDotsPerInch > 0) || !(deviceDotsPerInch > 0) || printableSize.isEmpty())
        return {};
    QSizeF size = onScreenSize * (deviceDotsPerInch / screenDotsPerInch);
    if (size.width() > printableSize.width() || size.height() > printableSize.height())
        size = size.scaled(printableSize, Qt::KeepAspectRatio);
    if (!std::isfinite(size.width()) || !std::isfinite(size.height()))
        return {};
    return QRectF(QPointF(0, 0), size);
}

bool DefaultPrinterImagePrinter::print(const QImage& image, double screenDotsPerInch)
{
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (defaultPrinter.isNull())
        return false;
    QPrinter printer(defaultPrinter, QPrinter::HighResolution);
    printer.setDocName(windowkit::applicationTitle());
    if (!printer.isValid())
        return false;
    if (!printImagePage(printer, image, screenDotsPerInch))
        return false;
    return printer.printerState() != QPrinter::Error && printer.printerState() != QPrinter::Aborted;
}
