// The editor's CLAP tables: the window itself, and the host's timer and
// descriptor calls that drive its idle pass.
#pragma once

#include "host/clap.h"

extern const clap_plugin_gui_t kClapGui;
extern const clap_plugin_timer_support_t kClapTimerSupport;
extern const clap_plugin_posix_fd_support_t kClapPosixFdSupport;
