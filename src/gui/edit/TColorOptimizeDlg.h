#pragma once

#include "core/edit/ColourOptimizer.h"
#include "core/platform/Image8.h"

#include <QDialog>

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QSlider;

namespace tavrin {

class ImagePanel;

// The dialog "色の最適化" of the colour-reducing paste: it previews the pasted image with
// its colours numbered, and on OK writes those numbers into the pasted image. One dialog
// lives as long as the window, so its options carry over from one paste to the next.
class TColorOptimizeDlg : public QDialog {
    Q_OBJECT
public:
    explicit TColorOptimizeDlg(QWidget* parent = nullptr);

    // source: the 8-bit image being pasted, replaced by OK; destination: the tile image, only
    // read (its palette is the display palette the preview uses). Neither is owned.
    void SetImages(Image8* source, const Image8* destination);

    const ColourOptimizer& Optimizer() const { return m_optimizer; }

    QCheckBox* CheckBoxSrcReduce() const { return m_srcReduce; }
    QSlider* TrackBarSrcBit() const { return m_srcBit; }
    QLabel* LabelSrcBit() const { return m_labelSrcBit; }
    QCheckBox* CheckBoxSetPalNum() const { return m_setPalNum; }
    QSlider* TrackBarDestColorNum() const { return m_destColorNum; }
    QLabel* LabelDestColor() const { return m_labelDestColor; }
    QCheckBox* CheckBoxByUsedNum() const { return m_byUsedNum; }
    QCheckBox* CheckBoxLessPalUnit() const { return m_lessPalUnit; }
    ImagePanel* ImageBmp1() const { return m_imageBmp1; }
    ImagePanel* ImageBmp2() const { return m_imageBmp2; }
    ImagePanel* ImagePal() const { return m_imagePal; }
    QLabel* Panel1() const { return m_panel1; }
    QPushButton* ButtonOk() const { return m_ok; }
    QPushButton* ButtonCancel() const { return m_cancel; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void UpdateEnabled();
    void SrcSettingChange();
    void DestSettingChange();
    void UpdateBmp();
    void ButtonOkClick();

    // The options as the controls show them.
    void ReadOptions();
    void MakeBeforeBmp();
    void MakeAfterBmp();

    ColourOptimizer m_optimizer;
    Image8* m_source = nullptr;
    const Image8* m_destination = nullptr;

    QCheckBox* m_srcReduce;
    QSlider* m_srcBit;
    QLabel* m_labelSrcBit;
    QCheckBox* m_setPalNum;
    QSlider* m_destColorNum;
    QLabel* m_labelDestColor;
    QCheckBox* m_byUsedNum;
    QCheckBox* m_lessPalUnit;
    ImagePanel* m_imageBmp1;
    ImagePanel* m_imageBmp2;
    ImagePanel* m_imagePal;
    QLabel* m_panel1;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};

} // namespace tavrin
