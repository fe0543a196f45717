// The VST 3 module as VST 3 hosts meet it, through ondex-host's VST 3 side and
// beside the VST 2.4 module it replaces: scanning, the life cycle, parameters
// and their texts, queue points on their own samples, controllers through the
// MIDI mapping, values the plug-in moves or refuses, programs, and state that
// is the VST 2.4 chunk.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "hostedplugin.h"
#include "keptmodule.h"
#include "programs.h"
#include "vst3instance.h"
#include "vst3stream.h"
#include "vst3text.h"

using namespace vst3;

namespace {

constexpr ParamID kInputGain = 0;
constexpr ParamID kMix = 2;
constexpr ParamID kDlyTime = 3;
constexpr ParamID kDlyx2 = 4;
constexpr ParamID kRptInf = 13;
constexpr ParamID kDlyClk = 15;
constexpr size_t kProgramIndexAt = 12;

// Files this process holds open (on Linux; elsewhere none are counted).
size_t openDescriptors() {
  std::error_code error;
  std::filesystem::directory_iterator fds("/proc/self/fd", error);
  return error ? 0 : static_cast<size_t>(std::distance(fds, std::filesystem::directory_iterator()));
}

std::unique_ptr<HostedPlugin> clapPlugin() {
  return PluginLibrary(ONDEX_CLAP_PATH).instantiate(HostSettings{});
}

std::unique_ptr<HostedPlugin> vstPlugin() {
  return PluginLibrary(ONDEX_VST_PATH).instantiate(HostSettings{});
}

// A hosted record's display and label, as one string.
std::string shownBy(HostedPlugin& vst, VstInt32 index) {
  std::string display = vst.text(effGetParamDisplay, index);
  std::string label = vst.text(effGetParamLabel, index);
  const auto trim = [](std::string& s) {
    s.erase(s.find_last_not_of(' ') + 1);
    s.erase(0, std::min(s.find_first_not_of(' '), s.size()));
  };
  trim(display);
  trim(label);
  return label.empty() ? display : display + " " + label;
}

// A VST 3 text with its unit, whether or not the plug-in wrote the unit into it.
std::string shownWithUnit(const Vst3Instance& plugin, const ParameterInfo& info, double value) {
  const std::string text = plugin.valueText(info.id, value);
  const std::string units = utf8Of(info.units, 128);
  if (units.empty() || (text.size() > units.size() &&
                        text.compare(text.size() - units.size(), units.size(), units) == 0)) {
    return text;
  }
  return text + " " + units;
}

// The discrete value a normalized one stands for.
int32 stepOf(double normalized, int32 stepCount) {
  return std::min(stepCount, static_cast<int32>(normalized * (stepCount + 1)));
}

std::vector<float> silence(int32 frames) { return std::vector<float>(static_cast<size_t>(frames)); }

// A block of a rising ramp through a fresh instance, with the changes given,
// as one call or split at `splitAt` into two.
std::vector<float> renderRamp(const std::vector<Vst3Point>& changes, int32 splitAt = 0) {
  constexpr int32 kFrames = 512;
  Vst3Instance plugin(keptVst3Module());
  plugin.setFromHost(kMix, 0.7);
  plugin.setFromHost(kDlyTime, 0.001);  // a short delay
  EXPECT_TRUE(plugin.activate(44100.0, kFrames));
  EXPECT_TRUE(plugin.startProcessing());
  std::vector<float> in(kFrames);
  std::vector<float> left(kFrames);
  std::vector<float> right(kFrames);
  for (size_t i = 0; i < in.size(); ++i) in[i] = 0.5f * static_cast<float>(i % 64) / 64.0f;
  const auto run = [&](int32 from, int32 to, const std::vector<Vst3Point>& list) {
    float* ins[2] = {in.data() + from, in.data() + from};
    float* outs[2] = {left.data() + from, right.data() + from};
    EXPECT_EQ(plugin.process(ins, 2, outs, to - from, list, {}, nullptr), kResultOk);
  };
  if (splitAt == 0) {
    run(0, kFrames, changes);
  } else {
    std::vector<Vst3Point> before;
    std::vector<Vst3Point> later;
    for (Vst3Point p : changes) {
      if (p.offset < splitAt) {
        before.push_back(p);
      } else {
        p.offset -= splitAt;
        later.push_back(p);
      }
    }
    run(0, splitAt, before);
    run(splitAt, kFrames, later);
  }
  EXPECT_EQ(left, right);
  return left;
}

// The points the plug-in sent for one parameter, in order.
std::vector<double> sentFor(const Vst3Instance& plugin, ParamID id) {
  std::vector<double> values;
  for (const Vst3Point& p : plugin.sent) {
    if (p.id == id) values.push_back(p.value);
  }
  return values;
}

// A VST 2.4 host's bank file around a chunk, as a VST 2.4 project stores it.
std::vector<unsigned char> bankFileAround(const std::vector<unsigned char>& chunk) {
  std::vector<unsigned char> file;
  const auto text = [&file](const char* four) {
    for (int i = 0; i < 4; ++i) file.push_back(static_cast<unsigned char>(four[i]));
  };
  const auto word = [&file](uint32_t value) {  // big-endian, as the file has it
    for (int shift = 24; shift >= 0; shift -= 8) {
      file.push_back(static_cast<unsigned char>(value >> shift));
    }
  };
  text("CcnK");
  word(static_cast<uint32_t>(160 + chunk.size() - 8));
  text("FBCh");
  word(1);
  text("Ondx");
  word(1);
  word(17);
  file.resize(file.size() + 128);
  word(static_cast<uint32_t>(chunk.size()));
  file.insert(file.end(), chunk.begin(), chunk.end());
  return file;
}

}  // namespace

