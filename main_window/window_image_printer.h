#pragma once

// Where Print Screen sends the image of the window. The program prints on the
// system's default printer; a test may print into a file instead.

class QImage;

class WindowImagePrinter {
public:
    virtual ~WindowImagePrinter() = default;
    // Prints `image` as one page at its on-screen size; false on any failure.
    virtual bool print(const QImage& image) = 0;
};
