// The whole toolkit layer in one include: frame, views, controls, bitmaps,
// drawing, the editor binding and the file selector.
#pragma once

#include "gui/aeffguieditor.h"
#include "gui/cbitmap.h"
#include "gui/ccontrol.h"
#include "gui/cdrawcontext.h"
#include "gui/cfileselector.h"
#include "gui/cframe.h"
#include "gui/chorizontalswitch.h"
#include "gui/ckickbutton.h"
#include "gui/cknob.h"
#include "gui/cmoviebitmap.h"
#include "gui/conoffbutton.h"
#include "gui/coptionmenu.h"
#include "gui/cparamdisplay.h"
#include "gui/crockerswitch.h"
#include "gui/csplashscreen.h"
#include "gui/ctextedit.h"
#include "gui/cview.h"
#include "gui/guitypes.h"
#include "gui/menupopup.h"
