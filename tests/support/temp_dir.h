#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qv::test {

// A fresh folder under the system's temporary folder, removed with everything in it when the
// object goes.
class TempDir
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;

    const std::string &Path() const { return path_; }
    // Path() + "/" + name
    std::string File(const std::string &name) const;
    // Writes bytes to Path()/name and returns the full path.
    std::string Write(const std::string &name, const std::vector<std::uint8_t> &bytes) const;
    std::string Write(const std::string &name, const std::string &text) const;

private:
    std::string path_;
};

// Reads a whole file for checks; an empty vector when it cannot be read.
std::vector<std::uint8_t> ReadBytes(const std::string &path);

// The repository's test data folder (tests/data).
std::string TestDataDir();

} // namespace qv::test
