#include "gui/app/ActionIcons.h"

#include <QFont>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <functional>

namespace tavrin {

namespace {

// One small palette keeps the set consistent.
const QColor Ink(48, 48, 56);
const QColor Paper(252, 252, 248);
const QColor Accent(40, 110, 210);
const QColor Warm(232, 176, 48);
const QColor Alert(200, 48, 40);
const QColor Leaf(48, 150, 72);

using Painter = std::function<void(QPainter&)>;

QPixmap Draw(const Painter& paint) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, true);
    paint(p);
    return pixmap;
}

void Pen(QPainter& p, const QColor& c, qreal w = 1.2) {
    QPen pen(c, w);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
}

void Triangle(QPainter& p, QPointF a, QPointF b, QPointF c, const QColor& fill) {
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPolygon(QPolygonF{a, b, c});
}

void Page(QPainter& p, qreal x, qreal y, qreal w, qreal h) {
    Pen(p, Ink, 1.0);
    p.setBrush(Paper);
    QPolygonF poly{{x, y}, {x + w - 3, y}, {x + w, y + 3}, {x + w, y + h}, {x, y + h}};
    p.drawPolygon(poly);
    p.drawLine(QPointF(x + w - 3, y), QPointF(x + w - 3, y + 3));
    p.drawLine(QPointF(x + w - 3, y + 3), QPointF(x + w, y + 3));
}

// An arrow pointing up (dir -1) or down (+1), centred at x, its tip at y.
void ChevronV(QPainter& p, qreal x, qreal y, int dir, const QColor& c) {
    Triangle(p, {x, y}, {x - 4.5, y - dir * 4.5}, {x + 4.5, y - dir * 4.5}, c);
}

void Bar(QPainter& p, qreal y) {
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    p.drawRect(QRectF(3, y, 10, 1.6));
}

void Label(QPainter& p, const QString& text, const QRectF& r, const QColor& c) {
    QFont f;
    f.setPixelSize(9);
    f.setBold(true);
    p.setFont(f);
    p.setPen(c);
    p.drawText(r, Qt::AlignCenter, text);
}

void CurvedArrow(QPainter& p, bool clockwise) {
    Pen(p, Accent, 1.8);
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    if (clockwise) {
        path.moveTo(3, 11);
        path.cubicTo(3, 4, 11, 3, 12.5, 8);
        p.drawPath(path);
        Triangle(p, {15, 7}, {10, 7}, {13, 11.5}, Accent);
    } else {
        path.moveTo(13, 11);
        path.cubicTo(13, 4, 5, 3, 3.5, 8);
        p.drawPath(path);
        Triangle(p, {1, 7}, {6, 7}, {3, 11.5}, Accent);
    }
}

void RotateArrow(QPainter& p, bool clockwise) {
    Pen(p, Accent, 1.6);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(3, 3, 10, 10), clockwise ? 120 * 16 : 60 * 16,
              clockwise ? 270 * 16 : -270 * 16);
    if (clockwise)
        Triangle(p, {4.5, 1.5}, {8.5, 4.5}, {4, 7}, Accent);
    else
        Triangle(p, {11.5, 1.5}, {7.5, 4.5}, {12, 7}, Accent);
}

// A 3x3 block of tile cells with an arrow showing the shift direction.
void ShiftIcon(QPainter& p, int dx, int dy) {
    Pen(p, Ink, 1.0);
    p.setBrush(Paper);
    p.drawRect(QRectF(2.5, 2.5, 11, 11));
    const QPointF c(8, 8);
    const QPointF tip = c + QPointF(dx * 5, dy * 5);
    const QPointF tail = c - QPointF(dx * 4, dy * 4);
    Pen(p, Accent, 1.8);
    p.drawLine(tail, tip - QPointF(dx * 2, dy * 2));
    const QPointF side(dy * 3.5, dx * 3.5);
    Triangle(p, tip, tip - QPointF(dx * 4, dy * 4) + side, tip - QPointF(dx * 4, dy * 4) - side,
             Accent);
}

void Checker(QPainter& p, const QRectF& r, const QColor& c) {
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    for (int y = 0; y < static_cast<int>(r.height()); y += 2)
        for (int x = (y / 2) % 2 * 2; x < static_cast<int>(r.width()); x += 4)
            p.drawRect(QRectF(r.x() + x, r.y() + y, 2, 2));
}

void Pencil(QPainter& p) {
    p.save();
    p.translate(8, 8);
    p.rotate(45);
    Pen(p, Ink, 1.0);
    p.setBrush(Warm);
    p.drawRect(QRectF(-2.5, -7, 5, 10));
    p.setBrush(Paper);
    p.drawPolygon(QPolygonF{{-2.5, 3}, {2.5, 3}, {0, 7.5}});
    p.restore();
}

