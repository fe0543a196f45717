// The VST 3 binary interface as Ondex and its command-line host use it: our
// own declarations of the interfaces (COM-style tables of pure virtual
// methods), their ids in each target's byte order, the structs and constants,
// with every size and offset checked for both targets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

#if defined(_WIN32)
#define VST3_API __stdcall
#else
#define VST3_API
#endif

namespace vst3 {

using int8 = char;
using uint8 = uint8_t;
using int16 = int16_t;
using uint16 = uint16_t;
using int32 = int32_t;
using uint32 = uint32_t;
using int64 = int64_t;
using uint64 = uint64_t;
using tresult = int32;
using TBool = uint8;
using char8 = char;
using char16 = char16_t;
using TChar = char16_t;
using TUID = char[16];
using FIDString = const char*;
using CString = const char*;
using String128 = char16[128];
using ParamID = uint32;
using ParamValue = double;
using SampleRate = double;
using TQuarterNotes = double;
using TSamples = int64;
using MediaType = int32;
using BusDirection = int32;
using BusType = int32;
using IoMode = int32;
using UnitID = int32;
using ProgramListID = int32;
using CtrlNumber = int16;
using SpeakerArrangement = uint64;
using Sample32 = float;
using Sample64 = double;
using AttrID = const char*;

// Results: only 0 and 1 are shared; the failures are COM's HRESULTs on Windows.
inline constexpr tresult kResultOk = 0;
inline constexpr tresult kResultTrue = 0;
inline constexpr tresult kResultFalse = 1;
#if defined(_WIN32)
inline constexpr tresult kNoInterface = static_cast<tresult>(0x80004002U);
inline constexpr tresult kInvalidArgument = static_cast<tresult>(0x80070057U);
inline constexpr tresult kNotImplemented = static_cast<tresult>(0x80004001U);
inline constexpr tresult kInternalError = static_cast<tresult>(0x80004005U);
inline constexpr tresult kNotInitialized = static_cast<tresult>(0x8000FFFFU);
inline constexpr tresult kOutOfMemory = static_cast<tresult>(0x8007000EU);
#else
inline constexpr tresult kNoInterface = -1;
inline constexpr tresult kInvalidArgument = 2;
inline constexpr tresult kNotImplemented = 3;
inline constexpr tresult kInternalError = 4;
inline constexpr tresult kNotInitialized = 5;
inline constexpr tresult kOutOfMemory = 6;
#endif

inline constexpr ParamID kNoParamId = 0xFFFFFFFFU;
inline constexpr ParamID kMaxParamId = 0x7FFFFFFFU;
inline constexpr UnitID kRootUnitId = 0;
inline constexpr UnitID kNoParentUnitId = -1;
inline constexpr ProgramListID kNoProgramListId = -1;

// An interface or class id: 16 bytes built from the four words the interface
// names, in the target's order (plain big-endian on Linux, COM's GUID order on
// Windows), so that the text form of an id is the same on both.
struct Uid {
  char bytes[16];
  bool operator==(const char* other) const {
    return other != nullptr && std::memcmp(bytes, other, sizeof(bytes)) == 0;
  }
  bool operator==(const Uid& other) const { return *this == other.bytes; }
};

constexpr Uid makeUid(uint32 l1, uint32 l2, uint32 l3, uint32 l4) {
  Uid id{};
  auto put = [&id](int at, uint32 word, int bytes, bool bigEndian) {
    for (int i = 0; i < bytes; ++i) {
      const int shift = bigEndian ? 8 * (bytes - 1 - i) : 8 * i;
      id.bytes[at + i] = static_cast<char>((word >> shift) & 0xFFU);
    }
  };
#if defined(_WIN32)
  put(0, l1, 4, false);
  put(4, l2 >> 16, 2, false);
  put(6, l2 & 0xFFFFU, 2, false);
#else
  put(0, l1, 4, true);
  put(4, l2, 4, true);
#endif
  put(8, l3, 4, true);
  put(12, l4, 4, true);
  return id;
}

// ---- FUnknown and the plug-in base -------------------------------------

class FUnknown {
 public:
  static constexpr Uid iid = makeUid(0x00000000, 0x00000000, 0xC0000000, 0x00000046);
  virtual tresult VST3_API queryInterface(const TUID interfaceId, void** obj) = 0;
  virtual uint32 VST3_API addRef() = 0;
  virtual uint32 VST3_API release() = 0;
};

class IPluginBase : public FUnknown {
 public:
  static constexpr Uid iid = makeUid(0x22888DDB, 0x156E45AE, 0x8358B348, 0x08190625);
  virtual tresult VST3_API initialize(FUnknown* context) = 0;
  virtual tresult VST3_API terminate() = 0;
};

// ---- The factory -----------------------------------------------------------

struct PFactoryInfo {
  enum : int32 {
    kNoFlags = 0,
    kClassesDiscardable = 1,
    kLicenseCheck = 2,
    kComponentNonDiscardable = 8,
    kUnicode = 16
  };
  char8 vendor[64];
  char8 url[256];
  char8 email[128];
  int32 flags;
};

inline constexpr int32 kManyInstances = 0x7FFFFFFF;

struct PClassInfo {
  TUID cid;
  int32 cardinality;
  char8 category[32];
  char8 name[64];
};

struct PClassInfo2 {
  TUID cid;
  int32 cardinality;
  char8 category[32];
  char8 name[64];
  uint32 classFlags;
  char8 subCategories[128];
  char8 vendor[64];
  char8 version[64];
  char8 sdkVersion[64];
};

struct PClassInfoW {
  TUID cid;
  int32 cardinality;
  char8 category[32];
  char16 name[64];
  uint32 classFlags;
  char8 subCategories[128];
  char16 vendor[64];
  char16 version[64];
  char16 sdkVersion[64];
};

class IPluginFactory : public FUnknown {
 public:
  static constexpr Uid iid = makeUid(0x7A4D811C, 0x52114A1F, 0xAED9D2EE, 0x0B43BF9F);
  virtual tresult VST3_API getFactoryInfo(PFactoryInfo* info) = 0;
  virtual int32 VST3_API countClasses() = 0;
  virtual tresult VST3_API getClassInfo(int32 index, PClassInfo* info) = 0;
  virtual tresult VST3_API createInstance(FIDString cid, FIDString interfaceId, void** obj) = 0;
};

class IPluginFactory2 : public IPluginFactory {
 public:
  static constexpr Uid iid = makeUid(0x0007B650, 0xF24B4C0B, 0xA464EDB9, 0xF00B2ABB);
  virtual tresult VST3_API getClassInfo2(int32 index, PClassInfo2* info) = 0;
};

class IPluginFactory3 : public IPluginFactory2 {
 public:
  static constexpr Uid iid = makeUid(0x4555A2AB, 0xC1234E57, 0x9B122910, 0x36878931);
  virtual tresult VST3_API getClassInfoUnicode(int32 index, PClassInfoW* info) = 0;
  virtual tresult VST3_API setHostContext(FUnknown* context) = 0;
};

// ---- Streams and messages ----------------------------------------------------

class IBStream : public FUnknown {
 public:
  static constexpr Uid iid = makeUid(0xC3BF6EA2, 0x30994752, 0x9B6BF990, 0x1EE33E9B);
  enum : int32 { kIBSeekSet = 0, kIBSeekCur = 1, kIBSeekEnd = 2 };
  virtual tresult VST3_API read(void* buffer, int32 numBytes, int32* numBytesRead) = 0;
  virtual tresult VST3_API write(void* buffer, int32 numBytes, int32* numBytesWritten) = 0;
  virtual tresult VST3_API seek(int64 pos, int32 mode, int64* result) = 0;
  virtual tresult VST3_API tell(int64* pos) = 0;
};

class ISizeableStream : public FUnknown {
 public:
  static constexpr Uid iid = makeUid(0x04F9549E, 0xE02F4E6E, 0x87E86A87, 0x47F4E17F);
  virtual tresult VST3_API getStreamSize(int64& size) = 0;
  virtual tresult VST3_API setStreamSize(int64 size) = 0;
};

class IAttributeList : public FUnknown {
 public:
  static constexpr Uid iid = makeUid(0x1E5F0AEB, 0xCC7F4533, 0xA2544011, 0x38AD5EE4);
  virtual tresult VST3_API setInt(AttrID id, int64 value) = 0;
  virtual tresult VST3_API getInt(AttrID id, int64& value) = 0;
  virtual tresult VST3_API setFloat(AttrID id, double value) = 0;
  virtual tresult VST3_API getFloat(AttrID id, double& value) = 0;
  virtual tresult VST3_API setString(AttrID id, const TChar* string) = 0;
  virtual tresult VST3_API getString(AttrID id, TChar* string, uint32 sizeInBytes) = 0;
  virtual tresult VST3_API setBinary(AttrID id, const void* data, uint32 sizeInBytes) = 0;
  virtual tresult VST3_API getBinary(AttrID id, const void*& data, uint32& sizeInBytes) = 0;
};

class IStreamAttributes : public FUnknown {
 public:
  static constexpr Uid iid = makeUid(0xD6CE2FFC, 0xEFAF4B8C, 0x9E74F1BB, 0x12DA44B4);
  virtual tresult VST3_API getFileName(String128 name) = 0;
  virtual IAttributeList* VST3_API getAttributes() = 0;
};

class IMessage : public FUnknown {
 public:
  static constexpr Uid iid = makeUid(0x936F033B, 0xC6C047DB, 0xBB0882F8, 0x13C1E613);
  virtual FIDString VST3_API getMessageID() = 0;
  virtual void VST3_API setMessageID(FIDString id) = 0;
  virtual IAttributeList* VST3_API getAttributes() = 0;
};

class IConnectionPoint : public FUnknown {
 public:
  static constexpr Uid iid = makeUid(0x70A4156F, 0x6E6E4026, 0x989148BF, 0xAA60D8D1);
  virtual tresult VST3_API connect(IConnectionPoint* other) = 0;
  virtual tresult VST3_API disconnect(IConnectionPoint* other) = 0;
  virtual tresult VST3_API notify(IMessage* message) = 0;
};

// ---- Host interfaces -----------------------------------------------------------

class IHostApplication : public FUnknown {
 public:
  static constexpr Uid iid = makeUid(0x58E595CC, 0xDB2D4969, 0x8B6AAF8C, 0x36A664E5);
  virtual tresult VST3_API getName(String128 name) = 0;
  virtual tresult VST3_API createInstance(TUID cid, TUID interfaceId, void** obj) = 0;
};

class IPlugInterfaceSupport : public FUnknown {
 public:
  static constexpr Uid iid = makeUid(0x4FB58B9E, 0x9EAA4E0F, 0xAB361C1C, 0xCCB56FEA);
  virtual tresult VST3_API isPlugInterfaceSupported(const TUID interfaceId) = 0;
};

// Restart flags for IComponentHandler::restartComponent.
enum RestartFlags : int32 {
  kReloadComponent = 1,
  kIoChanged = 2,
  kParamValuesChanged = 4,
  kLatencyChanged = 8,
  kParamTitlesChanged = 16,
  kMidiCCAssignmentChanged = 32,
  kNoteExpressionChanged = 64,
  kIoTitlesChanged = 128,
  kPrefetchableSupportChanged = 256,
  kRoutingInfoChanged = 512,
  kKeyswitchChanged = 1024,
  kParamIDMappingChanged = 2048
};

class IComponentHandler : public FUnknown {
 public:
  static constexpr Uid iid = makeUid(0x93A0BEA3, 0x0BD045DB, 0x8E890B0C, 0xC1E46AC6);
  virtual tresult VST3_API beginEdit(ParamID id) = 0;
  virtual tresult VST3_API performEdit(ParamID id, ParamValue valueNormalized) = 0;
  virtual tresult VST3_API endEdit(ParamID id) = 0;
  virtual tresult VST3_API restartComponent(int32 flags) = 0;
};

class IComponentHandler2 : public FUnknown {
 public:
  static constexpr Uid iid = makeUid(0xF040B4B3, 0xA36045EC, 0xABCDC045, 0xB4D5A2CC);
  virtual tresult VST3_API setDirty(TBool state) = 0;
  virtual tresult VST3_API requestOpenEditor(FIDString name) = 0;
  virtual tresult VST3_API startGroupEdit() = 0;
  virtual tresult VST3_API finishGroupEdit() = 0;
};

class IUnitHandler : public FUnknown {
 public:
  static constexpr Uid iid = makeUid(0x4B5147F8, 0x4654486B, 0x8DAB30BA, 0x163A3C56);
  virtual tresult VST3_API notifyUnitSelection(UnitID unitId) = 0;
  virtual tresult VST3_API notifyProgramListChange(ProgramListID listId, int32 programIndex) = 0;
};

// ---- Processor side -----------------------------------------------------------

enum MediaTypes : int32 { kAudio = 0, kEvent = 1 };
enum BusDirections : int32 { kInput = 0, kOutput = 1 };
enum BusTypes : int32 { kMain = 0, kAux = 1 };
enum IoModes : int32 { kSimple = 0, kAdvanced = 1, kOfflineProcessing = 2 };

struct BusInfo {
  enum : uint32 { kDefaultActive = 1, kIsControlVoltage = 2 };
  MediaType mediaType;
  BusDirection direction;
  int32 channelCount;
  String128 name;
  BusType busType;
  uint32 flags;
};

struct RoutingInfo {
  MediaType mediaType;
  int32 busIndex;
  int32 channel;
};

class IComponent : public IPluginBase {
 public:
  static constexpr Uid iid = makeUid(0xE831FF31, 0xF2D54301, 0x928EBBEE, 0x25697802);
  virtual tresult VST3_API getControllerClassId(TUID classId) = 0;
  virtual tresult VST3_API setIoMode(IoMode mode) = 0;
  virtual int32 VST3_API getBusCount(MediaType type, BusDirection dir) = 0;
  virtual tresult VST3_API getBusInfo(MediaType type, BusDirection dir, int32 index,
                                      BusInfo& bus) = 0;
  virtual tresult VST3_API getRoutingInfo(RoutingInfo& inInfo, RoutingInfo& outInfo) = 0;
  virtual tresult VST3_API activateBus(MediaType type, BusDirection dir, int32 index,
                                       TBool state) = 0;
  virtual tresult VST3_API setActive(TBool state) = 0;
  virtual tresult VST3_API setState(IBStream* state) = 0;
  virtual tresult VST3_API getState(IBStream* state) = 0;
};

enum SymbolicSampleSizes : int32 { kSample32 = 0, kSample64 = 1 };
enum ProcessModes : int32 { kRealtime = 0, kPrefetch = 1, kOffline = 2 };
inline constexpr uint32 kNoTail = 0;
inline constexpr uint32 kInfiniteTail = 0xFFFFFFFFU;
enum ComponentFlags : uint32 { kDistributable = 1, kSimpleModeSupported = 2 };

inline constexpr SpeakerArrangement kSpeakerL = 1;
inline constexpr SpeakerArrangement kSpeakerR = 2;
inline constexpr SpeakerArrangement kSpeakerM = 1ULL << 19;
inline constexpr SpeakerArrangement kEmpty = 0;
inline constexpr SpeakerArrangement kMono = kSpeakerM;
inline constexpr SpeakerArrangement kStereo = kSpeakerL | kSpeakerR;

struct ProcessSetup {
  int32 processMode;
  int32 symbolicSampleSize;
  int32 maxSamplesPerBlock;
  SampleRate sampleRate;
};

struct AudioBusBuffers {
  int32 numChannels;
  uint64 silenceFlags;
  union {
    Sample32** channelBuffers32;
    Sample64** channelBuffers64;
  };
};

struct Chord {
  uint8 keyNote;
  uint8 rootNote;
  int16 chordMask;
};

struct FrameRate {
  enum : uint32 { kPullDownRate = 1, kDropRate = 2 };
  uint32 framesPerSecond;
  uint32 flags;
};

struct ProcessContext {
  enum StatesAndFlags : uint32 {
    kPlaying = 1 << 1,
    kCycleActive = 1 << 2,
    kRecording = 1 << 3,
    kSystemTimeValid = 1 << 8,
    kProjectTimeMusicValid = 1 << 9,
    kTempoValid = 1 << 10,
    kBarPositionValid = 1 << 11,
    kCycleValid = 1 << 12,
    kTimeSigValid = 1 << 13,
    kSmpteValid = 1 << 14,
    kClockValid = 1 << 15,
    kContTimeValid = 1 << 17,
    kChordValid = 1 << 18
  };
  uint32 state;
  double sampleRate;
  TSamples projectTimeSamples;
  int64 systemTime;
  TSamples continousTimeSamples;
  TQuarterNotes projectTimeMusic;
  TQuarterNotes barPositionMusic;
  TQuarterNotes cycleStartMusic;
  TQuarterNotes cycleEndMusic;
  double tempo;
  int32 timeSigNumerator;
  int32 timeSigDenominator;
  Chord chord;
  int32 smpteOffsetSubframes;
  FrameRate frameRate;
  int32 samplesToNextClock;
};

class IParamValueQueue : public FUnknown {
 public:
  static constexpr Uid iid = makeUid(0x01263A18, 0xED074F6F, 0x98C9D356, 0x4686F9BA);
  virtual ParamID VST3_API getParameterId() = 0;
  virtual int32 VST3_API getPointCount() = 0;
  virtual tresult VST3_API getPoint(int32 index, int32& sampleOffset, ParamValue& value) = 0;
  virtual tresult VST3_API addPoint(int32 sampleOffset, ParamValue value, int32& index) = 0;
};

class IParameterChanges : public FUnknown {
 public:
  static constexpr Uid iid = makeUid(0xA4779663, 0x0BB64A56, 0xB44384A8, 0x466FEB9D);
  virtual int32 VST3_API getParameterCount() = 0;
  virtual IParamValueQueue* VST3_API getParameterData(int32 index) = 0;
  virtual IParamValueQueue* VST3_API addParameterData(const ParamID& id, int32& index) = 0;
};

struct NoteOnEvent {
  int16 channel;
  int16 pitch;
  float tuning;
  float velocity;
  int32 length;
  int32 noteId;
};

struct NoteOffEvent {
  int16 channel;
  int16 pitch;
  float velocity;
  int32 noteId;
  float tuning;
};

struct DataEvent {
  enum : uint32 { kMidiSysEx = 0 };
  uint32 size;
  uint32 type;
  const uint8* bytes;
};

struct PolyPressureEvent {
  int16 channel;
  int16 pitch;
  float pressure;
  int32 noteId;
};

struct NoteExpressionValueEvent {
  uint32 typeId;
  int32 noteId;
  double value;
};

struct NoteExpressionTextEvent {
  uint32 typeId;
  int32 noteId;
  uint32 textLen;
  const TChar* text;
};

struct ChordEvent {
  int16 root;
  int16 bassNote;
  int16 mask;
  uint16 textLen;
  const TChar* text;
};

struct ScaleEvent {
  int16 root;
  int16 mask;
  uint16 textLen;
  const TChar* text;
};

struct LegacyMIDICCOutEvent {
  uint8 controlNumber;
  int8 channel;
  int8 value;
  int8 value2;
};

struct Event {
  enum EventFlags : uint16 { kIsLive = 1 };
  enum EventTypes : uint16 {
    kNoteOnEvent = 0,
    kNoteOffEvent = 1,
    kDataEvent = 2,
    kPolyPressureEvent = 3,
    kNoteExpressionValueEvent = 4,
    kNoteExpressionTextEvent = 5,
    kChordEvent = 6,
    kScaleEvent = 7,
    kLegacyMIDICCOutEvent = 65535
  };
  int32 busIndex;
  int32 sampleOffset;
  TQuarterNotes ppqPosition;
  uint16 flags;
  uint16 type;
  union {
    NoteOnEvent noteOn;
    NoteOffEvent noteOff;
    DataEvent data;
    PolyPressureEvent polyPressure;
    NoteExpressionValueEvent noteExpressionValue;
    NoteExpressionTextEvent noteExpressionText;
    ChordEvent chord;
    ScaleEvent scale;
    LegacyMIDICCOutEvent midiCCOut;
  };
};

class IEventList : public FUnknown {
 public:
  static constexpr Uid iid = makeUid(0x3A2C4214, 0x346349FE, 0xB2C4F397, 0xB9695A44);
  virtual int32 VST3_API getEventCount() = 0;
  virtual tresult VST3_API getEvent(int32 index, Event& e) = 0;
  virtual tresult VST3_API addEvent(Event& e) = 0;
};

struct ProcessData {
  int32 processMode;
  int32 symbolicSampleSize;
  int32 numSamples;
  int32 numInputs;
  int32 numOutputs;
  AudioBusBuffers* inputs;
  AudioBusBuffers* outputs;
  IParameterChanges* inputParameterChanges;
  IParameterChanges* outputParameterChanges;
  IEventList* inputEvents;
  IEventList* outputEvents;
  ProcessContext* processContext;
};

class IAudioProcessor : public FUnknown {
 public:
  static constexpr Uid iid = makeUid(0x42043F99, 0xB7DA453C, 0xA569E79D, 0x9AAEC33D);
  virtual tresult VST3_API setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                              SpeakerArrangement* outputs, int32 numOuts) = 0;
  virtual tresult VST3_API getBusArrangement(BusDirection dir, int32 index,
                                             SpeakerArrangement& arr) = 0;
  virtual tresult VST3_API canProcessSampleSize(int32 symbolicSampleSize) = 0;
  virtual uint32 VST3_API getLatencySamples() = 0;
  virtual tresult VST3_API setupProcessing(ProcessSetup& setup) = 0;
  virtual tresult VST3_API setProcessing(TBool state) = 0;
  virtual tresult VST3_API process(ProcessData& data) = 0;
  virtual uint32 VST3_API getTailSamples() = 0;
};

