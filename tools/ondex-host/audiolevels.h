// Peak and RMS over all channels, in dBFS.
#pragma once

#include <string>

#include "audio.h"

struct Levels {
  double peakDb;
  double rmsDb;
};

Levels measureLevels(const Audio& audio);

// "-12.3 dBFS", or "-inf dBFS" for digital silence.
std::string formatDb(double db);
