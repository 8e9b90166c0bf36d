#include "tests/support/temp_dir.h"

#include "platform/utf8_path.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace fs = std::filesystem;

namespace qv::test {

TempDir::TempDir()
{
#ifdef _WIN32
    std::random_device random;
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
        const fs::path folder = fs::temp_directory_path() / ("qv-test-" + std::to_string(random()));
        std::error_code error;
        if (fs::create_directory(folder, error)) {
            const std::u8string text = folder.generic_u8string();
            path_.assign(text.begin(), text.end());
        }
    }
    if (path_.empty()) {
        throw std::runtime_error("cannot create a temporary folder");
    }
#else
    std::string pattern = (fs::temp_directory_path() / "qv-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    path_ = pattern;
#endif
}

TempDir::~TempDir()
{
    std::error_code ignored;
    fs::permissions(Utf8Path(path_), fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(Utf8Path(path_), ignored);
}

std::string TempDir::File(const std::string &name) const
{
    return path_ + "/" + name;
}

std::string TempDir::Write(const std::string &name, const std::vector<std::uint8_t> &bytes) const
{
    const std::string path = File(name);
    std::ofstream out(Utf8Path(path), std::ios::binary);
    out.write(
        reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
}

std::string TempDir::Write(const std::string &name, const std::string &text) const
{
    return Write(name, std::vector<std::uint8_t>(text.begin(), text.end()));
}

std::vector<std::uint8_t> ReadBytes(const std::string &path)
{
    std::ifstream in(Utf8Path(path), std::ios::binary);
    if (!in) {
        return {};
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string TestDataDir()
{
    return QV_TEST_DATA_DIR;
}

} // namespace qv::test