TEST(Vst3Plugin, ScanningReadsTheFactoryAloneAndNamesTheClassesThatReplaceTheVstPlugin) {
  const Vst3Module& module = keptVst3Module();
  IPluginFactory& factory = *module.factory();
  PFactoryInfo info{};
  ASSERT_EQ(factory.getFactoryInfo(&info), kResultOk);
  EXPECT_STREQ(info.vendor, "Zel-acoustics");
  EXPECT_NE(info.flags & PFactoryInfo::kUnicode, 0);
  const Vst3ClassFacts& processor = module.processorClass();
  EXPECT_EQ(processor.name, "Corvane Ondex");
  EXPECT_EQ(processor.vendor, "Zel-acoustics");
  EXPECT_NE(processor.subCategories.find("Fx|Delay"), std::string::npos);
  // "VST", the VST 2.4 id 'Ondx', then the name's first nine bytes in lower case.
  EXPECT_EQ(vst3IdText(processor.cid), "5653544F6E6478636F7276616E65206F");
  std::set<std::string> categories;
  for (int32 i = 0; i < factory.countClasses(); ++i) {
    PClassInfo c{};
    ASSERT_EQ(factory.getClassInfo(i, &c), kResultOk);
    EXPECT_EQ(c.cardinality, kManyInstances);
    categories.insert(c.category);
    if (std::string(c.category) == "Component Controller Class") {
      EXPECT_EQ(vst3IdText(c.cid), "5653454F6E6478636F7276616E65206F");  // "VSE" for it
    }
  }
  EXPECT_EQ(categories.count("Audio Module Class"), 1U);
  PClassInfo beyond{};
  EXPECT_NE(factory.getClassInfo(factory.countClasses(), &beyond), kResultOk);
  void* nothing = &beyond;
  EXPECT_NE(factory.createInstance(IComponent::iid.bytes, IComponent::iid.bytes, &nothing),
            kResultOk);
  EXPECT_EQ(nothing, nullptr);
  // Hosts may read the module's information file instead of loading it.
  std::ifstream json(std::filesystem::path(ONDEX_VST3_PATH) / "Contents" / "Resources" /
                     "moduleinfo.json");
  std::stringstream text;
  text << json.rdbuf();
  EXPECT_NE(text.str().find(vst3IdText(processor.cid)), std::string::npos);
  EXPECT_NE(text.str().find("\"Delay\""), std::string::npos);

  SCOPED_TRACE("entered again, as a second scan does: no window, and the first entry lives on");
  const size_t descriptors = openDescriptors();
  {
    std::string error;
    auto loaded = platform::PluginModule::load(vst3BinaryOf(ONDEX_VST3_PATH), error);
    ASSERT_NE(loaded, nullptr) << error;
    const Vst3Module again(ONDEX_VST3_PATH, *loaded);
    EXPECT_EQ(vst3IdText(again.processorClass().cid), vst3IdText(processor.cid));
  }
  EXPECT_EQ(openDescriptors(), descriptors);  // no display connection, no file left open
  Vst3Instance instance(module);
  EXPECT_GT(instance.paramCount(), 18);
}

