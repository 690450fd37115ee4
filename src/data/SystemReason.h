#pragma once

#include <string>

namespace namori {

// The reason behind a failed system call, in Japanese for the errors users meet (no permission,
// a full disk, a missing file), and the error's number for the rare rest.
std::string SystemReason(int errorNumber);

}  // namespace namori
