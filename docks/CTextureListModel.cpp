#include "docks/CTextureListModel.h"

#include "map/CTolveDoc.h"
#include "map/TextureApplication.h"
#include "map/TextureUses.h"
#include "texture/TextureDrag.h"

#include <QMimeData>

CTextureListModel::CTextureListModel(QObject* parent) : QAbstractListModel(parent) {
    connect(&m_thumbnails, &CTextureThumbnails::ThumbnailsMade, this,
            &CTextureListModel::ShowMadeThumbnails);
}

void CTextureListModel::SetDocument(CTolveDoc* doc) {
    if (doc == m_doc)
        return;
    m_doc = doc;
    Rebuild();
}

void CTextureListModel::FollowTextureFiles() {
    if (m_doc && m_doc->m_textureWad.GetLoadCount() != m_loadCount)
        Rebuild();
}

void CTextureListModel::Rebuild() {
    beginResetModel();
    if (m_doc) {
        CTextureWad& wad = m_doc->m_textureWad;
        m_model.Rebuild(wad, CountTextureUses(*m_doc));
        m_loadCount = wad.GetLoadCount();
    } else {
        m_model = CTextureBrowserModel();
    }
    // Only the textures of the files have pictures; they come first.
    std::vector<std::string> names;
    for (const CTextureBrowserModel::Texture& texture : m_model.GetTextures()) {
        if (!texture.missing)
            names.push_back(texture.name);
    }
    m_thumbnails.Reset(m_doc ? &m_doc->m_textureWad : nullptr, std::move(names));
    endResetModel();
}

void CTextureListModel::RecountUses() {
    if (!m_doc)
        return;
    // The textures of the files keep their places, and their pictures; only
    // the used names no file holds come and go.
    CTextureBrowserModel recounted = m_model;
    recounted.SetUses(CountTextureUses(*m_doc));
    if (recounted.GetRows() == m_model.GetRows()) {
        m_model = std::move(recounted);
        if (rowCount() > 0)
            emit dataChanged(index(0), index(rowCount() - 1), {kUsesRole, Qt::ToolTipRole});
        return;
    }
    beginResetModel();
    m_model = std::move(recounted);
    endResetModel();
}

void CTextureListModel::SetFilter(const QString& text, bool usedOnly) {
    beginResetModel();
    m_model.SetFilter(text.toStdString(), usedOnly);
    endResetModel();
}

std::string CTextureListModel::GetTextureName(const QModelIndex& index) const {
    const CTextureBrowserModel::Texture* texture = TextureAt(index);
    return texture ? texture->name : std::string();
}

QModelIndex CTextureListModel::FindFirstShownTexture() const {
    const int texture = m_model.FindFirstShownTexture();
    return texture < 0 ? QModelIndex() : index(m_model.GetTextureRow(texture));
}

QModelIndex CTextureListModel::FindTexture(const std::string& name) const {
    const int texture = m_model.FindTexture(name);
    const int row = texture < 0 ? -1 : m_model.GetTextureRow(texture);
    return row < 0 ? QModelIndex() : index(row);
}

const CTextureBrowserModel::Texture* CTextureListModel::TextureAt(const QModelIndex& index) const {
    if (!index.isValid() || index.row() >= rowCount())
        return nullptr;
    const CTextureBrowserModel::Row& row = m_model.GetRows()[static_cast<size_t>(index.row())];
    return row.heading ? nullptr : &m_model.GetTextures()[static_cast<size_t>(row.index)];
}

int CTextureListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_model.GetRows().size());
}

QVariant CTextureListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const CTextureBrowserModel::Row& row = m_model.GetRows()[static_cast<size_t>(index.row())];
    if (role == kHeadingRole)
        return row.heading;
    if (!row.heading)
        return TextureData(row.index, role);
    if (role == Qt::DisplayRole)
        return QString::fromStdString(m_model.GetGroups()[static_cast<size_t>(row.index)].title);
    return {};
}

QVariant CTextureListModel::TextureData(int index, int role) const {
    const CTextureBrowserModel::Texture& texture =
        m_model.GetTextures()[static_cast<size_t>(index)];
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromLatin1(texture.name);
    case kUsesRole:
        return texture.uses;
    case Qt::DecorationRole:
        return texture.missing ? QImage() : m_thumbnails.Find(index).image;
    case kSizeRole: {
        if (texture.missing)
            return QStringLiteral("missing");
        const CTextureThumbnails::Thumbnail& made = m_thumbnails.Find(index);
        return made.width > 0 ? QStringLiteral("%1×%2").arg(made.width).arg(made.height)
                              : QString();
    }
    case Qt::ToolTipRole:
        return QStringLiteral("%1\nused on %2 faces")
            .arg(QString::fromLatin1(texture.name))
            .arg(texture.uses);
    default:
        return {};
    }
}

Qt::ItemFlags CTextureListModel::flags(const QModelIndex& index) const {
    if (!TextureAt(index))
        return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
}

QStringList CTextureListModel::mimeTypes() const {
    return {QString::fromLatin1(kTextureNameMimeType)};
}

QMimeData* CTextureListModel::mimeData(const QModelIndexList& indexes) const {
    const std::string name = indexes.isEmpty() ? std::string() : GetTextureName(indexes.front());
    if (name.empty())
        return nullptr;
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(kTextureNameMimeType), QByteArray::fromStdString(name));
    data->setText(QString::fromLatin1(name));
    return data;
}

void CTextureListModel::ShowMadeThumbnails(const std::vector<int>& textures) {
    for (int texture : textures) {
        const int row = m_model.GetTextureRow(texture);
        if (row >= 0)
            emit dataChanged(index(row), index(row), {Qt::DecorationRole, kSizeRole});
    }
}
