#pragma once

class QImage;

namespace velorinth {

// Blurs an 8-bit alpha image in place with three box passes each way, which comes within
// a few percent of a true Gaussian of that standard deviation (in pixels).
void gaussianBlurAlpha(QImage &alpha, double sigma);

} // namespace velorinth