TEST(Vst3Plugin, LifeCycleRunsAsHostsDriveItAndEveryReferenceComesBack) {
  auto plugin = std::make_unique<Vst3Instance>(keptVst3Module());
  IComponent& component = plugin->component();
  IAudioProcessor& audio = plugin->processor();
  EXPECT_NE(plugin->contextRequirements & IProcessContextRequirements::kNeedTempo, 0U);

  SCOPED_TRACE("buses: stereo in and out, one event input for the controllers");
  ASSERT_EQ(component.getBusCount(kAudio, kInput), 1);
  ASSERT_EQ(component.getBusCount(kAudio, kOutput), 1);
  EXPECT_EQ(component.getBusCount(kEvent, kInput), 1);
  EXPECT_EQ(component.getBusCount(kEvent, kOutput), 0);
  for (const BusDirection dir : {kInput, kOutput}) {
    BusInfo first{};
    BusInfo again{};
    ASSERT_EQ(component.getBusInfo(kAudio, dir, 0, first), kResultOk);
    ASSERT_EQ(component.getBusInfo(kAudio, dir, 0, again), kResultOk);
    EXPECT_EQ(std::memcmp(&first, &again, sizeof(first)), 0);  // the same bytes each time
    EXPECT_EQ(first.channelCount, 2);
    EXPECT_EQ(first.busType, kMain);
    EXPECT_NE(first.flags & BusInfo::kDefaultActive, 0U);
    EXPECT_NE(first.name[0], 0);
    SpeakerArrangement arrangement = 0;
    ASSERT_EQ(audio.getBusArrangement(dir, 0, arrangement), kResultTrue);
    EXPECT_EQ(arrangement, kStereo);
  }
  BusInfo midi{};
  ASSERT_EQ(component.getBusInfo(kEvent, kInput, 0, midi), kResultOk);
  EXPECT_GE(midi.channelCount, 1);
  BusInfo none{};
  EXPECT_NE(component.getBusInfo(kAudio, kInput, 1, none), kResultOk);

  SCOPED_TRACE("arrangements: what is refused reads back as what the plug-in takes");
  SpeakerArrangement mono = kMono;
  SpeakerArrangement stereo = kStereo;
  const tresult monoAnswer = audio.setBusArrangements(&mono, 1, &stereo, 1);
  SpeakerArrangement readBack = 0;
  ASSERT_EQ(audio.getBusArrangement(kInput, 0, readBack), kResultTrue);
  BusInfo input{};
  component.getBusInfo(kAudio, kInput, 0, input);
  EXPECT_EQ(std::popcount(readBack), input.channelCount);
  EXPECT_EQ(monoAnswer == kResultTrue, readBack == kMono);
  EXPECT_EQ(audio.setBusArrangements(&stereo, 1, &stereo, 1), kResultTrue);
  EXPECT_EQ(audio.canProcessSampleSize(kSample32), kResultTrue);
  EXPECT_EQ(audio.getLatencySamples(), 0U);

  SCOPED_TRACE("processing: blocks of any size, flushes without audio, silence told");
  ASSERT_TRUE(plugin->activate(44100.0, 4096));
  ASSERT_TRUE(plugin->startProcessing());
  std::vector<float> quiet = silence(4096);
  std::vector<float> outL = silence(4096);
  std::vector<float> outR = silence(4096);
  float* ins[2] = {quiet.data(), quiet.data()};
  float* outs[2] = {outL.data(), outR.data()};
  for (const int32 frames : {1, 4096, 17, 512}) {
    EXPECT_EQ(plugin->process(ins, 2, outs, frames, {}, {}, nullptr), kResultOk) << frames;
  }
  EXPECT_EQ(plugin->flush({{kMix, 0, 0.25}}), kResultOk);
  EXPECT_EQ(plugin->process(ins, 0, outs, 0, {}, {}, nullptr), kResultOk);  // no channels
  plugin->stopProcessing();
  plugin->deactivate();

  SCOPED_TRACE("terminate and initialize again on the same processor, as validators do");
  ASSERT_EQ(component.terminate(), kResultOk);
  ASSERT_EQ(component.initialize(plugin->context.face()), kResultOk);
  ASSERT_TRUE(plugin->activate(48000.0, 256));
  ASSERT_TRUE(plugin->startProcessing());
  EXPECT_EQ(plugin->process(ins, 2, outs, 256, {}, {}, nullptr), kResultOk);

  SCOPED_TRACE("closed: the plug-in gave back the handler and the context it held");
  plugin->close();
  EXPECT_EQ(plugin->handler.references(), 1);
  EXPECT_EQ(plugin->context.references(), 1);
}

