#include "platform/qt/name_filters.h"

#include <ostream>
#include <string>

#include <gtest/gtest.h>

namespace qv {
namespace {

struct FilterCase {
    const char *what;
    std::string filter;
    QStringList expected;
};

void PrintTo(const FilterCase &c, std::ostream *out)
{
    *out << c.what;
}

class NameFilters : public testing::TestWithParam<FilterCase>
{
};

TEST_P(NameFilters, BecomeQtNameFilters)
{
    SCOPED_TRACE(GetParam().what);
    EXPECT_EQ(QtNameFilters(GetParam().filter), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table,
    NameFilters,
    testing::Values(
        FilterCase {"the palette choice",
            "JASC 3 Palette Files (*.pal)|*.pal|JASC 8 Palette Files (*.pal)|*.pal|Photoshop "
            "Palette Files (*.act)|*.act|Wolf3D Palette Object (GAMEPAL.OBJ)|GAMEPAL.OBJ|All "
            "Files (*.*)|*.*",
            {"JASC 3 Palette Files (*.pal)",
                "JASC 8 Palette Files (*.pal)",
                "Photoshop Palette Files (*.act)",
                "Wolf3D Palette Object (GAMEPAL.OBJ)",
                "All Files (*)"}},
        FilterCase {"several patterns", "Pictures|*.bmp;*.dib", {"Pictures (*.bmp *.dib)"}},
        FilterCase {
            "blanks around patterns", "Pictures| *.bmp ; *.dib ", {"Pictures (*.bmp *.dib)"}},
        FilterCase {"description without its pattern", "Everything|*.*", {"Everything (*)"}},
        FilterCase {"a dangling description", "Pictures|*.bmp|Other", {"Pictures (*.bmp)"}},
        FilterCase {"an empty pattern", "Anything|", {"Anything (*)"}},
        FilterCase {"no filter", "", {}}));

} // namespace
} // namespace qv
