#include "TarnKit/Vision/TarnVisionServices.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <string_view>

#include "TarnKit/Foundation/Text/UnicodeText.h"
#include "TarnKit/Vision/PhaseCorrelation.h"

#include <tesseract/baseapi.h>

namespace tarn {

namespace {

constexpr std::string_view kDomain = "TarnVisionServices";
// Phase correlation works on at most this many pixels a side, so its time stays bounded.
constexpr int kMaxCorrelationSide = 256;

struct LanguageName {
    std::string_view code;
    std::string_view tesseract;
};
constexpr std::array<LanguageName, 37> kLanguageNames {{
    {"ar", "ara"},
    {"az", "aze"},
    {"bg", "bul"},
    {"ca", "cat"},
    {"cs", "ces"},
    {"da", "dan"},
    {"de", "deu"},
    {"el", "ell"},
    {"en", "eng"},
    {"es", "spa"},
    {"fa", "fas"},
    {"fi", "fin"},
    {"fr", "fra"},
    {"he", "heb"},
    {"hi", "hin"},
    {"hr", "hrv"},
    {"hu", "hun"},
    {"id", "ind"},
    {"it", "ita"},
    {"ja", "jpn"},
    {"ko", "kor"},
    {"ms", "msa"},
    {"nb", "nor"},
    {"nl", "nld"},
    {"pl", "pol"},
    {"pt", "por"},
    {"ro", "ron"},
    {"ru", "rus"},
    {"sk", "slk"},
    {"sr", "srp"},
    {"sv", "swe"},
    {"th", "tha"},
    {"tr", "tur"},
    {"uk", "ukr"},
    {"vi", "vie"},
    {"zh-Hans", "chi_sim"},
    {"zh-Hant", "chi_tra"},
}};

std::string_view tesseractName(std::string_view identifier)
{
    for (const auto& name : kLanguageNames) {
        if (identifier == name.code || identifier.starts_with(std::string(name.code) + "-")) {
            return name.tesseract;
        }
    }
    return {};
}

// The picture's luminance, averaged over square blocks of `step` pixels.
GrayPlane grayPlane(const TarnImage& image, int step)
{
    GrayPlane plane {image.width / step, image.height / step, {}};
    plane.values.assign(static_cast<std::size_t>(plane.width) * plane.height, 0.0);
    for (int y = 0; y < plane.height * step; ++y) {
        for (int x = 0; x < plane.width * step; ++x) {
            plane.values[static_cast<std::size_t>(y / step) * plane.width + x / step] += image.luminance(x, y);
        }
    }
    for (double& value : plane.values) {
        value /= step * step;
    }
    return plane;
}

struct TesseractDeleter {
    void operator()(tesseract::TessBaseAPI* api) const
    {
        api->End();
        delete api;
    }
};

TarnVisionError recognitionError(std::string description)
{
    return TarnVisionError {std::string(kDomain), 2, std::move(description)};
}

} // namespace

std::string TarnVisionServices::tesseractLanguages(const std::vector<std::string>& languages)
{
    std::string joined;
    for (const auto& identifier : languages) {
        const auto name = tesseractName(identifier);
        if (!name.empty() && joined.find(name) == std::string::npos) {
            joined += (joined.empty() ? "" : "+") + std::string(name);
        }
    }
    return joined.empty() ? "eng" : joined;
}

Result<TarnOCRResult, TarnVisionError> TarnVisionServices::tesseractAttempt(
    const TarnImage& image, const std::vector<std::string>& languages, TarnRecognitionLevel level, bool)
{
    if (!image.isValid()) {
        return fail(recognitionError("The image has no pixels."));
    }
    std::unique_ptr<tesseract::TessBaseAPI, TesseractDeleter> api(new tesseract::TessBaseAPI());
    const auto engine = level == TarnRecognitionLevel::accurate ? tesseract::OEM_LSTM_ONLY : tesseract::OEM_DEFAULT;
    const auto names = tesseractLanguages(languages);
    if (api->Init(nullptr, names.c_str(), engine) != 0) {
        return fail(recognitionError("Text recognition for \"" + names + "\" is not installed."));
    }
    std::vector<std::uint8_t> gray(static_cast<std::size_t>(image.width) * image.height);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            gray[static_cast<std::size_t>(y) * image.width + x]
                = static_cast<std::uint8_t>(std::lround(image.luminance(x, y) * 255));
        }
    }
    api->SetImage(gray.data(), image.width, image.height, 1, image.width);
    api->SetSourceResolution(300);
    if (api->Recognize(nullptr) != 0) {
        return fail(recognitionError("Text recognition failed."));
    }
    TarnOCRResult result;
    std::unique_ptr<tesseract::ResultIterator> lines(api->GetIterator());
    if (!lines) {
        return result;
    }
    do {
        std::unique_ptr<char[]> text(lines->GetUTF8Text(tesseract::RIL_TEXTLINE));
        const auto trimmed = text ? UnicodeText::trimmed(text.get()) : std::string();
        int left = 0, top = 0, right = 0, bottom = 0;
        if (trimmed.empty() || !lines->BoundingBox(tesseract::RIL_TEXTLINE, &left, &top, &right, &bottom)) {
            continue;
        }
        const double width = image.width;
        const double height = image.height;
        result.lines.push_back(TarnOCRLine {trimmed,
            {left / width, 1.0 - bottom / height, (right - left) / width, (bottom - top) / height},
            std::clamp(lines->Confidence(tesseract::RIL_TEXTLINE) / 100.0F, 0.0F, 1.0F)});
    } while (lines->Next(tesseract::RIL_TEXTLINE));
    return result;
}

