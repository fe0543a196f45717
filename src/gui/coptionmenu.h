// A menu of entries whose value is the current entry, chosen in a popup.
#pragma once

#include <new>
#include <string>
#include <vector>

#include "gui/cparamdisplay.h"

class CMenuItem : public CBaseObject {
 public:
  enum Flags : int32_t {
    kNoFlags = 0,
    kDisabled = 1 << 0,
    kTitle = 1 << 1,
    kChecked = 1 << 2,
    kSeparator = 1 << 3
  };
  explicit CMenuItem(const char* title, int32_t flags = kNoFlags)
      : title(title != nullptr ? title : ""), flags(flags) {}
  const char* getTitle() const { return title.c_str(); }
  void setTitle(const char* newTitle) { title = newTitle != nullptr ? newTitle : ""; }
  bool isEnabled() const { return (flags & kDisabled) == 0; }
  bool isChecked() const { return (flags & kChecked) != 0; }
  bool isSeparator() const { return (flags & kSeparator) != 0; }
  bool isTitle() const { return (flags & kTitle) != 0; }
  void setChecked(bool state) { flags = state ? (flags | kChecked) : (flags & ~kChecked); }
  void setEnabled(bool state) { flags = state ? (flags & ~kDisabled) : (flags | kDisabled); }
  int32_t getFlags() const { return flags; }

 private:
  std::string title;
  int32_t flags;
};

// A list of entries whose value is the index of the current entry. A press
// asks the frame to pop the entries up (the platform shows them; a headless
// frame asks its test handler); a chosen entry becomes current and is reported.
class COptionMenu : public CParamDisplay {
 public:
  COptionMenu(const CRect& size, CControlListener* listener, int32_t tag,
              CBitmap* background = nullptr, CBitmap* bgWhenClick = nullptr, int32_t style = 0);
  COptionMenu(const COptionMenu& other);
  ~COptionMenu() override;

  // A title of "-" adds a separator. index −1 appends.
  CMenuItem* addEntry(const char* title, int32_t index = -1, int32_t itemFlags = 0);
  CMenuItem* getEntry(int32_t index) const;
  int32_t getNbEntries() const { return int32_t(items.size()); }
  bool removeEntry(int32_t index);
  bool removeAllEntry();
  bool setCurrent(int32_t index);
  int32_t getCurrentIndex() const;
  CMenuItem* getCurrent() const { return getEntry(getCurrentIndex()); }
  bool checkEntry(int32_t index, bool state);
  void setNbItemsPerColumn(int32_t count) { itemsPerColumn = count; }
  int32_t getNbItemsPerColumn() const { return itemsPerColumn; }
  int32_t getLastResult() const { return lastResult; }

  // Shows the popup through the frame; false when there is none to show. A
  // choice made in it is reported as chooseEntry reports it, when it is made.
  bool popup();
  // Makes an entry current as a choice in the popup would (listener told).
  bool chooseEntry(int32_t index);

  std::string getDisplayText() const override;
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
  bool isTypeOf(const char* type) const override;
  CView* newCopy() const override { return new (std::nothrow) COptionMenu(*this); }

 private:
  std::vector<CMenuItem*> items;
  CBitmap* bgWhenClick = nullptr;
  int32_t itemsPerColumn = -1;
  int32_t lastResult = -1;
};