class IProcessContextRequirements : public FUnknown {
 public:
  static constexpr Uid iid = makeUid(0x2A654303, 0xEF764E3D, 0x95B5FE83, 0x730EF6D0);
  enum Flags : uint32 {
    kNeedSystemTime = 1 << 0,
    kNeedContinousTimeSamples = 1 << 1,
    kNeedProjectTimeMusic = 1 << 2,
    kNeedBarPositionMusic = 1 << 3,
    kNeedCycleMusic = 1 << 4,
    kNeedSamplesToNextClock = 1 << 5,
    kNeedTempo = 1 << 6,
    kNeedTimeSignature = 1 << 7,
    kNeedChord = 1 << 8,
    kNeedFrameRate = 1 << 9,
    kNeedTransportState = 1 << 10
  };
  virtual uint32 VST3_API getProcessContextRequirements() = 0;
};

class IProgramListData : public FUnknown {
 public:
  static constexpr Uid iid = makeUid(0x8683B01F, 0x7B354F70, 0xA2651DEC, 0x353AF4FF);
  virtual tresult VST3_API programDataSupported(ProgramListID listId) = 0;
  virtual tresult VST3_API getProgramData(ProgramListID listId, int32 programIndex,
                                          IBStream* data) = 0;
  virtual tresult VST3_API setProgramData(ProgramListID listId, int32 programIndex,
                                          IBStream* data) = 0;
};

