#include "cli/command_line.h"

#include "cli/cli_options.h"
#include "cli/convert_jobs.h"
#include "cli/convert_run.h"
#include "cli/convert_settings.h"
#include "cli/find_minimum.h"
#include "cli/heatmap.h"
#include "cli/message_line.h"
#include "cli/restore_run.h"
#include "cli/result_printer.h"
#include "common/cls_ini.h"
#include "palette/palette_store.h"
#include "platform/app_info.h"
#include "platform/failure.h"
#include "platform/file_failure.h"
#include "platform/files.h"
#include "platform/scripted_dialog_service.h"
#include "platform/settings_location.h"
#include "platform/temporary_files.h"
#include "platform/utf8_path.h"

#include <filesystem>
#include <set>

namespace qv::cli {
namespace {

constexpr const char *kProgram = "quorvantile-convert";
// The window program's file name: its settings file is named after it.
constexpr const char *kWindowProgram = "quorvantile";

int UsageError(std::ostream &err, const std::string &message)
{
    err << kProgram << ": " << message << "\nTry '" << kProgram
        << " --help' for more information.\n";
    return kExitUsage;
}

std::string FailureText(const Failure &failure)
{
    return "Error #" + std::to_string(failure.Number()) + ": " + failure.Description();
}

// Reads the settings as the window's start-up does; the store may never save, so the file is
// left exactly as it is. A problem with the file is returned as text.
std::string ReadSettings(const std::string &path, bool named, ConversionOptions &options)
{
    if (!FileExists(path)) {
        if (named && FolderExists(path)) {
            return "the settings file " + NativePath(path) + " is a folder";
        }
        if (named && PathExists(path)) {
            return "the settings file " + NativePath(path)
                + " is not an ordinary file (a device, a pipe or a socket)";
        }
        if (named) {
            return "settings file not found: " + NativePath(path);
        }
        options = ConversionOptions {};
        return {};
    }
    try {
        // clsINI would take an unreadable file as empty; here that would silently convert with
        // other settings than the user keeps.
        ReadWholeFile(path);
    } catch (const Failure &failure) {
        return "cannot read the settings file " + NativePath(path) + ": " + FailureText(failure);
    }
    ScriptedDialogService dialogs;
    clsINI ini(dialogs);
    ini.LoadINI(path);
    ini.AllowSaveFile(false);
    options = OptionsFromSettings(ini);
    return {};
}

// Loads the chosen palette once, so that one that cannot be read stops the run before any
// picture is converted with a palette of black.
std::vector<std::string> PaletteProblems(const ConversionOptions &options)
{
    ScriptedDialogService recorder;
    PaletteStore store;
    store.ReadPaletteFile(recorder, options.palette);
    std::vector<std::string> problems;
    for (const std::string &text : recorder.MessageTexts()) {
        problems.push_back(OneLine(text));
    }
    return problems;
}

std::string PrepareOutputFolder(const std::string &folder)
{
    if (FolderExists(folder)) {
        return {};
    }
    if (PathExists(folder)) {
        return "the output " + NativePath(folder) + " is not a folder";
    }
    // Missing parents are made too, as a build script expects of an output path.
    std::error_code error;
    std::filesystem::create_directories(Utf8Path(folder), error);
    if (FolderExists(folder)) {
        return {};
    }
    return "cannot create the output folder " + NativePath(folder) + ": "
        + FailureText(FileFailure(error, "creating the folder", folder));
}

// What an earlier run that was killed mid-write left in the folders this run writes to.
void RemoveLeftTemporaryFiles(const std::vector<ConvertJob> &jobs,
    const std::string &outputFolder,
    std::filesystem::file_time_type runStart)
{
    std::set<std::string> folders;
    if (!outputFolder.empty()) {
        folders.insert(outputFolder);
    }
    for (const ConvertJob &job : jobs) {
        if (job.problem.empty() && !job.backupFolder.empty()) {
            folders.insert(job.backupFolder);
            folders.insert(Utf8Text(Utf8Path(job.backupFolder).parent_path()));
        }
    }
    for (const std::string &folder : folders) {
        qv::RemoveLeftTemporaryFiles(folder, runStart);
    }
}

std::vector<std::string> Pictures(const std::vector<InputFile> &inputs)
{
    std::vector<std::string> pictures;
    for (const InputFile &input : inputs) {
        if (input.problem.empty()) {
            pictures.push_back(input.file);
        }
    }
    return pictures;
}

// "Converted 9 file(s)." when every file converted, else how many of how many, so a build log
// shows at a glance that something was left out.
std::string ClosingLine(std::size_t converted, std::size_t total)
{
    if (converted == total) {
        return "Converted " + std::to_string(converted) + " file(s).";
    }
    return "Converted " + std::to_string(converted) + " of " + std::to_string(total) + " file(s); "
        + std::to_string(total - converted) + " refused or failed.";
}

} // namespace

std::string DefaultSettingsPath()
{
    return JoinPath(CurrentSettingsLocation().folder, std::string(kWindowProgram) + ".ini");
}

int RunCommandLine(const std::vector<std::string> &args,
    std::ostream &out,
    std::ostream &err,
    std::size_t progressColumns)
{
    const auto runStart = std::filesystem::file_time_type::clock::now();
    const ParseResult parsed = ParseCommandLine(args);
    if (!parsed.ok()) {
        return UsageError(err, parsed.error);
    }
    const CliOptions &options = parsed.options;
    if (options.help) {
        out << HelpText();
        return kExitConverted;
    }
    if (options.version) {
        out << kProgram << ' ' << VersionText() << '\n';
        return kExitConverted;
    }
    if (options.restore) {
        return RunRestore(options.paths, options.quiet, out, err);
    }

    ConversionOptions conversion;
    const bool named = !options.settingsFile.empty();
    const std::string settingsPath = named ? options.settingsFile : DefaultSettingsPath();
    if (std::string problem = ReadSettings(settingsPath, named, conversion); !problem.empty()) {
        return UsageError(err, problem);
    }
    if (std::string problem = ApplyOptions(options, conversion); !problem.empty()) {
        return UsageError(err, problem);
    }
    if (std::string problem = PaletteFileProblem(conversion.palette); !problem.empty()) {
        return UsageError(err, problem);
    }
    if (const std::vector<std::string> problems = PaletteProblems(conversion); !problems.empty()) {
        for (std::size_t i = 0; i + 1 < problems.size(); ++i) {
            err << kProgram << ": " << problems[i] << '\n';
        }
        return UsageError(err, "the palette cannot be used: " + problems.back());
    }

    const std::vector<InputFile> inputs = ExpandPaths(options.paths);
    if (!options.heatmap.empty()) {
        const std::string problem =
            HeatmapProblem(options.heatmap, inputs, options.outputDir, conversion.outputFormat);
        if (!problem.empty()) {
            return UsageError(err, problem);
        }
    }
    if (!options.outputDir.empty()) {
        if (std::string problem = PrepareOutputFolder(options.outputDir); !problem.empty()) {
            return UsageError(err, problem);
        }
    }
    if (options.findMinimum) {
        conversion.squareSize = FindMinimumSquare(Pictures(inputs));
        if (!options.quiet && !options.json) {
            err << "Find Minimum: a square of " << conversion.squareSize << '\n';
        }
    }

    const std::vector<ConvertJob> jobs =
        PrepareJobs(inputs, options.outputDir, conversion.outputFormat);
    RemoveLeftTemporaryFiles(jobs, options.outputDir, runStart);
    ResultPrinter printer(out,
        err,
        options.json,
        options.quiet ? 0 : progressColumns,
        jobs.size(),
        options.json && options.reportEntries);
    // The report costs more than the conversion on pictures of many colours: only where shown.
    const bool reportsShown = options.json || !options.quiet;
    std::string heatmapProblem;
    RunConversion(
        conversion,
        jobs,
        options.jobs,
        [&](const FileResult &r) {
            printer.Print(r);
            if (!options.heatmap.empty()) {
                heatmapProblem = WriteHeatmap(options.heatmap, r);
            }
        },
        reportsShown,
        !options.heatmap.empty());
    printer.Finish();
    if (!heatmapProblem.empty()) {
        err << heatmapProblem << '\n';
    }
    if (!options.json && !options.quiet) {
        out << ClosingLine(printer.Converted(), printer.Printed()) << '\n';
        if (printer.Summary().pixels > 0) {
            out << "Colours: " << MappingReportText(printer.Summary()) << ".\n";
        }
    }
    return printer.AllConverted() && heatmapProblem.empty() ? kExitConverted : kExitNotAllConverted;
}

} // namespace qv::cli
