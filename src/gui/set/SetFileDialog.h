#pragma once

#include <QString>

class QWidget;

namespace tavrin {

// What a file dialog of the set window is asked: open or save, the filter in
// "text|patterns|text|patterns" form, the default extension, the preset file name, and for a
// save whether to ask before overwriting, and the folder it opens in (the document's).
struct SetFileDialogRequest {
    bool save = false;
    QString filter;
    QString defaultExtension;
    QString fileName;
    bool confirmOverwrite = true;
    QString folder;
};

// The chosen full path (empty when cancelled) and the chosen filter, counted from 1 as the
// filter string lists them.
struct SetFileDialogAnswer {
    QString path;
    int filterIndex = 1;
};

// Shows the dialog. An open dialog accepts only an existing file.
SetFileDialogAnswer RunSetFileDialog(QWidget* parent, const SetFileDialogRequest& request);

} // namespace tavrin
