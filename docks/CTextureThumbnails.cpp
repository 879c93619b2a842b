#include "docks/CTextureThumbnails.h"

#include "texture/CTextureWad.h"
#include "texture/TexturePalette.h"

#include <algorithm>

namespace {

// A slice short enough that typing and scrolling go on between two of them.
constexpr auto kSliceBudget = std::chrono::milliseconds(8);

QImage ScaleToThumbnail(const QImage& picture, int side) {
    const QSize fitted = picture.size().scaled(side, side, Qt::KeepAspectRatio);
    if (fitted == picture.size())
        return picture.copy(); // the picture only borrows its pixels
    // Texels stay sharp when enlarged, as the game shows them up close.
    const Qt::TransformationMode mode =
        fitted.width() > picture.width() ? Qt::FastTransformation : Qt::SmoothTransformation;
    return picture.scaled(fitted, Qt::IgnoreAspectRatio, mode);
}

} // namespace

CTextureThumbnails::CTextureThumbnails(QObject* parent) : QObject(parent) {
    m_slices.setInterval(0);
    m_slices.setSingleShot(true);
    connect(&m_slices, &QTimer::timeout, this, &CTextureThumbnails::MakeSlice);
}

void CTextureThumbnails::Reset(CTextureWad* wad, std::vector<std::string> names) {
    m_wad = wad;
    m_names = std::move(names);
    m_thumbnails.assign(m_names.size(), {});
    m_isWanted.assign(m_names.size(), false);
    m_wanted.clear();
}

const CTextureThumbnails::Thumbnail& CTextureThumbnails::Find(int texture) {
    const size_t index = static_cast<size_t>(texture);
    if (!m_thumbnails.at(index).done) {
        // Asked again: it is in sight now, so it goes to the front.
        if (m_isWanted[index])
            m_wanted.erase(std::find(m_wanted.begin(), m_wanted.end(), texture));
        m_wanted.push_back(texture);
        m_isWanted[index] = true;
        m_slices.start();
    }
    return m_thumbnails[index];
}

void CTextureThumbnails::MakeSlice() {
    if (MakeWanted(kSliceBudget))
        m_slices.start();
}

bool CTextureThumbnails::MakeWanted(std::chrono::steady_clock::duration budget) {
    if (m_wanted.empty() || !m_wad)
        return false;
    const auto start = std::chrono::steady_clock::now();
    // Another reader (the brush & face dialog) may hold the files open; they
    // are left as they were found.
    CTextureWad& wad = *m_wad;
    const bool wereOpen = !wad.GetFiles().empty() && wad.GetFiles().front().IsOpen();
    if (!wereOpen)
        wad.OpenTextureFiles();
    std::vector<int> made;
    while (!m_wanted.empty() && std::chrono::steady_clock::now() - start < budget) {
        const int texture = m_wanted.back();
        m_wanted.pop_back();
        m_isWanted[static_cast<size_t>(texture)] = false;
        Make(texture);
        made.push_back(texture);
    }
    if (!wereOpen)
        wad.CloseTextureFiles();
    emit ThumbnailsMade(made);
    return !m_wanted.empty();
}

void CTextureThumbnails::Make(int texture) {
    Thumbnail& thumbnail = m_thumbnails[static_cast<size_t>(texture)];
    thumbnail.done = true;
    const std::optional<IndexedPicture> picture = m_wad->ReadTexturePixels(m_names[texture]);
    if (!picture)
        return;
    const PreviewImage rgb = ColourPicture(*picture, GetTexturePalette());
    const QImage image(rgb.rgb.data(), rgb.width, rgb.height, rgb.width * 3, QImage::Format_RGB888);
    thumbnail.image = ScaleToThumbnail(image, kSide);
    thumbnail.width = picture->width;
    thumbnail.height = picture->height;
}
