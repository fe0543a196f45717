// Writes the LV2 bundle's descriptions at build time, from the parameter table
// and the factory programs, so the ports and presets can never drift from the
// code: manifest.ttl, Ondex.ttl (plug-in, ports, UI) and presets.ttl.
// Usage: ondex-lv2-ttl <bundle folder>
#include <cmath>
#include <cstdio>
#include <string>

#include "common/identity.h"
#include "lv2identity.h"
#include "lv2portvalues.h"
#include "presets/factorypresets.h"

namespace {

constexpr const char* kPrefixes =
    "@prefix atom: <http://lv2plug.in/ns/ext/atom#> .\n"
    "@prefix bufsz: <http://lv2plug.in/ns/ext/buf-size#> .\n"
    "@prefix doap: <http://usefulinc.com/ns/doap#> .\n"
    "@prefix foaf: <http://xmlns.com/foaf/0.1/> .\n"
    "@prefix lv2: <http://lv2plug.in/ns/lv2core#> .\n"
    "@prefix midi: <http://lv2plug.in/ns/ext/midi#> .\n"
    "@prefix opts: <http://lv2plug.in/ns/ext/options#> .\n"
    "@prefix param: <http://lv2plug.in/ns/ext/parameters#> .\n"
    "@prefix pprops: <http://lv2plug.in/ns/ext/port-props#> .\n"
    "@prefix pset: <http://lv2plug.in/ns/ext/presets#> .\n"
    "@prefix rdf: <http://www.w3.org/1999/02/22-rdf-syntax-ns#> .\n"
    "@prefix rdfs: <http://www.w3.org/2000/01/rdf-schema#> .\n"
    "@prefix state: <http://lv2plug.in/ns/ext/state#> .\n"
    "@prefix time: <http://lv2plug.in/ns/ext/time#> .\n"
    "@prefix ui: <http://lv2plug.in/ns/extensions/ui#> .\n"
    "@prefix urid: <http://lv2plug.in/ns/ext/urid#> .\n"
    "@prefix xsd: <http://www.w3.org/2001/XMLSchema#> .\n\n";

// A float as Turtle reads it back to the same float.
std::string number(float v) {
  char text[32];
  std::snprintf(text, sizeof(text), "%.9g", static_cast<double>(v));
  return text;
}

std::string presetUri(int index) {
  char text[8];
  std::snprintf(text, sizeof(text), "%02d", index);
  return std::string("<") + kLv2PresetPrefix + text + ">";
}

// A name as a Turtle string: quotes and backslashes escaped.
std::string quoted(const char* text) {
  std::string out = "\"";
  for (const char* c = text; *c != 0; ++c) {
    if (*c == '"' || *c == '\\') {
      out += '\\';
    }
    out += *c;
  }
  return out + "\"";
}

// What Num's and Den's steps read as; together they are the note length.
std::string stepLabel(int id, int step) {
  char text[16];
  if (id == kNum) {
    std::snprintf(text, sizeof(text), "%d", static_cast<int>(numeratorTable[step]));
  } else {
    std::snprintf(text, sizeof(text), "1/%d", static_cast<int>(denominatorTable[step]));
  }
  return text;
}

std::string audioPort(uint32_t index, const char* symbol, const char* name, bool input) {
  return std::string("[\n    a lv2:") + (input ? "InputPort" : "OutputPort") +
         ", lv2:AudioPort ;\n    lv2:index " + std::to_string(index) + " ;\n    lv2:symbol \"" +
         symbol + "\" ;\n    lv2:name \"" + name + "\"\n  ]";
}

std::string parameterPort(int id) {
  const ParameterRow& row = kParameterTable[id];
  const int steps = lv2PortSteps(id);
  std::string port = "[\n    a lv2:InputPort, lv2:ControlPort ;\n    lv2:index " +
                     std::to_string(kLv2FirstParameter + id) + " ;\n    lv2:symbol \"" +
                     kLv2Symbols[id] + "\" ;\n    lv2:name " + quoted(row.name) +
                     " ;\n    lv2:default " + number(lv2PortFromNormalized(id, row.defaultValue)) +
                     " ;\n    lv2:minimum 0 ;\n    lv2:maximum " +
                     std::to_string(steps == 0 ? 1 : steps - 1);
  if (row.kind == ParameterKind::Switch) {
    port += " ;\n    lv2:portProperty lv2:toggled";
  } else if (row.kind == ParameterKind::Stepped) {
    port += " ;\n    lv2:portProperty lv2:integer, lv2:enumeration";
    for (int step = 0; step < steps; ++step) {
      port += std::string(step == 0 ? " ;\n    lv2:scalePoint " : " , ") + "[ rdfs:label \"" +
              stepLabel(id, step) + "\" ; rdf:value " + std::to_string(step) + " ]";
    }
  } else if (row.hostStep > 0.0f) {
    // The fine step other formats offer, as the count of values it leaves.
    port += " ;\n    pprops:rangeSteps " + std::to_string(std::lround(1.0f / row.hostStep) + 1);
  }
  return port + "\n  ]";
}

std::string manifest() {
  std::string out = kPrefixes;
  out += std::string("<") + kLv2PluginUri +
         ">\n  a lv2:Plugin ;\n  lv2:binary <Ondex.so> ;\n  rdfs:seeAlso <Ondex.ttl> .\n\n";
  for (int i = 0; i < kNumPrograms; ++i) {
    out += presetUri(i) + "\n  a pset:Preset ;\n  lv2:appliesTo <" + kLv2PluginUri +
           "> ;\n  rdfs:label " + quoted(kFactoryPresets[i].name) +
           " ;\n  rdfs:seeAlso <presets.ttl> .\n\n";
  }
  return out;
}

std::string description() {
  std::string out = kPrefixes;
  out += std::string("<") + kLv2PluginUri + ">\n  a lv2:Plugin, lv2:DelayPlugin ;\n  doap:name " +
         quoted(kOndexEffectName) + " ;\n  lv2:project <" + kLv2ProjectUri +
         "> ;\n  rdfs:comment " + quoted(kOndexProduct) + " ;\n  lv2:minorVersion " +
         std::to_string(ONDEX_VERSION_MINOR) + " ;\n  lv2:microVersion " +
         std::to_string(ONDEX_VERSION_PATCH) +
         " ;\n  lv2:requiredFeature urid:map ;\n"
         "  lv2:optionalFeature lv2:hardRTCapable, opts:options, bufsz:boundedBlockLength ;\n"
         "  opts:supportedOption bufsz:maxBlockLength, param:sampleRate ;\n"
         "  lv2:extensionData state:interface ;\n  ui:ui <" +
         kLv2UiUri + "> ;\n  lv2:port ";
  out += audioPort(kLv2InL, "in_l", "In L", true) + " , " +
         audioPort(kLv2InR, "in_r", "In R", true) + " , " +
         audioPort(kLv2OutL, "out_l", "Out L", false) + " , " +
         audioPort(kLv2OutR, "out_r", "Out R", false) + " , ";
  out +=
      "[\n    a lv2:InputPort, atom:AtomPort ;\n    atom:bufferType atom:Sequence ;\n"
      "    atom:supports midi:MidiEvent, time:Position ;\n    lv2:designation lv2:control ;\n"
      "    lv2:index " +
      std::to_string(kLv2Events) + " ;\n    lv2:symbol \"events\" ;\n    lv2:name \"Events\"\n  ]";
  for (int id = 0; id < kNumZelParameters; ++id) {
    out += " , " + parameterPort(id);
  }
  // A change no port shows (a learned controller, a renamed program) tells
  // the host that its saved state is out of date.
  out +=
      " , [\n    a lv2:OutputPort, atom:AtomPort ;\n    atom:bufferType atom:Sequence ;\n"
      "    atom:supports state:StateChanged ;\n    lv2:index " +
      std::to_string(kLv2Notify) + " ;\n    lv2:symbol \"notify\" ;\n    lv2:name \"Notify\"\n  ]";
  out += " .\n\n";
  // The maker belongs to the project, where hosts look for it when the plug-in names none.
  out += std::string("<") + kLv2ProjectUri + ">\n  a doap:Project ;\n  doap:name " +
         quoted(kOndexEffectName) + " ;\n  doap:maintainer [ a foaf:Organization ; foaf:name " +
         quoted(kOndexVendor) + " ] .\n\n";
  // The editor runs in the host's process beside the plug-in and drives the
  // effect itself, so it needs the instance; a host without it shows its own controls.
  out += std::string("<") + kLv2UiUri +
         ">\n  a ui:X11UI ;\n  ui:binary <OndexUI.so> ;\n"
         "  lv2:requiredFeature ui:parent, ui:idleInterface, "
         "<http://lv2plug.in/ns/ext/instance-access> ;\n"
         "  lv2:optionalFeature ui:resize, ui:noUserResize, ui:touch ;\n"
         "  lv2:extensionData ui:idleInterface .\n";
  return out;
}

std::string presets() {
  std::string out = kPrefixes;
  out += std::string("<") + kLv2FactoryProgramUri +
         ">\n  a rdf:Property ;\n  rdfs:label \"factory program\" ;\n"
         "  rdfs:comment \"The factory program whose values a preset loads whole.\" ;\n"
         "  rdfs:range xsd:integer .\n\n";
  for (int i = 0; i < kNumPrograms; ++i) {
    const FactoryPreset& preset = kFactoryPresets[i];
    out += presetUri(i) + "\n  a pset:Preset ;\n  lv2:appliesTo <" + kLv2PluginUri +
           "> ;\n  rdfs:label " + quoted(preset.name) + " ;\n  state:state [ <" +
           kLv2FactoryProgramUri + "> " + std::to_string(i) + " ] ;\n  lv2:port ";
    for (int id = 0; id < kNumZelParameters; ++id) {
      out += std::string(id == 0 ? "" : " , ") + "[ lv2:symbol \"" + kLv2Symbols[id] +
             "\" ; pset:value " + number(lv2PortFromNormalized(id, preset.values[id])) + " ]";
    }
    out += " .\n\n";
  }
  return out;
}

bool write(const std::string& folder, const char* name, const std::string& text) {
  const std::string path = folder + "/" + name;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return false;
  }
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  return std::fclose(file) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <bundle folder>\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  const bool ok = write(folder, "manifest.ttl", manifest()) &&
                  write(folder, "Ondex.ttl", description()) &&
                  write(folder, "presets.ttl", presets());
  return ok ? 0 : 1;
}
