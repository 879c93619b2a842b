#include "app/CQtFileChooser.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>

#include <algorithm>

namespace {

std::optional<std::string> RunFileDialog(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QFile::encodeName(dialog.selectedFiles().first()).toStdString();
}

} // namespace

QString BuildNameFilter(const FileChooserRequest& request) {
    QString description = QString::fromLocal8Bit(request.filterText);
    QString pattern = QString::fromLocal8Bit(request.pattern);
    if (pattern.isEmpty() || description.contains(QLatin1Char('(')))
        return description;
    if (description.isEmpty())
        return pattern;
    return description + QStringLiteral(" (") + pattern + QLatin1Char(')');
}

std::optional<std::string> CQtFileChooser::ChooseFileToOpen(const FileChooserRequest& request) {
    QFileDialog dialog(QApplication::activeWindow(), QStringLiteral("Open"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilter(BuildNameFilter(request));
    dialog.setDefaultSuffix(QString::fromLocal8Bit(request.defaultExtension));
    return RunFileDialog(dialog);
}

std::optional<std::string> CQtFileChooser::ChooseFileToSave(const FileChooserRequest& request,
                                                            const std::string& suggestedPath,
                                                            SaveFileKinds& kinds) {
    QFileDialog dialog(QApplication::activeWindow(), QStringLiteral("Save As"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    QStringList filters;
    for (const std::string& kind : kinds.names) {
        FileChooserRequest kindRequest = request;
        kindRequest.filterText = kind;
        filters.append(BuildNameFilter(kindRequest));
    }
    if (filters.isEmpty())
        filters.append(BuildNameFilter(request));
    dialog.setNameFilters(filters);
    if (kinds.chosen >= 0 && kinds.chosen < filters.size())
        dialog.selectNameFilter(filters[kinds.chosen]);
    dialog.setDefaultSuffix(QString::fromLocal8Bit(request.defaultExtension));
    if (!suggestedPath.empty())
        dialog.selectFile(QFile::decodeName(suggestedPath.c_str()));
    std::optional<std::string> chosen = RunFileDialog(dialog);
    if (chosen && !kinds.names.empty())
        kinds.chosen =
            std::max<int>(0, static_cast<int>(filters.indexOf(dialog.selectedNameFilter())));
    return chosen;
}

std::optional<std::string> CQtFileChooser::ChooseFolder(const std::string& title) {
    QFileDialog dialog(QApplication::activeWindow(), QString::fromLocal8Bit(title));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    return RunFileDialog(dialog);
}
