#pragma once
#include <optional>
#include <string>

// How long a CAF file's header says its audio lasts, in seconds: the valid
// frames of its packet table, or else its data size in packets of one size.
// libavformat measures what is there instead, which hides a truncated file.
// nullopt when the data runs to the end of the file (a writer that could not
// seek back leaves its size unknown) or the header cannot tell.
std::optional<double> cafStatedSeconds(const std::string& path);
