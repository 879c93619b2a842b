#pragma once

#include "entity/CClassInheritance.h"
#include "entity/CDefinitionProblems.h"
#include "entity/EntityClassDefinition.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct FgdClass;

// The definition files of the largest mods are a few hundred kilobytes; a file
// larger than this is none.
inline constexpr uint64_t kMaxDefinitionFileBytes = uint64_t{64} << 20;

// The classes of one or more definition files, in file order. A class defined
// again (in a later file, or later in one) replaces the earlier one in place.
class CEntityDefinitions {
public:
    // `file` names the text in problems and in the classes read from it.
    void ReadFgd(std::string_view text, const std::string& file);
    void ReadQuaked(std::string_view text, const std::string& file);
    // Reads a file by its extension: ".fgd" as FGD, anything else (".def",
    // ".qc") for QUAKED comments. False, with a problem naming the file and
    // the system's reason, when it cannot be read.
    bool ReadFile(const std::string& path);

    const std::vector<EntityClassDefinition>& GetClasses() const { return m_classes; }
    const EntityClassDefinition* Find(std::string_view name) const;
    // The names of the classes of one kind, in file order.
    std::vector<std::string> GetClassNames(EntityClassKind kind) const;
    // The first CDefinitionProblems::kMaxListed problems of all files read.
    const std::vector<DefinitionProblem>& GetProblems() const { return m_problems.GetListed(); }
    // How many there were, those not listed included.
    size_t GetProblemCount() const { return m_problems.GetCount(); }
    bool IsEmpty() const { return m_classes.empty(); }

private:
    // `entry`: the class as declared, if it is an FGD class.
    void AddClass(EntityClassDefinition definition, std::optional<size_t> entry = std::nullopt);
    std::optional<size_t> FindBase(std::string_view name);
    std::vector<size_t> FindBases(const FgdClass& read, const std::string& file);

    std::vector<EntityClassDefinition> m_classes;
    // Of each class, its number in m_inheritance: an FGD class has one from
    // the start, a QUAKED class once an FGD class names it as a base.
    std::vector<std::optional<size_t>> m_classEntries;
    std::map<std::string, size_t, std::less<>> m_byName;
    // FGD base classes, by name, and their numbers there; kept across files,
    // so one file's classes may build on another's.
    CClassInheritance m_inheritance;
    std::map<std::string, size_t, std::less<>> m_bases;
    CDefinitionProblems m_problems;
};
