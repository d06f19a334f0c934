#pragma once

#include <memory>

#include <QString>
#include <QStringList>

#include <string>

class QFileDialog;
class QWidget;

namespace tavrin {

// What a file dialog is asked: open or save, the filter in "text|patterns|text|patterns"
// form, the default extension, the preset file name and the folder it opens in (the
// document's; a preset name with a folder of its own wins).
struct FileDialogRequest {
    bool save = false;
    QString filter;
    QString defaultExtension;
    QString fileName;
    // When given, the default extension follows the chosen filter (one per filter entry).
    QStringList filterExtensions{};
    // When given, receives the index of the filter entry chosen.
    std::shared_ptr<int> chosenFilter{};
    QString folder{};
};

// The extension a bare name gets under the filter at index of Qt name filters: that of its
// first pattern ("SET (*.set *.st?)" -> "set"), or fallback when the pattern has none to give
// ("*.*", "*.st?").
QString FilterSuffix(const QStringList& qtFilters, qsizetype index, const QString& fallback);

// Sets up dialog as the request asks: modes, filters, default extension (following the
// chosen filter), folder and file name.
void PrepareFileDialog(QFileDialog& dialog, bool save, const QStringList& qtFilters,
                       const QString& defaultExtension, const QString& fileName,
                       const QString& folder);

// "ROM image|*.bin;*.chr|All files|*.*" -> {"ROM image (*.bin *.chr)", "All files (*.*)"}.
QStringList QtNameFilters(const QString& filter);

// The folder of a document's path, absolute, or "" when there is no document.
QString DocumentFolder(const std::string& documentPath);

// Shows the dialog; the chosen full path, or empty when cancelled. A save dialog asks before
// it overwrites a file.
QString RunFileDialog(QWidget* parent, const FileDialogRequest& request);

} // namespace tavrin
