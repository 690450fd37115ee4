#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace namori::fuzzing {

// A folder of this process's own under the system's temporary folder, created on first use and
// removed when the process exits normally. The data files of each run are written there and read
// back through the folder, as the program reads them.
const std::filesystem::path& ScratchFolder();

// Replaces the file called name (UTF-8) in the scratch folder by bytes.
void WriteScratchFile(std::string_view name, std::string_view bytes);

// Stops the run when a property of the code under test does not hold. Aborting makes libFuzzer
// keep the input as a crash artifact.
[[noreturn]] void Fail(const char* what);

inline void Require(bool holds, const char* what) {
    if (!holds) {
        Fail(what);
    }
}

inline std::string_view BytesOf(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Bytes taken as UTF-16LE code units (an odd last byte is dropped). Copied, so that the units
// are aligned wherever the bytes start.
std::u16string Utf16LeUnits(std::string_view bytes);

}  // namespace namori::fuzzing
