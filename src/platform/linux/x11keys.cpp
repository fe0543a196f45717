#include "platform/linux/x11keys.h"

#include <X11/X.h>
#include <X11/keysym.h>

#include "gui/guitypes.h"

namespace platform::x11 {

namespace {

unsigned char virtualKeyFor(unsigned long keysym) {
  switch (keysym) {
    case XK_BackSpace:
      return VKEY_BACK;
    case XK_Tab:
      return VKEY_TAB;
    case XK_Clear:
      return VKEY_CLEAR;
    case XK_Return:
      return VKEY_RETURN;
    case XK_Pause:
      return VKEY_PAUSE;
    case XK_Escape:
      return VKEY_ESCAPE;
    case XK_space:
      return VKEY_SPACE;
    case XK_End:
    case XK_KP_End:
      return VKEY_END;
    case XK_Home:
    case XK_KP_Home:
      return VKEY_HOME;
    case XK_Left:
    case XK_KP_Left:
      return VKEY_LEFT;
    case XK_Up:
    case XK_KP_Up:
      return VKEY_UP;
    case XK_Right:
    case XK_KP_Right:
      return VKEY_RIGHT;
    case XK_Down:
    case XK_KP_Down:
      return VKEY_DOWN;
    case XK_Page_Up:
    case XK_KP_Page_Up:
      return VKEY_PAGEUP;
    case XK_Page_Down:
    case XK_KP_Page_Down:
      return VKEY_PAGEDOWN;
    case XK_Select:
      return VKEY_SELECT;
    case XK_Print:
      return VKEY_PRINT;
    case XK_KP_Enter:
      return VKEY_ENTER;
    case XK_Insert:
    case XK_KP_Insert:
      return VKEY_INSERT;
    case XK_Delete:
    case XK_KP_Delete:
      return VKEY_DELETE;
    default:
      return 0;
  }
}

// The Unicode character of a KeySym: Latin-1 keysyms are their own code
// points, others carry theirs above 0x01000000.
int32_t characterFor(unsigned long keysym) {
  if ((keysym >= 0x20 && keysym <= 0x7E) || (keysym >= 0xA0 && keysym <= 0xFF)) {
    return int32_t(keysym);
  }
  if (keysym >= 0x01000100 && keysym <= 0x0110FFFF) {
    return int32_t(keysym - 0x01000000);
  }
  return 0;
}

}  // namespace

VstKeyCode keyCodeFor(unsigned long keysym, unsigned int state) {
  VstKeyCode code{};
  code.virt = virtualKeyFor(keysym);
  code.character = code.virt == 0 || code.virt == VKEY_SPACE ? characterFor(keysym) : 0;
  if (state & ShiftMask) code.modifier |= MODIFIER_SHIFT;
  if (state & ControlMask) code.modifier |= MODIFIER_CONTROL;
  if (state & Mod1Mask) code.modifier |= MODIFIER_ALTERNATE;
  return code;
}

int32_t buttonStateFor(unsigned int state) {
  int32_t buttons = 0;
  if (state & Button1Mask) buttons |= kLButton;
  if (state & Button2Mask) buttons |= kMButton;
  if (state & Button3Mask) buttons |= kRButton;
  if (state & ShiftMask) buttons |= kShift;
  if (state & ControlMask) buttons |= kControl;
  if (state & Mod1Mask) buttons |= kAlt;
  return buttons;
}

}  // namespace platform::x11
