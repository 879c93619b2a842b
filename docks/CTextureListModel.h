#pragma once

#include "docks/CTextureThumbnails.h"
#include "texture/CTextureBrowserModel.h"

#include <QAbstractListModel>

#include <cstdint>
#include <string>

class CTolveDoc;

// The texture browser's rows for a list view: the headings and textures the
// plain model shows, with pictures made on demand. A texture row drags its
// name out.
class CTextureListModel : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role {
        kHeadingRole = Qt::UserRole + 1, // bool: a group's heading
        kSizeRole,                       // QString: "64×64", "missing" or empty
        kUsesRole,                       // int: faces of the map showing it
    };

    explicit CTextureListModel(QObject* parent = nullptr);

    // Lists the textures of the map's files; null lists nothing.
    void SetDocument(CTolveDoc* doc);
    CTolveDoc* GetDocument() const { return m_doc; }
    // Lists anew when the map's texture files were loaded again.
    void FollowTextureFiles();
    // Counts the faces again after the map changed.
    void RecountUses();
    void SetFilter(const QString& text, bool usedOnly);

    // The texture a row shows; empty for a heading or no row.
    std::string GetTextureName(const QModelIndex& index) const;
    QModelIndex FindFirstShownTexture() const;
    // The row of a texture by its name in any case; invalid when not shown.
    QModelIndex FindTexture(const std::string& name) const;
    const CTextureBrowserModel& GetBrowserModel() const { return m_model; }
    CTextureThumbnails& GetThumbnails() { return m_thumbnails; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    Qt::DropActions supportedDragActions() const override { return Qt::CopyAction; }

private:
    void Rebuild();
    void ShowMadeThumbnails(const std::vector<int>& textures);
    const CTextureBrowserModel::Texture* TextureAt(const QModelIndex& index) const;
    QVariant TextureData(int texture, int role) const;

    CTolveDoc* m_doc = nullptr;
    uint64_t m_loadCount = 0; // of the texture files listed
    CTextureBrowserModel m_model;
    // Made on demand, also while a const view paints.
    mutable CTextureThumbnails m_thumbnails;
};
