// The LV2 bundle as LV2 hosts meet it, through ondex-host's LV2 side (lilv):
// its description read without a warning, renders and state beside the VST
// 2.4 module's, changes made inside the plug-in that outlast the host's ports
// and a save, and the editor embedded in a real X11 window.
#include <gtest/gtest.h>
#include <lv2/atom/atom.h>
#include <lv2/instance-access/instance-access.h>
#include <lv2/midi/midi.h>
#include <lv2/time/time.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "common/parameters.h"
#include "common/steps.h"
#include "hostedplugin.h"
#include "hostrun.h"
#include "lv2effect.h"
#include "lv2uihost.h"
#include "ondexversion.h"
#include "programs.h"
#include "windowtesthost.h"

namespace {

constexpr const char* kUri = "https://zel-acoustics.com/plugins/ondex";
constexpr uint32_t kFirstParameterPort = 5;
constexpr const char* kSymbols[kNumZelParameters] = {
    "input", "output",  "mix",    "dly_time", "dly_x2", "dly_inv",
    "fbck",  "hi_cut",  "fb_inv", "man_vco",  "depth",  "waveform",
    "rate",  "rpt_inf", "power",  "dly_clk",  "num",    "den"};
constexpr VstInt32 kBlock = 256;
constexpr int kEditorWidth = 870;
constexpr int kEditorHeight = 101;
// Inside the HiCut switch, and the next-program half of the program rocker.
constexpr int kHiCutX = 258;
constexpr int kHiCutY = 57;
constexpr int kNextProgramX = 362;
constexpr int kNextProgramY = 92;
// On no control: a right click there opens the zoom menu.
constexpr int kEmptyX = 560;
constexpr int kEmptyY = 75;

// What lilv and serd print to standard error while the object lives.
class StandardErrorText {
 public:
  StandardErrorText() : file(std::tmpfile()), saved(dup(STDERR_FILENO)) {
    std::fflush(stderr);
    dup2(fileno(file), STDERR_FILENO);
  }
  ~StandardErrorText() { restore(); }
  StandardErrorText(const StandardErrorText&) = delete;
  StandardErrorText& operator=(const StandardErrorText&) = delete;
  std::string take() {
    restore();
    std::rewind(file);
    std::string text;
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) text += static_cast<char>(c);
    return text;
  }

 private:
  void restore() {
    if (saved >= 0) {
      std::fflush(stderr);
      dup2(saved, STDERR_FILENO);
      close(saved);
      saved = -1;
    }
  }
  std::FILE* file;
  int saved;
};

// The value in force of a parameter, as the state chunk keeps it: the
// current program's.
float valueInForce(const std::vector<unsigned char>& chunk, int id) {
  int32_t program = 0;
  float value = -1.0f;
  if (chunk.size() >= kChunkProgramsAt + 17 * kChunkProgramSize) {
    std::memcpy(&program, chunk.data() + kChunkCurrentProgramAt, sizeof(program));
    std::memcpy(&value,
                chunk.data() + kChunkProgramsAt + static_cast<size_t>(program) * kChunkProgramSize +
                    kChunkProgramNameSize + static_cast<size_t>(id) * sizeof(float),
                sizeof(value));
  }
  return value;
}

// A parameter's port value for a normalized one: switches 0/1, steps their index.
float portFor(int id, float value) {
  const ParameterRow& row = kParameterTable[static_cast<size_t>(id)];
  return row.kind == ParameterKind::Continuous ? value
                                               : static_cast<float>(stepIndex(value, row.steps));
}

// Blocks of noise through a started plug-in; the output, both channels.
std::vector<float> runBlocks(HostedPlugin& plugin, int blocks, unsigned seed = 1) {
  std::vector<float> in(kBlock);
  std::vector<float> left(kBlock);
  std::vector<float> right(kBlock);
  float* ins[2] = {in.data(), in.data()};
  float* outs[2] = {left.data(), right.data()};
  std::vector<float> all;
  for (int b = 0; b < blocks; ++b) {
    for (float& s : in) {
      seed = seed * 1664525u + 1013904223u;
      s = static_cast<float>(seed >> 8) / 16777216.0f - 0.5f;
    }
    plugin.process(ins, outs, kBlock);
    all.insert(all.end(), left.begin(), left.end());
    all.insert(all.end(), right.begin(), right.end());
  }
  return all;
}

