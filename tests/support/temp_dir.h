// A temporary folder for a test, removed with everything in it when the test ends.
#pragma once

#include <string>
#include <string_view>

namespace qb::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return m_path; }
    // The path of `name` inside the folder.
    std::string File(std::string_view name) const { return m_path + "/" + std::string(name); }
    // Writes `bytes` to `name` and returns its path.
    std::string Write(std::string_view name, std::string_view bytes) const;
    // The bytes of `name` (empty when it cannot be read).
    std::string Read(std::string_view name) const;

private:
    std::string m_path;
};

// The bytes of a file; empty when it cannot be read.
std::string ReadFileBytes(const std::string& path);

}  // namespace qb::test
