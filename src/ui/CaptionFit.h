#pragma once
// Captions wider than their control: the layout's sizes are fixed, the
// captions of some languages are long, and the font is ours to choose, so
// such a push button or label takes a smaller size of the window's font.
#include <QLabel>
#include <QWidget>
#include <initializer_list>

namespace pb {

// Whether a push button or single-line label shows all of its caption in
// its present font; true for any other control.
bool CaptionFits(const QWidget& control);

// Each push button of the window and each of the caption labels takes the
// window's font again, or, where its caption does not fit, the largest
// smaller size that fits, down to three quarters of the window's. Labels
// that show data (log lines, values) are not given: they keep the font.
void FitCaptions(QWidget& window, std::initializer_list<QLabel*> captionLabels = {});

} // namespace pb