// ---- Controller side ----------------------------------------------------------

struct ParameterInfo {
  enum ParameterFlags : int32 {
    kNoFlags = 0,
    kCanAutomate = 1 << 0,
    kIsReadOnly = 1 << 1,
    kIsWrapAround = 1 << 2,
    kIsList = 1 << 3,
    kIsHidden = 1 << 4,
    kIsProgramChange = 1 << 15,
    kIsBypass = 1 << 16
  };
  ParamID id;
  String128 title;
  String128 shortTitle;
  String128 units;
  int32 stepCount;
  ParamValue defaultNormalizedValue;
  UnitID unitId;
  int32 flags;
};

class IPlugView;

class IEditController : public IPluginBase {
 public:
  static constexpr Uid iid = makeUid(0xDCD7BBE3, 0x7742448D, 0xA874AACC, 0x979C759E);
  virtual tresult VST3_API setComponentState(IBStream* state) = 0;
  virtual tresult VST3_API setState(IBStream* state) = 0;
  virtual tresult VST3_API getState(IBStream* state) = 0;
  virtual int32 VST3_API getParameterCount() = 0;
  virtual tresult VST3_API getParameterInfo(int32 paramIndex, ParameterInfo& info) = 0;
  virtual tresult VST3_API getParamStringByValue(ParamID id, ParamValue valueNormalized,
                                                 String128 string) = 0;
  virtual tresult VST3_API getParamValueByString(ParamID id, TChar* string,
                                                 ParamValue& valueNormalized) = 0;
  virtual ParamValue VST3_API normalizedParamToPlain(ParamID id, ParamValue valueNormalized) = 0;
  virtual ParamValue VST3_API plainParamToNormalized(ParamID id, ParamValue plainValue) = 0;
  virtual ParamValue VST3_API getParamNormalized(ParamID id) = 0;
  virtual tresult VST3_API setParamNormalized(ParamID id, ParamValue value) = 0;
  virtual tresult VST3_API setComponentHandler(IComponentHandler* handler) = 0;
  virtual IPlugView* VST3_API createView(FIDString name) = 0;
};

