#pragma once
// The three steps of opening the diagnose cover, drawn as one unit seen from
// the front.
#include <QImage>

namespace pbdraw {

// The size of the guide's pictures: twice the picture box of the guide, so
// the stretched picture stays sharp and undistorted.
constexpr int kStepWidth = 770;
constexpr int kStepHeight = 560;

// Cover closed, two arrows under it pointing up: slide the lid up.
QImage drawStep1();
// Cover closed, two arrows pointing down at the holes along its top edge.
QImage drawStep2();
// Cover folded down: the 9-pin diagnose connector and the lamps behind it.
QImage drawStep3();

} // namespace pbdraw
