#include "entity/EntityDefinitions.h"

#include "entity/FgdReader.h"
#include "entity/QuakedReader.h"
#include "framework/RegularFile.h"

#include <algorithm>

namespace {

bool HasFgdExtension(const std::string& path) {
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos || path.find('/', dot) != std::string::npos)
        return false;
    std::string extension = path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    return extension == "fgd";
}

// A later declaration of a key replaces the earlier one where it stood.
void MergeKeys(std::vector<KeyDefinition>& keys, const std::vector<KeyDefinition>& later) {
    for (const KeyDefinition& key : later) {
        auto same = std::find_if(keys.begin(), keys.end(), [&](const KeyDefinition& other) {
            return other.name == key.name;
        });
        if (same != keys.end())
            *same = key;
        else
            keys.push_back(key);
    }
}

void MergeFlags(std::vector<FlagDefinition>& flags, const std::vector<FlagDefinition>& later) {
    for (const FlagDefinition& flag : later) {
        auto same = std::find_if(flags.begin(), flags.end(), [&](const FlagDefinition& other) {
            return other.bit == flag.bit;
        });
        if (same != flags.end())
            *same = flag;
        else
            flags.push_back(flag);
    }
    std::stable_sort(
        flags.begin(), flags.end(),
        [](const FlagDefinition& a, const FlagDefinition& b) { return a.bit < b.bit; });
}

// The class with its bases folded in, in the order listed: their keys and
// flags first, the class's own over them. A class without a size or colour of
// its own takes those of the first base that has one, the way a reader of the
// file looks for them from left to right.
EntityClassDefinition FoldBases(EntityClassDefinition own,
                                const std::vector<const EntityClassDefinition*>& bases) {
    if (bases.empty())
        return own;
    std::vector<KeyDefinition> ownKeys = std::move(own.keys);
    std::vector<FlagDefinition> ownFlags = std::move(own.flags);
    own.keys.clear();
    own.flags.clear();
    for (const EntityClassDefinition* base : bases) {
        MergeKeys(own.keys, base->keys);
        MergeFlags(own.flags, base->flags);
        if (!own.size)
            own.size = base->size;
        if (!own.colour)
            own.colour = base->colour;
    }
    MergeKeys(own.keys, ownKeys);
    MergeFlags(own.flags, ownFlags);
    return own;
}

} // namespace

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

// A base may be a @BaseClass or, as some files do, a class placed in maps.
const EntityClassDefinition* CEntityDefinitions::FindBase(std::string_view name) const {
    auto base = m_bases.find(name);
    if (base != m_bases.end())
        return &base->second;
    return Find(name);
}

void CEntityDefinitions::ReadFgd(std::string_view text, const std::string& file) {
    for (FgdClass& read : ReadFgdClasses(text, file, m_problems)) {
        std::vector<const EntityClassDefinition*> bases;
        for (const std::string& name : read.bases) {
            if (const EntityClassDefinition* base = FindBase(name))
                bases.push_back(base);
            else
                m_problems.Add({file, read.definition.line,
                                "\"" + read.definition.name + "\" names the base class \"" + name +
                                    "\", which is not defined before it"});
        }
        EntityClassDefinition folded = FoldBases(std::move(read.definition), bases);
        if (folded.kind == EntityClassKind::kBrush)
            folded.size.reset();
        if (read.isBase)
            m_bases.insert_or_assign(folded.name, std::move(folded));
        else
            AddClass(std::move(folded));
    }
}

void CEntityDefinitions::ReadQuaked(std::string_view text, const std::string& file) {
    for (EntityClassDefinition& definition : ReadQuakedClasses(text, file, m_problems))
        AddClass(std::move(definition));
}

bool CEntityDefinitions::ReadFile(const std::string& path) {
    std::string text;
    std::string reason;
    if (!ReadRegularFile(path, text, reason, kMaxDefinitionFileBytes)) {
        m_problems.Add({path, 0, "Couldn't read \"" + path + "\": " + reason + "."});
        return false;
    }
    if (HasFgdExtension(path))
        ReadFgd(text, path);
    else
        ReadQuaked(text, path);
    return true;
}

void CEntityDefinitions::AddClass(EntityClassDefinition definition) {
    auto known = m_byName.find(definition.name);
    if (known != m_byName.end()) {
        m_classes[known->second] = std::move(definition);
        return;
    }
    m_byName.emplace(definition.name, m_classes.size());
    m_classes.push_back(std::move(definition));
}

const EntityClassDefinition* CEntityDefinitions::Find(std::string_view name) const {
    auto known = m_byName.find(name);
    return known == m_byName.end() ? nullptr : &m_classes[known->second];
}

std::vector<std::string> CEntityDefinitions::GetClassNames(EntityClassKind kind) const {
    std::vector<std::string> names;
    for (const EntityClassDefinition& definition : m_classes) {
        if (definition.kind == kind)
            names.push_back(definition.name);
    }
    return names;
}
