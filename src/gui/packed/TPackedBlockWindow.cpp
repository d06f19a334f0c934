#include "gui/packed/TPackedBlockWindow.h"

#include "core/packed/PackedBlockNavigator.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace tavrin {

namespace {

QString Hex(size_t value) {
    return QString::asprintf("0x%06zX", value);
}

} // namespace

TPackedBlockWindow::TPackedBlockWindow(PackedBlockNavigator& navigator, QWidget* parent)
    : QDialog(parent), m_nav(navigator) {
    setObjectName(QStringLiteral("PackedBlockWindow"));
    setWindowTitle(tr("圧縮データの一覧"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* codecRow = new QHBoxLayout;
    const ScanOptions& options = m_nav.Options();
    for (const PackedCodec codec : AllPackedCodecs) {
        auto* box = new QCheckBox(QString::fromLatin1(CodecLabel(codec).data()), this);
        box->setObjectName(QStringLiteral("Codec_") + QString::fromLatin1(CodecName(codec).data()));
        box->setChecked(std::find(options.codecs.begin(), options.codecs.end(), codec) !=
                        options.codecs.end());
        connect(box, &QCheckBox::toggled, this, &TPackedBlockWindow::ApplyOptions);
        codecRow->addWidget(box);
        m_codecs.push_back(box);
    }

    auto* sizeRow = new QHBoxLayout;
    m_minSize = new QSpinBox(this);
    m_minSize->setObjectName(QStringLiteral("MinSize"));
    m_minSize->setRange(1, 0x1000000);
    m_minSize->setValue(static_cast<int>(options.minUnpacked));
    m_align = new QSpinBox(this);
    m_align->setObjectName(QStringLiteral("Alignment"));
    m_align->setRange(0, 0x10000);
    m_align->setSpecialValueText(tr("自動"));
    m_align->setValue(static_cast<int>(options.align));
    auto* scan = new QPushButton(tr("検索(&S)"), this);
    scan->setObjectName(QStringLiteral("ButtonScan"));
    scan->setAutoDefault(false);
    sizeRow->addWidget(new QLabel(tr("最小サイズ"), this));
    sizeRow->addWidget(m_minSize);
    sizeRow->addWidget(new QLabel(tr("アライメント"), this));
    sizeRow->addWidget(m_align);
    sizeRow->addStretch();
    sizeRow->addWidget(scan);
    connect(m_minSize, &QSpinBox::valueChanged, this, &TPackedBlockWindow::ApplyOptions);
    connect(m_align, &QSpinBox::valueChanged, this, &TPackedBlockWindow::ApplyOptions);
    connect(scan, &QPushButton::clicked, this, &TPackedBlockWindow::Refresh);

    m_list = new QTableWidget(0, 4, this);
    m_list->setObjectName(QStringLiteral("BlockList"));
    m_list->setHorizontalHeaderLabels(
        {tr("アドレス"), tr("形式"), tr("圧縮サイズ"), tr("展開サイズ")});
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->verticalHeader()->hide();
    m_list->horizontalHeader()->setStretchLastSection(true);
    connect(m_list, &QTableWidget::cellDoubleClicked, this, [this] { OpenCurrent(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(codecRow);
    layout->addLayout(sizeRow);
    layout->addWidget(m_list);
    resize(420, 360);
}

void TPackedBlockWindow::ApplyOptions() {
    ScanOptions& options = m_nav.Options();
    options.codecs.clear();
    for (size_t i = 0; i < m_codecs.size(); ++i)
        if (m_codecs[i]->isChecked())
            options.codecs.push_back(AllPackedCodecs[i]);
    options.minUnpacked = static_cast<size_t>(m_minSize->value());
    options.align = static_cast<size_t>(m_align->value());
}

void TPackedBlockWindow::Refresh() {
    ApplyOptions();
    FileResult failure;
    m_blocks = m_nav.ListBlocks(&failure);
    if (!failure)
        emit ScanFailed(failure);
    m_list->setRowCount(static_cast<int>(m_blocks.size()));
    for (int row = 0; row < m_list->rowCount(); ++row) {
        const FoundBlock& b = m_blocks[static_cast<size_t>(row)];
        const QString cells[] = {Hex(b.address), QString::fromLatin1(CodecLabel(b.codec).data()),
                                 QString::number(b.size.packed), QString::number(b.size.unpacked)};
        for (int column = 0; column < 4; ++column)
            m_list->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    if (!m_blocks.empty())
        m_list->selectRow(0);
    m_list->setFocus(Qt::OtherFocusReason);
}

void TPackedBlockWindow::OpenCurrent() {
    const int row = m_list->currentRow();
    if (row >= 0 && row < static_cast<int>(m_blocks.size()))
        emit OpenRequested(m_blocks[static_cast<size_t>(row)]);
}

void TPackedBlockWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        OpenCurrent();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace tavrin
