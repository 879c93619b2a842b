#pragma once

#include "entity/EntityDefinitions.h"
#include "texture/TextureFileSearch.h"

#include <memory>
#include <string>
#include <vector>

class CWorldKeys;

// The world key in which a map keeps its entity definition files, entries
// separated by ';' as in "wad". Compilers and the game pass over keys
// beginning with '_'.
inline constexpr const char* kDefinitionsKey = "_tolve_defs";
// Another editor's: "external:PATH" names a file, "builtin:NAME" one of its own.
inline constexpr const char* kOtherEditorDefinitionKey = "_tb_def";

// The definition files a map names, as written: its own key, else a file
// another editor's key names. None: the built-in classes.
std::vector<std::string> GetDefinitionEntries(const CWorldKeys& world);
// The value of the map's own key; empty when it has none.
std::string GetDefinitionsValue(const CWorldKeys& world);
// Sets the map's own key, or removes it for an empty value. Another
// editor's key stays as it is.
void SetDefinitionsValue(CWorldKeys& world, const std::string& value);

// The class names the entity dialogs offer: those of the definitions, when
// the map names some (the world's own class left out), else the built-in ones.
std::vector<std::string> OfferedClassNames(const CEntityDefinitions* definitions,
                                           EntityClassKind kind,
                                           const std::vector<std::string>& builtIn);

// How far the size box of any point class reaches from its origin along an
// axis, in units; 0 without definitions.
int32_t LargestPointClassReach(const CEntityDefinitions* definitions);

// Rewrites the entries of the map's own key that a move of the map from
// `oldFolder` to `newFolder` would lose (relative ones found in the old
// folder), as the texture list's are; the rest stay byte for byte.
void MoveDefinitionEntries(CWorldKeys& world, const std::string& oldFolder,
                           const std::string& newFolder);

// How an entry of the list led to its file, or why it did not.
std::string DescribeDefinitionEntry(const std::string& entry, const TextureSearchPaths& paths);

// The entity definitions of one map, read from the files its world keys name
// (looked for as its texture files are: as written, then by file name in the
// map's folder and in the definition folders) and read again only when the
// keys, the map's folder or the folders change.
class CMapDefinitions {
public:
    void SetFolders(const std::vector<std::string>& folders);
    // Null when the map names no file: the editor's built-in classes serve.
    const CEntityDefinitions* Get(const CWorldKeys& world, const std::string& mapFolder) const;
    // What went wrong in the last reading: entries not found, files that
    // could not be read, definitions that could not be used. One line each,
    // the first few thousand of them.
    const std::vector<std::string>& GetProblems() const { return m_problems; }
    // How many there were, those not listed included.
    size_t GetProblemCount() const { return m_problems.size() + m_unlistedProblems; }

private:
    void Read(const std::vector<std::string>& entries, const TextureSearchPaths& paths) const;

    std::vector<std::string> m_folders;
    mutable bool m_read = false;
    mutable std::vector<std::string> m_readEntries;
    mutable TextureSearchPaths m_readPaths;
    mutable std::unique_ptr<CEntityDefinitions> m_definitions;
    mutable std::vector<std::string> m_problems;
    mutable size_t m_unlistedProblems = 0;
};