// Equal sample for sample, or where they part.
testing::AssertionResult sameSamples(const std::vector<float>& a, const std::vector<float>& b) {
  if (a.size() != b.size()) {
    return testing::AssertionFailure() << a.size() << " samples against " << b.size();
  }
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i]) {
      return testing::AssertionFailure() << "sample " << i << ": " << a[i] << " against " << b[i];
    }
  }
  return testing::AssertionSuccess();
}

std::vector<float> samplesOf(const std::string& path) {
  std::vector<float> all;
  for (const std::vector<float>& channel : readSound(path).channels) {
    all.insert(all.end(), channel.begin(), channel.end());
  }
  return all;
}

VstMidiEvent controlChange(int controller, int value, int frame) {
  VstMidiEvent e{};
  e.type = kVstMidiType;
  e.byteSize = sizeof(e);
  e.deltaFrames = frame;
  e.midiData[0] = static_cast<char>(0xB0);
  e.midiData[1] = static_cast<char>(controller);
  e.midiData[2] = static_cast<char>(value);
  return e;
}

HostSettings settings() {
  HostSettings s;
  s.blockSize = kBlock;
  return s;
}

}  // namespace

TEST(Lv2Bundle, ReadByLilvWithoutAWarningItDescribesEveryParameterPresetAndTheUi) {
  StandardErrorText said;
  const auto bundle = std::make_shared<const Lv2Bundle>(ONDEX_LV2_PATH);
  LilvWorld* world = bundle->world();
  std::vector<LilvState*> presets;
  for (const Lv2Preset& preset : bundle->presets()) {
    LilvNode* node = lilv_new_uri(world, preset.uri.c_str());
    presets.push_back(lilv_state_new_from_world(world, bundle->urids().lv2Map(), node));
    lilv_node_free(node);
  }
  const LilvUI* ui = bundle->x11Ui();
  EXPECT_EQ(said.take(), "");

  SCOPED_TRACE("identity: one delay plug-in of the vendor's, in the one version");
  EXPECT_EQ(bundle->uri(), kUri);
  EXPECT_EQ(bundle->name(), "Corvane Ondex");
  EXPECT_EQ(bundle->author(), "Zel-acoustics");
  EXPECT_TRUE(std::string(kOndexVersion).ends_with("." + bundle->version())) << bundle->version();
  LilvNode* type = lilv_new_uri(world, "http://www.w3.org/1999/02/22-rdf-syntax-ns#type");
  LilvNode* delay = lilv_new_uri(world, LV2_CORE__DelayPlugin);
  EXPECT_TRUE(lilv_world_ask(world, lilv_plugin_get_uri(bundle->plugin()), type, delay));
  lilv_node_free(type);
  lilv_node_free(delay);

  SCOPED_TRACE("ports: stereo in and out, MIDI and the song position, the 18 parameters, notices");
  const std::vector<Lv2Port>& ports = bundle->ports();
  ASSERT_EQ(ports.size(), kFirstParameterPort + kNumZelParameters + 1);
  const Lv2Port& notices = ports.back();
  EXPECT_EQ(notices.kind, Lv2Port::Kind::kAtom);
  EXPECT_FALSE(notices.input);
  EXPECT_EQ(notices.symbol, "notify");
  const char* audio[] = {"in_l", "in_r", "out_l", "out_r"};
  for (uint32_t i = 0; i < 4; ++i) {
    EXPECT_EQ(ports[i].kind, Lv2Port::Kind::kAudio);
    EXPECT_EQ(ports[i].symbol, audio[i]);
    EXPECT_EQ(ports[i].input, i < 2);
  }
  EXPECT_EQ(ports[4].kind, Lv2Port::Kind::kAtom);
  EXPECT_TRUE(ports[4].input);
  const LilvPort* events = lilv_plugin_get_port_by_index(bundle->plugin(), 4);
  for (const char* supported : {LV2_MIDI__MidiEvent, LV2_TIME__Position}) {
    LilvNode* node = lilv_new_uri(world, supported);
    EXPECT_TRUE(lilv_port_supports_event(bundle->plugin(), events, node)) << supported;
    lilv_node_free(node);
  }
  for (int id = 0; id < kNumZelParameters; ++id) {
    const ParameterRow& row = kParameterTable[static_cast<size_t>(id)];
    const Lv2Port& p = ports[kFirstParameterPort + static_cast<uint32_t>(id)];
    SCOPED_TRACE(row.name);
    EXPECT_EQ(p.kind, Lv2Port::Kind::kControl);
    EXPECT_TRUE(p.input);
    EXPECT_EQ(p.symbol, kSymbols[id]);
    EXPECT_EQ(p.name, row.name);
    EXPECT_EQ(p.minimum, 0.0f);
    EXPECT_EQ(p.maximum,
              row.kind == ParameterKind::Continuous ? 1.0f : static_cast<float>(row.steps - 1));
    EXPECT_FLOAT_EQ(p.defaultValue, portFor(id, row.defaultValue));
    EXPECT_EQ(p.toggled, row.kind == ParameterKind::Switch);
    EXPECT_EQ(p.integer && p.enumeration, row.kind == ParameterKind::Stepped);
    if (row.kind == ParameterKind::Stepped) {
      ASSERT_EQ(p.scalePoints.size(), static_cast<size_t>(row.steps));
      for (int s = 0; s < row.steps; ++s) {
        EXPECT_EQ(p.scalePoints[static_cast<size_t>(s)].first, static_cast<float>(s));
      }
    }
  }
  const auto& numerators = ports[kFirstParameterPort + kNum].scalePoints;
  const auto& denominators = ports[kFirstParameterPort + kDen].scalePoints;
  EXPECT_EQ(numerators[2].second, "5");
  EXPECT_EQ(denominators.front().second, "1/1");
  EXPECT_EQ(denominators.back().second, "1/96");

  SCOPED_TRACE("presets: the 17 programs, named and numbered as the VST 2.4 module's");
  auto vst = PluginLibrary(ONDEX_VST_PATH).instantiate(settings());
  const std::vector<std::string> names = ProgramList(*vst).names();
  ASSERT_EQ(bundle->presets().size(), names.size());
  for (size_t i = 0; i < names.size(); ++i) {
    char uri[80];
    std::snprintf(uri, sizeof(uri), "%s#preset-%02zu", kUri, i);
    EXPECT_EQ(bundle->presets()[i].uri, uri);
    EXPECT_EQ(bundle->presets()[i].label, names[i]);
    ASSERT_NE(presets[i], nullptr) << uri;
    EXPECT_EQ(lilv_state_get_num_properties(presets[i]), 1U) << "the program it stands for";
    lilv_state_free(presets[i]);
  }

  SCOPED_TRACE("the UI: an X11 UI that only a host with instance access is offered");
  ASSERT_NE(ui, nullptr);
  EXPECT_EQ(std::string(lilv_node_as_uri(lilv_ui_get_uri(ui))), std::string(kUri) + "#ui");
  LilvNode* required = lilv_new_uri(world, LV2_CORE__requiredFeature);
  LilvNode* access = lilv_new_uri(world, LV2_INSTANCE_ACCESS_URI);
  LilvNodes* needs = lilv_world_find_nodes(world, lilv_ui_get_uri(ui), required, nullptr);
  EXPECT_TRUE(lilv_nodes_contains(needs, access));
  lilv_nodes_free(needs);
  lilv_node_free(access);
  lilv_node_free(required);
  char* binary = lilv_file_uri_parse(lilv_node_as_uri(lilv_ui_get_binary_uri(ui)), nullptr);
  EXPECT_TRUE(std::filesystem::exists(binary)) << binary;
  lilv_free(binary);
}

