#include "TarnKit/Vision/PhaseCorrelation.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <complex>
#include <numbers>

namespace tarn {

namespace {

using Complex = std::complex<double>;

// In-place iterative radix-2 transform of `data` (size a power of two), every `stride`-th
// element starting at `offset`.
void fft(std::vector<Complex>& data, std::size_t offset, std::size_t stride, std::size_t size, bool inverse)
{
    auto at = [&](std::size_t index) -> Complex& { return data[offset + index * stride]; };
    for (std::size_t i = 1, j = 0; i < size; ++i) {
        std::size_t bit = size >> 1;
        for (; j & bit; bit >>= 1) {
            j ^= bit;
        }
        j ^= bit;
        if (i < j) {
            std::swap(at(i), at(j));
        }
    }
    for (std::size_t length = 2; length <= size; length <<= 1) {
        const double angle = 2 * std::numbers::pi / static_cast<double>(length) * (inverse ? 1 : -1);
        const Complex step(std::cos(angle), std::sin(angle));
        for (std::size_t start = 0; start < size; start += length) {
            Complex twiddle(1);
            for (std::size_t k = 0; k < length / 2; ++k) {
                const Complex even = at(start + k);
                const Complex odd = at(start + k + length / 2) * twiddle;
                at(start + k) = even + odd;
                at(start + k + length / 2) = even - odd;
                twiddle *= step;
            }
        }
    }
}

void fft2d(std::vector<Complex>& data, std::size_t width, std::size_t height, bool inverse)
{
    for (std::size_t row = 0; row < height; ++row) {
        fft(data, row * width, 1, width, inverse);
    }
    for (std::size_t column = 0; column < width; ++column) {
        fft(data, column, width, height, inverse);
    }
}

double hann(int index, int size)
{
    return size < 2 ? 1.0 : 0.5 - 0.5 * std::cos(2 * std::numbers::pi * index / (size - 1));
}

std::vector<Complex> padded(const GrayPlane& plane, std::size_t width, std::size_t height)
{
    double mean = 0;
    for (double value : plane.values) {
        mean += value;
    }
    mean /= static_cast<double>(std::max<std::size_t>(plane.values.size(), 1));
    std::vector<Complex> data(width * height);
    for (int y = 0; y < plane.height; ++y) {
        for (int x = 0; x < plane.width; ++x) {
            data[static_cast<std::size_t>(y) * width + x]
                = (plane.at(x, y) - mean) * hann(x, plane.width) * hann(y, plane.height);
        }
    }
    return data;
}

int wrapped(std::size_t index, std::size_t size)
{
    const auto value = static_cast<int>(index);
    return index >= size / 2 ? value - static_cast<int>(size) : value;
}

} // namespace

PhaseCorrelation::Shift PhaseCorrelation::shift(const GrayPlane& from, const GrayPlane& to)
{
    const auto width = std::bit_ceil(static_cast<std::size_t>(std::max(from.width, to.width)));
    const auto height = std::bit_ceil(static_cast<std::size_t>(std::max(from.height, to.height)));
    auto a = padded(from, width, height);
    auto b = padded(to, width, height);
    fft2d(a, width, height, false);
    fft2d(b, width, height, false);
    for (std::size_t index = 0; index < a.size(); ++index) {
        const Complex product = std::conj(a[index]) * b[index];
        const double magnitude = std::abs(product);
        a[index] = magnitude > 1e-12 ? product / magnitude : Complex(0);
    }
    fft2d(a, width, height, true);
    std::size_t peak = 0;
    for (std::size_t index = 1; index < a.size(); ++index) {
        if (a[index].real() > a[peak].real()) {
            peak = index;
        }
    }
    return Shift {wrapped(peak % width, width), wrapped(peak / width, height)};
}

} // namespace tarn
