#include "common/report_error.h"
#include "platform/failure.h"
#include "platform/scripted_dialog_service.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(ReportError, ShowsNameNumberAndDescriptionInOneErrorBox)
{
    struct Case {
        std::string name;
        Failure failure;
        std::string text;
    };
    const std::vector<Case> cases {
        {"LoadBMPFile",
            Failure(kFileNotFound, "File not found"),
            "Error in LoadBMPFile\r\nError #53\r\nFile not found"},
        {"LoadBMPFile", Failure(kFileNotFound, ""), "Error in LoadBMPFile\r\nError #53\r\n"},
        {"LoadPaletteDataFromFile",
            Failure(kUnknownFileFormat, "Unknown file format"),
            "Error in LoadPaletteDataFromFile\r\nError #9999\r\nUnknown file format"},
        {"ResizeBMP at line 0, pixel 3 , 4",
            Failure(-1, "two\r\nlines"),
            "Error in ResizeBMP at line 0, pixel 3 , 4\r\nError #-1\r\ntwo\r\nlines"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(ErrorReportText(c.name, c.failure), c.text);
        ScriptedDialogService dialogs;
        ReportError(dialogs, c.name, c.failure);
        ASSERT_EQ(dialogs.Log().size(), 1U) << c.name;
        const ScriptedDialogService::Shown &shown = dialogs.Log()[0];
        EXPECT_EQ(shown.kind, ScriptedDialogService::Kind::Message);
        EXPECT_EQ(shown.text, c.text);
        EXPECT_EQ(shown.title, c.name + " Error");
        EXPECT_EQ(shown.icon, MessageIcon::Error);
    }
}

} // namespace
} // namespace qv
