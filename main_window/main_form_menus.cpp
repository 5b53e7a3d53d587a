#include "main_window/main_form.h"

#include "main_window/window_image_printer.h"

// About window and Print Screen: being written.
void Mainform::mnuPrint_Click() {}
void Mainform::mnuAbout_Click() {}
void Mainform::setWindowImagePrinter(std::unique_ptr<WindowImagePrinter> printer)
{
    windowImagePrinter = std::move(printer);
}