TEST(Vst3Plugin, ParametersCarryTheVstIndicesNamesTextsAndSteps) {
  Vst3Instance plugin(keptVst3Module());
  auto vst = vstPlugin();
  auto clap = clapPlugin();
  std::set<ParamID> ids;
  int bypasses = 0;
  for (int32 i = 0; i < plugin.paramCount(); ++i) {
    const ParameterInfo info = plugin.paramInfo(i);
    EXPECT_TRUE(ids.insert(info.id).second) << "id " << info.id << " twice";
    EXPECT_LE(info.id, kMaxParamId);
    EXPECT_NE(info.title[0], 0) << info.id;
    EXPECT_GE(info.stepCount, 0) << info.id;
    EXPECT_GE(info.defaultNormalizedValue, 0.0);
    EXPECT_LE(info.defaultNormalizedValue, 1.0);
    const int32 flags = info.flags;
    EXPECT_FALSE((flags & ParameterInfo::kCanAutomate) != 0 &&
                 (flags & ParameterInfo::kIsReadOnly) != 0)
        << info.id;
    if ((flags & ParameterInfo::kIsHidden) != 0) {
      EXPECT_EQ(flags & ParameterInfo::kCanAutomate, 0) << info.id;
    }
    if ((flags & ParameterInfo::kIsBypass) != 0) {
      ++bypasses;
      EXPECT_EQ(info.stepCount, 1);
      EXPECT_EQ(flags & ~(ParameterInfo::kIsBypass | ParameterInfo::kCanAutomate), 0);
    }
    if ((flags & ParameterInfo::kIsProgramChange) != 0) {
      EXPECT_EQ(info.stepCount, 16);  // 17 programs
      EXPECT_NE(flags & ParameterInfo::kIsList, 0);
      EXPECT_EQ(flags & ParameterInfo::kCanAutomate, 0);  // it moves automated values
    }
  }
  EXPECT_EQ(bypasses, 1);

  SCOPED_TRACE("ids 0..17 are the VST 2.4 indices and names, with the CLAP build's texts");
  for (ParamID id = 0; id < 18; ++id) {
    const auto index = static_cast<VstInt32>(id);
    ASSERT_EQ(ids.count(id), 1U) << "no parameter " << id;
    ParameterInfo info{};
    for (int32 i = 0; i < plugin.paramCount(); ++i) {
      if (plugin.paramInfo(i).id == id) info = plugin.paramInfo(i);
    }
    EXPECT_EQ(utf8Of(info.title, 128), vst->parameterName(index));
    EXPECT_NE(info.flags & ParameterInfo::kCanAutomate, 0) << id;
    EXPECT_FLOAT_EQ(static_cast<float>(info.defaultNormalizedValue), vst->parameter(index)) << id;
    EXPECT_FLOAT_EQ(static_cast<float>(plugin.paramValue(id)), vst->parameter(index)) << id;
    for (const double v : {0.0, 0.1, 0.25, 0.5, 0.73, 1.0}) {
      clap->setParameter(index, static_cast<float>(v));
      const std::string shown = shownWithUnit(plugin, info, v);
      EXPECT_EQ(shown, shownBy(*clap, index)) << "parameter " << id << " at " << v;
      // Hosts that keep plain values (Ardour does) get back the value they gave, or its step.
      IEditController& controller = plugin.controller();
      const double plain = controller.normalizedParamToPlain(id, v);
      const double back = controller.plainParamToNormalized(id, plain);
      if (info.stepCount > 0) {
        EXPECT_EQ(stepOf(back, info.stepCount), stepOf(v, info.stepCount)) << "parameter " << id;
      } else {
        EXPECT_NEAR(back, v, 1e-6) << "parameter " << id << " at " << v << ": plain " << plain;
      }
      // The text reads back as a value that shows the same text.
      const std::optional<double> parsed = plugin.valueOf(id, plugin.valueText(id, v));
      ASSERT_TRUE(parsed.has_value()) << "parameter " << id << ": " << shown;
      EXPECT_EQ(shownWithUnit(plugin, info, *parsed), shown) << "parameter " << id;
    }
  }
  EXPECT_FALSE(plugin.valueOf(kDlyTime, "plenty").has_value());

  SCOPED_TRACE("doubled, the delay reads as it is heard, and the host is told to re-read it");
  ASSERT_TRUE(plugin.activate(44100.0, 64));
  plugin.handler.restarts.clear();
  plugin.setFromHost(kDlyx2, 1.0);
  const ParameterInfo delay = plugin.paramInfo(static_cast<int32>(kDlyTime));
  EXPECT_EQ(shownWithUnit(plugin, delay, 0.25), "1600 ms");
  EXPECT_EQ(plugin.valueOf(kDlyTime, "1600 ms").value_or(-1.0), 0.25);
  ASSERT_FALSE(plugin.handler.restarts.empty());
  EXPECT_NE(plugin.handler.restarts.back() & (kParamValuesChanged | kParamTitlesChanged), 0);
}

