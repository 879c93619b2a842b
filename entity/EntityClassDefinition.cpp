#include "entity/EntityClassDefinition.h"

const KeyDefinition* EntityClassDefinition::FindKey(std::string_view key) const {
    for (const KeyDefinition& definition : keys) {
        if (definition.name == key)
            return &definition;
    }
    return nullptr;
}

const FlagDefinition* EntityClassDefinition::FindFlag(uint32_t bit) const {
    for (const FlagDefinition& flag : flags) {
        if (flag.bit == bit)
            return &flag;
    }
    return nullptr;
}
