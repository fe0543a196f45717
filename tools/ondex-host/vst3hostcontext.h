// The context a VST 3 host hands initialize(): its name, the messages and
// attribute lists the plug-in's two parts send each other, which plug-in
// interfaces the host uses, and on Linux its run loop.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "vst3runloop.h"

class Vst3AttributeList : public Vst3HostObject<vst3::IAttributeList> {
 public:
  explicit Vst3AttributeList(bool madeForPlugin = true) { deletedAtZero = madeForPlugin; }
  vst3::tresult VST3_API setInt(vst3::AttrID id, vst3::int64 value) override;
  vst3::tresult VST3_API getInt(vst3::AttrID id, vst3::int64& value) override;
  vst3::tresult VST3_API setFloat(vst3::AttrID id, double value) override;
  vst3::tresult VST3_API getFloat(vst3::AttrID id, double& value) override;
  vst3::tresult VST3_API setString(vst3::AttrID id, const vst3::TChar* string) override;
  vst3::tresult VST3_API getString(vst3::AttrID id, vst3::TChar* string,
                                   vst3::uint32 sizeInBytes) override;
  vst3::tresult VST3_API setBinary(vst3::AttrID id, const void* data,
                                   vst3::uint32 sizeInBytes) override;
  vst3::tresult VST3_API getBinary(vst3::AttrID id, const void*& data,
                                   vst3::uint32& sizeInBytes) override;

 private:
  std::map<std::string, vst3::int64> ints;
  std::map<std::string, double> floats;
  std::map<std::string, std::u16string> strings;
  std::map<std::string, std::vector<unsigned char>> binaries;
};

class Vst3Message : public Vst3HostObject<vst3::IMessage> {
 public:
  Vst3Message() { deletedAtZero = true; }
  ~Vst3Message() override { attributes->release(); }
  vst3::FIDString VST3_API getMessageID() override { return id.c_str(); }
  void VST3_API setMessageID(vst3::FIDString text) override { id = text != nullptr ? text : ""; }
  vst3::IAttributeList* VST3_API getAttributes() override { return attributes->face(); }

 private:
  std::string id;
  Vst3AttributeList* attributes = new Vst3AttributeList;
};

class Vst3HostContext : public Vst3HostObject<vst3::IHostApplication, vst3::IPlugInterfaceSupport> {
 public:
  vst3::tresult VST3_API queryInterface(const vst3::TUID iid, void** obj) override;
  vst3::tresult VST3_API getName(vst3::String128 name) override;
  vst3::tresult VST3_API createInstance(vst3::TUID cid, vst3::TUID interfaceId,
                                        void** obj) override;
  vst3::tresult VST3_API isPlugInterfaceSupported(const vst3::TUID interfaceId) override;

  int messagesMade = 0;
  // The host's run loop, lent on Linux to the plug-in and to its editor's frame.
  Vst3RunLoop loop;
};
