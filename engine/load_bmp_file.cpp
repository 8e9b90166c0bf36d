#include "engine/load_bmp_file.h"

#include "common/report_error.h"
#include "engine/mod_add_bmp_header.h"
#include "platform/app_info.h"
#include "platform/failure.h"
#include "platform/files.h"

namespace qv {
namespace {

bool Refuse(DialogService &dialogs, const std::string &text)
{
    dialogs.MessageBox(text, kAppTitle, MessageIcon::None);
    return false;
}

} // namespace

bool LoadBMPFile(
    DialogService &dialogs, int largestSize, const std::string &path, LoadedImage &image)
{
    try {
        const std::vector<std::uint8_t> bytes = ReadWholeFile(path);
        RemoveBMPHeader(bytes, image);
        if (image.width > largestSize || image.height > largestSize) {
            return Refuse(dialogs, "BMP too large: " + path);
        }
        if (image.bitCount != 8 && image.bitCount != 24 && image.bitCount != 32) {
            return Refuse(dialogs,
                "BMP bitdepth " + std::to_string(image.bitCount) + " not supported: " + path);
        }
        if (const std::uint32_t compression = BMPCompression(bytes); compression != 0) {
            return Refuse(dialogs,
                "BMP compression " + std::to_string(compression) + " not supported: " + path);
        }
        return true;
    } catch (const Failure &failure) {
        ReportError(dialogs, "LoadBMPFile", failure);
        return false;
    }
}

} // namespace qv
