#include "gui/app/FileDialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

namespace tavrin {

QStringList QtNameFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        patterns.removeDuplicates();
        filters << QStringLiteral("%1 (%2)").arg(parts[i], patterns.join(QLatin1Char(' ')));
    }
    return filters;
}

QString FilterSuffix(const QStringList& qtFilters, qsizetype index, const QString& fallback) {
    if (index < 0 || index >= qtFilters.size())
        return fallback;
    static const QRegularExpression firstPattern(QStringLiteral("\\(\\*\\.([A-Za-z0-9_]+)[ )]"));
    const QRegularExpressionMatch match = firstPattern.match(qtFilters[index]);
    return match.hasMatch() ? match.captured(1) : fallback;
}

void PrepareFileDialog(QFileDialog& dialog, bool save, const QStringList& qtFilters,
                       const QString& defaultExtension, const QString& fileName,
                       const QString& folder) {
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(qtFilters);
    dialog.setDefaultSuffix(defaultExtension);
    // A bare name takes the extension of the filter chosen for it.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, qtFilters, defaultExtension](const QString& filter) {
                         dialog.setDefaultSuffix(
                             FilterSuffix(qtFilters, qtFilters.indexOf(filter), defaultExtension));
                     });
    if (!folder.isEmpty())
        dialog.setDirectory(folder);
    if (!fileName.isEmpty()) {
        const QFileInfo info(fileName);
        if (info.isAbsolute() || fileName.contains(QLatin1Char('/')))
            dialog.setDirectory(info.absolutePath());
        dialog.selectFile(info.fileName());
    }
}

QString DocumentFolder(const std::string& documentPath) {
    if (documentPath.empty())
        return {};
    return QFileInfo(QString::fromStdString(documentPath)).absolutePath();
}

QString RunFileDialog(QWidget* parent, const FileDialogRequest& request) {
    QFileDialog dialog(parent);
    const QStringList filters = QtNameFilters(request.filter);
    PrepareFileDialog(dialog, request.save, filters, request.defaultExtension, request.fileName,
                      request.folder);
    // Extensions given per filter win over the one its first pattern names (connected after).
    if (!request.filterExtensions.isEmpty())
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog, &request, &filters](const QString& filter) {
                             const qsizetype k = filters.indexOf(filter);
                             if (k >= 0 && k < request.filterExtensions.size())
                                 dialog.setDefaultSuffix(request.filterExtensions[k]);
                         });
    // Overwrite confirmation is the dialog's default; it stays on for every save.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    if (request.chosenFilter)
        *request.chosenFilter = static_cast<int>(filters.indexOf(dialog.selectedNameFilter()));
    return dialog.selectedFiles().constFirst();
}

} // namespace tavrin