// One engine behind both: the same blocks in give the same blocks out and
// the same chunk, through a state load while running and a preset; and a
// value moved inside the plug-in stays when the host's port still holds an
// older one, in the run and in a save the host makes with its port values.
TEST(Lv2Host, StateAndRendersThroughTheLv2SideMatchTheVstModuleAndKeepChangesMadeInside) {
  const PluginLibrary lv2Library(ONDEX_LV2_PATH);
  auto lv2 = lv2Library.instantiate(settings());
  auto vst = PluginLibrary(ONDEX_VST_PATH).instantiate(settings());
  ASSERT_TRUE(lv2->usesChunks());
  // Steps at their centres: the value a port's step stands for.
  for (HostedPlugin* p : {lv2.get(), vst.get()}) {
    p->setParameter(kDlyx2, stepCentre(1, 2));
    p->setParameter(kFbck, 0.6f);
    p->setParameter(kDen, stepCentre(3, kDenominatorSteps));
    p->start();
  }
  EXPECT_TRUE(sameSamples(runBlocks(*lv2, 40), runBlocks(*vst, 40)));
  const std::vector<unsigned char> chunk = lv2->chunk();
  EXPECT_EQ(chunk.size(), 1736U);
  EXPECT_EQ(chunk, vst->chunk());

  SCOPED_TRACE("a state loaded while running and a port set after it, then a preset");
  std::vector<unsigned char> program11 = chunk;
  program11[kChunkCurrentProgramAt] = 11;
  ASSERT_TRUE(lv2->setChunk(program11));
  ASSERT_TRUE(vst->setChunk(program11));
  // A host's own move right after the load applies.
  lv2->setParameter(kOutput, 0.1f);
  vst->setParameter(kOutput, 0.1f);
  EXPECT_TRUE(sameSamples(runBlocks(*lv2, 40, 7), runBlocks(*vst, 40, 7)));
  ProgramList(*lv2).select(5);
  ProgramList(*vst).select(5);
  EXPECT_TRUE(sameSamples(runBlocks(*lv2, 40, 9), runBlocks(*vst, 40, 9)));
  for (int id = 0; id < kNumZelParameters; ++id) {
    EXPECT_EQ(stepIndex(valueInForce(lv2->chunk(), id), 1 << 20),
              stepIndex(valueInForce(vst->chunk(), id), 1 << 20))
        << kParameterTable[static_cast<size_t>(id)].name;
  }

  SCOPED_TRACE("MIDI moves Input while the host's port holds 0.7");
  lv2->setParameter(kInput, 0.7f);
  runBlocks(*lv2, 1);
  lv2->sendEvents({controlChange(kParameterTable[kInput].defaultController, 127, 10)});
  runBlocks(*lv2, 3);
  EXPECT_EQ(valueInForce(lv2->chunk(), kInput), 1.0f) << "not undone by the port";
  // Saved as jalv and Ardour save: the plug-in's state and the ports' values.
  Lv2Instance& instance = *lv2InstanceOf(lv2->effect());
  LilvState* saved = lilv_state_new_from_instance(
      lv2Library.lv2Bundle()->plugin(), instance.lilv(), lv2Library.lv2Bundle()->urids().lv2Map(),
      nullptr, nullptr, nullptr, nullptr,
      [](const char* symbol, void* self, uint32_t* size, uint32_t* type) -> const void* {
        auto& from = *static_cast<Lv2Instance*>(self);
        for (const Lv2Port& p : from.bundle().ports()) {
          if (p.symbol == symbol && p.kind == Lv2Port::Kind::kControl) {
            static float value;
            value = from.portValue(p.index);
            *size = sizeof(float);
            *type = from.bundle().urids().map(LV2_ATOM__Float);
            return &value;
          }
        }
        return nullptr;
      },
      &instance, 0, instance.features());
  ASSERT_NE(saved, nullptr);
  const std::vector<unsigned char> heard = lv2->chunk();
  auto reopened = lv2Library.instantiate(settings());
  Lv2Instance& again = *lv2InstanceOf(reopened->effect());
  lilv_state_restore(
      saved, again.lilv(),
      [](const char* symbol, void* self, const void* value, uint32_t size, uint32_t /*type*/) {
        if (size == sizeof(float)) {
          static_cast<Lv2Instance*>(self)->setPortValue(symbol, *static_cast<const float*>(value));
        }
      },
      &again, 0, again.features());
  lilv_state_free(saved);
  reopened->start();
  runBlocks(*reopened, 2);
  EXPECT_EQ(valueInForce(reopened->chunk(), kInput), 1.0f) << "the reload keeps what was heard";
  EXPECT_TRUE(reopened->chunk() == heard);
}

