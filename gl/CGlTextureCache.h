#pragma once

#include <QOpenGLFunctions_3_3_Core>

#include <chrono>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class CTextureWad;
class TexturePalette;

// The map's textures on the graphics card, by name. A name is drawn with the
// checker until its picture has been uploaded; pictures are read from the WAD
// files a few at a time, so that the first frames come at once and never
// black. A texture no file holds keeps the checker for good.
class CGlTextureCache {
public:
    struct Texture {
        GLuint id = 0;
        int width = 0;
        int height = 0;
    };
    static constexpr int kCheckerSize = 64;

    void Initialize(QOpenGLFunctions_3_3_Core& gl);
    void Release();

    // The texture to draw `name` with now; asks for it to be loaded.
    const Texture& Find(std::string_view name);
    // Uploads wanted textures until `budget` is spent; true when some remain.
    // A new texture list (another "wad" value) starts again from nothing.
    bool LoadWanted(CTextureWad& wad, const TexturePalette& palette,
                    std::chrono::steady_clock::duration budget);
    size_t GetLoadedCount() const { return m_loadedCount; }

private:
    Texture Upload(int width, int height, const std::vector<unsigned char>& rgba);
    void DropTextures();

    QOpenGLFunctions_3_3_Core* m_gl = nullptr;
    Texture m_checker;
    std::unordered_map<std::string, Texture> m_textures; // id 0: not loaded yet, or missing
    std::vector<std::string> m_wanted;
    std::string m_wadList; // the list the textures were loaded from
    size_t m_loadedCount = 0;
};
