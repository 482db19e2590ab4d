#pragma once

// The kit's text recognition (Tesseract) and image comparison (our own feature print and phase
// correlation). Stateless and synchronous: callable from any thread, each call blocks.

#include <functional>
#include <string>
#include <vector>

#include "TarnKit/Foundation/Basics/Result.h"
#include "TarnKit/Vision/TarnFeaturePrint.h"
#include "TarnKit/Vision/TarnImage.h"
#include "TarnKit/Vision/TarnOCRResult.h"
#include "TarnKit/Vision/TarnVisionError.h"

namespace tarn {

enum class TarnRecognitionLevel { accurate, fast };

struct TarnImageOffset {
    double dx = 0;
    double dy = 0;
    bool operator==(const TarnImageOffset&) const = default;
};

class TarnVisionServices {
public:
    // One recognition attempt at a level, on the default device or the CPU only.
    using RecognitionAttempt = std::function<Result<TarnOCRResult, TarnVisionError>(
        const TarnImage&, const std::vector<std::string>& languages, TarnRecognitionLevel, bool cpuOnly)>;

    // Languages are BCP 47 identifiers in order of preference ("en-US", "tr"). Tries the chosen
    // level, then the chosen level on the CPU, then the fast level on the CPU; the last error
    // is the one returned. Tesseract always runs on the CPU, so on Linux the first two
    // attempts differ only when a test supplies its own attempt.
    static Result<TarnOCRResult, TarnVisionError> recognizeText(const TarnImage& image,
        const std::vector<std::string>& languages, bool accurate, const RecognitionAttempt& attempt = tesseractAttempt);

    static Result<TarnFeaturePrint, TarnVisionError> featurePrint(const TarnImage& image);

    // How far the content of `from` moved to reach `to`, in pixels: dx to the right, dy upward.
    static Result<TarnImageOffset, TarnVisionError> translationalOffset(const TarnImage& from, const TarnImage& to);

    static Result<TarnOCRResult, TarnVisionError> tesseractAttempt(
        const TarnImage& image, const std::vector<std::string>& languages, TarnRecognitionLevel level, bool cpuOnly);

    // "en-US" → "eng", "zh-Hant" → "chi_tra": Tesseract's names, joined with "+"; English when
    // none of the identifiers is known.
    static std::string tesseractLanguages(const std::vector<std::string>& languages);
};

} // namespace tarn
