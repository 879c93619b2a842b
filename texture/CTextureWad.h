#pragma once

#include <string>

inline constexpr const char* kDefaultTextureWad = "quake101.wad";

// The texture catalogue of one map: the WAD2 file it names and what it holds.
class CTextureWad {
public:
    const std::string& GetFileName() const { return m_fileName; }
    void SetFileName(std::string fileName) { m_fileName = std::move(fileName); }

private:
    std::string m_fileName = kDefaultTextureWad;
};
