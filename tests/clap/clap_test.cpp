// The CLAP module as a CLAP host meets it, through ondex-host's CLAP side:
// scanning, ports, parameters and their texts, events on their own samples,
// what the plug-in tells its host (from the editor and from MIDI), state that
// is the VST 2.4 chunk, and the editor embedded in a real window (X11 under a
// virtual display, Win32 under Wine).
#include "host/clap.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <map>
#include <thread>
#include <vector>

#include "clapinstance.h"
#include "common/steps.h"
#include "hostedplugin.h"
#include "platform/pluginmodule.h"
#include "windowtesthost.h"

namespace {

constexpr int kWidth = 870;
constexpr int kHeight = 101;
constexpr clap_id kInput = 0;
constexpr clap_id kMix = 2;
constexpr clap_id kDlyTime = 3;
constexpr clap_id kDlyx2 = 4;
constexpr clap_id kFbck = 6;
constexpr clap_id kHiCut = 7;
constexpr clap_id kRate = 12;
constexpr clap_id kProgramIndexAt = 12;
// Inside the HiCut switch of the editor.
constexpr int kHiCutX = 258;
constexpr int kHiCutY = 57;
// The centres of the Input, Fbck and Mix knobs.
constexpr int kInputX = 126;
constexpr int kFbckX = 217;
constexpr int kMixX = 369;
constexpr int kKnobY = 42;
// On the right half of the program rocker: the next program.
constexpr int kNextProgramX = 362;
constexpr int kNextProgramY = 92;

// Loaded once and kept for the run, as hosts keep their modules (and so that
// the font libraries the editor brought in are not unloaded under their caches).
platform::PluginModule& keptModule() {
  static platform::PluginModule* const kept = [] {
    std::string error;
    auto loaded = platform::PluginModule::load(ONDEX_CLAP_PATH, error);
    EXPECT_NE(loaded, nullptr) << error;
    return loaded.release();
  }();
  return *kept;
}

ClapEvent valueAt(uint32_t time, clap_id id, double value) {
  ClapEvent e;
  e.type = CLAP_EVENT_PARAM_VALUE;
  e.time = time;
  e.param = id;
  e.value = value;
  return e;
}

// A block of a rising ramp through a fresh instance, with the events given,
// as one call or split at `splitAt` into two.
std::vector<float> renderRamp(const ClapModule& module, const std::vector<ClapEvent>& events,
                              uint32_t splitAt = 0, uint32_t inputChannels = 2) {
  constexpr uint32_t kFrames = 512;
  ClapInstance clap(module);
  clap.flush({valueAt(0, 2, 0.7), valueAt(0, kDlyTime, 0.001)});  // mix and a short delay
  EXPECT_TRUE(clap.activate(44100.0, kFrames));
  EXPECT_TRUE(clap.startProcessing());
  std::vector<float> left(kFrames);
  std::vector<float> right(kFrames);
  std::vector<float> out(kFrames);
  std::vector<float> notThere(kFrames, 0.9f);  // what a mono port's absent channel must not give
  for (uint32_t i = 0; i < kFrames; ++i) {
    left[i] = right[i] = 0.5f * static_cast<float>(i % 64) / 64.0f;
  }
  const auto run = [&](uint32_t from, uint32_t to, std::vector<ClapEvent> list) {
    float* in[2] = {left.data() + from, (inputChannels == 2 ? right : notThere).data() + from};
    float* outs[2] = {out.data() + from, out.data() + from};
    clap.process(in, inputChannels, outs, to - from, list, nullptr);
  };
  if (splitAt == 0) {
    run(0, kFrames, events);
  } else {
    std::vector<ClapEvent> later = events;
    for (ClapEvent& e : later) e.time -= splitAt;
    run(0, splitAt, {});
    run(splitAt, kFrames, later);
  }
  return out;
}

// Clicks the editor and runs the host's main thread until `done`.
template <typename Done>
bool clickUntil(TestHost& window, ClapInstance& clap, int x, int y, Done done) {
  const auto idle = [&] {
    settle(window);
    clap.runMainThread();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  };
  for (int i = 0; i < 50; ++i) idle();  // the window comes up
  click(window, x, y);
  for (int i = 0; i < 500 && !done(); ++i) idle();
  return done();
}

// Clicks the HiCut switch until the plug-in asks for a flush to report it.
bool clickHiCut(TestHost& window, ClapInstance& clap) {
  const int before = clap.flushRequests;
  return clickUntil(window, clap, kHiCutX, kHiCutY, [&] { return clap.flushRequests > before; });
}

// The plug-in's parameter events as a host reads them: the gestures open and
// the last value told, per parameter. False at a begin inside a gesture or an
// end outside one.
struct HostSide {
  std::map<clap_id, bool> open;
  std::map<clap_id, double> last;

