#include "design/gaussian_blur.h"

#include <QImage>

#include <array>
#include <cmath>
#include <vector>

namespace velorinth {

namespace {

// Past 2.5 standard deviations a blurred edge adds less than one level of 255.
constexpr double kReachPerSigma = 2.5;

// Widths of three successive box filters whose combined variance matches sigma.
std::array<int, 3> boxRadii(double sigma)
{
    const double ideal = std::sqrt(4.0 * sigma * sigma + 1.0);
    int lower = static_cast<int>(std::floor(ideal));
    if (lower % 2 == 0)
        --lower;
    const int upper = lower + 2;
    const double lowerCount =
        (12.0 * sigma * sigma - 3.0 * lower * lower - 12.0 * lower - 9.0) / (-4.0 * lower - 4.0);
    const int count = static_cast<int>(std::lround(lowerCount));
    std::array<int, 3> radii{};
    for (int i = 0; i < 3; ++i)
        radii[i] = ((i < count ? lower : upper) - 1) / 2;
    return radii;
}

// One box pass over `length` samples spaced `stride` apart, treating the outside as empty.
void boxPass(uchar *line, int length, int stride, int radius, std::vector<int> &scratch)
{
    scratch.resize(length);
    for (int i = 0; i < length; ++i)
        scratch[i] = line[i * stride];
    const int window = 2 * radius + 1;
    int sum = 0;
    for (int i = 0; i < radius && i < length; ++i)
        sum += scratch[i];
    for (int i = 0; i < length; ++i) {
        if (i + radius < length)
            sum += scratch[i + radius];
        if (i - radius - 1 >= 0)
            sum -= scratch[i - radius - 1];
        line[i * stride] = static_cast<uchar>((sum + window / 2) / window);
    }
}

} // namespace

void gaussianBlurAlpha(QImage &alpha, double sigma)
{
    Q_ASSERT(alpha.format() == QImage::Format_Alpha8);
    if (sigma <= 0.0)
        return;
    const int width = alpha.width();
    const int height = alpha.height();
    const int stride = static_cast<int>(alpha.bytesPerLine());
    uchar *bits = alpha.bits();
    std::vector<int> scratch;
    for (const int radius : boxRadii(sigma)) {
        if (radius == 0)
            continue;
        for (int y = 0; y < height; ++y)
            boxPass(bits + y * stride, width, 1, radius, scratch);
        for (int x = 0; x < width; ++x)
            boxPass(bits + x, height, stride, radius, scratch);
    }
}

double blurReach(double sigma)
{
    return std::ceil(sigma * kReachPerSigma);
}

} // namespace velorinth