enum KnobModes : int32 { kCircularMode = 0, kRelativCircularMode = 1, kLinearMode = 2 };

class IEditController2 : public FUnknown {
 public:
  static constexpr Uid iid = makeUid(0x7F4EFE59, 0xF3204967, 0xAC27A3AE, 0xAFB63038);
  virtual tresult VST3_API setKnobMode(int32 mode) = 0;
  virtual tresult VST3_API openHelp(TBool onlyCheck) = 0;
  virtual tresult VST3_API openAboutBox(TBool onlyCheck) = 0;
};

// Controller numbers of IMidiMapping beside the 128 MIDI controllers.
enum ControllerNumbers : int16 {
  kCtrlModWheel = 1,
  kCtrlVolume = 7,
  kCtrlPan = 10,
  kCtrlVibratoDelay = 78,
  kAfterTouch = 128,
  kPitchBend = 129,
  kCountCtrlNumber = 130
};

class IMidiMapping : public FUnknown {
 public:
  static constexpr Uid iid = makeUid(0xDF0FF9F7, 0x49B74669, 0xB63AB732, 0x7ADBF5E5);
  virtual tresult VST3_API getMidiControllerAssignment(int32 busIndex, int16 channel,
                                                       CtrlNumber midiControllerNumber,
                                                       ParamID& id) = 0;
};

