#pragma once

#include <QImage>
#include <QObject>
#include <QTimer>

#include <chrono>
#include <string>
#include <vector>

class CTextureWad;

// The texture browser's pictures, made when a cell first asks for one: the
// wanted ones are read from the texture files a few at a time on the event
// loop, the last asked for first, so that scrolling never waits and the cells
// in sight come before those scrolled past.
class CTextureThumbnails : public QObject {
    Q_OBJECT

public:
    // The longer side of a thumbnail; a smaller texture is drawn at most this
    // big, at its own aspect.
    static constexpr int kSide = 96;

    explicit CTextureThumbnails(QObject* parent = nullptr);

    // Forgets every picture; the textures are now these names, by index.
    void Reset(CTextureWad* wad, std::vector<std::string> names);

    struct Thumbnail {
        QImage image;  // null until made, or for good when unreadable
        int width = 0; // of the texture, once read
        int height = 0;
        bool done = false;
    };
    // The picture of a texture as it stands; asks for it when not done yet.
    const Thumbnail& Find(int texture);
    // Makes wanted pictures until `budget` is spent; true when some remain.
    bool MakeWanted(std::chrono::steady_clock::duration budget);
    bool HasWanted() const { return !m_wanted.empty(); }

signals:
    // Pictures were made for these textures.
    void ThumbnailsMade(const std::vector<int>& textures);

private:
    void MakeSlice();
    void Make(int texture);

    CTextureWad* m_wad = nullptr;
    std::vector<std::string> m_names;
    std::vector<Thumbnail> m_thumbnails;
    std::vector<int> m_wanted; // the last asked for at the back
    std::vector<bool> m_isWanted;
    QTimer m_slices;
};