Result<TarnOCRResult, TarnVisionError> TarnVisionServices::recognizeText(
    const TarnImage& image, const std::vector<std::string>& languages, bool accurate, const RecognitionAttempt& attempt)
{
    const auto level = accurate ? TarnRecognitionLevel::accurate : TarnRecognitionLevel::fast;
    if (auto result = attempt(image, languages, level, false)) {
        return result;
    }
    if (auto result = attempt(image, languages, level, true)) {
        return result;
    }
    return attempt(image, languages, TarnRecognitionLevel::fast, true);
}

Result<TarnFeaturePrint, TarnVisionError> TarnVisionServices::featurePrint(const TarnImage& image)
{
    constexpr int grid = TarnFeaturePrint::kGrid;
    if (!image.isValid()) {
        return fail(TarnVisionError {std::string(kDomain), 1, "Could not compute image feature print."});
    }
    // Each cell averages its share of the picture, at least one pixel, so tiny pictures work too.
    auto span = [](int cell, int size) {
        const int first = cell * size / grid;
        return std::pair {first, std::max(first + 1, (cell + 1) * size / grid)};
    };
    TarnFeaturePrint print;
    double mean = 0;
    for (int gy = 0; gy < grid; ++gy) {
        const auto [top, bottom] = span(gy, image.height);
        for (int gx = 0; gx < grid; ++gx) {
            const auto [left, right] = span(gx, image.width);
            double sum = 0;
            for (int y = top; y < bottom; ++y) {
                for (int x = left; x < right; ++x) {
                    sum += image.luminance(x, y);
                }
            }
            const double average = sum / ((bottom - top) * (right - left));
            print.values[static_cast<std::size_t>(gy * grid + gx)] = static_cast<float>(average);
            mean += average;
        }
    }
    mean /= grid * grid;
    double length = 0;
    for (float& value : print.values) {
        value = static_cast<float>(value - mean);
        length += static_cast<double>(value) * value;
    }
    if (length > 1e-12) {
        for (float& value : print.values) {
            value = static_cast<float>(value / std::sqrt(length));
        }
    }
    return print;
}

Result<TarnImageOffset, TarnVisionError> TarnVisionServices::translationalOffset(
    const TarnImage& from, const TarnImage& to)
{
    if (!from.isValid() || !to.isValid()) {
        return TarnImageOffset {};
    }
    const int largest = std::max({from.width, from.height, to.width, to.height});
    const int step = (largest + kMaxCorrelationSide - 1) / kMaxCorrelationSide;
    const auto shift = PhaseCorrelation::shift(grayPlane(from, step), grayPlane(to, step));
    return TarnImageOffset {static_cast<double>(shift.dx * step), static_cast<double>(-shift.dy * step)};
}

} // namespace tarn