// ondex-host as a user runs it: every program, and a tempo-synced delay
// whose song position reaches the plug-in as time:Position atoms.
TEST(Lv2Host, RendersEveryProgramSampleForSampleAsTheVstModule) {
  const std::string folder = freshFolder("lv2_renders");
  const HostRun info = runHost({"info", "--plugin", ONDEX_LV2_PATH});
  ASSERT_EQ(info.status, 0) << info.err;
  EXPECT_NE(info.out.find(std::string("lv2 uri     ") + kUri), std::string::npos) << info.out;
  EXPECT_NE(info.out.find("parameters  18"), std::string::npos);
  EXPECT_NE(info.out.find("programs    17"), std::string::npos);
  const auto render = [&](const char* plugin, const std::string& name,
                          std::vector<std::string> more) {
    std::vector<std::string> args = {"render", "--plugin", plugin, "--float", "--block",
                                     "300",    "--tail",   "3",    "--out",   folder + "/" + name};
    args.insert(args.end(), more.begin(), more.end());
    const HostRun run = runHost(args);
    EXPECT_EQ(run.status, 0) << run.err;
    return samplesOf(folder + "/" + name);
  };
  for (int p = 0; p < 17; ++p) {
    const std::string program = std::to_string(p);
    EXPECT_TRUE(
        sameSamples(render(ONDEX_VST_PATH, "vst" + program + ".wav", {"--program", program}),
                    render(ONDEX_LV2_PATH, "lv2" + program + ".wav", {"--program", program})))
        << "program " << p;
  }
  const std::vector<std::string> synced = {"--program", "4",       "--set",   "Dly<>Clk=1",
                                           "--set",     "Den=0.3", "--tempo", "97"};
  EXPECT_TRUE(sameSamples(render(ONDEX_VST_PATH, "vst-synced.wav", synced),
                          render(ONDEX_LV2_PATH, "lv2-synced.wav", synced)));
  EXPECT_EQ(runHost({"bench", "--plugin", ONDEX_LV2_PATH, "--seconds", "0.1"}).status, 0);

  // Folders that are no usable bundle are refused with the reason, not a crash.
  const std::string empty = folder + "/empty.lv2";
  std::filesystem::create_directories(empty);
  const HostRun none = runHost({"info", "--plugin", empty});
  EXPECT_EQ(none.status, 2);
  EXPECT_NE(none.err.find("it has no manifest.ttl"), std::string::npos) << none.err;
  std::ofstream(empty + "/manifest.ttl") << "@prefix lv2: <http://lv2plug.in/ns/lv2core#> .\n";
  const HostRun nothing = runHost({"render", "--plugin", empty, "--out", folder + "/x.wav"});
  EXPECT_EQ(nothing.status, 2);
  EXPECT_NE(nothing.err.find("describes no valid plug-in"), std::string::npos) << nothing.err;
}