  bool read(const std::vector<ClapEvent>& sent) {
    for (const ClapEvent& e : sent) {
      if (e.type == CLAP_EVENT_PARAM_VALUE) {
        last[e.param] = e.value;
      } else if (e.type == CLAP_EVENT_PARAM_GESTURE_BEGIN ||
                 e.type == CLAP_EVENT_PARAM_GESTURE_END) {
        const bool begins = e.type == CLAP_EVENT_PARAM_GESTURE_BEGIN;
        if (open[e.param] == begins) {
          ADD_FAILURE() << (begins ? "a begin inside a gesture" : "an end outside a gesture")
                        << " of parameter " << e.param;
          return false;
        }
        open[e.param] = begins;
      }
    }
    return true;
  }

  std::vector<clap_id> gesturesOpen() const {
    std::vector<clap_id> ids;
    for (const auto& [id, isOpen] : open) {
      if (isOpen) ids.push_back(id);
    }
    return ids;
  }
};

// Creates the editor in the window and shows it.
bool showEditor(ClapInstance& clap, TestHost& window) {
  const auto* gui = clap.extension<clap_plugin_gui_t>(CLAP_EXT_GUI);
  clap_window_t parent{};
#if defined(_WIN32)
  parent.api = CLAP_WINDOW_API_WIN32;
  parent.win32 = window.parent();
#else
  parent.api = CLAP_WINDOW_API_X11;
  parent.x11 = reinterpret_cast<unsigned long>(window.parent());  // NOLINT: the XID
#endif
  return gui != nullptr && gui->create(&clap.plugin(), parent.api, false) &&
         gui->set_parent(&clap.plugin(), &parent) && gui->show(&clap.plugin());
}

// Runs the host's main thread (which never flushes) until the plug-in has
// asked for `more` flushes beyond `before`.
bool idleUntilAsked(TestHost& window, ClapInstance& clap, int before, int more) {
  for (int i = 0; i < 500 && clap.flushRequests - before < more; ++i) {
    settle(window);
    clap.runMainThread();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return clap.flushRequests - before >= more;
}

}  // namespace

TEST(ClapPlugin, HostedThroughItsEntryBehavesAsTheVstBuildAndTellsTheHostEverything) {
  platform::PluginModule& loaded = keptModule();
  const ClapModule module(ONDEX_CLAP_PATH, loaded);

  SCOPED_TRACE("scanning: one descriptor, found by its id");
  const clap_plugin_descriptor_t& d = module.descriptor();
  EXPECT_STREQ(d.id, "com.zel-acoustics.ondex");
  EXPECT_STREQ(d.name, "Corvane Ondex");
  EXPECT_STREQ(d.vendor, "Zel-acoustics");
  EXPECT_STREQ(d.features[0], "audio-effect");
  EXPECT_STREQ(d.features[1], "delay");
  EXPECT_STREQ(d.features[2], "stereo");
  EXPECT_EQ(d.features[3], nullptr);
  EXPECT_EQ(module.factory().get_plugin_count(&module.factory()), 1U);
  EXPECT_EQ(module.factory().get_plugin_descriptor(&module.factory(), 1), nullptr);
  clap_host_t stranger{};
  stranger.clap_version = CLAP_VERSION;
  EXPECT_EQ(module.factory().create_plugin(&module.factory(), &stranger, "com.other.thing"),
            nullptr);

  ClapInstance clap(module);

  SCOPED_TRACE("ports: stereo in and out sharing buffers, one MIDI input");
  const auto* audio = clap.extension<clap_plugin_audio_ports_t>(CLAP_EXT_AUDIO_PORTS);
  ASSERT_NE(audio, nullptr);
  clap_audio_port_info_t port{};
  EXPECT_EQ(audio->count(&clap.plugin(), true), 1U);
  ASSERT_TRUE(audio->get(&clap.plugin(), 0, false, &port));
  EXPECT_EQ(port.channel_count, 2U);
  EXPECT_STREQ(port.port_type, "stereo");
  EXPECT_EQ(port.in_place_pair, 0U);
  const auto* notes = clap.extension<clap_plugin_note_ports_t>(CLAP_EXT_NOTE_PORTS);
  clap_note_port_info_t midiPort{};
  ASSERT_TRUE(notes->get(&clap.plugin(), 0, true, &midiPort));
  EXPECT_EQ(midiPort.preferred_dialect, CLAP_NOTE_DIALECT_MIDI);
  EXPECT_EQ(clap.extension<clap_plugin_latency_t>(CLAP_EXT_LATENCY)->get(&clap.plugin()), 0U);

  SCOPED_TRACE("parameters: 18, stepped switches and note lengths, the VST 2.4 texts");
  ASSERT_EQ(clap.paramCount(), 18U);
  EXPECT_STREQ(clap.paramInfo(kDlyTime).name, "DlyTime");
  EXPECT_EQ(clap.paramInfo(kDlyTime).flags & CLAP_PARAM_IS_STEPPED, 0U);
  EXPECT_NE(clap.paramInfo(kDlyTime).flags & CLAP_PARAM_IS_AUTOMATABLE, 0U);
  EXPECT_NE(clap.paramInfo(kDlyx2).flags & CLAP_PARAM_IS_STEPPED, 0U);
  EXPECT_EQ(clap.paramInfo(kDlyx2).max_value, 1.0);
  EXPECT_EQ(clap.paramInfo(17).max_value, 12.0);  // thirteen denominators
  EXPECT_EQ(clap.valueText(kDlyTime, 0.25), "800 ms");
  EXPECT_EQ(clap.valueText(kDlyx2, 1.0), "on");
  EXPECT_EQ(clap.valueText(17, 3.0), "4");
  const auto* params = clap.extension<clap_plugin_params_t>(CLAP_EXT_PARAMS);
  double parsed = -1.0;
  EXPECT_TRUE(params->text_to_value(&clap.plugin(), kDlyTime, "800 ms", &parsed));
  EXPECT_NEAR(parsed, 0.25, 0.001);
  EXPECT_TRUE(params->text_to_value(&clap.plugin(), kDlyx2, "on", &parsed));
  EXPECT_EQ(parsed, 1.0);
  clap.flush({valueAt(0, kDlyx2, 1.0)});  // flush while inactive
  EXPECT_EQ(clap.paramValue(kDlyx2), 1.0);
  // Doubled, the delay reads as it is heard, and back; the host re-reads values and texts.
  EXPECT_EQ(clap.rescans, 1);
  EXPECT_EQ(clap.valueText(kDlyTime, 0.25), "1600 ms");
  EXPECT_TRUE(params->text_to_value(&clap.plugin(), kDlyTime, "1600 ms", &parsed));
  EXPECT_NEAR(parsed, 0.25, 0.001);
  EXPECT_EQ(clap.valueText(kRate, 0.0), "0.1 Hz");

  SCOPED_TRACE("state: the VST 2.4 chunk, byte for byte, and loading it rescans");
  auto vst = PluginLibrary(ONDEX_VST_PATH).instantiate(HostSettings{});
  vst->setParameter(kDlyx2, 1.0f);
  const std::vector<unsigned char> saved = clap.saveState();
  EXPECT_EQ(saved, vst->chunk());
  ASSERT_TRUE(clap.activate(44100.0, 512));
  std::vector<unsigned char> program11 = saved;
  program11[kProgramIndexAt] = 11;
  const int rescansBefore = clap.rescans;
  EXPECT_TRUE(clap.loadState(program11));  // while active, as hosts do
  EXPECT_GT(clap.rescans, rescansBefore);
  EXPECT_EQ(clap.dirtyMarks, 0);  // the host's own state
  ASSERT_TRUE(vst->setChunk(program11));
  for (clap_id id = 0; id < 18; ++id) {
    const float v = vst->parameter(static_cast<VstInt32>(id));
    const int steps = static_cast<int>(clap.paramInfo(id).max_value) + 1;
    const bool stepped = (clap.paramInfo(id).flags & CLAP_PARAM_IS_STEPPED) != 0;
    EXPECT_FLOAT_EQ(static_cast<float>(clap.paramValue(id)),
                    stepped ? static_cast<float>(stepIndex(v, steps)) : v)
        << "parameter " << id;
  }
  EXPECT_FALSE(clap.loadState({1, 2, 3}));
  EXPECT_EQ(clap.saveState(), program11);

  SCOPED_TRACE("MIDI: a controller drives its parameter, told to the host unrecorded");
  ASSERT_TRUE(clap.startProcessing());
  std::vector<float> silence(64, 0.0f);
  float* io[2] = {silence.data(), silence.data()};
  ClapEvent cc;
  cc.type = CLAP_EVENT_MIDI;
  cc.time = 17;
  cc.midi[0] = 0xB0;
  cc.midi[1] = 102;  // Input's controller
  cc.midi[2] = 127;
  clap.sent.clear();
  clap.process(io, 2, io, 64, {cc}, nullptr);
  EXPECT_EQ(clap.paramValue(kInput), 1.0);
  ASSERT_EQ(clap.sent.size(), 1U);
  EXPECT_EQ(clap.sent[0].type, CLAP_EVENT_PARAM_VALUE);
  EXPECT_EQ(clap.sent[0].param, kInput);
  EXPECT_EQ(clap.sent[0].time, 17U);
  EXPECT_EQ(clap.sent[0].flags, CLAP_EVENT_DONT_RECORD);
  EXPECT_EQ(clap.extension<clap_plugin_tail_t>(CLAP_EXT_TAIL)->get(&clap.plugin()) >= INT32_MAX,
            clap.paramValue(13) >= 1.0);
  clap.stopProcessing();

  SCOPED_TRACE("the editor: embedded, idled by the host's timer, its gestures reach the host");
  const auto* gui = clap.extension<clap_plugin_gui_t>(CLAP_EXT_GUI);
  ASSERT_NE(gui, nullptr);
#if defined(_WIN32)
  const char* api = CLAP_WINDOW_API_WIN32;
#else
  const char* api = CLAP_WINDOW_API_X11;
#endif
  EXPECT_TRUE(gui->is_api_supported(&clap.plugin(), api, false));
  EXPECT_FALSE(gui->is_api_supported(&clap.plugin(), api, true));
  auto window = TestHost::open(kWidth, kHeight);
  ASSERT_NE(window, nullptr) << "no display (run under xvfb-run)";
  ASSERT_TRUE(gui->create(&clap.plugin(), api, false));
  clap_window_t parent{};
  parent.api = api;
#if defined(_WIN32)
  parent.win32 = window->parent();
#else
  parent.x11 = reinterpret_cast<unsigned long>(window->parent());  // NOLINT: the XID
#endif
  ASSERT_TRUE(gui->set_parent(&clap.plugin(), &parent));  // before get_size, as hosts do
  uint32_t width = 0;
  uint32_t height = 0;
  ASSERT_TRUE(gui->get_size(&clap.plugin(), &width, &height));
  EXPECT_EQ(width, static_cast<uint32_t>(kWidth));
  EXPECT_EQ(height, static_cast<uint32_t>(kHeight));
  EXPECT_TRUE(gui->show(&clap.plugin()));
  EXPECT_EQ(clap.timers.size(), 1U);
  EXPECT_TRUE(gui->hide(&clap.plugin()));  // hidden, it rests
  EXPECT_TRUE(clap.timers.empty());
  EXPECT_TRUE(gui->show(&clap.plugin()));
  EXPECT_EQ(clap.timers.size(), 1U);
#if !defined(_WIN32)
  EXPECT_EQ(clap.fds.size(), 1U);
#endif
  clap.sent.clear();
  EXPECT_TRUE(clickHiCut(*window, clap));
  clap.flush({});
  ASSERT_EQ(clap.sent.size(), 3U);
  EXPECT_EQ(clap.sent[0].type, CLAP_EVENT_PARAM_GESTURE_BEGIN);
  EXPECT_EQ(clap.sent[1].type, CLAP_EVENT_PARAM_VALUE);
  EXPECT_EQ(clap.sent[1].param, kHiCut);
  EXPECT_EQ(clap.sent[1].value, clap.paramValue(kHiCut));
  EXPECT_EQ(clap.sent[1].flags, 0U);
  EXPECT_EQ(clap.sent[2].type, CLAP_EVENT_PARAM_GESTURE_END);
  // The next program, from the editor: the host re-reads the values, records nothing, and
  // knows the state changed; also a host that never calls back when asked.
  clap.answersCallbacks = false;
  const int rescans = clap.rescans;
  const int dirty = clap.dirtyMarks;
  clap.sent.clear();
  EXPECT_TRUE(clickUntil(*window, clap, kNextProgramX, kNextProgramY,
                         [&] { return clap.rescans > rescans; }));
  EXPECT_GT(clap.dirtyMarks, dirty);
  clap.flush({});
  EXPECT_TRUE(clap.sent.empty());
  gui->destroy(&clap.plugin());
  EXPECT_TRUE(clap.timers.empty());
  EXPECT_TRUE(clap.fds.empty());
#if !defined(_WIN32)
  window->sync();
  EXPECT_EQ(window->childWindows(), 0);
#endif

  SCOPED_TRACE("a host without timers: the X connection's events or a window timer idle it");
  ClapInstance untimed(module, false);
  const auto* untimedGui = untimed.extension<clap_plugin_gui_t>(CLAP_EXT_GUI);
  ASSERT_TRUE(untimedGui->create(&untimed.plugin(), api, false));
  ASSERT_TRUE(untimedGui->set_parent(&untimed.plugin(), &parent));
  EXPECT_TRUE(clickHiCut(*window, untimed));
  untimedGui->destroy(&untimed.plugin());
}

// The host's view never goes stale: what the tempo, a refusal or the loop's
// release moves is told as unrecorded values, and a state saved while a loop
// holds its time comes back as it was heard.
TEST(ClapPlugin, ValuesThePluginMovesItselfReachTheHostAndAReloadKeepsTheDelayHeard) {
  platform::PluginModule& loaded = keptModule();
  const ClapModule module(ONDEX_CLAP_PATH, loaded);
  constexpr clap_id kRptInf = 13;
  constexpr clap_id kDlyClk = 15;
  ClapInstance clap(module);
  ASSERT_TRUE(clap.activate(44100.0, 64));
  ASSERT_TRUE(clap.startProcessing());
  std::vector<float> silence(64, 0.0f);
  float* io[2] = {silence.data(), silence.data()};
  clap_event_transport_t transport{};
  transport.header = {sizeof(transport), 0, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_TRANSPORT, 0};
  transport.flags = CLAP_TRANSPORT_HAS_TEMPO;
  const auto block = [&](double tempo, const std::vector<ClapEvent>& events) {
    transport.tempo = tempo;
    clap.sent.clear();
    clap.process(io, 2, io, 64, events, &transport);
  };
  const auto toldDelay = [&clap] {
    std::vector<double> told;
    for (const ClapEvent& e : clap.sent) {
      if (e.type == CLAP_EVENT_PARAM_VALUE && e.param == kDlyTime) {
        EXPECT_EQ(e.flags, CLAP_EVENT_DONT_RECORD);
        told.push_back(e.value);
      }
    }
    return told;
  };

  block(120.0, {valueAt(0, kDlyClk, 1.0)});  // a whole note at 120 BPM: 2 s
  EXPECT_EQ(toldDelay(), std::vector<double>{0.625});
  block(200.0, {});
  EXPECT_EQ(toldDelay(), std::vector<double>{clap.paramValue(kDlyTime)});
  EXPECT_FLOAT_EQ(static_cast<float>(clap.paramValue(kDlyTime)), 1200.0f / 3200.0f);

  block(200.0, {valueAt(0, kDlyClk, 0.0), valueAt(0, kDlyTime, 0.559), valueAt(0, kRptInf, 1.0),
                valueAt(0, kDlyClk, 1.0), valueAt(10, kDlyTime, 0.25)});
  EXPECT_EQ(toldDelay(), std::vector<double>{0.559f});  // 0.25 refused: the loop holds
  clap.sent.clear();
  clap.flush({valueAt(0, kDlyTime, 0.3)});  // refused in a flush too
  EXPECT_EQ(toldDelay(), std::vector<double>{0.559f});
  const std::vector<unsigned char> held = clap.saveState();
  block(200.0, {valueAt(0, kRptInf, 0.0)});
  EXPECT_EQ(toldDelay(), std::vector<double>{0.375});  // released into the tempo's time
  const std::vector<unsigned char> released = clap.saveState();

  for (const auto* state : {&held, &released}) {
    ClapInstance again(module);  // in a project at the same tempo
    ASSERT_TRUE(again.activate(44100.0, 64));
    ASSERT_TRUE(again.startProcessing());
    again.process(io, 2, io, 64, {}, &transport);
    ASSERT_TRUE(again.loadState(*state));
    EXPECT_EQ(again.saveState(), *state);
    EXPECT_EQ(again.paramValue(kDlyTime), state == &held ? 0.559f : 0.375);
    EXPECT_EQ(again.paramValue(kDlyClk), 1.0);
  }
  clap.stopProcessing();
}

TEST(ClapPlugin, ParameterEventsLandOnTheirOwnSampleAndMonoFeedsBothChannels) {
  platform::PluginModule& loaded = keptModule();
  const ClapModule module(ONDEX_CLAP_PATH, loaded);
  // Doubling the delay at frame 200 of a block sounds as if the block ended there.
  const std::vector<ClapEvent> change = {valueAt(200, kDlyx2, 1.0)};
  const std::vector<float> inBlock = renderRamp(module, change);
  EXPECT_EQ(inBlock, renderRamp(module, change, 200));
  std::vector<ClapEvent> atStart = change;
  atStart[0].time = 0;
  EXPECT_NE(inBlock, renderRamp(module, atStart));
  // A mono input feeds both channels, as the same signal on two would.
  EXPECT_EQ(renderRamp(module, change, 0, 1), inBlock);
}

TEST(ClapPlugin, EditorGesturesPiledUpWhileNothingDrainsReachTheHostWholeWithTheValuesInForce) {
  platform::PluginModule& loaded = keptModule();
  const ClapModule module(ONDEX_CLAP_PATH, loaded);
  ClapInstance clap(module);
  auto window = TestHost::open(kWidth, kHeight);
  ASSERT_NE(window, nullptr) << "no display (run under xvfb-run)";
  ASSERT_TRUE(showEditor(clap, *window));
  for (int i = 0; i < 50; ++i) {  // the window comes up
    settle(*window);
    clap.runMainThread();
  }
  // Wheel steps on two knobs, alternately up and down so that each one moves
  // its knob: a begin, a value and an end each, far more than any queue of
  // a few hundred events holds.
  constexpr int kSteps = 121;
  static_assert(6 * kSteps > 700);
  const auto pileUp = [&] {
    const int before = clap.flushRequests;
    for (int i = 0; i < kSteps; ++i) {
      wheel(*window, kInputX, kKnobY, i % 2 == 0);
      wheel(*window, kFbckX, kKnobY, i % 2 == 0);
      if (i % 8 == 0) clap.runMainThread();
    }
    // Every one of them was posted (each asks for a flush) before anything drains.
    ASSERT_TRUE(idleUntilAsked(*window, clap, before, 6 * kSteps));
  };
  const auto toldInForce = [&](const HostSide& host) {
    for (const clap_id id : {kInput, kFbck}) {
      ASSERT_EQ(host.last.count(id), 1U) << "parameter " << id;
      EXPECT_EQ(host.last.at(id), clap.paramValue(id)) << "parameter " << id;
    }
    EXPECT_NEAR(clap.paramValue(kInput), 0.5 + 1.0 / 32.0, 1e-6);  // every step arrived
    EXPECT_NEAR(clap.paramValue(kFbck), 1.0 / 32.0, 1e-6);
  };
  const int rescans = clap.rescans;

  SCOPED_TRACE("active but not processing: the next block tells it all");
  ASSERT_TRUE(clap.activate(44100.0, 64));
  pileUp();
  ASSERT_TRUE(clap.startProcessing());
  std::vector<float> silence(64, 0.0f);
  float* io[2] = {silence.data(), silence.data()};
  clap.sent.clear();
  clap.process(io, 2, io, 64, {}, nullptr);
  HostSide host;
  ASSERT_TRUE(host.read(clap.sent));
  EXPECT_TRUE(host.gesturesOpen().empty());
  toldInForce(host);
  EXPECT_EQ(clap.rescans, rescans);  // gestures, not a re-read of the values
  clap.stopProcessing();

  SCOPED_TRACE("inactive: a flush tells it all; a drag still held stays open until released");
  clap.deactivate();
  int before = clap.flushRequests;
  wheel(*window, kInputX, kKnobY, false);  // back where the first pile began
  wheel(*window, kFbckX, kKnobY, false);
  ASSERT_TRUE(idleUntilAsked(*window, clap, before, 6));
  pileUp();
  before = clap.flushRequests;
  pressAt(*window, kMixX, kKnobY);
  dragTo(*window, kMixX, kKnobY - 20);
  ASSERT_TRUE(idleUntilAsked(*window, clap, before, 2));  // a begin and a value at least
  clap.sent.clear();
  clap.flush({});
  HostSide inactive;
  ASSERT_TRUE(inactive.read(clap.sent));
  EXPECT_EQ(inactive.gesturesOpen(), std::vector<clap_id>{kMix});
  toldInForce(inactive);
  ASSERT_EQ(inactive.last.count(kMix), 1U);
  EXPECT_EQ(inactive.last.at(kMix), clap.paramValue(kMix));
  EXPECT_NE(clap.paramValue(kMix), 0.5);
  before = clap.flushRequests;
  releaseAt(*window, kMixX, kKnobY - 20);
  ASSERT_TRUE(idleUntilAsked(*window, clap, before, 1));
  clap.sent.clear();
  clap.flush({});
  ASSERT_TRUE(inactive.read(clap.sent));
  EXPECT_TRUE(inactive.gesturesOpen().empty());
  ASSERT_EQ(clap.sent.size(), 1U);
  EXPECT_EQ(clap.sent[0].type, CLAP_EVENT_PARAM_GESTURE_END);
  EXPECT_EQ(clap.rescans, rescans);
  clap.extension<clap_plugin_gui_t>(CLAP_EXT_GUI)->destroy(&clap.plugin());
}
