// The games' formats through quorvantile-convert, read by programs no one here wrote: Debian's
// deutex builds a PWAD of the Doom pictures and flats and extracts them again with the same
// pixels and offsets; Pillow and ImageMagick read the PCX results with the same indices and
// palette.
#include "tests/cli/cli_test_support.h"
#include "tests/support/reference_decode.h"
#include "tests/support/temp_dir.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include <gtest/gtest.h>

namespace qv::cli {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using qv::test::CommandOutput;
using qv::test::ReadBytes;
using qv::test::ShellQuote;
using qv::test::TempDir;

constexpr const char *kDeutex = "/usr/games/deutex";
constexpr const char *kIwad = "/usr/share/games/doom/freedoom2.wad";
// The index deutex gives see-through pixels when it extracts Doom pictures.
constexpr int kDeutexSeeThrough = 247;

// Writes RGBA sprites of these sizes into folder with Pillow: a figure of random opaque colours
// in an ellipse, see-through around it and with half-transparent pixels at its rim.
void WriteSprites(const std::string &folder, const std::vector<std::pair<int, int>> &sizes)
{
    std::string script = "import random\nfrom PIL import Image\nrandom.seed(32)\n";
    int n = 0;
    for (const auto &[w, h] : sizes) {
        script += "im = Image.new('RGBA', (" + std::to_string(w) + ", " + std::to_string(h)
            + "), (0, 0, 0, 0))\n"
              "for y in range(im.height):\n"
              "    for x in range(im.width):\n"
              "        d = ((x + 0.5) / im.width - 0.5) ** 2 + ((y + 0.5) / im.height - 0.5) ** 2\n"
              "        if d < 0.25:\n"
              "            a = 255 if d < 0.2 else 100\n"
              "            im.putpixel((x, y), (random.randrange(256), random.randrange(256), "
              "random.randrange(256), a))\n"
              "im.save("
            + ShellQuote(folder + "/s" + std::to_string(n++) + ".png") + ")\n";
    }
    TempDir dir;
    const std::string path = dir.Write("sprites.py", script);
    ASSERT_EQ(CommandOutput("/usr/bin/python3 " + ShellQuote(path) + " 2>&1"), "");
}

// The first palette of the IWAD's PLAYPAL lump as a 768-byte ACT palette file.
std::string PlaypalAsAct(const TempDir &dir)
{
    const Bytes wad = ReadBytes(kIwad);
    const auto word = [&](std::size_t at) {
        return static_cast<std::size_t>(
            wad.at(at) | wad.at(at + 1) << 8 | wad.at(at + 2) << 16 | wad.at(at + 3) << 24);
    };
    for (std::size_t e = 0, directory = word(8); e < word(4); ++e) {
        const std::size_t at = directory + 16 * e;
        if (std::string(wad.begin() + at + 8, wad.begin() + at + 15) == "PLAYPAL") {
            return dir.Write(
                "playpal.act", Bytes(wad.begin() + word(at), wad.begin() + word(at) + 768));
        }
    }
    return {};
}

// A PWAD of the given lumps, each named as given.
Bytes Wad(const std::vector<std::pair<std::string, Bytes>> &lumps)
{
    Bytes data;
    Bytes directory;
    const auto put = [](Bytes &to, std::size_t value) {
        for (int i = 0; i < 4; ++i) {
            to.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
        }
    };
    for (const auto &[name, bytes] : lumps) {
        put(directory, 12 + data.size());
        put(directory, bytes.size());
        std::string padded = name;
        padded.resize(8, '\0');
        directory.insert(directory.end(), padded.begin(), padded.end());
        data.insert(data.end(), bytes.begin(), bytes.end());
    }
    Bytes wad = {'P', 'W', 'A', 'D'};
    put(wad, lumps.size());
    put(wad, 12 + data.size());
    wad.insert(wad.end(), data.begin(), data.end());
    wad.insert(wad.end(), directory.begin(), directory.end());
    return wad;
}

std::string Lower(std::string text)
{
    for (char &c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

// The indices of an 8-bit BMP file, top row first, unpadded.
Bytes BmpIndices(const Bytes &file)
{
    const test::BmpShape shape = test::ShapeOf(file);
    const auto width = static_cast<std::size_t>(shape.width);
    const std::size_t stride = (width + 3) / 4 * 4;
    Bytes indices;
    for (auto y = static_cast<std::size_t>(shape.height); y-- > 0;) {
        const auto row = file.begin() + static_cast<std::ptrdiff_t>(1078 + y * stride);
        indices.insert(indices.end(), row, row + static_cast<std::ptrdiff_t>(width));
    }
    return indices;
}

// "x,y" of each "offsets":[x,y] in the JSON lines, by the output's file name.
std::map<std::string, std::string> JsonOffsets(const std::string &json)
{
    std::map<std::string, std::string> offsets;
    std::istringstream lines(json);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t output = line.find("\"output\":\"");
        const std::size_t at = line.find("\"offsets\":[");
        if (output == std::string::npos || at == std::string::npos) {
            continue;
        }
        const std::string path =
            line.substr(output + 10, line.find('"', output + 10) - output - 10);
        offsets[fs::path(path).filename().string()] =
            line.substr(at + 11, line.find(']', at) - at - 11);
    }
    return offsets;
}

TEST(GameFormatsEndToEnd, DeutexBuildsAWadOfThePicturesAndExtractsTheSamePixelsAndOffsets)
{
    if (!fs::exists(kDeutex) || !fs::exists(kIwad)) {
        GTEST_SKIP() << "deutex or freedoom2.wad is missing: bash scripts/test.sh installs "
                        "the deutex and freedoom packages";
    }
    TempDir dir;
    fs::create_directories(dir.File("sprites"));
    fs::create_directories(dir.File("flats"));
    WriteSprites(dir.File("sprites"), {{20, 30}, {7, 5}, {33, 64}, {1, 1}, {64, 200}});
    WriteSprites(dir.File("flats"), {{64, 64}});
    const std::string palette = PlaypalAsAct(dir);
    ASSERT_FALSE(palette.empty());
    const std::string ini = dir.Write("s.ini", std::string());
    // 247 is where deutex puts see-through pixels: kept out of the pictures, it tells them apart.
    const std::vector<std::string> common = {"--settings",
        ini,
        "--palette",
        palette,
        "--size",
        "256",
        "--alpha",
        "--skip",
        "247",
        "--json"};
    const auto convert = [&](std::vector<std::string> args) {
        args.insert(args.begin(), common.begin(), common.end());
        const test::Run run = test::RunProgram(dir.Path(), args);
        EXPECT_EQ(run.status, 0) << run.err;
        return run.out;
    };
    const std::string json =
        convert({"--format", "doom-picture", "--offsets", "sprite", "--output", "lmp", "sprites"});
    convert({"--format", "bmp", "--output", "bmp/sprites", "sprites"});
    convert({"--format", "bmp", "--output", "bmp/flats", "flats"});
    convert({"--format", "doom-flat", "--output", "flat", "flats"});
    const std::map<std::string, std::string> offsets = JsonOffsets(json);
    ASSERT_EQ(offsets.size(), 5U) << json;

    // Each lump in a WAD file of its own under the name deutex looks for; a lump at entry 0 is
    // not found by deutex, so a filler lump comes first.
    std::string wadinfo = "[sprites]\n";
    const auto add =
        [&](const std::string &folder, const std::string &lump, const std::string &file) {
            fs::create_directories(dir.File("src/" + folder));
            dir.Write("src/" + folder + "/" + Lower(lump) + ".wad",
                Wad({{"FILLER", Bytes(4, 0)}, {lump, ReadBytes(dir.File(file))}}));
            wadinfo += lump + "\n";
        };
    for (int n = 0; n < 5; ++n) {
        add("sprites",
            "QVS" + std::string(1, static_cast<char>('A' + n)) + "A0",
            "lmp/s" + std::to_string(n) + ".lmp");
    }
    wadinfo += "[flats]\n";
    add("flats", "QVFLAT", "flat/s0.lmp");
    dir.Write("src/wadinfo.txt", wadinfo);
    fs::create_directories(dir.File("iwad"));
    fs::create_symlink(kIwad, dir.File("iwad/doom2.wad"));
    // deutex lowercases the paths it is given: it runs inside the folder, on relative names.
    const std::string deutex = std::string(kDeutex) + " -doom2 ";
    const std::string made = CommandOutput("cd " + ShellQuote(dir.File("src")) + " && " + deutex
        + "../iwad -make wadinfo.txt ../built.wad 2>&1");
    ASSERT_EQ(made.find("\nw "), std::string::npos) << made;
    ASSERT_TRUE(fs::exists(dir.File("built.wad"))) << made;
    fs::create_directories(dir.File("out"));
    const std::string extracted = CommandOutput(
        "cd " + ShellQuote(dir.Path()) + " && " + deutex + "iwad -dir out -xtract built.wad 2>&1");
    ASSERT_TRUE(fs::exists(dir.File("out/wadinfo.txt"))) << extracted;

    std::map<std::string, std::string> extractedOffsets;
    const Bytes wadinfoOut = ReadBytes(dir.File("out/wadinfo.txt"));
    std::istringstream info(std::string(wadinfoOut.begin(), wadinfoOut.end()));
    for (std::string line; std::getline(info, line);) {
        std::istringstream fields(line);
        std::string name;
        int x = 0;
        int y = 0;
        if (fields >> name >> x >> y) {
            extractedOffsets[name] = std::to_string(x) + "," + std::to_string(y);
        }
    }
    for (int n = 0; n < 6; ++n) {
        const bool flat = n == 5;
        const std::string lump =
            flat ? "QVFLAT" : "QVS" + std::string(1, static_cast<char>('A' + n)) + "A0";
        const std::string name = flat ? "s0" : "s" + std::to_string(n);
        SCOPED_TRACE(lump);
        const std::string png =
            dir.File((flat ? "out/flats/" : "out/sprites/") + Lower(lump) + ".png");
        const qv::test::PillowPicture read = qv::test::DecodeWithPillow(png);
        ASSERT_EQ(read.error, "") << extracted;
        EXPECT_EQ(read.mode, "P");
        Bytes expected =
            BmpIndices(ReadBytes(dir.File((flat ? "bmp/flats/" : "bmp/sprites/") + name + ".bmp")));
        if (!flat) {
            std::replace(expected.begin(),
                expected.end(),
                std::uint8_t {255},
                std::uint8_t {kDeutexSeeThrough});
            EXPECT_EQ(extractedOffsets[lump], offsets.at(name + ".lmp"));
        }
        EXPECT_EQ(read.pixels, expected);
    }
    // The sprites are not all of one shape: their offsets differ.
    EXPECT_NE(offsets.at("s0.lmp"), offsets.at("s2.lmp"));
}

TEST(GameFormatsEndToEnd, PillowAndImageMagickReadThePcxResultsAsTheBitmapResults)
{
    TempDir dir;
    fs::create_directories(dir.File("in"));
    WriteSprites(dir.File("in"), {{20, 30}, {7, 5}});
    test::WritePicture(dir.File("in"), "b.bmp", 33, 20, 8, 2);
    const std::string ini = dir.Write("s.ini", std::string());
    for (const char *format : {"bmp", "pcx"}) {
        const test::Run run = test::RunProgram(dir.Path(),
            {"--settings", ini, "--alpha", "--format", format, "--output", format, "in"});
        ASSERT_EQ(run.status, 0) << run.err;
    }
    for (const char *name : {"s0", "s1", "b"}) {
        SCOPED_TRACE(name);
        const Bytes bmp = ReadBytes(dir.File(std::string("bmp/") + name + ".bmp"));
        const std::string pcx = dir.File(std::string("pcx/") + name + ".pcx");
        const qv::test::PillowPicture pillow = qv::test::DecodeWithPillow(pcx);
        ASSERT_EQ(pillow.error, "");
        EXPECT_EQ(pillow.mode, "P");
        const Bytes indices = BmpIndices(bmp);
        EXPECT_EQ(pillow.pixels, indices);
        const Bytes table = test::ColourTableOf(bmp);
        Bytes rgb;
        for (std::size_t e = 0; e < 256; ++e) {
            rgb.insert(rgb.end(), {table[4 * e + 2], table[4 * e + 1], table[4 * e]});
        }
        EXPECT_EQ(pillow.palette, rgb);
        Bytes colours;
        for (const std::uint8_t i : indices) {
            colours.insert(colours.end(), rgb.begin() + 3 * i, rgb.begin() + 3 * i + 3);
        }
        EXPECT_EQ(qv::test::DecodeWithImageMagick(pcx), colours);
    }
}

} // namespace
} // namespace qv::cli
