#include "gui/set/SetFileDialog.h"

#include "gui/app/FileDialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

namespace tavrin {

namespace {

// The set window's filter texts carry their patterns in the label ("NAMファイル(*.nam)");
// the dialog adds them again, so the label loses its own copy.
QString WithoutLabelPatterns(const QString& filter) {
    static const QRegularExpression trailingPatterns(QStringLiteral("\\s*\\([^()]*\\)$"));
    QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString label = QString(parts[i]).remove(trailingPatterns);
        if (!label.isEmpty())
            parts[i] = label;
    }
    return parts.join(QLatin1Char('|'));
}

} // namespace

SetFileDialogAnswer RunSetFileDialog(QWidget* parent, const SetFileDialogRequest& request) {
    QFileDialog dialog(parent);
    const QStringList filters = QtNameFilters(WithoutLabelPatterns(request.filter));
    PrepareFileDialog(dialog, request.save, filters, request.defaultExtension, request.fileName,
                      request.folder);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    SetFileDialogAnswer answer;
    answer.path = dialog.selectedFiles().constFirst();
    answer.filterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
    if (answer.filterIndex < 1)
        answer.filterIndex = 1;
    return answer;
}

} // namespace tavrin
