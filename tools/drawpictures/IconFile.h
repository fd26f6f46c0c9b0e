#pragma once
// A Windows icon file holding the same picture at several sizes.
#include <QByteArray>
#include <QImage>
#include <QList>

namespace pbdraw {

// The sizes Windows picks from: title bar and lists (16, 24), Explorer's
// views (32, 48, 64), large tiles (128, 256).
const QList<int>& iconFileSizes();

// An .ico file with one PNG-coded entry per image, largest last. Qt writes
// one image per .ico file; Windows wants them all in one. Empty when an
// image is larger than 256 pixels or cannot be coded.
QByteArray iconFile(const QList<QImage>& images);

} // namespace pbdraw
