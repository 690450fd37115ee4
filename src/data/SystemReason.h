#pragma once

#include <string>

namespace namori {

// The reason for a failed file operation, for a message: the usual causes in Japanese, any
// other as the system describes it.
std::string SystemReason(int errorNumber);

}  // namespace namori
