#include "TarnKit/Localization/TarnLocalizationStore.h"

#include <algorithm>

#include "TarnKit/Foundation/Files/ProgramResources.h"
#include "TarnKit/Foundation/Files/WholeFile.h"
#include "TarnKit/Foundation/Files/XdgPaths.h"
#include "TarnKit/Foundation/Identity/BuildInfoConfig.h"
#include "TarnKit/Foundation/Lzfse/LzfseDecoder.h"
#include "TarnKit/Foundation/Text/UnicodeText.h"

namespace tarn {
namespace {

namespace fs = std::filesystem;

// Language packs are a few hundred kilobytes at most; anything far larger is not one, and
// reading it whole would only cost memory.
constexpr std::uintmax_t kMaximumPackFileSize = 32u << 20;

bool isCompressed(const fs::path& path)
{
    return UnicodeText::lowercased(path.extension().string()) == ".lzfse";
}

fs::path normalizedFolder(const fs::path& folder)
{
    fs::path normal = folder.lexically_normal();
    if (!normal.has_filename() && normal.has_relative_path()) {
        normal = normal.parent_path();
    }
    return normal;
}

void copyNonEmpty(const std::map<std::string, std::string>& from, std::map<std::string, std::string>& into)
{
    for (const auto& [key, value] : from) {
        if (!value.empty()) {
            into.insert_or_assign(key, value);
        }
    }
}

// Merges one pack file into the maps; false when the file is missing or does not load.
bool mergePackFile(const TarnLocalizationStore::FileReader& readFile, const fs::path& path,
    std::map<std::string, std::string>& strings, std::map<std::string, std::string>& templates)
{
    auto bytes = readFile(path);
    if (!bytes) {
        return false;
    }
    if (isCompressed(path)) {
        bytes = LzfseDecoder::decompress(*bytes);
        if (!bytes) {
            return false;
        }
    }
    // A pack counts as a pack only when it carries texts; otherwise the same object may be a
    // flat map whose keys ("code", "nativeName", ...) are themselves the texts.
    if (auto pack = TarnLocalizationPack::decode(*bytes);
        pack && (!pack->strings.empty() || !pack->templates.empty())) {
        copyNonEmpty(pack->strings, strings);
        copyNonEmpty(pack->templates, templates);
        return true;
    }
    if (auto flat = decodeFlatStringMap(*bytes)) {
        copyNonEmpty(*flat, strings);
        return true;
    }
    return false;
}

} // namespace

std::optional<std::string> TarnLocalizationStore::readPackFile(const fs::path& path)
{
    auto bytes = WholeFile::read(path, kMaximumPackFileSize);
    if (!bytes) {
        return std::nullopt;
    }
    return std::move(bytes).value();
}

TarnLocalizationStore::StandardFolders TarnLocalizationStore::StandardFolders::fromEnvironment()
{
    StandardFolders folders;
    folders.custom = customLanguagePacksDirectory();
    folders.bundle = ProgramResources::path("Localizations");
    folders.shared = sharedSuiteLocalizationsDirectory();
    // The source tree's own packs, searched last; on a user's machine this folder does not exist.
    folders.development = fs::path(TARN_BUILD_RESOURCES_DIR) / "Localizations";
    return folders;
}

TarnLocalizationStore::TarnLocalizationStore(
    std::vector<fs::path> searchDirectories, StandardFolders standardFolders, FileReader fileReader)
    : m_standardFolders(std::move(standardFolders))
    , m_fileReader(fileReader ? std::move(fileReader) : FileReader(readPackFile))
{
    for (auto& folder : searchDirectories) {
        const auto normal = normalizedFolder(folder);
        if (std::find(m_extraSearchDirectories.begin(), m_extraSearchDirectories.end(), normal)
            == m_extraSearchDirectories.end()) {
            m_extraSearchDirectories.push_back(normal);
        }
    }
}

TarnLocalizationStore& TarnLocalizationStore::shared()
{
    static TarnLocalizationStore store;
    return store;
}

fs::path TarnLocalizationStore::sharedSuiteLocalizationsDirectory()
{
    return XdgPaths::fromEnvironment().harrowfenData() / "Localizations";
}

fs::path TarnLocalizationStore::customLanguagePacksDirectory()
{
    return sharedSuiteLocalizationsDirectory() / "Custom";
}

std::string TarnLocalizationStore::resolve(
    std::optional<std::string_view> key, std::string_view en, std::string_view tr, TarnLanguage language) const
{
    if (m_hasOverrides.load(std::memory_order_acquire)) {
        if (auto overridden = lookupOverride(key, en)) {
            return std::move(*overridden);
        }
    }
    if (language == TarnLanguage::en) {
        return std::string(en);
    }
    if (language == TarnLanguage::tr) {
        return std::string(tr.empty() ? en : tr);
    }
    if (auto translated = catalog(language)->lookup(key, en)) {
        return std::move(*translated);
    }
    if (const auto parent = fallbackParent(language)) {
        if (auto translated = catalog(*parent)->lookup(key, en)) {
            return std::move(*translated);
        }
    }
    return std::string(en);
}

std::string TarnLocalizationStore::string(
    std::string_view key, std::string_view en, std::string_view tr, TarnLanguage language) const
{
    return resolve(key, en, tr, language);
}

std::optional<std::string> TarnLocalizationStore::lookupOverride(
    std::optional<std::string_view> key, std::string_view en) const
{
    std::lock_guard lock(m_lock);
    const auto nonEmpty = [&](std::string_view lookupKey) -> std::optional<std::string> {
        const auto found = m_customOverrides.find(lookupKey);
        if (found == m_customOverrides.end() || found->second.empty()) {
            return std::nullopt;
        }
        return found->second;
    };
    if (key) {
        if (auto overridden = nonEmpty(*key)) {
            return overridden;
        }
    }
    return nonEmpty(en);
}

void TarnLocalizationStore::preloadIfNeeded(TarnLanguage language) const
{
    if (language == TarnLanguage::en || language == TarnLanguage::tr) {
        return;
    }
    (void)catalog(language);
    if (const auto parent = fallbackParent(language)) {
        (void)catalog(*parent);
    }
}

TarnLocalizationStore::Catalog TarnLocalizationStore::catalog(TarnLanguage language) const
{
    const std::string_view code = rawValue(language);
    std::uint64_t generation = 0;
    {
        std::lock_guard lock(m_lock);
        if (const auto found = m_loadedCatalogs.find(code); found != m_loadedCatalogs.end()) {
            return found->second;
        }
        generation = m_cacheGeneration;
    }
    // Read and compile without the lock; another thread missing the same language loads it too,
    // and both results are equal.
    auto loaded = std::make_shared<const LoadedLanguageCatalog>(loadCatalogFromDisk(code, candidateFolders()));
    {
        std::lock_guard lock(m_lock);
        // A cache emptied while we read (a folder registered, a reload) means these files may be
        // stale: answer this one call with them, but do not keep them.
        if (m_cacheGeneration == generation) {
            m_loadedCatalogs.insert_or_assign(std::string(code), loaded);
        }
    }
    return loaded;
}

std::vector<fs::path> TarnLocalizationStore::candidateFolders() const
{
    std::vector<fs::path> folders;
    {
        std::lock_guard lock(m_lock);
        folders = m_extraSearchDirectories;
    }
    for (const auto* standard : {&m_standardFolders.custom, &m_standardFolders.bundle, &m_standardFolders.shared,
             &m_standardFolders.development}) {
        if (standard->has_value()) {
            folders.push_back(normalizedFolder(**standard));
        }
    }
    std::vector<fs::path> unique;
    for (auto& folder : folders) {
        if (std::find(unique.begin(), unique.end(), folder) == unique.end()) {
            unique.push_back(std::move(folder));
        }
    }
    return unique;
}

LoadedLanguageCatalog TarnLocalizationStore::loadCatalogFromDisk(
    std::string_view code, const std::vector<fs::path>& folders) const
{
    std::map<std::string, std::string> strings;
    std::map<std::string, std::string> templates;
    const std::string compressedName = std::string(code) + ".json.lzfse";
    const std::string plainName = std::string(code) + ".json";
    // Lowest priority first, so that a higher folder overwrites the keys it shares with a lower one.
    for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder) {
        if (!mergePackFile(m_fileReader, *folder / compressedName, strings, templates)) {
            (void)mergePackFile(m_fileReader, *folder / plainName, strings, templates);
        }
    }
    if (strings.empty() && templates.empty()) {
        return LoadedLanguageCatalog::empty();
    }
    return LoadedLanguageCatalog::build(std::move(strings), templates);
}