class IMidiLearn : public FUnknown {
 public:
  static constexpr Uid iid = makeUid(0x6B2449CC, 0x419740B5, 0xAB3C79DA, 0xC5FE5C86);
  virtual tresult VST3_API onLiveMIDIControllerInput(int32 busIndex, int16 channel,
                                                     CtrlNumber midiCC) = 0;
};

struct UnitInfo {
  UnitID id;
  UnitID parentUnitId;
  String128 name;
  ProgramListID programListId;
};

struct ProgramListInfo {
  ProgramListID id;
  String128 name;
  int32 programCount;
};

class IUnitInfo : public FUnknown {
 public:
  static constexpr Uid iid = makeUid(0x3D4BD6B5, 0x913A4FD2, 0xA886E768, 0xA5EB92C1);
  virtual int32 VST3_API getUnitCount() = 0;
  virtual tresult VST3_API getUnitInfo(int32 unitIndex, UnitInfo& info) = 0;
  virtual int32 VST3_API getProgramListCount() = 0;
  virtual tresult VST3_API getProgramListInfo(int32 listIndex, ProgramListInfo& info) = 0;
  virtual tresult VST3_API getProgramName(ProgramListID listId, int32 programIndex,
                                          String128 name) = 0;
  virtual tresult VST3_API getProgramInfo(ProgramListID listId, int32 programIndex,
                                          CString attributeId, String128 attributeValue) = 0;
  virtual tresult VST3_API hasProgramPitchNames(ProgramListID listId, int32 programIndex) = 0;
  virtual tresult VST3_API getProgramPitchName(ProgramListID listId, int32 programIndex,
                                               int16 midiPitch, String128 name) = 0;
  virtual UnitID VST3_API getSelectedUnit() = 0;
  virtual tresult VST3_API selectUnit(UnitID unitId) = 0;
  virtual tresult VST3_API getUnitByBus(MediaType type, BusDirection dir, int32 busIndex,
                                        int32 channel, UnitID& unitId) = 0;
  virtual tresult VST3_API setUnitProgramData(int32 listOrUnitId, int32 programIndex,
                                              IBStream* data) = 0;
};

