// Preset, bank and MIDI-settings files through the panel's buttons and the
// scripted dialogs: what is written, what loads back, and what is refused.
#include <algorithm>
#include <cstring>
#include <filesystem>

#include "panelwindow.h"
#include "platform/fileaccess.h"
#include "presets/records.h"

namespace {

using paneltest::PanelTest;
namespace fs = std::filesystem;

constexpr int32_t kLoadBank = 35, kSaveBank = 36, kLoadPreset = 37, kSavePreset = 38;
constexpr int32_t kLoadMidi = 41, kSaveMidi = 42;

// A preset record with its 18 values byte-reversed, and its identifier too when
// it is to look written on a machine of the other byte order.
std::string reversedValues(std::string record, bool identifierToo) {
  for (size_t at = identifierToo ? 0 : 29; at < kPresetRecordSize; at = at == 0 ? 29 : at + 4) {
    std::reverse(record.begin() + static_cast<long>(at),
                 record.begin() + static_cast<long>(at + 4));
  }
  return record;
}

}  // namespace

TEST_F(PanelTest, EachKindOfFileSavedAndLoadedBack) {
  open();
  zel->selectProgram(5);
  zel->setParameter(6, 0.25f);
  const Program saved = program(5);
  const std::string preset = box.path("Wärme 5.zel");

  answer(preset);
  press(kSavePreset);
  EXPECT_EQ(lastDialog().title, "Save preset");
  EXPECT_EQ(lastDialog().defaultExtension, "zel");
  const std::string bytes = readAll(preset);
  ASSERT_EQ(bytes.size(), kPresetRecordSize);
  EXPECT_EQ(bytes.substr(0, 5), std::string("xdnO\x21"));  // identifier in this machine's order
  EXPECT_EQ(std::memcmp(bytes.data() + 5, saved.name, 24), 0);

  zel->setParameter(6, 0.9f);
  zel->renameCurrentProgram("changed");
  answer(preset);
  press(kLoadPreset);
  const auto& load = lastDialog();
  EXPECT_EQ(load.title, "Load preset");
  ASSERT_EQ(load.extensions.size(), 1u);
  EXPECT_STREQ(load.extensions[0].getDescription(), "Zel Preset");
  EXPECT_EQ(load.initialDirectory,
            utf8(box.folder()) + (fs::path::preferred_separator == '/' ? "/" : "\\"));
  EXPECT_FALSE(load.allowMultiSelection);
  EXPECT_EQ(zel->getCurrentProgramIndex(), 5);
  EXPECT_EQ(zel->getParameter(6), 0.25f);
  EXPECT_EQ(name(5), std::string(saved.name, strnlen(saved.name, 24)));
  EXPECT_EQ(std::string(nameField().getText()), name(5));

  // A bank holds all 17 programs; loading it makes program 0 current.
  const std::string bank = box.path("all.zeb");
  answer(bank);
  press(kSaveBank);
  EXPECT_EQ(readAll(bank).size(), kBankRecordSize);
  zel->selectProgram(9);
  zel->setParameter(2, 0.125f);
  answer(bank);
  press(kLoadBank);
  EXPECT_EQ(lastDialog().title, "Load bank");
  EXPECT_EQ(zel->getCurrentProgramIndex(), 0);
  EXPECT_NE(program(9).values[2], 0.125f);
  EXPECT_EQ(program(5).values[6], 0.25f);

  // MIDI settings re-bind the controllers.
  const std::string midi = box.path("my controllers.zem");
  zel->setParameter(18 + 6, (20 + 0.5f) / 129);
  answer(midi);
  press(kSaveMidi);
  EXPECT_EQ(lastDialog().title, "Save midi settings as");
  EXPECT_EQ(readAll(midi).size(), kMidiSettingsRecordSize);
  zel->setParameter(18 + 6, 1.0f);
  answer(midi);
  press(kLoadMidi);
  EXPECT_EQ(zel->getControllerForParameter(6), 20);

  // Each dialog starts where the last one chose, with this kind's last name.
  answer("");
  press(kSavePreset);
  EXPECT_EQ(lastDialog().defaultSaveName, "Wärme 5.zel");
}

TEST_F(PanelTest, ForeignReversedAndDamagedFiles) {
  open();
  zel->selectProgram(3);
  const std::string native = box.path("native.zel");
  answer(native);
  press(kSavePreset);
  const Program original = program(3);
  const std::string bytes = readAll(native);

  // Written on a machine of the other byte order: the plain load reads it.
  writeAll(box.path("foreign.zel"), reversedValues(bytes, true));
  zel->setParameter(0, 0.0f);
  answer(box.path("foreign.zel"));
  press(kLoadPreset);
  EXPECT_EQ(zel->getParameter(0), original.values[0]);

  // Native identifier, reversed values: only the reversed load (right click) reads them.
  writeAll(box.path("swapped.zel"), reversedValues(bytes, false));
  zel->setParameter(0, 0.0f);
  answer(box.path("swapped.zel"));
  press(kLoadPreset, kRButton);
  EXPECT_EQ(lastDialog().title, "Load preset (endian-reversed)");
  EXPECT_EQ(zel->getParameter(0), original.values[0]);

  // Refused, changing nothing: a bank given to the preset loader, a cancelled
  // dialog, a file that is not there, a bank of another plug-in.
  const std::vector<unsigned char> before = plugin->chunk();
  writeAll(box.path("bank.zeb"), std::string(kBankRecordSize, '\0').replace(0, 5, "xdnO\x37"));
  answer(box.path("bank.zeb"));
  press(kLoadPreset);
  answer("");
  press(kLoadPreset);
  answer(box.path("none.zel"));
  press(kLoadPreset);
  writeAll(box.path("other.zeb"), std::string(kBankRecordSize, '\0').replace(0, 5, "abcd\x37"));
  answer(box.path("other.zeb"));
  press(kLoadBank);
  EXPECT_EQ(plugin->chunk(), before);
  EXPECT_EQ(zel->getCurrentProgramIndex(), 3);

  // A truncated file loads zeros for the missing values; an oversized one its
  // first 101 bytes; a read-only one loads.
  writeAll(box.path("short.zel"), bytes.substr(0, 29 + 4 * 16));
  answer(box.path("short.zel"));
  press(kLoadPreset);
  EXPECT_EQ(program(3).values[15], original.values[15]);
  EXPECT_EQ(program(3).values[16], 0.0f);
  writeAll(box.path("long.zel"), bytes + std::string(5000, 'x'));
  fs::permissions(fromUtf8(box.path("long.zel")), fs::perms::owner_read);
  answer(box.path("long.zel"));
  press(kLoadPreset);
  EXPECT_EQ(program(3).values[16], original.values[16]);

  // Saving over a read-only file leaves it, and no stray file, behind.
  zel->setParameter(1, 0.75f);
  answer(box.path("long.zel"));
  press(kSavePreset);
  EXPECT_EQ(readAll(box.path("long.zel")).size(), bytes.size() + 5000);
  EXPECT_EQ(box.listing(),
            "bank.zeb foreign.zel long.zel native.zel other.zeb short.zel swapped.zel");
}
