#include "app/SearchFolderSetting.h"

#include "app/AppSettings.h"

#include <QFile>
#include <QStringList>

namespace {

const char* const kTextureFoldersKey = "Textures/Folders";
const char* const kDefinitionFoldersKey = "Definitions/Folders";

std::vector<std::string> LoadFolders(const char* key) {
    std::vector<std::string> folders;
    for (const QString& folder : OpenAppSettings().value(QLatin1String(key)).toStringList()) {
        if (!folder.isEmpty())
            folders.push_back(QFile::encodeName(folder).toStdString());
    }
    return folders;
}

void StoreFolders(const char* key, const std::vector<std::string>& folders) {
    QStringList list;
    for (const std::string& folder : folders)
        list.append(QFile::decodeName(folder.c_str()));
    OpenAppSettings().setValue(QLatin1String(key), list);
}

} // namespace

std::vector<std::string> LoadTextureFolders() {
    return LoadFolders(kTextureFoldersKey);
}

void StoreTextureFolders(const std::vector<std::string>& folders) {
    StoreFolders(kTextureFoldersKey, folders);
}

std::vector<std::string> LoadDefinitionFolders() {
    return LoadFolders(kDefinitionFoldersKey);
}

void StoreDefinitionFolders(const std::vector<std::string>& folders) {
    StoreFolders(kDefinitionFoldersKey, folders);
}
