// Writing a file whole: the bytes go to a temporary file beside the target,
// which is then renamed over it, so a crash or a full disk never leaves a
// half-written file behind.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vq::config {

// Returns true when the whole content is in place; otherwise the target is
// untouched and error (when given) says why.
bool writeFileAtomically(const std::filesystem::path& target, std::string_view bytes, std::string* error = nullptr);

// Reads a whole file; false when it cannot be read.
bool readFile(const std::filesystem::path& path, std::string& bytes);

}  // namespace vq::config