void Swatches(QPainter& p, int cells) {
    static const QColor colours[] = {
        QColor(240, 60, 50),   QColor(250, 200, 40), QColor(60, 170, 70),
        QColor(50, 110, 220),  QColor(150, 70, 200), QColor(30, 30, 30),
        QColor(240, 240, 240), QColor(250, 130, 40), QColor(40, 200, 220)};
    const qreal size = 12.0 / cells;
    p.setPen(Qt::NoPen);
    for (int y = 0; y < cells; ++y)
        for (int x = 0; x < cells; ++x) {
            p.setBrush(colours[(x + y * cells) % 9]);
            p.drawRect(QRectF(2 + x * size, 2 + y * size, size, size));
        }
    Pen(p, Ink, 1.0);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(2, 2, 12, 12));
}

const QHash<QString, Painter>& Painters() {
    static const QHash<QString, Painter> painters = {
        {"ActFileNew", [](QPainter& p) { Page(p, 3, 1.5, 10, 13); }},
        {"ActFileOpen",
         [](QPainter& p) {
             Pen(p, Ink, 1.0);
             p.setBrush(Warm.darker(115));
             p.drawPolygon(
                 QPolygonF{{1.5, 3}, {6, 3}, {7.5, 4.5}, {14.5, 4.5}, {14.5, 13.5}, {1.5, 13.5}});
             p.setBrush(Warm);
             p.drawPolygon(QPolygonF{{1.5, 13.5}, {4, 7}, {15.5, 7}, {13.5, 13.5}});
         }},
        {"ActFileSave",
         [](QPainter& p) {
             Pen(p, Ink, 1.0);
             p.setBrush(Accent);
             p.drawRect(QRectF(2, 2, 12, 12));
             p.setBrush(Paper);
             p.drawRect(QRectF(4.5, 2, 7, 4.5));
             p.drawRect(QRectF(4, 9, 8, 5));
         }},
        {"ActFileExit",
         [](QPainter& p) {
             Pen(p, Ink, 1.0);
             p.setBrush(QColor(170, 120, 80));
             p.drawRect(QRectF(2.5, 1.5, 7, 13));
             Pen(p, Alert, 1.8);
             p.drawLine(QPointF(7, 8), QPointF(13, 8));
             Triangle(p, {15.5, 8}, {12, 4.5}, {12, 11.5}, Alert);
         }},
        {"ActEditCut",
         [](QPainter& p) {
             Pen(p, Ink, 1.3);
             p.setBrush(Qt::NoBrush);
             p.drawLine(QPointF(4.5, 1.5), QPointF(10, 10));
             p.drawLine(QPointF(11.5, 1.5), QPointF(6, 10));
             Pen(p, Alert, 1.4);
             p.drawEllipse(QRectF(2, 10, 4, 4));
             p.drawEllipse(QRectF(10, 10, 4, 4));
         }},
        {"ActEditCopy",
         [](QPainter& p) {
             Page(p, 1.5, 1.5, 8, 10);
             Page(p, 6.5, 4.5, 8, 10);
         }},
        {"ActEditPaste",
         [](QPainter& p) {
             Pen(p, Ink, 1.0);
             p.setBrush(QColor(190, 140, 90));
             p.drawRect(QRectF(2, 2.5, 10, 12));
             p.setBrush(QColor(120, 120, 130));
             p.drawRect(QRectF(4.5, 1, 5, 3));
             Page(p, 7, 6.5, 7.5, 8.5);
         }},
        {"ActEditClear",
         [](QPainter& p) {
             Pen(p, Alert, 2.4);
             p.drawLine(QPointF(4, 4), QPointF(12, 12));
             p.drawLine(QPointF(12, 4), QPointF(4, 12));
         }},
        {"ActEditUndo", [](QPainter& p) { CurvedArrow(p, false); }},
        {"ActEditRedo", [](QPainter& p) { CurvedArrow(p, true); }},
        {"ActEditMirrorHorizontal",
         [](QPainter& p) {
             Triangle(p, {1.5, 8}, {6.5, 3}, {6.5, 13}, Accent);
             Triangle(p, {14.5, 8}, {9.5, 3}, {9.5, 13}, Paper.darker(140));
             QPen dash(Ink, 1.0, Qt::DotLine);
             p.setPen(dash);
             p.drawLine(QPointF(8, 1), QPointF(8, 15));
         }},
        {"ActEditMirrorVertical",
         [](QPainter& p) {
             Triangle(p, {8, 1.5}, {3, 6.5}, {13, 6.5}, Accent);
             Triangle(p, {8, 14.5}, {3, 9.5}, {13, 9.5}, Paper.darker(140));
             QPen dash(Ink, 1.0, Qt::DotLine);
             p.setPen(dash);
             p.drawLine(QPointF(1, 8), QPointF(15, 8));
         }},
        {"ActEditRotateLeft", [](QPainter& p) { RotateArrow(p, false); }},
        {"ActEditRotateRight", [](QPainter& p) { RotateArrow(p, true); }},
        {"ActEditShiftUp", [](QPainter& p) { ShiftIcon(p, 0, -1); }},
        {"ActEditShiftDown", [](QPainter& p) { ShiftIcon(p, 0, 1); }},
        {"ActEditShiftLeft", [](QPainter& p) { ShiftIcon(p, -1, 0); }},
        {"ActEditShiftRight", [](QPainter& p) { ShiftIcon(p, 1, 0); }},
        {"ActPaletteReplaceColor",
         [](QPainter& p) {
             Pen(p, Ink, 1.0);
             p.setBrush(QColor(240, 60, 50));
             p.drawRect(QRectF(1.5, 1.5, 6, 6));
             p.setBrush(QColor(50, 110, 220));
             p.drawRect(QRectF(8.5, 8.5, 6, 6));
             Pen(p, Ink, 1.3);
             p.drawLine(QPointF(5, 10), QPointF(5, 12.5));
             p.drawLine(QPointF(5, 12.5), QPointF(7, 12.5));
             Triangle(p, {8, 12.5}, {6, 10.5}, {6, 14.5}, Ink);
         }},
        {"ActPaletteLoadState",
         [](QPainter& p) {
             Pen(p, Ink, 1.0);
             p.setBrush(QColor(150, 150, 160));
             p.drawPolygon(QPolygonF{{2.5, 2.5}, {13.5, 2.5}, {13.5, 14.5}, {2.5, 14.5}});
             p.setBrush(Paper);
             p.drawRect(QRectF(4.5, 4.5, 7, 5));
             Pen(p, Ink, 1.0);
             for (int x = 4; x <= 12; x += 2)
                 p.drawLine(QPointF(x, 12), QPointF(x, 14.5));
         }},
        {"ActToolExecuteFile",
         [](QPainter& p) {
             Pen(p, Ink, 1.0);
             p.setBrush(Paper);
             p.drawRect(QRectF(1.5, 2.5, 13, 11));
             p.setBrush(Accent);
             p.drawRect(QRectF(1.5, 2.5, 13, 2.5));
             Triangle(p, {6, 6.5}, {6, 12.5}, {11, 9.5}, Leaf);
         }},
        {"ActToolFormSet",
         [](QPainter& p) {
             Pen(p, Ink, 1.0);
             p.setBrush(Paper);
             p.drawRect(QRectF(1.5, 1.5, 13, 13));
             p.setPen(Qt::NoPen);
             p.setBrush(Leaf);
             p.drawRect(QRectF(3, 3, 4, 4));
             p.drawRect(QRectF(9, 9, 4, 4));
             p.setBrush(Warm);
             p.drawRect(QRectF(9, 3, 4, 4));
             p.drawRect(QRectF(3, 9, 4, 4));
         }},

        // Address steps: towards the file start is up, towards its end down.
        {"ActAddrMMAX",
         [](QPainter& p) {
             Bar(p, 2.5);
             ChevronV(p, 8, 5, -1, Accent);
             ChevronV(p, 8, 10, -1, Accent);
         }},
        {"ActAddrM100B",
         [](QPainter& p) {
             ChevronV(p, 8, 1.5, -1, Accent);
             ChevronV(p, 8, 6, -1, Accent);
             ChevronV(p, 8, 10.5, -1, Accent);
         }},
        {"ActAddrM10B",
         [](QPainter& p) {
             ChevronV(p, 8, 3.5, -1, Accent);
             ChevronV(p, 8, 8.5, -1, Accent);
         }},
        {"ActAddrM1B", [](QPainter& p) { ChevronV(p, 8, 5.5, -1, Accent); }},
        {"ActAddrM1", [](QPainter& p) { Label(p, "-1", QRectF(0, 0, 16, 16), Ink); }},
        {"ActAddrP1", [](QPainter& p) { Label(p, "+1", QRectF(0, 0, 16, 16), Ink); }},
        {"ActAddrP1B", [](QPainter& p) { ChevronV(p, 8, 10.5, 1, Accent); }},
        {"ActAddrP10B",
         [](QPainter& p) {
             ChevronV(p, 8, 7.5, 1, Accent);
             ChevronV(p, 8, 12.5, 1, Accent);
         }},
        {"ActAddrP100B",
         [](QPainter& p) {
             ChevronV(p, 8, 5.5, 1, Accent);
             ChevronV(p, 8, 10, 1, Accent);
             ChevronV(p, 8, 14.5, 1, Accent);
         }},
        {"ActAddrPMAX",
         [](QPainter& p) {
             ChevronV(p, 8, 6, 1, Accent);
             ChevronV(p, 8, 11, 1, Accent);
             Bar(p, 11.9);
         }},
        {"ActAddrInput",
         [](QPainter& p) {
             Pen(p, Ink, 1.0);
             p.setBrush(Paper);
             p.drawRect(QRectF(0.5, 4.5, 15, 7));
             Label(p, "0x", QRectF(0, 4, 16, 8), Accent);
         }},

        // Pens.
        {"ActPen11",
         [](QPainter& p) {
             Pen(p, Ink, 1.0);
             p.setBrush(QColor(170, 120, 80));
             p.drawRect(QRectF(6, 1.5, 4, 6));
             p.drawRect(QRectF(2.5, 7.5, 11, 3));
             p.setBrush(Alert);
             p.drawRect(QRectF(2.5, 12, 11, 2.5));
         }},
        {"ActPen01", [](QPainter& p) { Pencil(p); }},
        {"ActPen02",
         [](QPainter& p) {
             Checker(p, QRectF(1, 9, 8, 6), Ink);
             Pencil(p);
         }},
        {"ActPen03",
         [](QPainter& p) {
             Pen(p, Ink, 1.6);
             p.drawLine(QPointF(2.5, 13.5), QPointF(13.5, 2.5));
         }},
        {"ActPen04",
         [](QPainter& p) {
             Pen(p, Ink, 1.0);
             p.setBrush(Accent);
             p.drawRect(QRectF(2.5, 3.5, 11, 9));
         }},
        {"ActPen05",
         [](QPainter& p) {
             Checker(p, QRectF(3, 4, 10, 8), Accent);
             Pen(p, Ink, 1.0);
             p.setBrush(Qt::NoBrush);
             p.drawRect(QRectF(2.5, 3.5, 11, 9));
         }},
        {"ActPen06",
         [](QPainter& p) {
             Pen(p, Accent, 1.6);
             p.setBrush(Qt::NoBrush);
             p.drawRect(QRectF(2.5, 3.5, 11, 9));
         }},
        {"ActPen07",
         [](QPainter& p) {
             Pen(p, Ink, 1.0);
             p.setBrush(Accent);
             p.drawEllipse(QRectF(2.5, 2.5, 11, 11));
         }},
        {"ActPen08",
         [](QPainter& p) {
             Pen(p, Accent, 1.6);
             p.setBrush(Qt::NoBrush);
             p.drawEllipse(QRectF(2.5, 2.5, 11, 11));
         }},
        {"ActPen09",
         [](QPainter& p) {
             p.save();
             p.translate(7, 8);
             p.rotate(-30);
             Pen(p, Ink, 1.0);
             p.setBrush(Paper);
             p.drawRect(QRectF(-4, -4, 8, 9));
             p.restore();
             p.setPen(Qt::NoPen);
             p.setBrush(Accent);
             p.drawEllipse(QRectF(11, 9, 4, 5.5));
         }},
        {"ActPen10", [](QPainter& p) { Swatches(p, 2); }},
        {"ActPaletteModePalSet",
         [](QPainter& p) {
             Swatches(p, 2);
             Pen(p, Paper, 1.0);
             p.drawLine(QPointF(2, 8), QPointF(14, 8));
         }},
        {"ActPaletteMode256Pal", [](QPainter& p) { Swatches(p, 3); }},
    };
    return painters;
}

} // namespace

QIcon ActionIcon(const QString& actionName) {
    const auto& painters = Painters();
    const auto it = painters.find(actionName);
    if (it == painters.end())
        return {};
    return QIcon(Draw(it.value()));
}

QPixmap MouseButtonPixmap(bool rightButton) {
    return Draw([rightButton](QPainter& p) {
        Pen(p, Ink, 1.0);
        p.setBrush(Paper);
        p.drawRoundedRect(QRectF(3.5, 1.5, 9, 13), 4, 4);
        p.setBrush(Alert);
        const QRectF half = rightButton ? QRectF(8, 1.5, 4.5, 5.5) : QRectF(3.5, 1.5, 4.5, 5.5);
        p.drawRoundedRect(half, 2, 2);
        p.drawLine(QPointF(3.5, 7), QPointF(12.5, 7));
        p.drawLine(QPointF(8, 1.5), QPointF(8, 7));
    });
}

} // namespace tavrin
