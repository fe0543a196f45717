// What the tool asks of the operating system beyond standard C++.
#pragma once

#include <string>

// Whether standard error goes to a terminal (for the progress bar).
bool standardErrorIsTerminal();

// The folder holding this executable, or "" if unknown.
std::string executableFolder(const char* argv0);

// The file name of our own plug-in module on this platform.
const char* ownModuleName();

// What a module's Windows version resource says, as one line ("Corvane Ondex
// 1.6.0 (file 1.6.0.0), Zel-acoustics"); "" where there is none (and on Linux,
// where modules carry no version).
std::string moduleVersionInfo(const std::string& path);
