#include "entity/EntityDefinitions.h"
#include "fuzz/FuzzTargets.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

namespace {

void Require(bool condition) {
    if (!condition)
        std::abort();
}

// What every reading promises whatever the text: problems and classes point
// at lines of it, flags are single bits in order, base classes stay out.
void CheckReading(const CEntityDefinitions& definitions, std::string_view text) {
    const int lines = 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    for (const DefinitionProblem& problem : definitions.GetProblems())
        Require(problem.line >= 1 && problem.line <= lines && !problem.message.empty());
    for (const EntityClassDefinition& definition : definitions.GetClasses()) {
        Require(definition.line >= 1 && definition.line <= lines);
        Require(definitions.Find(definition.name) == &definition);
        Require(definition.kind == EntityClassKind::kPoint || !definition.size);
        for (size_t i = 0; i < definition.flags.size(); ++i) {
            const uint32_t bit = definition.flags[i].bit;
            Require(bit != 0 && (bit & (bit - 1)) == 0);
            Require(i == 0 || definition.flags[i - 1].bit < bit);
        }
        for (const KeyDefinition& key : definition.keys)
            Require(definition.FindKey(key.name) == &key);
    }
}

} // namespace

// Reads the bytes as an FGD file and as QUAKED comments.
void FuzzDefinitionReaders(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CEntityDefinitions fgd;
    fgd.ReadFgd(text, "fuzz.fgd");
    CheckReading(fgd, text);
    CEntityDefinitions quaked;
    quaked.ReadQuaked(text, "fuzz.def");
    CheckReading(quaked, text);
}
