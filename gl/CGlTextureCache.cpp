#include "gl/CGlTextureCache.h"

#include "texture/CTextureWad.h"
#include "texture/TexturePalette.h"

#include <algorithm>
#include <cctype>

namespace {

std::string Lowered(std::string_view name) {
    std::string key(name);
    std::transform(key.begin(), key.end(), key.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return key;
}

std::vector<unsigned char> MakeChecker(int size) {
    std::vector<unsigned char> rgba(static_cast<size_t>(size * size * 4));
    const int square = size / 4;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const bool dark = ((x / square) + (y / square)) % 2 == 0;
            unsigned char* p = &rgba[static_cast<size_t>((y * size + x) * 4)];
            p[0] = dark ? 40 : 200;
            p[1] = dark ? 40 : 0;
            p[2] = dark ? 40 : 200;
            p[3] = 255;
        }
    }
    return rgba;
}

} // namespace

void CGlTextureCache::Initialize(QOpenGLFunctions_3_3_Core& gl) {
    m_gl = &gl;
    m_checker = Upload(kCheckerSize, kCheckerSize, MakeChecker(kCheckerSize));
}

void CGlTextureCache::Release() {
    DropTextures();
    if (m_gl && m_checker.id)
        m_gl->glDeleteTextures(1, &m_checker.id);
    m_checker = {};
}

void CGlTextureCache::DropTextures() {
    for (auto& [name, texture] : m_textures) {
        if (texture.id)
            m_gl->glDeleteTextures(1, &texture.id);
    }
    m_textures.clear();
    m_wanted.clear();
    m_loadedCount = 0;
}

const CGlTextureCache::Texture& CGlTextureCache::Find(std::string_view name) {
    std::string key = Lowered(name);
    auto found = m_textures.find(key);
    if (found == m_textures.end()) {
        m_wanted.push_back(key);
        found = m_textures.emplace(std::move(key), Texture{}).first;
    }
    return found->second.id ? found->second : m_checker;
}

bool CGlTextureCache::LoadWanted(CTextureWad& wad, const TexturePalette& palette,
                                 std::chrono::steady_clock::duration budget) {
    if (wad.GetFileName() != m_wadList) {
        // Another list: every name drawn so far is looked for again in it.
        std::vector<std::string> names;
        for (const auto& [name, texture] : m_textures)
            names.push_back(name);
        DropTextures();
        m_wanted = std::move(names);
        for (const std::string& name : m_wanted)
            m_textures.emplace(name, Texture{});
        m_wadList = wad.GetFileName();
    }
    if (m_wanted.empty())
        return false;
    const auto start = std::chrono::steady_clock::now();
    wad.OpenTextureFiles();
    while (!m_wanted.empty() && std::chrono::steady_clock::now() - start < budget) {
        const std::string name = std::move(m_wanted.back());
        m_wanted.pop_back();
        // The catalogue lists names as the files spell them; faces may not.
        std::optional<IndexedPicture> picture = wad.ReadTexturePixels(name);
        if (!picture) {
            for (const std::string& listed : wad.GetTextureNames()) {
                if (Lowered(listed) == name) {
                    picture = wad.ReadTexturePixels(listed);
                    break;
                }
            }
        }
        if (!picture)
            continue;
        std::vector<unsigned char> rgba(picture->pixels.size() * 4);
        for (size_t i = 0; i < picture->pixels.size(); ++i) {
            const PaletteEntry& colour = palette[picture->pixels[i]];
            rgba[i * 4] = colour.red;
            rgba[i * 4 + 1] = colour.green;
            rgba[i * 4 + 2] = colour.blue;
            rgba[i * 4 + 3] = 255;
        }
        m_textures[name] = Upload(picture->width, picture->height, rgba);
        ++m_loadedCount;
    }
    wad.CloseTextureFiles();
    return !m_wanted.empty();
}

CGlTextureCache::Texture CGlTextureCache::Upload(int width, int height,
                                                 const std::vector<unsigned char>& rgba) {
    Texture texture{0, width, height};
    m_gl->glGenTextures(1, &texture.id);
    m_gl->glBindTexture(GL_TEXTURE_2D, texture.id);
    m_gl->glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    m_gl->glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                       rgba.data());
    m_gl->glGenerateMipmap(GL_TEXTURE_2D);
    m_gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    m_gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    return texture;
}
