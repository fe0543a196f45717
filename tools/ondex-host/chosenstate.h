// The state a command's options choose: "--program P", then each
// "--set NAME=VALUE" in order.
#pragma once

class HostedPlugin;
class ParsedOptions;

// Throws Failure for an unknown program or parameter or a bad value; with
// `verbose`, says on stderr what it set.
void applyChosenState(HostedPlugin& plugin, const ParsedOptions& options, bool verbose);
