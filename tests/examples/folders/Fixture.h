// A folder of known files in the temporary folder, gone with the object:
//
//   <top>/Docs/read me.txt   3,000 bytes
//   <top>/Docs/说明.txt       1,024 bytes
//   <top>/empty/
//   <top>/A.txt              1,025 bytes
//   <top>/b.bin                  0 bytes
//   <top>/c.dat          1,048,576 bytes
#pragma once
#include "host/Values.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace folderstest {

namespace fs = std::filesystem;

inline void WriteFile(const fs::path& p, std::uintmax_t bytes)
{
    std::ofstream out(p, std::ios::binary);
    const std::string chunk(4096, 'x');
    for (std::uintmax_t left = bytes; left > 0;) {
        const std::uintmax_t n = left < chunk.size() ? left : chunk.size();
        out.write(chunk.data(), static_cast<std::streamsize>(n));
        left -= n;
    }
}

class FixtureFolder {
public:
    FixtureFolder()
    {
        std::random_device seed;
        top_ = fs::temp_directory_path() / ("folders-test-" + std::to_string(seed()));
        fs::create_directories(top_ / "Docs");
        fs::create_directories(top_ / "empty");
        WriteFile(top_ / "Docs" / "read me.txt", 3000);
        WriteFile(top_ / "Docs" / fs::u8path(u8"说明.txt"), 1024);
        WriteFile(top_ / "A.txt", 1025);
        WriteFile(top_ / "b.bin", 0);
        WriteFile(top_ / "c.dat", 1048576);
    }
    ~FixtureFolder()
    {
        std::error_code ec;
        fs::remove_all(top_, ec);
    }
    FixtureFolder(const FixtureFolder&) = delete;
    FixtureFolder& operator=(const FixtureFolder&) = delete;

    const fs::path& Top() const { return top_; }
    // A folder below the top one ("" the top itself) as the program is given it.
    std::wstring Text(const std::string& below = "") const
    {
        return host::FromUtf8((below.empty() ? top_ : top_ / fs::u8path(below)).u8string());
    }

private:
    fs::path top_;
};

} // namespace folderstest
