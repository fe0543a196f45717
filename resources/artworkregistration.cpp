// Registers the embedded bitmaps when the program or module is loaded, as
// Windows finds a DLL's bitmap resources without being asked.
void registerOndexArtwork();

namespace {
struct Registration {
  Registration() { registerOndexArtwork(); }
} registration;
}  // namespace
