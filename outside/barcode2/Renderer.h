// Renders a value with an object's properties through the encoder: into an
// image at a resolution, into a drawing in millimetres, or into a file.
// Each returns BARCODE_ERROR_NONE or the error number of the failure.
#pragma once

#include <string_view>
#include <vector>

#include "Errors.h"
#include "Properties.h"
#include "platform/ui/Gdi.h"
#include "platform/ui/Image.h"

namespace vext::barcode2 {

// Modules are whole dots: at dpiX across, bar heights at dpiY.
long RenderImage(const Properties& p, std::string_view value, int dpiX, int dpiY, Image& image);

// Modules are `printerDpi` dots wide when it is above 0.
long RenderDrawing(const Properties& p, std::string_view value, int printerDpi, Drawing& drawing);

// The image formats SaveFile writes, by lower-case extension.
bool IsImageExtension(std::string_view extension);

// The file's bytes in the format `extension` names, at DpiX/DpiY.
long RenderFile(const Properties& p, std::string_view value, std::string_view extension,
                std::vector<BYTE>& bytes);

}  // namespace vext::barcode2
