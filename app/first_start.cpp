#include "app/first_start.h"

#include "platform/failure.h"
#include "platform/files.h"
#include "platform/utf8_path.h"
#include "samples/sample_pictures.h"

#include <filesystem>
#include <system_error>

namespace qv {

void PrepareSettingsFolder(const SettingsLocation &location, const std::string &settingsFile)
{
    if (location.besideProgram || FileExists(settingsFile)) {
        return;
    }
    std::error_code error;
    std::filesystem::create_directories(Utf8Path(location.folder), error);
    if (error) {
        return;
    }
    try {
        samples::WriteMissingSamples(location.folder);
    } catch (const Failure &) {
        // A sample that cannot be written only leaves the folder emptier.
    }
}

} // namespace qv
