// The Micro-B USB socket on the right side of the unit's body, and a cable's plug
// lined up with it, about to go in.
#pragma once

class QPainter;

namespace usb {

void drawSocket(QPainter &painter);
void drawCable(QPainter &painter);

}  // namespace usb
