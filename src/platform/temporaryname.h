// The name a save writes to before it renames the file over its target.
#pragma once

#include <string>

namespace platform {

// Added to the target's name: ".tmp<process>-<count>", so that no other writer
// (another instance, another process) picks the same one.
std::string temporarySuffix(unsigned long processId);
// How many names a save tries before it gives up.
constexpr int kTemporaryAttempts = 100;

}  // namespace platform
