#pragma once

#include "core/palette/PaletteEditRules.h"

#include <QDialog>
#include <QWidget>
#include <functional>

class QFrame;
class QLabel;
class QPushButton;
class QToolButton;

namespace tavrin {

class CPalette;
class ImagePanel;

// A horizontal arrow control over 0-255: the left arrow steps down, the right arrow up. A
// click reports the new position; setting the position from outside reports nothing.
class HorizontalUpDown : public QWidget {
public:
    HorizontalUpDown(const QString& name, int tag, QWidget* parent = nullptr);

    int Tag() const { return m_tag; }
    int Position() const { return m_position; }
    void SetPosition(int position);
    void SetClickHandler(std::function<void(int tag, int position)> handler) {
        m_onClick = std::move(handler);
    }

    QToolButton* ButtonDown() const { return m_down; }
    QToolButton* ButtonUp() const { return m_up; }

private:
    void Step(int delta);

    int m_tag;
    int m_position = 0;
    QToolButton* m_down;
    QToolButton* m_up;
    std::function<void(int, int)> m_onClick;
};

// "パレットエディタ": a borderless pop-up that edits one palette entry with three bars and
// three arrow controls. Every change is stored at once and reported; it closes
// on OK, Escape, a right click on the bars, a press on its frame or when it loses the focus.
class TPalEditDialog : public QDialog {
    Q_OBJECT
public:
    explicit TPalEditDialog(QWidget* parent = nullptr);

    // The dialog reads the entry's colour from palette and hands each new colour to store.
    void SetPalette(const CPalette* palette, int entry,
                    std::function<void(int entry, Colour colour)> store);
    // Edits the palette itself.
    void SetPalette(CPalette* palette, int entry);
    // Called after every change and when the dialog closes: the main window redraws.
    void SetChangedCallback(std::function<void()> callback) { m_onChanged = std::move(callback); }

    QFrame* PanelOut() const { return m_panelOut; }
    QFrame* PanelImage() const { return m_panelImage; }
    ImagePanel* ImagePalette() const { return m_image; }
    HorizontalUpDown* UpDown(int channel) const { return m_upDowns[channel]; }
    QFrame* PanelColor() const { return m_panelColor; }
    QLabel* LabelInfo() const { return m_labelInfo; }
    QPushButton* ButtonClose() const { return m_buttonClose; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Refresh();
    void NotifyMainWindow();
    void ImagePaletteMouseDown(Qt::MouseButton button, QPoint pos);
    void ImagePaletteMouseMove(QPoint pos);
    void UpDownClick(int channel, int position);
    // change works on a copy of the entry's colour; a changed colour is stored and reported.
    bool Edit(const std::function<bool(CPalette&)>& change);

    const CPalette* m_palette = nullptr;
    std::function<void(int, Colour)> m_store;
    int m_entry = 0;
    PaletteBarDrag m_drag;
    std::function<void()> m_onChanged;

    QFrame* m_panelOut;
    QFrame* m_panelImage;
    ImagePanel* m_image;
    HorizontalUpDown* m_upDowns[3];
    QFrame* m_panelColor;
    QLabel* m_labelInfo;
    QPushButton* m_buttonClose;
};

} // namespace tavrin
