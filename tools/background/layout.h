// Where everything in the background picture goes, in window pixels (origin top-left).
//
// The upgrade window is a fixed 665 x 517 and draws its own texts, install button,
// progress bar and two red rings on top of this picture. The rings must sit on the
// unit's power button and on the rightmost button under its display, so those two
// centres are fixed by the window; the rest of the flash unit is laid out around them.
#pragma once

#include <QPointF>
#include <QRectF>

namespace layout {

// --- the picture ---------------------------------------------------------------------
constexpr int kImageWidth = 665;
constexpr int kImageHeight = 517;
constexpr int kJpegQuality = 90;

// --- what the window draws on top (the picture keeps these areas calm) ---------------
// The pale strip behind the black status line at (37, 483) starts here.
constexpr qreal kStatusBandTop = 468;

// --- the two ringed buttons (fixed by the window's ring overlays) --------------------
constexpr QPointF kOnButtonCentre{283, 355};     // ring "On button", radius 15
constexpr QPointF kMenuButtonDCentre{386, 316};  // ring "Menu button D", radius 13

// --- oblique projection ----------------------------------------------------------------
// The unit is seen straight from its back but a little from the upper right, so its
// top and right faces show. A point one unit-depth away from the viewer is drawn this
// far up and to the right of where it would be at the back face.
constexpr QPointF kDepth{40, -18};

// --- the row of four menu buttons (A B C D) under the display --------------------------
constexpr int kMenuButtonCount = 4;
constexpr qreal kMenuButtonPitch = 38;   // centre to centre
constexpr qreal kMenuButtonRadius = 11;  // the ring (radius 13) sits on its rim
// Button A is the leftmost; D (the rightmost) is kMenuButtonDCentre.
constexpr qreal kMenuButtonACentreX =
    kMenuButtonDCentre.x() - (kMenuButtonCount - 1) * kMenuButtonPitch;
// The unit's back is symmetric about the middle of the button row.
constexpr qreal kUnitCentreX = (kMenuButtonACentreX + kMenuButtonDCentre.x()) / 2;

// --- the body (lower, bigger part holding the controls) ---------------------------------
constexpr qreal kBodyHalfWidth = 80;
constexpr QRectF kBodyFront{kUnitCentreX - kBodyHalfWidth, 202, 2 * kBodyHalfWidth, 198};
constexpr qreal kBodyCornerRadius = 16;

// --- the display: glossy bezel around a backlit screen ---------------------------------
constexpr qreal kBezelHalfWidth = 70;
constexpr QRectF kBezel{kUnitCentreX - kBezelHalfWidth, 214, 2 * kBezelHalfWidth, 80};
constexpr qreal kBezelCornerRadius = 8;
constexpr qreal kScreenInset = 6;  // bezel border around the screen
constexpr qreal kScreenCornerRadius = 4;

// --- the lower row: power button, ready lamp, TEST button ------------------------------
constexpr qreal kOnButtonRadius = 14;  // the ring (radius 15) sits on its rim
// TEST mirrors the power button about the unit's centre line.
constexpr QPointF kTestButtonCentre{2 * kUnitCentreX - kOnButtonCentre.x(),
                                    kOnButtonCentre.y()};
constexpr qreal kTestButtonWidth = 44;
constexpr qreal kTestButtonHeight = 22;
constexpr QPointF kReadyLampCentre{kUnitCentreX, kOnButtonCentre.y()};
constexpr qreal kReadyLampRadius = 3;

// --- the neck (swivel joint) and the head (flash tube housing) ------------------------
constexpr qreal kNeckHalfWidth = 34;
constexpr QRectF kNeckFront{kUnitCentreX - kNeckHalfWidth, 186, 2 * kNeckHalfWidth, 20};
constexpr qreal kNeckRecess = 0.15;     // its back face sits this much unit-depth inwards
constexpr qreal kNeckDepth = 0.7;       // and it is this much unit-depth long
constexpr qreal kHeadHalfWidth = 100;
constexpr QRectF kHeadFront{kUnitCentreX - kHeadHalfWidth, 146, 2 * kHeadHalfWidth, 44};
constexpr qreal kHeadCornerRadius = 10;
constexpr qreal kWordmarkCapHeight = 10;  // "STROBIX" on the back of the head

// --- the foot (hot-shoe mount) peeking out under the body ------------------------------
constexpr qreal kFootHalfWidth = 44;
constexpr QRectF kFootFront{kUnitCentreX - kFootHalfWidth, 390, 2 * kFootHalfWidth, 17};
constexpr qreal kFootRecess = 0.2;
constexpr qreal kFootDepth = 0.6;

// --- the Micro-B socket on the body's right side, and a cable about to go in ----------
constexpr qreal kSocketDepthPosition = 0.45;  // fraction of the body's depth
constexpr qreal kSocketCentreY = 362;         // on the back face's scale
constexpr qreal kSocketLength = 22;           // along the depth, drawn
constexpr qreal kSocketHeight = 8;
constexpr qreal kSocketChamfer = 4;           // Micro-B's slanted lower corners
constexpr qreal kPlugGap = 30;                // between the side face and the plug
constexpr qreal kPlugShellLength = 14;        // bare metal part of the plug
constexpr qreal kPlugBodyLength = 30;         // moulded grip
constexpr qreal kPlugBodyLengthwise = 28;     // grip size along the depth
constexpr qreal kPlugBodyHeight = 15;
constexpr qreal kCableWidth = 7;

}  // namespace layout
