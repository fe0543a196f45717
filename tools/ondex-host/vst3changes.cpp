#include "vst3changes.h"

#include <algorithm>

using namespace vst3;

tresult Vst3ValueQueue::getPoint(int32 index, int32& sampleOffset, ParamValue& value) {
  if (index < 0 || static_cast<size_t>(index) >= points.size()) {
    return kInvalidArgument;
  }
  sampleOffset = points[static_cast<size_t>(index)].first;
  value = points[static_cast<size_t>(index)].second;
  return kResultOk;
}

tresult Vst3ValueQueue::addPoint(int32 sampleOffset, ParamValue value, int32& index) {
  // Kept in order of offsets; a point at an offset already there replaces it.
  auto at = std::lower_bound(points.begin(), points.end(), sampleOffset,
                             [](const auto& p, int32 offset) { return p.first < offset; });
  if (at != points.end() && at->first == sampleOffset) {
    at->second = value;
  } else {
    at = points.insert(at, {sampleOffset, value});
  }
  index = static_cast<int32>(at - points.begin());
  return kResultOk;
}

IParamValueQueue* Vst3ParameterChanges::getParameterData(int32 index) {
  return index >= 0 && static_cast<size_t>(index) < queues.size()
             ? queues[static_cast<size_t>(index)]->face()
             : nullptr;
}

IParamValueQueue* Vst3ParameterChanges::addParameterData(const ParamID& id, int32& index) {
  for (size_t i = 0; i < queues.size(); ++i) {
    if (queues[i]->id == id) {
      index = static_cast<int32>(i);
      return queues[i]->face();
    }
  }
  queues.push_back(std::make_unique<Vst3ValueQueue>(id));
  index = static_cast<int32>(queues.size() - 1);
  return queues.back()->face();
}

void Vst3ParameterChanges::add(const Vst3Point& point) {
  int32 index = 0;
  addParameterData(point.id, index)->addPoint(point.offset, point.value, index);
}

std::vector<Vst3Point> Vst3ParameterChanges::points() const {
  std::vector<Vst3Point> all;
  for (const auto& queue : queues) {
    for (const auto& [offset, value] : queue->points) {
      all.push_back({queue->id, offset, value});
    }
  }
  return all;
}

tresult Vst3EventList::getEvent(int32 index, Event& e) {
  if (index < 0 || static_cast<size_t>(index) >= events.size()) {
    return kInvalidArgument;
  }
  e = events[static_cast<size_t>(index)];
  return kResultOk;
}

tresult Vst3EventList::addEvent(Event& e) {
  events.push_back(e);
  return kResultOk;
}
