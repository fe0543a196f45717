// The lists a VST 3 host hands process(): parameter changes as one queue per
// parameter with points at sample offsets, and events. The same lists take
// what the plug-in sends back.
#pragma once

#include <memory>
#include <vector>

#include "vst3hostobject.h"

// One point of a parameter's queue: where in the block, and the normalized value.
struct Vst3Point {
  vst3::ParamID id = 0;
  vst3::int32 offset = 0;
  double value = 0.0;
};

class Vst3ValueQueue : public Vst3HostObject<vst3::IParamValueQueue> {
 public:
  explicit Vst3ValueQueue(vst3::ParamID id) : id(id) {}
  vst3::ParamID VST3_API getParameterId() override { return id; }
  vst3::int32 VST3_API getPointCount() override { return static_cast<vst3::int32>(points.size()); }
  vst3::tresult VST3_API getPoint(vst3::int32 index, vst3::int32& sampleOffset,
                                  vst3::ParamValue& value) override;
  vst3::tresult VST3_API addPoint(vst3::int32 sampleOffset, vst3::ParamValue value,
                                  vst3::int32& index) override;

 private:
  friend class Vst3ParameterChanges;
  vst3::ParamID id;
  std::vector<std::pair<vst3::int32, double>> points;
};

class Vst3ParameterChanges : public Vst3HostObject<vst3::IParameterChanges> {
 public:
  vst3::int32 VST3_API getParameterCount() override {
    return static_cast<vst3::int32>(queues.size());
  }
  vst3::IParamValueQueue* VST3_API getParameterData(vst3::int32 index) override;
  vst3::IParamValueQueue* VST3_API addParameterData(const vst3::ParamID& id,
                                                    vst3::int32& index) override;

  // The host's side: points in order of their offsets, one queue per id.
  void add(const Vst3Point& point);
  void clear() { queues.clear(); }
  bool empty() const { return queues.empty(); }
  // Every point, queue by queue.
  std::vector<Vst3Point> points() const;

 private:
  std::vector<std::unique_ptr<Vst3ValueQueue>> queues;
};

class Vst3EventList : public Vst3HostObject<vst3::IEventList> {
 public:
  vst3::int32 VST3_API getEventCount() override { return static_cast<vst3::int32>(events.size()); }
  vst3::tresult VST3_API getEvent(vst3::int32 index, vst3::Event& e) override;
  vst3::tresult VST3_API addEvent(vst3::Event& e) override;

  std::vector<vst3::Event> events;
};
