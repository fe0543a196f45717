// Stored defaults, the A/B memories and the remembered locations in the
// per-user store, as later instances find them.
#include <algorithm>

#include "panelwindow.h"
#include "platform/settingsstore.h"
#include "presets/factorypresets.h"
#include "presets/records.h"

namespace {

using paneltest::PanelTest;

constexpr int32_t kSavePreset = 38, kDefaultMidi = 43, kDefaultBank = 46, kDefaultPreset = 47;
constexpr int32_t kStoreA = 48, kStoreB = 49, kRecallA = 50, kRecallB = 51;

bool sameValues(const Program& a, const Program& b) {
  return std::equal(a.values, a.values + kNumEffectParams, b.values);
}

}  // namespace

TEST_F(PanelTest, DefaultsReachEveryNewInstance) {
  // Nothing stored: the factory programs, program 0 current, the default map.
  EXPECT_EQ(name(0), "default");
  EXPECT_EQ(zel->getCurrentProgramIndex(), 0);
  EXPECT_EQ(zel->getControllerForParameter(6), 109);

  open();
  zel->selectProgram(5);
  zel->setParameter(2, 0.3125f);
  const Program fifth = program(5);
  press(kDefaultPreset);  // a single click does nothing
  newInstance();
  EXPECT_EQ(name(0), "default");
  open();
  zel->selectProgram(5);
  zel->setParameter(2, 0.3125f);
  doubleClick(kDefaultPreset);
  newInstance();
  EXPECT_EQ(name(0), std::string(fifth.name, strnlen(fifth.name, 24)));
  EXPECT_TRUE(sameValues(program(0), fifth));
  EXPECT_EQ(zel->getParameter(2), 0.3125f);  // the engine starts with program 0
  EXPECT_EQ(name(1), kFactoryPresets[1].name);

  // A default bank, then the default preset over its program 0.
  open();
  zel->selectProgram(7);
  zel->renameCurrentProgram("bank seven");
  zel->selectProgram(0);
  zel->renameCurrentProgram("bank zero");
  doubleClick(kDefaultBank);
  newInstance();
  EXPECT_EQ(name(7), "bank seven");
  EXPECT_EQ(name(0), std::string(fifth.name, strnlen(fifth.name, 24)));

  // Control-double-click removes the default preset: program 0 of the bank again.
  open();
  doubleClick(kDefaultPreset, kControl);
  newInstance();
  EXPECT_EQ(name(0), "bank zero");
  open();
  doubleClick(kDefaultBank, kControl);
  newInstance();
  EXPECT_EQ(name(7), kFactoryPresets[7].name);

  // The default MIDI assignment: stored with or without the control modifier.
  open();
  zel->setParameter(18 + 6, (12 + 0.5f) / 129);
  doubleClick(kDefaultMidi, kControl);
  newInstance();
  EXPECT_EQ(zel->getControllerForParameter(6), 12);
}

TEST_F(PanelTest, MemoriesAAndBLastBeyondTheInstance) {
  open();
  zel->setParameter(6, 0.2f);
  zel->renameCurrentProgram("sound A");
  press(kStoreA);
  zel->setParameter(6, 0.7f);
  zel->renameCurrentProgram("sound B");
  press(kStoreB);
  press(kRecallA);
  EXPECT_EQ(name(0), "sound A");
  EXPECT_EQ(zel->getParameter(6), 0.2f);
  EXPECT_EQ(std::string(nameField().getText()), "sound A");
  newInstance();
  open();
  zel->selectProgram(4);
  press(kRecallB);
  EXPECT_EQ(zel->getCurrentProgramIndex(), 4);
  EXPECT_EQ(name(4), "sound B");
  EXPECT_EQ(zel->getParameter(6), 0.7f);

  // A memory written on a machine of the other byte order recalls the same.
  unsigned char record[kPresetRecordSize];
  Program foreign = program(4);
  writePresetRecord(record, zel->getUniqueId(), foreign);
  for (size_t at = 0; at < kPresetRecordSize; at += at == 0 ? 29 : 4) {
    std::reverse(record + at, record + at + 4);
  }
  ASSERT_TRUE(platform::settings::storeBinary("MemoA", record, sizeof record));
  zel->setParameter(6, 0.0f);
  press(kRecallA);
  EXPECT_EQ(zel->getParameter(6), 0.7f);
}

TEST_F(PanelTest, DialogLocationsOutliveTheInstance) {
  open();
  answer(box.path("kept.zel"));
  press(kSavePreset);
  newInstance();  // the closed instance wrote where its last dialog was
  open();
  answer("");
  press(kSavePreset);
  EXPECT_EQ(lastDialog().defaultSaveName, "kept.zel");
  EXPECT_EQ(lastDialog().initialDirectory.find(utf8(box.folder())), 0u);
  EXPECT_EQ(platform::settings::loadText("CurrPreset"), "kept.zel");
}
