#pragma once
// The program's logo in the About box: a pager with its signal and the name.
#include <QImage>

namespace pbdraw {

// Twice the logo box of the About box (183 x 92), the same proportions.
constexpr int kLogoWidth = 366;
constexpr int kLogoHeight = 184;

QImage drawLogo();

// The program's icon: the logo's pager and signal alone, square, on a
// transparent ground.
QImage drawIcon(int size);

} // namespace pbdraw