// ---- The editor -----------------------------------------------------------------

inline constexpr const char* kPlatformTypeHWND = "HWND";
inline constexpr const char* kPlatformTypeX11EmbedWindowID = "X11EmbedWindowID";

struct ViewRect {
  int32 left;
  int32 top;
  int32 right;
  int32 bottom;
};

class IPlugFrame;

class IPlugView : public FUnknown {
 public:
  static constexpr Uid iid = makeUid(0x5BC32507, 0xD06049EA, 0xA6151B52, 0x2B755B29);
  virtual tresult VST3_API isPlatformTypeSupported(FIDString type) = 0;
  virtual tresult VST3_API attached(void* parent, FIDString type) = 0;
  virtual tresult VST3_API removed() = 0;
  virtual tresult VST3_API onWheel(float distance) = 0;
  virtual tresult VST3_API onKeyDown(char16 key, int16 keyCode, int16 modifiers) = 0;
  virtual tresult VST3_API onKeyUp(char16 key, int16 keyCode, int16 modifiers) = 0;
  virtual tresult VST3_API getSize(ViewRect* size) = 0;
  virtual tresult VST3_API onSize(ViewRect* newSize) = 0;
  virtual tresult VST3_API onFocus(TBool state) = 0;
  virtual tresult VST3_API setFrame(IPlugFrame* frame) = 0;
  virtual tresult VST3_API canResize() = 0;
  virtual tresult VST3_API checkSizeConstraint(ViewRect* rect) = 0;
};

class IPlugFrame : public FUnknown {
 public:
  static constexpr Uid iid = makeUid(0x367FAF01, 0xAFA94693, 0x8D4DA2A0, 0xED0882A3);
  virtual tresult VST3_API resizeView(IPlugView* view, ViewRect* newSize) = 0;
};

class IPlugViewContentScaleSupport : public FUnknown {
 public:
  static constexpr Uid iid = makeUid(0x65ED9690, 0x8AC44525, 0x8AADEF7A, 0x72EA703F);
  virtual tresult VST3_API setContentScaleFactor(float factor) = 0;
};

// The Linux host's run loop: descriptors and timers served on the UI thread.
class IEventHandler : public FUnknown {
 public:
  static constexpr Uid iid = makeUid(0x561E65C9, 0x13A0496F, 0x813A2C35, 0x654D7983);
  virtual void VST3_API onFDIsSet(int fd) = 0;
};

class ITimerHandler : public FUnknown {
 public:
  static constexpr Uid iid = makeUid(0x10BDD94F, 0x41424774, 0x821FAD8F, 0xECA72CA9);
  virtual void VST3_API onTimer() = 0;
};

class IRunLoop : public FUnknown {
 public:
  static constexpr Uid iid = makeUid(0x18C35366, 0x97764F1A, 0x9C5B8385, 0x7A871389);
  virtual tresult VST3_API registerEventHandler(IEventHandler* handler, int fd) = 0;
  virtual tresult VST3_API unregisterEventHandler(IEventHandler* handler) = 0;
  virtual tresult VST3_API registerTimer(ITimerHandler* handler, uint64 milliseconds) = 0;
  virtual tresult VST3_API unregisterTimer(ITimerHandler* handler) = 0;
};