TEST(Vst3Plugin, QueuePointsLandOnTheirOwnSample) {
  // Doubling the delay at frame 200 of a block sounds as if the block ended there.
  const std::vector<Vst3Point> change = {{kDlyx2, 200, 1.0}};
  const std::vector<float> inBlock = renderRamp(change);
  EXPECT_EQ(inBlock, renderRamp(change, 200));
  EXPECT_NE(inBlock, renderRamp({{kDlyx2, 0, 1.0}}));
  // A queue of several points: each one where it stands.
  const std::vector<Vst3Point> steps = {{kMix, 100, 0.2}, {kMix, 300, 0.9}, {kDlyx2, 300, 1.0}};
  EXPECT_EQ(renderRamp(steps), renderRamp(steps, 300));
  // A controller's stand-in too: Mix's controller, 104, as a host maps it.
  const ParamID mixController = *Vst3Instance(keptVst3Module()).assignment(0, 104);
  const std::vector<Vst3Point> moved = {{mixController, 300, 0.1}};
  EXPECT_EQ(renderRamp(moved), renderRamp(moved, 300));
}

TEST(Vst3Plugin, BypassPassesTheInputThroughWithoutAClickFromItsOwnSample) {
  Vst3Instance plugin(keptVst3Module());
  const std::optional<ParameterInfo> bypass = plugin.paramWith(ParameterInfo::kIsBypass);
  ASSERT_TRUE(bypass.has_value());
  plugin.setFromHost(kMix, 1.0);  // all echo, so that bypassing changes the sound most
  plugin.setFromHost(kDlyTime, 0.05);
  constexpr int32 kBlock = 512;
  ASSERT_TRUE(plugin.activate(44100.0, kBlock));
  ASSERT_TRUE(plugin.startProcessing());
  std::vector<float> in(kBlock);
  std::vector<float> out(kBlock);
  std::vector<float> heard;
  std::vector<float> given;
  long at = 0;
  for (int block = 0; block < 40; ++block) {
    for (float& sample : in) sample = 0.5f * std::sin(0.05f * static_cast<float>(at++));
    float* ins[2] = {in.data(), in.data()};
    float* outs[2] = {out.data(), out.data()};
    const std::vector<Vst3Point> changes =
        block == 20 ? std::vector<Vst3Point>{{bypass->id, 100, 1.0}} : std::vector<Vst3Point>{};
    ASSERT_EQ(plugin.process(ins, 2, outs, kBlock, changes, {}, nullptr), kResultOk);
    heard.insert(heard.end(), out.begin(), out.end());
    given.insert(given.end(), in.begin(), in.end());
  }
  const size_t switched = 20 * kBlock + 100;
  // Untouched up to its sample, the input itself soon after, and no step on the way
  // larger than the two signals' own steps.
  EXPECT_NE(heard[switched - 1], given[switched - 1]);
  for (size_t i = 30 * kBlock; i < heard.size(); ++i) ASSERT_EQ(heard[i], given[i]) << i;
  float largest = 0.0f;
  for (size_t i = switched - 200; i < switched + 4000; ++i) {
    largest = std::max(largest, std::fabs(heard[i] - heard[i - 1]));
  }
  EXPECT_LT(largest, 0.06f);  // a sine of 0.5 at 0.05 rad per sample steps by at most 0.025
}

