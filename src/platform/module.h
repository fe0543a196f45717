// The plug-in module's own handle, kept from load time for its resources.
#pragma once

namespace platform {

void setModuleHandle(void* handle);
void* moduleHandle();

}  // namespace platform
