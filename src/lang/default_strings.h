#pragma once

#include <span>

namespace lang {

struct Default_String {
    int id;
    const char* text; // UTF-8
};

/// The built-in English texts that differ from a single blank, in identifier order.
std::span<const Default_String> Default_Strings();

} // namespace lang
