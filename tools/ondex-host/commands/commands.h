// The subcommands. Each takes the arguments after its name and returns the
// exit status; bad input is thrown as Failure.
#pragma once

#include <string>
#include <vector>

using Args = std::vector<std::string>;

int runInfo(const Args& args);
int runRender(const Args& args);
int runDemo(const Args& args);
int runBench(const Args& args);
int runSnapshot(const Args& args);

// Our own plug-in beside the executable, else in the ../lib/vst of an
// install, else in the working folder.
std::string defaultPluginPath();
void rememberProgramPath(const char* argv0);
