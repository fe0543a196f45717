// Runs audio through a plug-in in blocks: the input, then a tail in which the
// echoes ring out, with control changes delivered before their blocks.
#pragma once

#include "audio.h"
#include "controlchanges.h"

class HostedPlugin;
class ProgressBar;

struct TailRule {
  double fixedSeconds = -1.0;  // when >= 0, exactly this long
  double quietSeconds = 2.0;   // otherwise until the output was silent this long
  double maxSeconds = 30.0;
};

// The plug-in must have been started at the input's sample rate.
Audio renderThrough(HostedPlugin& plugin, const Audio& input, const TailRule& tail,
                    const ControlSchedule& controls, ProgressBar& progress);
