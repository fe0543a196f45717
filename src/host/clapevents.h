// A global parameter value event, as both sides of the CLAP boundary send one.
#pragma once

#include "clap.h"

inline clap_event_param_value_t clapParamValueEvent(uint32_t time, clap_id id, double value,
                                                    uint32_t flags = 0) {
  clap_event_param_value_t event{};
  event.header = {sizeof(event), time, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_PARAM_VALUE, flags};
  event.param_id = id;
  event.note_id = -1;  // -1 everywhere: not tied to a note, port, channel or key
  event.port_index = -1;
  event.channel = -1;
  event.key = -1;
  event.value = value;
  return event;
}
