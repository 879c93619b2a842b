#include "entity/EntityDefinitions.h"

#include "entity/FgdReader.h"
#include "entity/QuakedReader.h"
#include "framework/RegularFile.h"
#include "framework/Utf8Mark.h"

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

} // namespace

// A base may be a @BaseClass or, as some files do, a class placed in maps.
// A class of a QUAKED file is taken as it is when it is first named.
std::optional<size_t> CEntityDefinitions::FindBase(std::string_view name) {
    auto base = m_bases.find(name);
    if (base != m_bases.end())
        return base->second;
    auto placed = m_byName.find(name);
    if (placed == m_byName.end())
        return std::nullopt;
    std::optional<size_t>& entry = m_classEntries[placed->second];
    if (!entry)
        entry = m_inheritance.Add(m_classes[placed->second]);
    return entry;
}

std::vector<size_t> CEntityDefinitions::FindBases(const FgdClass& read, const std::string& file) {
    std::vector<size_t> bases;
    for (const std::string& name : read.bases) {
        if (std::optional<size_t> base = FindBase(name))
            bases.push_back(*base);
        else
            m_problems.Add({file, read.definition.line,
                            "\"" + read.definition.name + "\" names the base class \"" + name +
                                "\", which is not defined before it"});
    }
    return bases;
}

void CEntityDefinitions::ReadFgd(std::string_view text, const std::string& file) {
    for (FgdClass& read : ReadFgdClasses(SkipUtf8Mark(text), file, m_problems)) {
        std::vector<size_t> bases = FindBases(read, file);
        const std::string name = read.definition.name;
        const int line = read.definition.line;
        const bool placedBrush = !read.isBase && read.definition.kind == EntityClassKind::kBrush;
        const size_t entry =
            m_inheritance.Add(std::move(read.definition), std::move(bases), placedBrush);
        if (read.isBase) {
            m_bases.insert_or_assign(name, entry);
            continue;
        }
        bool complete = true;
        EntityClassDefinition folded = m_inheritance.Fold(entry, complete);
        if (folded.kind == EntityClassKind::kBrush)
            folded.size.reset();
        AddClass(std::move(folded), entry);
        if (!complete)
            m_problems.Add({file, line,
                            "\"" + name +
                                "\" inherits more than the definitions can hold; its bases are "
                                "left out"});
    }
}

void CEntityDefinitions::ReadQuaked(std::string_view text, const std::string& file) {
    for (EntityClassDefinition& definition :
         ReadQuakedClasses(SkipUtf8Mark(text), file, m_problems))
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

void CEntityDefinitions::AddClass(EntityClassDefinition definition, std::optional<size_t> entry) {
    auto known = m_byName.find(definition.name);
    if (known != m_byName.end()) {
        m_classes[known->second] = std::move(definition);
        m_classEntries[known->second] = entry;
        return;
    }
    m_byName.emplace(definition.name, m_classes.size());
    m_classes.push_back(std::move(definition));
    m_classEntries.push_back(entry);
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
