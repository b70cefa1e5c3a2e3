// The panel as laid out for the DPI the window has now, and how it shows and takes clicks: the
// checks that also run at every display scale the test command sets up, and after each change
// of DPI while the window runs.
#pragma once

#include "PickerFixture.h"

class ScaledPanelTest : public PickerTest {
 protected:
  void ExpectClientAreaIsTheDesignWithEveryControlAtItsPlace();
  // Every caption, the three colour texts at their longest (white) and the edits' "255".
  void ExpectEveryTextFits();
  void ExpectSwatchAndTextFramesPainted();
  void ExpectDoubleClickOnTheSwatchOpensTheColourDialog();
};
