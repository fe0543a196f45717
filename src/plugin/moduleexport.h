// How a module names what it exports, for both plug-in interfaces' entries.
#pragma once

#if defined(_WIN32)
#define ONDEX_EXPORT __declspec(dllexport)
#else
#define ONDEX_EXPORT __attribute__((visibility("default")))
#endif
