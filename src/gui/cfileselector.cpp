#include "gui/cfileselector.h"

#include <cstring>
#include <new>

#include "gui/cframe.h"

namespace {

class CNoFileSelector : public CNewFileSelector {
 public:
  CNoFileSelector(CFrame* parent, Style style) : CNewFileSelector(parent, style) {}

 protected:
  bool runModalInternal() override { return false; }
};

CNewFileSelector::Factory& factory() {
  static CNewFileSelector::Factory installed;
  return installed;
}

}  // namespace

CNewFileSelector* CNewFileSelector::create(CFrame* parent, Style style) {
  if (factory()) {
    if (CNewFileSelector* selector = factory()(parent, style)) {
      return selector;
    }
  }
  if (CNewFileSelector* selector = platform::createFileSelector(parent, style)) {
    return selector;
  }
  return new (std::nothrow) CNoFileSelector(parent, style);
}

void CNewFileSelector::setFactory(Factory newFactory) { factory() = std::move(newFactory); }

void CNewFileSelector::setDefaultExtension(const CFileExtension& extension) {
  defaultExtension = extension;
  hasDefaultExtension = true;
}

void CNewFileSelector::addFileExtension(const CFileExtension& extension) {
  extensions.push_back(extension);
}

bool CNewFileSelector::runModal() {
  selected.clear();
  if (!runModalInternal()) {
    selected.clear();
    return false;
  }
  return !selected.empty();
}

bool CNewFileSelector::run(Callback done) {
  selected.clear();
  if (parent != nullptr && startInternal()) {
    parent->addIdleWork(this, [this, done = std::move(done)] {
      if (!pollInternal()) {
        return false;
      }
      done(this);
      return true;
    });
    return true;
  }
  runModal();
  done(this);
  return false;
}

const char* CNewFileSelector::getSelectedFile(uint32_t index) const {
  return index < selected.size() ? selected[index].c_str() : nullptr;
}

bool CNewFileSelector::isTypeOf(const char* type) const {
  return std::strcmp(type, "CNewFileSelector") == 0 || CBaseObject::isTypeOf(type);
}
