#include "lv2bundle.h"

#include <lv2/atom/atom.h>
#include <lv2/core/lv2.h>
#include <lv2/presets/presets.h>
#include <lv2/resize-port/resize-port.h>
#include <lv2/ui/ui.h>
#include <lv2/units/units.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>

#include "failure.h"

namespace {

constexpr const char* kRdfsLabel = "http://www.w3.org/2000/01/rdf-schema#label";

struct NodeFree {
  void operator()(LilvNode* n) const { lilv_node_free(n); }
};
using Node = std::unique_ptr<LilvNode, NodeFree>;

struct NodesFree {
  void operator()(LilvNodes* n) const { lilv_nodes_free(n); }
};
using Nodes = std::unique_ptr<LilvNodes, NodesFree>;

std::string textOf(const LilvNode* n) {
  return n != nullptr && lilv_node_as_string(n) != nullptr ? lilv_node_as_string(n) : "";
}

// A unit's symbol from its description, else the last word of its URI.
std::string unitSymbol(LilvWorld* world, const LilvNode* unit, const LilvNode* symbolKey) {
  if (unit == nullptr || !lilv_node_is_uri(unit)) {
    return "";
  }
  const Node symbol(lilv_world_get(world, unit, symbolKey, nullptr));
  if (symbol != nullptr) {
    return textOf(symbol.get());
  }
  const std::string uri = lilv_node_as_uri(unit);
  const size_t hash = uri.find_last_of("#/");
  return hash == std::string::npos ? uri : uri.substr(hash + 1);
}

}  // namespace

Lv2Bundle::Lv2Bundle(std::string path) : bundlePath(std::move(path)) {
  std::error_code error;
  const std::filesystem::path folder = std::filesystem::absolute(bundlePath, error);
  if (error || !std::filesystem::is_regular_file(folder / "manifest.ttl", error)) {
    throw Failure(bundlePath + " is not an LV2 bundle: it has no manifest.ttl");
  }
  lilvWorld = lilv_world_new();
  {
    // A bundle's URI is its folder's, ending in a slash; the node dies before the world can.
    const std::string folderText = folder.lexically_normal().string();
    const Node bundle(lilv_new_file_uri(
        lilvWorld, nullptr, (folderText.back() == '/' ? folderText : folderText + "/").c_str()));
    lilv_world_load_bundle(lilvWorld, bundle.get());
    const LilvPlugins* all = lilv_world_get_all_plugins(lilvWorld);
    LILV_FOREACH(plugins, i, all) {
      const LilvPlugin* candidate = lilv_plugins_get(all, i);
      if (lilv_node_equals(lilv_plugin_get_bundle_uri(candidate), bundle.get())) {
        lilvPlugin = candidate;
        break;
      }
    }
  }
  if (lilvPlugin == nullptr || !lilv_plugin_verify(lilvPlugin)) {
    lilv_world_free(lilvWorld);
    throw Failure(bundlePath + " is not a usable LV2 bundle: it describes no valid plug-in");
  }
  uis = lilv_plugin_get_uis(lilvPlugin);
  readPorts();
  readPresets();
}

Lv2Bundle::~Lv2Bundle() {
  lilv_uis_free(uis);
  lilv_world_free(lilvWorld);
}

LilvNode* Lv2Bundle::node(const char* uri) const { return lilv_new_uri(lilvWorld, uri); }

std::string Lv2Bundle::uri() const { return textOf(lilv_plugin_get_uri(lilvPlugin)); }

std::string Lv2Bundle::name() const {
  const Node n(lilv_plugin_get_name(lilvPlugin));
  return textOf(n.get());
}

std::string Lv2Bundle::author() const {
  const Node n(lilv_plugin_get_author_name(lilvPlugin));
  return textOf(n.get());
}

std::string Lv2Bundle::version() const {
  const Node minorKey(node(LV2_CORE__minorVersion));
  const Node microKey(node(LV2_CORE__microVersion));
  const Nodes minor(lilv_plugin_get_value(lilvPlugin, minorKey.get()));
  const Nodes micro(lilv_plugin_get_value(lilvPlugin, microKey.get()));
  if (minor == nullptr || micro == nullptr) {
    return "";
  }
  return textOf(lilv_nodes_get_first(minor.get())) + "." +
         textOf(lilv_nodes_get_first(micro.get()));
}

bool Lv2Bundle::hasExtension(const char* uri) const {
  const Node n(node(uri));
  return lilv_plugin_has_extension_data(lilvPlugin, n.get());
}

const LilvUI* Lv2Bundle::x11Ui() const {
  const Node x11(node(LV2_UI__X11UI));
  LILV_FOREACH(uis, i, uis) {
    const LilvUI* ui = lilv_uis_get(uis, i);
    if (lilv_ui_is_a(ui, x11.get())) {
      return ui;
    }
  }
  return nullptr;
}

