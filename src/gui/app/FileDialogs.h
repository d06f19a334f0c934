#pragma once

#include <memory>

#include <QString>
#include <QStringList>

class QWidget;

namespace tavrin {

// What a file dialog is asked: open or save, the filter in "text|patterns|text|patterns"
// form, the default extension and the preset file name.
struct FileDialogRequest {
    bool save = false;
    QString filter;
    QString defaultExtension;
    QString fileName;
    // When given, the default extension follows the chosen filter (one per filter entry).
    QStringList filterExtensions{};
    // When given, receives the index of the filter entry chosen.
    std::shared_ptr<int> chosenFilter{};
};

// "ROM image|*.bin;*.chr|All files|*.*" -> {"ROM image (*.bin *.chr)", "All files (*.*)"}.
QStringList QtNameFilters(const QString& filter);

// Shows the dialog; the chosen full path, or empty when cancelled. A save dialog asks before
// it overwrites a file.
QString RunFileDialog(QWidget* parent, const FileDialogRequest& request);

} // namespace tavrin