void TarnLocalizationStore::registerSearchDirectory(const fs::path& folder)
{
    const auto normal = normalizedFolder(folder);
    std::lock_guard lock(m_lock);
    if (std::find(m_extraSearchDirectories.begin(), m_extraSearchDirectories.end(), normal)
        == m_extraSearchDirectories.end()) {
        m_extraSearchDirectories.insert(m_extraSearchDirectories.begin(), normal);
    }
    m_loadedCatalogs.clear();
    ++m_cacheGeneration;
}

Status<TarnLocalizationError> TarnLocalizationStore::loadJSONPack(const fs::path& file)
{
    auto bytes = m_fileReader(file);
    if (!bytes) {
        return fail(TarnLocalizationError {
            TarnLocalizationError::Kind::readFailed, "The language pack " + file.string() + " cannot be read."});
    }
    if (isCompressed(file)) {
        bytes = LzfseDecoder::decompress(*bytes);
        if (!bytes) {
            return fail(TarnLocalizationError {TarnLocalizationError::Kind::decompressionFailed,
                "The language pack " + file.string() + " cannot be decompressed."});
        }
    }
    std::map<std::string, std::string> overrides;
    if (auto flat = decodeFlatStringMap(*bytes)) {
        overrides = std::move(flat.value());
    } else {
        auto pack = TarnLocalizationPack::decode(*bytes);
        if (!pack) {
            return fail(pack.error());
        }
        // A flat map with one value that is not a text also decodes as a pack, one that holds
        // nothing: taking it would wipe every override for a typo. The flat map's error says
        // which value is wrong.
        if (pack->strings.empty() && pack->templates.empty()) {
            return fail(flat.error());
        }
        overrides = std::move(pack.value().strings);
    }
    StringKeyedMap<std::string> replacement(
        std::make_move_iterator(overrides.begin()), std::make_move_iterator(overrides.end()));
    {
        std::lock_guard lock(m_lock);
        m_customOverrides = std::move(replacement);
        m_hasOverrides.store(!m_customOverrides.empty(), std::memory_order_release);
    }
    return Ok {};
}

void TarnLocalizationStore::clearCustomPack()
{
    std::lock_guard lock(m_lock);
    m_customOverrides.clear();
    m_hasOverrides.store(false, std::memory_order_release);
}

void TarnLocalizationStore::reloadCatalogs()
{
    std::lock_guard lock(m_lock);
    m_loadedCatalogs.clear();
    ++m_cacheGeneration;
}

} // namespace tarn
