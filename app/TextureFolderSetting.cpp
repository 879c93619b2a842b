#include "app/TextureFolderSetting.h"

#include "app/AppSettings.h"

#include <QFile>
#include <QStringList>

namespace {

const char* const kFoldersKey = "Textures/Folders";

} // namespace

std::vector<std::string> LoadTextureFolders() {
    std::vector<std::string> folders;
    for (const QString& folder :
         OpenAppSettings().value(QLatin1String(kFoldersKey)).toStringList()) {
        if (!folder.isEmpty())
            folders.push_back(QFile::encodeName(folder).toStdString());
    }
    return folders;
}

void StoreTextureFolders(const std::vector<std::string>& folders) {
    QStringList list;
    for (const std::string& folder : folders)
        list.append(QFile::decodeName(folder.c_str()));
    OpenAppSettings().setValue(QLatin1String(kFoldersKey), list);
}
