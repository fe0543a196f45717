#include "module.h"

namespace platform {
namespace {
void* storedHandle = nullptr;
}

void setModuleHandle(void* handle) { storedHandle = handle; }
void* moduleHandle() { return storedHandle; }

}  // namespace platform