// ---- The module's exports --------------------------------------------------------

using GetFactoryProc = IPluginFactory* (*)();
using ModuleEntryProc = bool (*)(void* sharedLibraryHandle);
using ModuleExitProc = bool (*)();
using InitDllProc = bool (*)();
using ExitDllProc = bool (*)();

// ---- Layout checks, identical on both targets ------------------------------------

static_assert(sizeof(TUID) == 16 && sizeof(String128) == 256 && sizeof(TBool) == 1 &&
              sizeof(char16) == 2 && sizeof(Uid) == 16);
static_assert(kResultOk == 0 && kResultFalse == 1);
#if defined(_WIN32)
static_assert(kNoInterface == static_cast<tresult>(0x80004002U));
static_assert(IComponent::iid.bytes[0] == '\x31' && IComponent::iid.bytes[3] == '\xE8' &&
              IComponent::iid.bytes[4] == '\xD5' && IComponent::iid.bytes[5] == '\xF2' &&
              IComponent::iid.bytes[6] == '\x01' && IComponent::iid.bytes[7] == '\x43' &&
              IComponent::iid.bytes[8] == '\x92' && IComponent::iid.bytes[15] == '\x02');
static_assert(FUnknown::iid.bytes[8] == '\xC0' && FUnknown::iid.bytes[15] == '\x46');
#else
static_assert(kNoInterface == -1 && kInvalidArgument == 2 && kNotImplemented == 3);
static_assert(IComponent::iid.bytes[0] == '\xE8' && IComponent::iid.bytes[3] == '\x31' &&
              IComponent::iid.bytes[4] == '\xF2' && IComponent::iid.bytes[5] == '\xD5' &&
              IComponent::iid.bytes[6] == '\x43' && IComponent::iid.bytes[7] == '\x01' &&
              IComponent::iid.bytes[8] == '\x92' && IComponent::iid.bytes[15] == '\x02');
#endif

static_assert(sizeof(PFactoryInfo) == 452 && alignof(PFactoryInfo) == 4 &&
              offsetof(PFactoryInfo, url) == 64 && offsetof(PFactoryInfo, email) == 320 &&
              offsetof(PFactoryInfo, flags) == 448);
static_assert(sizeof(PClassInfo) == 116 && alignof(PClassInfo) == 4 &&
              offsetof(PClassInfo, cardinality) == 16 && offsetof(PClassInfo, category) == 20 &&
              offsetof(PClassInfo, name) == 52);
static_assert(sizeof(PClassInfo2) == 440 && alignof(PClassInfo2) == 4 &&
              offsetof(PClassInfo2, classFlags) == 116 &&
              offsetof(PClassInfo2, subCategories) == 120 && offsetof(PClassInfo2, vendor) == 248 &&
              offsetof(PClassInfo2, version) == 312 && offsetof(PClassInfo2, sdkVersion) == 376);
static_assert(sizeof(PClassInfoW) == 696 && alignof(PClassInfoW) == 4 &&
              offsetof(PClassInfoW, name) == 52 && offsetof(PClassInfoW, classFlags) == 180 &&
              offsetof(PClassInfoW, subCategories) == 184 && offsetof(PClassInfoW, vendor) == 312 &&
              offsetof(PClassInfoW, version) == 440 && offsetof(PClassInfoW, sdkVersion) == 568);
static_assert(sizeof(ViewRect) == 16 && alignof(ViewRect) == 4 && offsetof(ViewRect, right) == 8 &&
              offsetof(ViewRect, bottom) == 12);
static_assert(sizeof(BusInfo) == 276 && alignof(BusInfo) == 4 &&
              offsetof(BusInfo, channelCount) == 8 && offsetof(BusInfo, name) == 12 &&
              offsetof(BusInfo, busType) == 268 && offsetof(BusInfo, flags) == 272);
static_assert(sizeof(RoutingInfo) == 12 && alignof(RoutingInfo) == 4 &&
              offsetof(RoutingInfo, channel) == 8);
static_assert(sizeof(ProcessSetup) == 24 && alignof(ProcessSetup) == 8 &&
              offsetof(ProcessSetup, maxSamplesPerBlock) == 8 &&
              offsetof(ProcessSetup, sampleRate) == 16);
static_assert(sizeof(AudioBusBuffers) == 24 && alignof(AudioBusBuffers) == 8 &&
              offsetof(AudioBusBuffers, silenceFlags) == 8 &&
              offsetof(AudioBusBuffers, channelBuffers32) == 16 &&
              offsetof(AudioBusBuffers, channelBuffers64) == 16);
static_assert(sizeof(ProcessData) == 80 && alignof(ProcessData) == 8 &&
              offsetof(ProcessData, numOutputs) == 16 && offsetof(ProcessData, inputs) == 24 &&
              offsetof(ProcessData, inputParameterChanges) == 40 &&
              offsetof(ProcessData, inputEvents) == 56 &&
              offsetof(ProcessData, processContext) == 72);
