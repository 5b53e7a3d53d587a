#pragma once

// Where Print Screen sends the picture of the window. The program prints on
// the system's default printer; a test (or anyone wanting a file) may print
// into a PDF file instead.

#include <QRectF>
#include <QSizeF>

class QImage;
class QPagedPaintDevice;

class WindowImagePrinter {
public:
    WindowImagePrinter() = default;
    Q_DISABLE_COPY_MOVE(WindowImagePrinter)
    virtual ~WindowImagePrinter() = default;
    // Prints `image` as one page at the size it has on a screen of
    // `screenDotsPerInch`; false on any failure, with the job released.
    virtual bool print(const QImage& image, double screenDotsPerInch) = 0;
};

class DefaultPrinterImagePrinter final : public WindowImagePrinter {
public:
    bool print(const QImage& image, double screenDotsPerInch) override;
};

// Prints `image` as one page on any paged device at the size it has on a
// screen of `screenDotsPerInch`; false on any failure. The device's job
// ends when the device is destroyed.
bool printImagePage(QPagedPaintDevice& device, const QImage& image, double screenDotsPerInch);

// Where the image goes on the page, in device pixels from the top-left of
// the printable area: its on-screen size scaled by the device's resolution
// over the screen's. An image larger than the printable area is shrunk to
// fit, keeping its proportions, rather than cut off. Empty when there is
// nothing sensible to print.
QRectF printedImageRect(QSizeF onScreenSize, double screenDotsPerInch, double deviceDotsPerInch, QSizeF printableSize);