TEST(Vst3Plugin, ControllersReachTheirParametersThroughTheMappingAndMovedValuesReachTheHost) {
  Vst3Instance plugin(keptVst3Module());
  ASSERT_NE(plugin.midiMapping(), nullptr);
  std::set<ParamID> declared;
  for (int32 i = 0; i < plugin.paramCount(); ++i) declared.insert(plugin.paramInfo(i).id);
  // Every controller of every channel names a declared parameter; 130 is none.
  for (int16 channel = 0; channel < 16; ++channel) {
    for (int16 cc = 0; cc < 128; ++cc) {
      const std::optional<ParamID> id = plugin.assignment(channel, cc);
      ASSERT_TRUE(id.has_value()) << "channel " << channel << " controller " << cc;
      EXPECT_EQ(declared.count(*id), 1U) << "channel " << channel << " controller " << cc;
    }
  }
  EXPECT_FALSE(plugin.assignment(0, kCountCtrlNumber).has_value());

  ASSERT_TRUE(plugin.activate(44100.0, 64));
  ASSERT_TRUE(plugin.startProcessing());
  std::vector<float> quiet = silence(64);
  float* io[2] = {quiet.data(), quiet.data()};
  ProcessContext time{};
  time.sampleRate = 44100.0;
  time.state = ProcessContext::kTempoValid | ProcessContext::kPlaying;
  const auto block = [&](double tempo, const std::vector<Vst3Point>& changes) {
    time.tempo = tempo;
    plugin.sent.clear();
    EXPECT_EQ(plugin.process(io, 2, io, 64, changes, {}, &time), kResultOk);
    time.projectTimeSamples += 64;
  };

  SCOPED_TRACE("controller 102 on channel 1 drives Input; the host hears the value");
  block(120.0, {{*plugin.assignment(0, 102), 17, 1.0}});
  EXPECT_EQ(sentFor(plugin, kInputGain), std::vector<double>{1.0});
  EXPECT_EQ(plugin.paramValue(kInputGain), 1.0);  // the controller learned it
  EXPECT_EQ(plugin.handler.edits.size(), 0U);     // moved, not an edit to record

  SCOPED_TRACE("the tempo moves the delay, a loop refuses it: the value in force is told");
  block(120.0, {{kDlyClk, 0, 1.0}});  // a whole note at 120 BPM: 2 s
  EXPECT_EQ(sentFor(plugin, kDlyTime), std::vector<double>{0.625});
  block(200.0, {});
  ASSERT_EQ(sentFor(plugin, kDlyTime).size(), 1U);
  EXPECT_FLOAT_EQ(static_cast<float>(plugin.paramValue(kDlyTime)), 1200.0f / 3200.0f);
  block(200.0, {{kDlyClk, 0, 0.0}, {kDlyTime, 0, 0.559}, {kRptInf, 0, 1.0}});
  block(200.0, {{kDlyClk, 0, 1.0}, {kDlyTime, 10, 0.25}});
  EXPECT_EQ(sentFor(plugin, kDlyTime), std::vector<double>{0.559f});  // 0.25 refused: it holds
  EXPECT_FLOAT_EQ(static_cast<float>(plugin.paramValue(kDlyTime)), 0.559f);
  plugin.stopProcessing();
  plugin.sent.clear();
  EXPECT_EQ(plugin.flush({{kDlyTime, 0, 0.3}}), kResultOk);  // refused in a flush too
  EXPECT_EQ(sentFor(plugin, kDlyTime), std::vector<double>{0.559f});
}

