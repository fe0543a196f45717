#include "windowscene.h"

namespace guitest {

Controls populate(CFrame& frame, CControlListener* listener, std::vector<std::string>* log,
                  std::vector<std::unique_ptr<RegisteredBitmap>>& keep) {
  Controls c;
  frame.setBackgroundColor(CColor{30, 60, 90, 255});
  CBitmap* bitmap = stackedBitmap(
      7101, 40, 40, 5, [](int k) { return 0xFF000000u | uint32_t(k * 50) << 8 | 0x20; }, keep);
  c.knob = new CAnimKnob(CRect(10, 10, 50, 50), listener, 1, bitmap);
  bitmap->forget();
  frame.addView(c.knob);
  c.text = new CTextEdit(CRect(60, 10, 190, 30), listener, 2, "abc");
  c.text->setBackColor(CColor{250, 250, 240, 255});
  c.text->setFontColor(kBlackCColor);
  frame.addView(c.text);
  c.menu = new COptionMenu(CRect(60, 40, 190, 60), listener, 3);
  c.menu->addEntry("One");
  c.menu->addEntry("Two");
  c.menu->addEntry("-");
  c.menu->addEntry("Four");
  c.menu->setBackColor(CColor{200, 220, 200, 255});
  c.menu->setFontColor(kBlackCColor);
  frame.addView(c.menu);
  c.probe = new ProbeView(CRect(10, 70, 60, 110), log, "probe");
  frame.addView(c.probe);
  return c;
}

}  // namespace guitest
