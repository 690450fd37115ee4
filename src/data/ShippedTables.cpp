#include "data/ShippedTables.h"

#include <nettle/sha2.h>

#include <array>

namespace namori {

std::vector<ShippedVersion> KnownShippedVersions() {
    return {
#include "ShippedVersions.inc"
    };
}

std::string Sha256Hex(std::string_view bytes) {
    sha256_ctx context{};
    sha256_init(&context);
    sha256_update(&context, bytes.size(), reinterpret_cast<const std::uint8_t*>(bytes.data()));
    std::array<std::uint8_t, SHA256_DIGEST_SIZE> digest{};
    sha256_digest(&context, digest.size(), digest.data());
    static constexpr char kHexDigits[] = "0123456789abcdef";
    std::string hex;
    for (const std::uint8_t byte : digest) {
        hex += kHexDigits[byte >> 4];
        hex += kHexDigits[byte & 15];
    }
    return hex;
}

bool IsShippedVersion(const std::vector<ShippedVersion>& versions, std::string_view name,
                      std::string_view bytes) {
    std::string hash;
    for (const ShippedVersion& version : versions) {
        if (version.name == name && version.size == bytes.size()) {
            if (hash.empty()) {
                hash = Sha256Hex(bytes);
            }
            if (hash == version.sha256) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace namori
