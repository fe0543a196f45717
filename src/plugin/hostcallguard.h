// A host's call into a plug-in module runs through these: nothing escapes
// into the host as an exception; a call that throws answers `fallback`.
#pragma once

template <typename Result, typename Call>
Result guarded(Result fallback, Call&& call) {
  try {
    return call();
  } catch (...) {
    return fallback;
  }
}

template <typename Call>
void guarded(Call&& call) {
  try {
    call();
  } catch (...) {  // nothing crosses into the host
  }
}
