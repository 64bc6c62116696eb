// Base64 as the settings store keeps bytes: lines of 64 characters, each ended by CR LF.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace xml {

// Base64 with a CR LF after every 64 characters and after the last line (nothing for no bytes).
std::string encodeBase64(std::span<const std::uint8_t> bytes);

// Reads Base64, skipping blanks, tabs, CR and LF; nothing when another character appears, the
// padding is misplaced or the length does not come out in whole bytes.
std::optional<std::vector<std::uint8_t>> decodeBase64(std::string_view text);

} // namespace xml
