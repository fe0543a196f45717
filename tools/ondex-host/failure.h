// A problem with what the user gave the tool: reported as one line on stderr
// with exit status 2.
#pragma once

#include <stdexcept>

struct Failure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

constexpr int kExitBadInput = 2;
