#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// A private folder that lives as long as the fuzz target runs, for the readers that take a
// path: each input is written to a file in it and read back from there.
const std::string& FuzzFolder();

// Writes the input to name in the fuzz folder (replacing it) and returns the file's path.
std::string WriteFuzzFile(const std::string& name, const std::uint8_t* data, std::size_t size);
