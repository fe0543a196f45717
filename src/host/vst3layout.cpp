// The VST 3 declarations' method slots, read back from the compiler: the one
// layout fact a static_assert cannot reach.
#include "vst3.h"

namespace vst3 {

bool slotsMatch() {
  return slotOf(&FUnknown::release) == 2 && slotOf(&IPluginBase::terminate) == 4 &&
         slotOf(&IComponent::getState) == 13 && slotOf(&IAudioProcessor::getTailSamples) == 10 &&
         slotOf(&IEditController::createView) == 17 &&
         slotOf(&IUnitInfo::setUnitProgramData) == 14 &&
         slotOf(&IPlugView::checkSizeConstraint) == 14 &&
         slotOf(&IPluginFactory3::setHostContext) == 9 &&
         slotOf(&IAttributeList::getBinary) == 10 && slotOf(&IRunLoop::unregisterTimer) == 6 &&
         slotOf(&IComponentHandler::restartComponent) == 6 &&
         slotOf(&IParameterChanges::addParameterData) == 5 &&
         slotOf(&IParamValueQueue::addPoint) == 6 && slotOf(&IEventList::addEvent) == 5 &&
         slotOf(&IBStream::tell) == 6 && slotOf(&IMidiMapping::getMidiControllerAssignment) == 3 &&
         slotOf(&IConnectionPoint::notify) == 5 && slotOf(&IPlugFrame::resizeView) == 3 &&
         slotOf(&IPlugViewContentScaleSupport::setContentScaleFactor) == 3;
}

}  // namespace vst3
