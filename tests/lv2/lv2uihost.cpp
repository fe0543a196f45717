#include "lv2uihost.h"

#include <lv2/instance-access/instance-access.h>

#include "platform/pluginmodule.h"

std::unique_ptr<Lv2UiHost> Lv2UiHost::open(Lv2Instance& instance, void* parent,
                                           Lv2UiFeatures offered) {
  const Lv2Bundle& bundle = instance.bundle();
  const LilvUI* ui = bundle.x11Ui();
  if (ui == nullptr) {
    return nullptr;
  }
  auto host = std::unique_ptr<Lv2UiHost>(new Lv2UiHost(instance));
  char* binary = lilv_file_uri_parse(lilv_node_as_uri(lilv_ui_get_binary_uri(ui)), nullptr);
  char* folder = lilv_file_uri_parse(lilv_node_as_uri(lilv_ui_get_bundle_uri(ui)), nullptr);
  std::string error;
  host->module = platform::PluginModule::load(binary, error);
  lilv_free(binary);
  const auto descriptorOf = reinterpret_cast<LV2UI_DescriptorFunction>(  // NOLINT: exported
      host->module != nullptr ? host->module->symbol("lv2ui_descriptor") : nullptr);
  const char* uiUri = lilv_node_as_uri(lilv_ui_get_uri(ui));
  for (uint32_t i = 0; descriptorOf != nullptr; ++i) {
    const LV2UI_Descriptor* d = descriptorOf(i);
    if (d == nullptr || std::string(d->URI) == uiUri) {
      host->descriptor = d;
      break;
    }
  }
  if (host->descriptor == nullptr) {
    lilv_free(folder);
    return nullptr;
  }
  host->resizeFace.handle = host.get();
  host->resizeFace.ui_resize = [](LV2UI_Feature_Handle self, int width, int height) {
    static_cast<Lv2UiHost*>(self)->resizes.emplace_back(width, height);
    return 0;
  };
  std::vector<LV2_Feature> features = {
      {LV2_UI__parent, parent},
      *bundle.urids().mapFeature(),
      *bundle.urids().unmapFeature(),
      {LV2_UI__idleInterface, nullptr},
  };
  if (offered.instanceAccess) {
    features.push_back({LV2_INSTANCE_ACCESS_URI, lilv_instance_get_handle(instance.lilv())});
  }
  if (offered.resize) {
    features.push_back({LV2_UI__resize, &host->resizeFace});
  }
  std::vector<const LV2_Feature*> list;
  for (const LV2_Feature& f : features) list.push_back(&f);
  list.push_back(nullptr);
  host->handle = host->descriptor->instantiate(
      host->descriptor, bundle.uri().c_str(), folder,
      [](LV2UI_Controller self, uint32_t port, uint32_t size, uint32_t format, const void* buffer) {
        auto& h = *static_cast<Lv2UiHost*>(self);
        if (format == 0 && size == sizeof(float)) {
          const float value = *static_cast<const float*>(buffer);
          h.writes.emplace_back(port, value);
          h.instance.setPortValue(port, value);
        }
      },
      host.get(), &host->widget, list.data());
  lilv_free(folder);
  if (host->handle == nullptr) {
    return nullptr;
  }
  if (host->descriptor->extension_data != nullptr) {
    host->idler = static_cast<const LV2UI_Idle_Interface*>(
        host->descriptor->extension_data(LV2_UI__idleInterface));
  }
  return host;
}

Lv2UiHost::~Lv2UiHost() {
  if (handle != nullptr) {
    descriptor->cleanup(handle);
  }
}

bool Lv2UiHost::idle() { return idler == nullptr || idler->idle(handle) == 0; }

void Lv2UiHost::portEvent(uint32_t port, float value) {
  if (descriptor->port_event != nullptr) {
    descriptor->port_event(handle, port, sizeof(float), 0, &value);
  }
}

unsigned long Lv2UiHost::window() const {
  return reinterpret_cast<unsigned long>(widget);  // NOLINT: an X11 UI's widget is its XID
}
