#pragma once

#include <string>
#include <string_view>

// Why `text` cannot be map text at all (UTF-16 or UTF-32, or binary), in words
// for the user; empty when it may be read.
std::string FindNotTextMapReason(std::string_view text);
