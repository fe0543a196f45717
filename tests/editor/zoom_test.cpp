// The editor at 150 % and 200 %: the zoom menu on the panel's background, the
// stored choice and how every open and later editor follows it, the rectangle
// the host reads and its resize request, and the controls answering pointer
// positions in window pixels exactly as at 100 %; the host's scale where the
// user chose no zoom.
#include <string>
#include <vector>

#include "editor/editorlayout.h"
#include "editorwindow.h"
#include "gui/aeffguieditor.h"
#include "gui/coptionmenu.h"
#include "guitest.h"
#include "platform/settingsstore.h"
#include "sandbox.h"

using editortest::Log;

namespace {

using EditorZoom = editortest::EditorWindowTest;

std::pair<int, int> rectOf(Plugin& plugin) {
  ERect* rect = nullptr;
  plugin.dispatch(effEditGetRect, 0, 0, &rect);
  return {rect->right - rect->left, rect->bottom - rect->top};
}

}  // namespace

TEST_F(EditorZoom, TheMenuChoosesStoresAndResizesEveryOpenEditor) {
  Sandbox sandbox;
  // A stored value that is no zoom is ignored (the test display is at 96 dpi).
  platform::settings::storeText("Zoom", "175");
  EXPECT_EQ(rectOf(*plugin), std::make_pair(870, 101));
  host.canDo["sizeWindow"] = 1;
  open();
  Plugin other(nullptr, factory);  // a second instance, its window open too
  ASSERT_EQ(other.dispatch(effEditOpen), 1);

  std::vector<std::string> titles;
  int32_t current = -1;
  int answer = 2;
  frame().setMenuPopup([&](COptionMenu* menu) {
    for (int32_t i = 0; i < menu->getNbEntries(); ++i) {
      titles.emplace_back(menu->getEntry(i)->getTitle());
    }
    current = menu->getCurrentIndex();
    return answer;
  });
  // A right click on a control opens nothing; on the bare panel the menu.
  const CRect& knob = control(kFbck).getViewSize();
  CPoint onKnob(knob.left + 5, knob.top + 5);
  frame().onMouseDown(onKnob, kRButton);
  EXPECT_TRUE(titles.empty());
  host.clear();
  CPoint bare(60, 12);
  EXPECT_EQ(frame().onMouseDown(bare, kRButton), kMouseEventHandled);
  EXPECT_EQ(titles, (std::vector<std::string>{"Zoom 100 %", "Zoom 150 %", "Zoom 200 %"}));
  EXPECT_EQ(current, 0);

  // This window at once, the host asked after it said it can resize.
  EXPECT_EQ(frame().getZoom(), 200);
  EXPECT_EQ(frame().getPixelWidth(), 1740);
  EXPECT_EQ(frame().getPixelHeight(), 202);
  EXPECT_EQ(platform::settings::loadText("Zoom"), "200");
  EXPECT_EQ(rectOf(*plugin), std::make_pair(1740, 202));
  const auto request = host.last(audioMasterSizeWindow);
  ASSERT_TRUE(request.has_value());
  EXPECT_EQ(request->index, 1740);
  EXPECT_EQ(request->value, 202);
  ASSERT_TRUE(host.last(audioMasterCanDo).has_value());
  EXPECT_EQ(host.last(audioMasterCanDo)->text, "sizeWindow");

  // The other window at its next idle; a host that cannot resize is not asked,
  // and the window draws at its new size all the same.
  host.canDo.clear();
  host.clear();
  other.dispatch(effEditIdle);
  EXPECT_EQ(rectOf(other), std::make_pair(1740, 202));
  EXPECT_EQ(host.count(audioMasterSizeWindow), 0);
  answer = 1;
  frame().onMouseDown(bare, kRButton);
  EXPECT_EQ(current, 2);  // the zoom in use is the one checked
  other.dispatch(effEditIdle);
  EXPECT_EQ(rectOf(other), std::make_pair(1305, 152));
  EXPECT_EQ(host.count(audioMasterSizeWindow), 0);
  other.dispatch(effEditClose);

  // Later editors open at the stored choice.
  plugin->dispatch(effEditClose);
  EXPECT_EQ(rectOf(*plugin), std::make_pair(1305, 152));
  open();
  EXPECT_EQ(frame().getZoom(), 150);
  plugin->dispatch(effEditClose);
}

TEST_F(EditorZoom, TheHostsScaleZoomsOnlyWhereTheUserChoseNone) {
  Sandbox sandbox;
  auto* editor = dynamic_cast<AEffGUIEditor*>(zel->getEditor());
  ASSERT_NE(editor, nullptr);
  // Before the window opens, the size the host reads; then the window itself.
  editor->hostZoomChanged(200);
  EXPECT_EQ(rectOf(*plugin), std::make_pair(1740, 202));
  host.canDo["sizeWindow"] = 1;
  open();
  EXPECT_EQ(frame().getZoom(), 200);
  // A new scale (another monitor) resizes the open window and asks the host.
  host.clear();
  editor->hostZoomChanged(150);
  EXPECT_EQ(frame().getZoom(), 150);
  ASSERT_TRUE(host.last(audioMasterSizeWindow).has_value());
  EXPECT_EQ(host.last(audioMasterSizeWindow)->index, 1305);
  // The user's stored choice wins over any scale, open or not.
  platform::settings::storeText("Zoom", "100");
  editor->hostZoomChanged(200);
  EXPECT_EQ(frame().getZoom(), 150);
  plugin->dispatch(effEditClose);
  EXPECT_EQ(rectOf(*plugin), std::make_pair(870, 101));
}

TEST_F(EditorZoom, EveryControlReactsAtTwoHundredPercentAsAtOneHundred) {
  Sandbox sandbox;
  // Presses, drags and wheel steps on every control of a new instance's
  // window, at window pixels of the zoom.
  auto walk = [&](int zoom) {
    plugin = std::make_unique<Plugin>(nullptr, factory);
    zel = static_cast<Zel*>(plugin->effect()->object);
    editor = dynamic_cast<Editor*>(zel->getEditor());
    open();
    EXPECT_TRUE(frame().setZoom(zoom));
    idle();
    hostLog();
    const double s = zoom / 100.0;
    for (const layout::ControlRow& row : layout::kControls) {
      const CRect r = row.rect();
      CPoint centre((r.left + r.right) / 2 * s, (r.top + r.bottom) / 2 * s);
      CPoint dragged(centre.x + 10 * s, centre.y - 30 * s);
      frame().onMouseDown(centre, kLButton);
      frame().onMouseMoved(dragged, kLButton);
      frame().onMouseUp(dragged, 0);
      frame().onWheel(centre, 1.0f, 0);
      idle();
    }
    CPoint corner(200 * s, 12 * s);  // the about picture, shown by the logo: any click closes it
    frame().onMouseDown(corner, kLButton);
    frame().onMouseUp(corner, 0);
    Log log = hostLog();
    for (int32_t i = 0; i < 18; ++i) {
      log.push_back(std::to_string(zel->getParameter(i)));
    }
    return log;
  };
  const Log atHundred = walk(100);
  EXPECT_GT(atHundred.size(), 60u);
  for (const int zoom : {200, 150}) {
    const Log zoomed = walk(zoom);
    ASSERT_EQ(zoomed.size(), atHundred.size()) << zoom;
    for (size_t i = 0; i < zoomed.size(); ++i) {
      EXPECT_EQ(zoomed[i], atHundred[i]) << "at " << zoom << " %, entry " << i;
    }
  }
  plugin->dispatch(effEditClose);
}
