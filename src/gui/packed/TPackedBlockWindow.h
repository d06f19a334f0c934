#pragma once

#include "core/compress/BlockScanner.h"
#include "core/platform/FileResult.h"

#include <QDialog>
#include <vector>

class QCheckBox;
class QSpinBox;
class QTableWidget;

namespace tavrin {

class PackedBlockNavigator;

// The packed blocks of the ROM: the codecs to look for, the smallest size and the alignment
// (which the main window's find-next uses too), and the list of every block found; Enter or
// a double click opens the chosen block.
class TPackedBlockWindow : public QDialog {
    Q_OBJECT
public:
    TPackedBlockWindow(PackedBlockNavigator& navigator, QWidget* parent = nullptr);

    // Scans the ROM and fills the list.
    void Refresh();
    QTableWidget* List() const { return m_list; }
    const std::vector<FoundBlock>& Blocks() const { return m_blocks; }

signals:
    // The user asked to open a block; the main window opens it.
    void OpenRequested(const FoundBlock& block);
    // The ROM could not be read for the scan.
    void ScanFailed(const FileResult& failure);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ApplyOptions();
    void OpenCurrent();

    PackedBlockNavigator& m_nav;
    std::vector<QCheckBox*> m_codecs;
    QSpinBox* m_minSize = nullptr;
    QSpinBox* m_align = nullptr;
    QTableWidget* m_list = nullptr;
    std::vector<FoundBlock> m_blocks;
};

} // namespace tavrin
