#pragma once
#include <optional>
#include <string_view>

#include "LibavPtr.h"

// libavformat's readers that open more than the input they are handed: the
// files, addresses or streams its content names (a playlist's entries, the
// sockets of a stream description, the data file of a subtitle index). For
// such a reader, what the input is ("a playlist"), for the reason it is
// refused; nothing for a reader that keeps to its input.
std::optional<std::string_view> referencingKind(const AVInputFormat& reader);
