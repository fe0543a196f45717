// The entry point, as a host or a plug-in scanner meets it.
#include <gtest/gtest.h>

#include "fakehost.h"
#include "plugin.h"
#include "plugin/zel.h"

TEST(EntryPoint, HostVersionZeroCreatesNothing) {
  FakeHost host;
  host.version = 0;
  EXPECT_EQ(effectEntry(FakeHost::callback), nullptr);
  EXPECT_EQ(createEffectInstance(FakeHost::callback), nullptr);
  // Only the version was asked: no effect came to life to ask anything else.
  for (const HostRequest& r : host.requests()) {
    EXPECT_EQ(r.opcode, audioMasterVersion);
    EXPECT_EQ(r.effect, nullptr);
  }
  EXPECT_EQ(host.count(audioMasterVersion), 2);
}

TEST(EntryPoint, NullCallbackCreatesNothing) { EXPECT_EQ(effectEntry(nullptr), nullptr); }

TEST(EntryPoint, RecordFieldsForAVersion2400Host) {
  FakeHost host;
  Plugin plugin;
  const AEffect* e = plugin.effect();
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->magic, 0x56737450);
  EXPECT_EQ(e->uniqueID, 0x4F6E6478);
  // Editor, replacing processing and chunks; the editor bit only while one is attached.
  ERect* rect = nullptr;
  const bool hasEditor = plugin.dispatch(effEditGetRect, 0, 0, &rect) == 1;
  EXPECT_EQ(e->flags, hasEditor ? 0x31 : 0x30);
  EXPECT_EQ(e->numPrograms, 1);
  EXPECT_EQ(e->numParams, 36);
  EXPECT_EQ(e->numInputs, 2);
  EXPECT_EQ(e->numOutputs, 2);
  EXPECT_EQ(e->initialDelay, 0);
  EXPECT_EQ(e->version, 1);
  EXPECT_EQ(e->ioRatio, 1.0f);
  EXPECT_EQ(e->resvd1, 0);
  EXPECT_EQ(e->resvd2, 0);
  EXPECT_EQ(e->realQualities, 0);
  EXPECT_EQ(e->offQualities, 0);
  EXPECT_EQ(e->user, nullptr);
  EXPECT_NE(e->object, nullptr);
  EXPECT_NE(e->dispatcher, nullptr);
  EXPECT_NE(e->process, nullptr);
  EXPECT_NE(e->setParameter, nullptr);
  EXPECT_NE(e->getParameter, nullptr);
  EXPECT_NE(e->processReplacing, nullptr);
  EXPECT_NE(e->processDoubleReplacing, nullptr);
  for (char byte : e->future) {
    EXPECT_EQ(byte, 0);
  }
  // Construction asks the host's version twice (entry point and factory) with a null record.
  const auto requests = host.requests();
  ASSERT_GE(requests.size(), 2u);
  EXPECT_EQ(requests[0].opcode, audioMasterVersion);
  EXPECT_EQ(requests[0].effect, nullptr);
  EXPECT_EQ(requests[1].opcode, audioMasterVersion);
  EXPECT_EQ(requests[1].effect, nullptr);
}

TEST(EntryPoint, InstancesAreIndependentRecords) {
  FakeHost host;
  Plugin a;
  Plugin b;
  EXPECT_NE(a.effect(), b.effect());
  EXPECT_NE(a.effect()->object, b.effect()->object);
}
