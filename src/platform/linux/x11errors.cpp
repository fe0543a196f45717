#include "platform/linux/x11errors.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace platform::x11 {

namespace {

std::vector<std::pair<Display*, unsigned long>>& watched() {
  static std::vector<std::pair<Display*, unsigned long>> displays;
  return displays;
}

XErrorHandler previousHandler = nullptr;

int onError(Display* display, XErrorEvent* event) {
  for (auto& [known, count] : watched()) {
    if (known == display) {
      ++count;
      return 0;
    }
  }
  return previousHandler != nullptr ? previousHandler(display, event) : 0;
}

}  // namespace

void watchDisplay(Display* display) {
  if (watched().empty()) {
    previousHandler = XSetErrorHandler(onError);
    if (previousHandler == onError) {
      previousHandler = nullptr;
    }
  }
  watched().emplace_back(display, 0);
}

void unwatchDisplay(Display* display) {
  auto& list = watched();
  list.erase(std::remove_if(list.begin(), list.end(),
                            [display](const auto& entry) { return entry.first == display; }),
             list.end());
  if (list.empty()) {
    // Only our own handler is taken back; one the host set after ours stays.
    XErrorHandler current = XSetErrorHandler(previousHandler);
    if (current != onError) {
      XSetErrorHandler(current);
    }
    previousHandler = nullptr;
  }
}

unsigned long errorCount(Display* display) {
  for (const auto& [known, count] : watched()) {
    if (known == display) {
      return count;
    }
  }
  return 0;
}

}  // namespace platform::x11
