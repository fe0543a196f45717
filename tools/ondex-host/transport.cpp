#include "transport.h"

#include <cmath>

Transport::Transport(double sampleRate, double tempo) : sampleRate(sampleRate), tempo(tempo) {}

VstTimeInfo* Transport::current() {
  const double quarters = position / sampleRate * tempo / 60.0;
  info = VstTimeInfo{};
  info.samplePos = position;
  info.sampleRate = sampleRate;
  info.nanoSeconds = position / sampleRate * 1e9;
  info.ppqPos = quarters;
  info.tempo = tempo;
  info.barStartPos = std::floor(quarters / 4.0) * 4.0;
  info.timeSigNumerator = 4;
  info.timeSigDenominator = 4;
  info.flags = kVstTransportPlaying | kVstNanosValid | kVstPpqPosValid | kVstTempoValid |
               kVstBarsValid | kVstTimeSigValid | (changed ? kVstTransportChanged : 0);
  return &info;
}

void Transport::advance(VstInt32 frames) {
  position += frames;
  changed = false;
}
