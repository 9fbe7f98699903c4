#pragma once
// Whole-file reads and replacing writes. A write goes to a temporary file
// beside the target and is renamed over it only when complete, so a full
// disk or a missing permission never leaves a half-written target.
// Failures throw std::system_error carrying the system's description.
#include <exception>
#include <filesystem>
#include <string>
#include <string_view>

std::string ReadWholeFile(const std::filesystem::path& path);
void WriteFileReplacing(const std::filesystem::path& target, std::string_view bytes);
void CopyFileReplacing(const std::filesystem::path& from, const std::filesystem::path& to);

// Text for a failure as the user sees it: the system's description.
std::string DescribeFailure(const std::exception& e);
