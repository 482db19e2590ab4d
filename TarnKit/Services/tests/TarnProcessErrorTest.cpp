#include "TarnKit/Services/TarnProcessError.h"

#include <gtest/gtest.h>

namespace tarn {

TEST(TarnProcessError, DescribesEveryCaseInBothLanguages)
{
    struct Row {
        TarnProcessError error;
        std::string english;
        std::string turkish;
    };
    const std::vector<Row> rows {
        {TarnProcessError::binaryNotFound("ffmpeg"), "Required executable 'ffmpeg' was not found.",
            "Gerekli 'ffmpeg' aracı bulunamadı."},
        {TarnProcessError::nonZeroExit(2, " \n"), "Process exited with code 2.", "Process exited with code 2."},
        {TarnProcessError::nonZeroExit(1, "  disk full\n"), "disk full", "disk full"},
        {TarnProcessError::nonZeroExit(-5, ""), "Process exited with code -5.", "Process exited with code -5."},
        {TarnProcessError::cancelled(), "Operation cancelled.", "İşlem iptal edildi."},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.error.errorDescription(TarnLanguage::en), row.english);
        EXPECT_EQ(row.error.errorDescription(TarnLanguage::tr), row.turkish);
    }
}

} // namespace tarn
