#pragma once

// The shared state behind tarnText: custom overrides that win for every language, the loaded
// catalogs per language code, and folders registered at run time. Packs are read lazily, per
// language, from the candidate folders (highest priority first):
//   1. folders registered at run time, most recently registered first;
//   2. $XDG_DATA_HOME/Harrowfen/Localizations/Custom;
//   3. the program's installed Localizations folder;
//   4. $XDG_DATA_HOME/Harrowfen/Localizations;
//   5. the source tree's resources/Localizations (present only in a development checkout).
// In each folder <code>.json.lzfse is tried before <code>.json, and the first that loads hides
// the other. A key found in several folders takes the value of the highest-priority folder.
//
// Any thread may call the store. One lock guards the three maps; it is held only for map and list
// accesses, never while reading, decompressing or compiling. English and Turkish never touch it.

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "TarnKit/Foundation/Basics/Result.h"
#include "TarnKit/Localization/LoadedLanguageCatalog.h"
#include "TarnKit/Localization/TarnLanguage.h"
#include "TarnKit/Localization/TarnLocalizationPack.h"

namespace tarn {

class TarnLocalizationStore final {
public:
    // The fixed candidate folders after the registered ones; an absent folder is not searched.
    struct StandardFolders {
        std::optional<std::filesystem::path> custom;
        std::optional<std::filesystem::path> bundle;
        std::optional<std::filesystem::path> shared;
        std::optional<std::filesystem::path> development;

        // The folders of this user and this installation (see the list above).
        static StandardFolders fromEnvironment();
        // No standard folder at all: only registered folders are searched (tests).
        static StandardFolders none() { return {}; }
    };

    // Reads one pack file whole; absent when it is missing or unreadable. Tests may watch reads.
    using FileReader = std::function<std::optional<std::string>(const std::filesystem::path& file)>;
    static std::optional<std::string> readPackFile(const std::filesystem::path& file);

    explicit TarnLocalizationStore(std::vector<std::filesystem::path> searchDirectories = {},
        StandardFolders standardFolders = StandardFolders::fromEnvironment(), FileReader fileReader = readPackFile);
    TarnLocalizationStore(const TarnLocalizationStore&) = delete;
    TarnLocalizationStore& operator=(const TarnLocalizationStore&) = delete;

    // The process-wide store, created on first use with the standard folders and no extra ones.
    static TarnLocalizationStore& shared();

    // $XDG_DATA_HOME/Harrowfen/Localizations and its Custom subfolder.
    static std::filesystem::path sharedSuiteLocalizationsDirectory();
    static std::filesystem::path customLanguagePacksDirectory();

    // The text to show: a custom override for the key or the English text; else English as is,
    // Turkish when given, or the language's pack (then its parent's); English as the last resort.
    std::string resolve(
        std::optional<std::string_view> key, std::string_view en, std::string_view tr, TarnLanguage language) const;
    std::string string(std::string_view key, std::string_view en, std::string_view tr, TarnLanguage language) const;

    // Loads and caches the language's catalog now (and its parent's), so that the first redraw
    // after a language change does not read the disk. Nothing to do for English and Turkish.
    void preloadIfNeeded(TarnLanguage language) const;

    // Puts `folder` first among the registered folders (unless already registered) and empties the
    // cache in both cases.
    void registerSearchDirectory(const std::filesystem::path& folder);
    // Reads a custom pack (plain or .lzfse, a flat map or a pack's strings) and makes it the
    // overrides. A file that is neither a flat map of texts nor a pack holding texts is refused
    // with the reason (the flat map's, naming the value that is not a text); on any error the
    // previous overrides stay.
    Status<TarnLocalizationError> loadJSONPack(const std::filesystem::path& file);
    void clearCustomPack();
    // Empties the cache; packs are read again on next use.
    void reloadCatalogs();

    // The folders searched, highest priority first, without duplicates.
    std::vector<std::filesystem::path> candidateFolders() const;

private:
    using Catalog = std::shared_ptr<const LoadedLanguageCatalog>;

    std::optional<std::string> lookupOverride(std::optional<std::string_view> key, std::string_view en) const;
    Catalog catalog(TarnLanguage language) const;
    LoadedLanguageCatalog loadCatalogFromDisk(
        std::string_view code, const std::vector<std::filesystem::path>& folders) const;

    const StandardFolders m_standardFolders;
    const FileReader m_fileReader;

    mutable std::mutex m_lock;
    StringKeyedMap<std::string> m_customOverrides;
    mutable StringKeyedMap<Catalog> m_loadedCatalogs;
    std::vector<std::filesystem::path> m_extraSearchDirectories;
    // Counts the emptyings of the cache, so that a load that began before one does not store its
    // stale catalog afterwards.
    std::uint64_t m_cacheGeneration = 0;
    // Lets the English and Turkish paths skip the lock while there are no overrides.
    std::atomic<bool> m_hasOverrides {false};
};

} // namespace tarn
