// The controls on the back of the unit's body: the display, the four menu buttons
// (A to D) under it, and the lower row with the power button, ready lamp and TEST.
#pragma once

class QPainter;

namespace unit {

void drawDisplay(QPainter &painter);
void drawMenuButtons(QPainter &painter);
void drawLowerControls(QPainter &painter);

}  // namespace unit
