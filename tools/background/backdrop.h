// The backdrop behind the unit: dark and calm where the window writes its light grey
// texts, a soft glow behind the unit, and a pale strip for the black status line.
#pragma once

class QPainter;

namespace backdrop {

void draw(QPainter &painter);

}  // namespace backdrop
