#include "cli/find_minimum.h"

#include "engine/find_minimum.h"
#include "engine/square_size.h"
#include "platform/scripted_dialog_service.h"

namespace qv::cli {

std::int32_t FindMinimumSquare(const std::vector<std::string> &pictures)
{
    ScriptedDialogService silent;
    return qv::FindMinimumSquare(
        silent, pictures, kStartSmallestSquareSize, kLargestSquareSize, PicturesShown::NotYet);
}

} // namespace qv::cli
