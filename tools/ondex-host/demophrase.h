// The built-in demo phrase: a few seconds of stereo material synthesised in
// code (plucked notes and a percussive hit), so that the effect can be heard
// without any input file.
#pragma once

#include "audio.h"

Audio demoPhrase(double sampleRate);