void Lv2Bundle::readPorts() {
  const uint32_t count = lilv_plugin_get_num_ports(lilvPlugin);
  std::vector<float> minimum(count);
  std::vector<float> maximum(count);
  std::vector<float> defaults(count);
  lilv_plugin_get_port_ranges_float(lilvPlugin, minimum.data(), maximum.data(), defaults.data());
  const Node audio(node(LV2_CORE__AudioPort));
  const Node control(node(LV2_CORE__ControlPort));
  const Node atom(node(LV2_ATOM__AtomPort));
  const Node input(node(LV2_CORE__InputPort));
  const Node toggled(node(LV2_CORE__toggled));
  const Node integer(node(LV2_CORE__integer));
  const Node enumeration(node(LV2_CORE__enumeration));
  const Node optional(node(LV2_CORE__connectionOptional));
  const Node unitKey(node(LV2_UNITS__unit));
  const Node symbolKey(node(LV2_UNITS__symbol));
  const Node sizeKey(node(LV2_RESIZE_PORT__minimumSize));
  for (uint32_t i = 0; i < count; ++i) {
    const LilvPort* port = lilv_plugin_get_port_by_index(lilvPlugin, i);
    Lv2Port p;
    p.index = i;
    p.symbol = textOf(lilv_port_get_symbol(lilvPlugin, port));
    const Node portName(lilv_port_get_name(lilvPlugin, port));
    p.name = textOf(portName.get());
    p.kind = lilv_port_is_a(lilvPlugin, port, audio.get())     ? Lv2Port::Kind::kAudio
             : lilv_port_is_a(lilvPlugin, port, control.get()) ? Lv2Port::Kind::kControl
             : lilv_port_is_a(lilvPlugin, port, atom.get())    ? Lv2Port::Kind::kAtom
                                                               : Lv2Port::Kind::kOther;
    p.input = lilv_port_is_a(lilvPlugin, port, input.get());
    // A bound left out reads as NaN; the port then spans what the others allow.
    p.minimum = std::isnan(minimum[i]) ? 0.0f : minimum[i];
    p.maximum = std::isnan(maximum[i]) ? std::max(p.minimum, 1.0f) : maximum[i];
    p.defaultValue = std::isnan(defaults[i]) ? p.minimum : defaults[i];
    p.toggled = lilv_port_has_property(lilvPlugin, port, toggled.get());
    p.integer = lilv_port_has_property(lilvPlugin, port, integer.get());
    p.enumeration = lilv_port_has_property(lilvPlugin, port, enumeration.get());
    p.optional = lilv_port_has_property(lilvPlugin, port, optional.get());
    if (LilvScalePoints* points = lilv_port_get_scale_points(lilvPlugin, port)) {
      LILV_FOREACH(scale_points, s, points) {
        const LilvScalePoint* point = lilv_scale_points_get(points, s);
        p.scalePoints.emplace_back(lilv_node_as_float(lilv_scale_point_get_value(point)),
                                   textOf(lilv_scale_point_get_label(point)));
      }
      lilv_scale_points_free(points);
      std::sort(p.scalePoints.begin(), p.scalePoints.end());
    }
    const Nodes units(lilv_port_get_value(lilvPlugin, port, unitKey.get()));
    if (units != nullptr && lilv_nodes_size(units.get()) > 0) {
      p.unit = unitSymbol(lilvWorld, lilv_nodes_get_first(units.get()), symbolKey.get());
    }
    const Nodes sizes(lilv_port_get_value(lilvPlugin, port, sizeKey.get()));
    if (sizes != nullptr && lilv_nodes_size(sizes.get()) > 0) {
      p.minimumBuffer =
          static_cast<uint32_t>(std::max(lilv_node_as_int(lilv_nodes_get_first(sizes.get())), 0));
    }
    portList.push_back(std::move(p));
  }
}

void Lv2Bundle::readPresets() {
  const Node presetClass(node(LV2_PRESETS__Preset));
  const Node labelKey(node(kRdfsLabel));
  const Nodes related(lilv_plugin_get_related(lilvPlugin, presetClass.get()));
  LILV_FOREACH(nodes, i, related.get()) {
    const LilvNode* preset = lilv_nodes_get(related.get(), i);
    // A preset's own data (its label, its values) sits in a file of its own.
    lilv_world_load_resource(lilvWorld, preset);
    const Node label(lilv_world_get(lilvWorld, preset, labelKey.get(), nullptr));
    presetList.push_back({textOf(preset), textOf(label.get())});
  }
  std::sort(presetList.begin(), presetList.end(),
            [](const Lv2Preset& a, const Lv2Preset& b) { return a.uri < b.uri; });
}