static_assert(sizeof(ProcessContext) == 112 && alignof(ProcessContext) == 8 &&
              offsetof(ProcessContext, sampleRate) == 8 &&
              offsetof(ProcessContext, projectTimeMusic) == 40 &&
              offsetof(ProcessContext, barPositionMusic) == 48 &&
              offsetof(ProcessContext, tempo) == 72 &&
              offsetof(ProcessContext, timeSigNumerator) == 80 &&
              offsetof(ProcessContext, chord) == 88 && offsetof(ProcessContext, frameRate) == 96 &&
              offsetof(ProcessContext, samplesToNextClock) == 104);
static_assert(sizeof(Chord) == 4 && alignof(Chord) == 2 && offsetof(Chord, chordMask) == 2);
static_assert(sizeof(FrameRate) == 8 && alignof(FrameRate) == 4 && offsetof(FrameRate, flags) == 4);
static_assert(sizeof(ParameterInfo) == 792 && alignof(ParameterInfo) == 8 &&
              offsetof(ParameterInfo, title) == 4 && offsetof(ParameterInfo, shortTitle) == 260 &&
              offsetof(ParameterInfo, units) == 516 && offsetof(ParameterInfo, stepCount) == 772 &&
              offsetof(ParameterInfo, defaultNormalizedValue) == 776 &&
              offsetof(ParameterInfo, unitId) == 784 && offsetof(ParameterInfo, flags) == 788);
static_assert(sizeof(UnitInfo) == 268 && alignof(UnitInfo) == 4 && offsetof(UnitInfo, name) == 8 &&
              offsetof(UnitInfo, programListId) == 264);
static_assert(sizeof(ProgramListInfo) == 264 && alignof(ProgramListInfo) == 4 &&
              offsetof(ProgramListInfo, name) == 4 &&
              offsetof(ProgramListInfo, programCount) == 260);
static_assert(sizeof(Event) == 48 && alignof(Event) == 8 && offsetof(Event, ppqPosition) == 8 &&
              offsetof(Event, flags) == 16 && offsetof(Event, type) == 18 &&
              offsetof(Event, noteOn) == 24);
static_assert(sizeof(NoteOnEvent) == 20 && alignof(NoteOnEvent) == 4 &&
              offsetof(NoteOnEvent, velocity) == 8);
static_assert(sizeof(NoteOffEvent) == 16 && alignof(NoteOffEvent) == 4 &&
              offsetof(NoteOffEvent, velocity) == 4 && offsetof(NoteOffEvent, noteId) == 8);
static_assert(sizeof(DataEvent) == 16 && alignof(DataEvent) == 8 &&
              offsetof(DataEvent, bytes) == 8);
static_assert(sizeof(PolyPressureEvent) == 12 && alignof(PolyPressureEvent) == 4 &&
              offsetof(PolyPressureEvent, noteId) == 8);
static_assert(sizeof(LegacyMIDICCOutEvent) == 4 && alignof(LegacyMIDICCOutEvent) == 1 &&
              offsetof(LegacyMIDICCOutEvent, value2) == 3);
static_assert(sizeof(NoteExpressionValueEvent) == 16 && alignof(NoteExpressionValueEvent) == 8 &&
              offsetof(NoteExpressionValueEvent, value) == 8);
static_assert(sizeof(NoteExpressionTextEvent) == 24 && alignof(NoteExpressionTextEvent) == 8 &&
              offsetof(NoteExpressionTextEvent, text) == 16);
static_assert(sizeof(ChordEvent) == 16 && alignof(ChordEvent) == 8 &&
              offsetof(ChordEvent, text) == 8);
static_assert(sizeof(ScaleEvent) == 16 && alignof(ScaleEvent) == 8 &&
              offsetof(ScaleEvent, text) == 8);

// Every interface is one table pointer and nothing else; a virtual destructor
// would take two slots and shift every later method.
template <typename... Interfaces>
constexpr bool pureTables() {
  return ((sizeof(Interfaces) == 8 && std::is_polymorphic_v<Interfaces> &&
           !std::has_virtual_destructor_v<Interfaces> && std::is_abstract_v<Interfaces>)&&...);
}
static_assert(
    pureTables<FUnknown, IPluginBase, IPluginFactory, IPluginFactory2, IPluginFactory3, IBStream,
               ISizeableStream, IAttributeList, IStreamAttributes, IMessage, IConnectionPoint,
               IHostApplication, IPlugInterfaceSupport, IComponentHandler, IComponentHandler2,
               IUnitHandler, IComponent, IParamValueQueue, IParameterChanges, IEventList,
               IAudioProcessor, IProcessContextRequirements, IProgramListData, IEditController,
               IEditController2, IMidiMapping, IMidiLearn, IUnitInfo, IPlugView, IPlugFrame,
               IPlugViewContentScaleSupport, IEventHandler, ITimerHandler, IRunLoop>());

// The slot a virtual method takes in its table: the Itanium ABI (g++ and
// mingw-w64 alike) stores a virtual method's pointer as 1 + its byte offset in
// the table. Not a constant expression, so checked where it runs.
template <typename Method>
inline std::ptrdiff_t slotOf(Method method) {
  static_assert(sizeof(Method) == 2 * sizeof(std::ptrdiff_t));
  std::ptrdiff_t words[2] = {};
  std::memcpy(words, &method, sizeof(words));
  return (words[0] - 1) / static_cast<std::ptrdiff_t>(sizeof(void*));
}

// True when the last method of every interface sits in the slot the
// interface has it in (vst3layout.cpp); tests and the module's entry ask.
bool slotsMatch();

}  // namespace vst3