TEST(Lv2Ui, EmbedsInARealWindowWritesWhatChangesInsideBackToTheHostsPortsAndZooms) {
  // The zoom chosen is stored for the next editor: kept out of the user's settings.
  const std::string configFolder = freshFolder("lv2_ui_settings");
  const char* const userSettings = std::getenv("XDG_CONFIG_HOME");
  const std::string keptSettings = userSettings != nullptr ? userSettings : "";
  setenv("XDG_CONFIG_HOME", configFolder.c_str(), 1);
  const PluginLibrary library(ONDEX_LV2_PATH);
  auto plugin = library.instantiate(settings());
  Lv2Instance& instance = *lv2InstanceOf(plugin->effect());
  auto window = TestHost::open(kEditorWidth, kEditorHeight);
  ASSERT_NE(window, nullptr) << "no display (run under xvfb-run)";
  EXPECT_EQ(Lv2UiHost::open(instance, window->parent(), {false, true}), nullptr)
      << "a host without instance access gets no UI";
  auto ui = Lv2UiHost::open(instance, window->parent());
  ASSERT_NE(ui, nullptr);
  ASSERT_FALSE(ui->resizes.empty());
  EXPECT_EQ(ui->resizes.front(), std::make_pair(kEditorWidth, kEditorHeight));
  plugin->start();
  // The host's loop: the UI's idle, a block now and then, the window's events.
  const auto idleUntil = [&](auto done) {
    for (int i = 0; i < 500 && !done(); ++i) {
      settle(*window);
      ASSERT_TRUE(ui->idle());
      if (i % 4 == 0) runBlocks(*plugin, 1);
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
  };
  idleUntil([] { return false; });  // the window comes up
  const auto port = [](int id) { return kFirstParameterPort + static_cast<uint32_t>(id); };
  const auto wrote = [&](int id) {
    return std::any_of(ui->writes.begin(), ui->writes.end(),
                       [&](const auto& w) { return w.first == port(id); });
  };

  SCOPED_TRACE("a click on HiCut: the port is written and the switch stays on");
  click(*window, kHiCutX, kHiCutY);
  idleUntil([&] { return wrote(kHiCut); });
  ASSERT_TRUE(wrote(kHiCut));
  EXPECT_EQ(instance.portValue(port(kHiCut)), 1.0f);
  runBlocks(*plugin, 2);
  EXPECT_EQ(stepIndex(valueInForce(plugin->chunk(), kHiCut), 2), 1);

  SCOPED_TRACE("MIDI moves Output: the UI tells the host's port");
  ui->writes.clear();
  plugin->sendEvents({controlChange(kParameterTable[kOutput].defaultController, 0, 0)});
  idleUntil([&] { return wrote(kOutput); });
  EXPECT_EQ(instance.portValue(port(kOutput)), 0.0f);

  EXPECT_EQ(instance.stateChanges(), 0) << "values the ports show are no hidden change";

  SCOPED_TRACE("the next program from the panel: every port shows the program's values");
  ui->writes.clear();
  click(*window, kNextProgramX, kNextProgramY);
  idleUntil([&] { return ui->writes.size() >= 6; });
  idleUntil([] { return false; });
  runBlocks(*plugin, 2);
  const std::vector<unsigned char> chunk = plugin->chunk();
  EXPECT_EQ(chunk[kChunkCurrentProgramAt], 1);
  for (int id = 0; id < kNumZelParameters; ++id) {
    EXPECT_FLOAT_EQ(instance.portValue(port(id)), portFor(id, valueInForce(chunk, id)))
        << kParameterTable[static_cast<size_t>(id)].name;
  }
  // The program chosen is no port's value: the host hears its state changed,
  // but not when it loads a state of its own.
  const int changes = instance.stateChanges();
  EXPECT_GT(changes, 0);
  ASSERT_TRUE(plugin->setChunk(chunk));
  idleUntil([] { return false; });
  EXPECT_EQ(instance.stateChanges(), changes);

  SCOPED_TRACE("Zoom 200 % from the editor's menu: the host's window is asked to double");
  window->placeAt(0, 0);
  ui->resizes.clear();
  window->click(kEmptyX, kEmptyY, 3);
  x11test::ScreenRect menu;
  idleUntil([&] { return window->findPopup(menu); });
  ASSERT_TRUE(window->findPopup(menu));
  click(*window, menu.x + 30, menu.y + menu.height * 5 / 6);  // the third of three entries
  idleUntil([&] { return !ui->resizes.empty(); });
  ASSERT_FALSE(ui->resizes.empty());
  EXPECT_EQ(ui->resizes.back(), std::make_pair(2 * kEditorWidth, 2 * kEditorHeight));
  ui.reset();
  window->sync();
  EXPECT_EQ(window->childWindows(), 0);
  // The next editor opens at the zoom chosen.
  ui = Lv2UiHost::open(instance, window->parent());
  ASSERT_NE(ui, nullptr);
  ASSERT_FALSE(ui->resizes.empty());
  EXPECT_EQ(ui->resizes.front(), std::make_pair(2 * kEditorWidth, 2 * kEditorHeight));
  ui.reset();
  if (userSettings != nullptr) {
    setenv("XDG_CONFIG_HOME", keptSettings.c_str(), 1);
  } else {
    unsetenv("XDG_CONFIG_HOME");
  }
}
