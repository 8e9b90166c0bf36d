#include "cli/heatmap.h"

#include "cli/path_identity.h"
#include "engine/png_file.h"
#include "engine/result_path.h"
#include "palette/difference_picture.h"
#include "platform/failure.h"
#include "platform/files.h"

namespace qv::cli {

std::string HeatmapProblem(const std::string &heatmap,
    const std::vector<InputFile> &inputs,
    const std::string &outputFolder,
    OutputFormat format)
{
    if (inputs.size() != 1) {
        return "--heatmap takes the difference picture of one picture; this run has "
            + std::to_string(inputs.size());
    }
    if (FolderExists(heatmap)) {
        return "--heatmap " + NativePath(heatmap) + " is a folder";
    }
    const std::string identity = PathIdentity(heatmap);
    const ConvertJob job = PrepareJobs(inputs, outputFolder, format).front();
    const std::string result =
        job.outputPath.empty() ? ResultPath(job.file, format) : job.outputPath;
    if (identity == PathIdentity(job.file) || identity == PathIdentity(result)) {
        return "--heatmap " + NativePath(heatmap) + " would replace the picture or its result";
    }
    return {};
}

std::string WriteHeatmap(const std::string &heatmap, const FileResult &result)
{
    if (!result.mapped) {
        return NativePath(heatmap) + ": no difference picture: " + NativePath(result.file)
            + (result.status == FileStatus::Converted ? " was not brought onto the palette"
                                                      : " was not converted");
    }
    try {
        const DifferencePicture picture = MakeDifferencePicture(*result.mapped);
        WriteFileAtomic(heatmap, EncodeRgbPng(picture.rgb, picture.width, picture.height));
    } catch (const Failure &failure) {
        return NativePath(heatmap) + ": the difference picture was not written: Error #"
            + std::to_string(failure.Number()) + ": " + failure.Description();
    }
    return {};
}

} // namespace qv::cli