TEST(Vst3Plugin, ProgramsAreAListHostsShowByNameAndChoosingOneLoadsItLikeTheVstPlugin) {
  Vst3Instance plugin(keptVst3Module());
  auto vst = vstPlugin();
  ProgramList vstPrograms(*vst);
  ASSERT_NE(plugin.units(), nullptr);
  IUnitInfo& units = *plugin.units();
  ASSERT_GE(units.getUnitCount(), 1);
  UnitInfo root{};
  ASSERT_EQ(units.getUnitInfo(0, root), kResultOk);
  EXPECT_EQ(root.id, kRootUnitId);
  EXPECT_EQ(root.parentUnitId, kNoParentUnitId);
  EXPECT_EQ(root.programListId, plugin.programListId());
  EXPECT_EQ(plugin.programNames(), vstPrograms.names());

  const std::optional<ParameterInfo> program = plugin.paramWith(ParameterInfo::kIsProgramChange);
  ASSERT_TRUE(program.has_value());
  EXPECT_EQ(program->unitId, kRootUnitId);
  ASSERT_TRUE(plugin.activate(44100.0, 64));
  plugin.handler.restarts.clear();
  plugin.setFromHost(program->id, 11.0 / 16.0);  // "lezlie", from the host's program menu
  vstPrograms.select(11);
  EXPECT_NE(std::find_if(plugin.handler.restarts.begin(), plugin.handler.restarts.end(),
                         [](int32 f) { return (f & kParamValuesChanged) != 0; }),
            plugin.handler.restarts.end());
  EXPECT_EQ(plugin.saveState(), vst->chunk());  // the processor took it too
  for (ParamID id = 0; id < 18; ++id) {
    EXPECT_FLOAT_EQ(static_cast<float>(plugin.paramValue(id)),
                    vst->parameter(static_cast<VstInt32>(id)))
        << "parameter " << id;
  }
  EXPECT_FLOAT_EQ(static_cast<float>(plugin.paramValue(program->id)), 11.0f / 16.0f);
}

TEST(Vst3Plugin, StateIsTheVstChunkWrittenWhereTheStreamStandsAndAVstProjectLoads) {
  Vst3Instance plugin(keptVst3Module());
  auto vst = vstPlugin();

  SCOPED_TRACE("saved after what the host wrote before it, byte for byte the VST 2.4 chunk");
  const std::vector<unsigned char> header = {'V', 'S', 'T', '3', 1, 0, 0, 0};
  const std::vector<unsigned char> saved = plugin.saveState(header);
  EXPECT_EQ(saved, vst->chunk());

  SCOPED_TRACE("loaded while active: the controller follows, quietly");
  ASSERT_TRUE(plugin.activate(44100.0, 64));
  std::vector<unsigned char> program11 = vst->chunk();
  program11[kProgramIndexAt] = 11;
  plugin.handler.restarts.clear();
  ASSERT_TRUE(plugin.loadState(program11));
  EXPECT_EQ(plugin.handler.callsWhileGivenState, 0) << "the controller called back inside a call";
  ASSERT_TRUE(vst->setChunk(program11));
  for (ParamID id = 0; id < 18; ++id) {
    EXPECT_FLOAT_EQ(static_cast<float>(plugin.paramValue(id)),
                    vst->parameter(static_cast<VstInt32>(id)))
        << "parameter " << id;
  }
  EXPECT_EQ(plugin.saveState(), program11);

  SCOPED_TRACE("refused: a broken state changes nothing");
  Vst3Stream broken(std::vector<unsigned char>{1, 2, 3});
  EXPECT_NE(plugin.component().setState(broken.face()), kResultOk);
  EXPECT_EQ(plugin.saveState(), program11);

  SCOPED_TRACE("a VST 2.4 project's state: the whole bank file, as hosts hand it over");
  program11[kProgramIndexAt] = 4;
  const std::vector<unsigned char> bank = bankFileAround(program11);
  Vst3Instance fromVst(keptVst3Module());
  ASSERT_TRUE(fromVst.loadState(bank));
  ASSERT_TRUE(vst->setChunk(program11));
  EXPECT_EQ(fromVst.saveState(),
            vst->chunk());  // a synced delay's time set as the VST 2.4 one sets it
  for (ParamID id = 0; id < 18; ++id) {
    EXPECT_FLOAT_EQ(static_cast<float>(fromVst.paramValue(id)),
                    vst->parameter(static_cast<VstInt32>(id)))
        << "parameter " << id;
  }

  SCOPED_TRACE("bypass is kept in the state and comes back to the controller");
  const std::optional<ParameterInfo> bypass = plugin.paramWith(ParameterInfo::kIsBypass);
  ASSERT_TRUE(bypass.has_value());
  plugin.setFromHost(bypass->id, 1.0);
  const std::vector<unsigned char> bypassed = plugin.saveState();
  plugin.setFromHost(bypass->id, 0.0);
  ASSERT_TRUE(plugin.loadState(bypassed));
  EXPECT_EQ(plugin.paramValue(bypass->id), 1.0);
  EXPECT_EQ(plugin.saveState(), bypassed);
}
