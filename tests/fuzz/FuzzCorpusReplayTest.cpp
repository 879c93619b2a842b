#include "fuzz/FuzzTargets.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// Runs every file of one seed corpus through a fuzz target; the sanitizers of
// the test build catch what the fuzzer would.
int ReplayCorpus(const std::string& name, void (*target)(const uint8_t*, size_t)) {
    int files = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(TOLVE_FUZZ_CORPUS) / name)) {
        std::string bytes = ReadFileText(entry.path());
        SCOPED_TRACE(entry.path().string());
        target(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        ++files;
    }
    return files;
}

} // namespace

TEST(FuzzCorpusReplay, MapReaderSurvivesEverySeed) {
    CRecordingMessages messages;
    EXPECT_GT(ReplayCorpus("map", FuzzMapReader), 10);
}

TEST(FuzzCorpusReplay, WadLoaderSurvivesEverySeed) {
    EXPECT_GT(ReplayCorpus("wad", FuzzWadLoader), 10);
}

TEST(FuzzCorpusReplay, DefinitionReadersSurviveEverySeed) {
    EXPECT_GT(ReplayCorpus("definitions", FuzzDefinitionReaders), 5);
}
