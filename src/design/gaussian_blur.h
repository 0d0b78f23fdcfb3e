#pragma once

class QImage;

namespace velorinth {

// Blurs an 8-bit alpha image in place with three box passes each way, which comes within
// a few percent of a true Gaussian of that standard deviation (in pixels).
void gaussianBlurAlpha(QImage &alpha, double sigma);
// How far beyond a shape's edge its blur still shows (by at least one level of 255), in
// the same unit as sigma, rounded up.
[[nodiscard]] double blurReach(double sigma);

} // namespace velorinth
