// The plug-in's state chunk in a file of its own: the raw bytes, nothing more.
#pragma once

#include <string>
#include <vector>

// Throws Failure if the file cannot be read or is empty.
std::vector<unsigned char> readStateFile(const std::string& path);
// Writes the bytes to path (a temporary file the caller renames); throws Failure.
void writeStateFile(const std::string& path, const std::vector<unsigned char>& bytes);
