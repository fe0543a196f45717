// Text is UTF-8 inside the plug-in and UTF-16 at the Windows system calls.
#pragma once

#include <string>
#include <string_view>

namespace platform {

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

}  // namespace platform
