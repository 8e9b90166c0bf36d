#pragma once

#include "cli/convert_jobs.h"
#include "cli/file_result.h"

#include <string>
#include <vector>

namespace qv::cli {

// Why --heatmap FILE cannot be used with these inputs, before anything is converted: the run
// must hold exactly one picture (one FILE cannot hold the pictures of many), and FILE must be
// neither a folder, nor the picture, nor where its result goes (in place or into outputFolder, in
// format). Empty when all is well. Touches no file.
std::string HeatmapProblem(const std::string &heatmap,
    const std::vector<InputFile> &inputs,
    const std::string &outputFolder,
    OutputFormat format);

// Writes the difference picture of the converted picture as a PNG at heatmap (replacing the
// file whole, never half-written). Returns what went wrong as a line naming the file, empty
// when it was written; a picture that was not brought onto the palette has none.
std::string WriteHeatmap(const std::string &heatmap, const FileResult &result);

} // namespace qv::cli
