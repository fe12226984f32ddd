// Icons of the editor: the actions of the menus and the tool bar, the two tabs and the
// graphics items of the project tree. Each is drawn on a 32 x 32 grid and scaled to the
// entry's size.

#include "IconGrid.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace {

const QColor kInk = kIconInk;
const QColor kAccent(0x2f, 0x7f, 0xd0);
const QColor kPaper(0xf4, 0xf5, 0xf7);
const QColor kGreen(0x3c, 0xa0, 0x4c);
const QColor kRed(0xd0, 0x3b, 0x3b);
const QColor kYellow(0xf0, 0xc0, 0x40);
const QColor kShade(0xc8, 0xcb, 0xd0);


// ---------------------------------------------------------------- shapes

// A sheet with a folded corner.
void sheet(QPainter &p, const QRectF &r, const QColor &fill = kPaper)
{
    const qreal fold = 6;
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - fold, r.top());
    path.lineTo(r.right(), r.top() + fold);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setPen(inkPen(1.2));
    p.setBrush(fill);
    p.drawPath(path);
    p.drawLine(QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold));
    p.drawLine(QPointF(r.right() - fold, r.top() + fold), QPointF(r.right(), r.top() + fold));
}

void folder(QPainter &p, const QColor &fill)
{
    QPainterPath back;
    back.moveTo(3, 9);
    back.lineTo(3, 6);
    back.lineTo(11, 6);
    back.lineTo(13, 9);
    back.lineTo(27, 9);
    back.lineTo(27, 26);
    back.lineTo(3, 26);
    back.closeSubpath();
    p.setPen(inkPen(1.2));
    p.setBrush(fill.darker(115));
    p.drawPath(back);
    QPainterPath front;
    front.moveTo(3, 26);
    front.lineTo(7, 13);
    front.lineTo(30, 13);
    front.lineTo(27, 26);
    front.closeSubpath();
    p.setBrush(fill);
    p.drawPath(front);
}

// A curved arrow from the right to the left (mirrored for redo).
void turnArrow(QPainter &p, bool mirrored)
{
    p.save();
    if (mirrored) {
        p.translate(32, 0);
        p.scale(-1, 1);
    }
    QPainterPath arc;
    arc.moveTo(9, 12);
    arc.cubicTo(QPointF(18, 5), QPointF(29, 9), QPointF(26, 20));
    arc.cubicTo(QPointF(24, 25), QPointF(18, 27), QPointF(12, 26));
    p.setPen(inkPen(3, kAccent));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawPolygon(QPolygonF({QPointF(3, 14), QPointF(12, 5), QPointF(13, 16)}));
    p.restore();
}

void arrow(QPainter &p, QPointF from, QPointF to, const QColor &color = kAccent, qreal width = 2.5)
{
    p.setPen(inkPen(width, color));
    p.drawLine(from, to);
    const QLineF line(to, from);
    QLineF wing1 = line;
    wing1.setLength(6);
    wing1.setAngle(line.angle() + 35);
    QLineF wing2 = line;
    wing2.setLength(6);
    wing2.setAngle(line.angle() - 35);
    p.drawLine(wing1);
    p.drawLine(wing2);
}

// Two overlapping boxes; the one in front is accented.
void stack(QPainter &p, bool frontAccent, bool flat)
{
    p.setPen(inkPen(1.2));
    p.setBrush(frontAccent ? kShade : kAccent);
    p.drawRect(QRectF(4, 4, 16, 14));
    p.setBrush(frontAccent ? kAccent : kShade);
    if (!flat)
        p.setBrush(frontAccent ? kAccent : kPaper);
    p.drawRect(QRectF(12, 14, 16, 14));
}

void alignBars(QPainter &p, bool vertical, int edge)
{
    // edge: 0 start, 1 end, 2 centre
    p.save();
    if (vertical) {
        p.translate(16, 16);
        p.rotate(90);
        p.translate(-16, -16);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    const qreal widths[] = {18, 11};
    for (int i = 0; i < 2; ++i) {
        const qreal w = widths[i];
        const qreal x = edge == 0 ? 6 : edge == 1 ? 26 - w : 16 - w / 2;
        p.drawRect(QRectF(x, 7 + 11 * i, w, 7));
    }
    p.setPen(inkPen(1.8));
    const qreal lineX = edge == 0 ? 4 : edge == 1 ? 28 : 16;
    p.drawLine(QPointF(lineX, 3), QPointF(lineX, 29));
    p.restore();
}

void spaceBars(QPainter &p, bool vertical)
{
    p.save();
    if (vertical) {
        p.translate(16, 16);
        p.rotate(90);
        p.translate(-16, -16);
    }
    p.setPen(inkPen(1.2));
    p.setBrush(kAccent);
    for (int i = 0; i < 3; ++i)
        p.drawRect(QRectF(3 + 10.5 * i, 8, 5, 16));
    p.setPen(inkPen(1, kInk));
    p.drawLine(QPointF(8, 27), QPointF(13.5, 27));
    p.drawLine(QPointF(18.5, 27), QPointF(24, 27));
    p.restore();
}

// ---------------------------------------------------------------- files

void drawOpenDesign(QPainter &p)
{
    folder(p, kYellow);
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawEllipse(QPointF(18, 19.5), 3.5, 3.5);
    p.setPen(inkPen(1.2, kPaper));
    p.drawLine(QPointF(16, 19.5), QPointF(20, 19.5));
}

void drawNewProject(QPainter &p)
{
    sheet(p, QRectF(6, 3, 19, 26));
    p.setPen(inkPen(2.5, kGreen));
    p.drawLine(QPointF(22, 18), QPointF(22, 28));
    p.drawLine(QPointF(17, 23), QPointF(27, 23));
}

void drawOpenProject(QPainter &p)
{
    folder(p, kShade);
    p.setPen(inkPen(1, kInk));
    p.setBrush(kAccent);
    p.drawRoundedRect(QRectF(13, 15, 10, 8), 1.5, 1.5);
}

void floppy(QPainter &p)
{
    p.setPen(inkPen(1.2));
    p.setBrush(kAccent);
    p.drawRoundedRect(QRectF(4, 4, 24, 24), 2, 2);
    p.setBrush(kPaper);
    p.drawRect(QRectF(9, 4, 14, 9));
    p.setBrush(kInk);
    p.drawRect(QRectF(18, 6, 3, 5));
    p.setBrush(kPaper);
    p.drawRect(QRectF(8, 17, 16, 11));
}

void drawSave(QPainter &p)
{
    floppy(p);
}

void drawSaveAs(QPainter &p)
{
    floppy(p);
    p.setPen(inkPen(2.5, kGreen));
    p.drawLine(QPointF(12, 24), QPointF(22, 20));
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawPolygon(QPolygonF({QPointF(9, 25.5), QPointF(11.5, 22.5), QPointF(12.5, 25)}));
}

// ---------------------------------------------------------------- edit

void drawUndo(QPainter &p)
{
    turnArrow(p, false);
}

void drawRedo(QPainter &p)
{
    turnArrow(p, true);
}

void drawUndoList(QPainter &p)
{
    sheet(p, QRectF(4, 3, 20, 26));
    p.setPen(inkPen(1.5));
    for (int i = 0; i < 4; ++i)
        p.drawLine(QPointF(8, 10 + 5 * i), QPointF(19, 10 + 5 * i));
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawPolygon(QPolygonF({QPointF(20, 22), QPointF(29, 17), QPointF(29, 27)}));
}

void drawCut(QPainter &p)
{
    p.setPen(inkPen(1.8));
    p.drawLine(QPointF(10, 3), QPointF(20, 21));
    p.drawLine(QPointF(22, 3), QPointF(12, 21));
    p.setBrush(Qt::NoBrush);
    p.setPen(inkPen(2.2, kAccent));
    p.drawEllipse(QPointF(10, 25), 4, 4);
    p.drawEllipse(QPointF(22, 25), 4, 4);
}

void drawCopy(QPainter &p)
{
    sheet(p, QRectF(4, 3, 16, 20), kShade);
    sheet(p, QRectF(12, 9, 16, 20));
}

void drawPaste(QPainter &p)
{
    p.setPen(inkPen(1.2));
    p.setBrush(QColor(0xb5, 0x8b, 0x5a));
    p.drawRoundedRect(QRectF(4, 5, 20, 24), 2, 2);
    p.setBrush(kShade);
    p.drawRoundedRect(QRectF(9, 3, 10, 5), 1, 1);
    sheet(p, QRectF(13, 11, 15, 18));
}

void drawDelete(QPainter &p)
{
    p.setPen(inkPen(4, kRed));
    p.drawLine(QPointF(7, 7), QPointF(25, 25));
    p.drawLine(QPointF(25, 7), QPointF(7, 25));
}

void drawEditMode(QPainter &p)
{
    p.save();
    p.translate(16, 16);
    p.rotate(45);
    p.setPen(inkPen(1.2));
    p.setBrush(kYellow);
    p.drawRect(QRectF(-4, -13, 8, 20));
    p.setBrush(kRed.lighter(130));
    p.drawRect(QRectF(-4, -15, 8, 3));
    p.setBrush(kPaper);
    p.drawPolygon(QPolygonF({QPointF(-4, 7), QPointF(4, 7), QPointF(0, 14)}));
    p.restore();
}

// ---------------------------------------------------------------- stacking and layout

void drawMoveFront(QPainter &p)
{
    stack(p, true, true);
}

void drawMoveForwards(QPainter &p)
{
    stack(p, true, false);
    arrow(p, QPointF(9, 28), QPointF(9, 21), kInk, 1.8);
}

void drawMoveBack(QPainter &p)
{
    stack(p, false, true);
}

void drawMoveBackwards(QPainter &p)
{
    stack(p, false, false);
    arrow(p, QPointF(24, 4), QPointF(24, 11), kInk, 1.8);
}

void drawAlignLeft(QPainter &p) { alignBars(p, false, 0); }
void drawAlignRight(QPainter &p) { alignBars(p, false, 1); }
void drawAlignTop(QPainter &p) { alignBars(p, true, 0); }
void drawAlignBottom(QPainter &p) { alignBars(p, true, 1); }
void drawAlignHCenter(QPainter &p) { alignBars(p, false, 2); }
void drawAlignVCenter(QPainter &p) { alignBars(p, true, 2); }
void drawSpaceAcross(QPainter &p) { spaceBars(p, false); }
void drawSpaceDown(QPainter &p) { spaceBars(p, true); }

// ---------------------------------------------------------------- tools

void drawGoOnline(QPainter &p)
{
    p.setPen(inkPen(1.2));
    p.setBrush(kShade);
    p.drawRoundedRect(QRectF(3, 18, 26, 10), 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawEllipse(QPointF(8, 23), 2, 2);
    p.setBrush(kYellow);
    p.drawEllipse(QPointF(14, 23), 2, 2);
    p.setPen(inkPen(2, kAccent));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(10, 4, 12, 12), 30 * 16, 120 * 16);
    p.drawArc(QRectF(6, 0, 20, 20), 35 * 16, 110 * 16);
    p.setPen(inkPen(2));
    p.drawLine(QPointF(16, 11), QPointF(16, 18));
}

void drawSendToDevice(QPainter &p)
{
    p.setPen(inkPen(1.2));
    p.setBrush(kInk);
    p.drawRoundedRect(QRectF(16, 4, 13, 25), 2.5, 2.5);
    p.setBrush(kPaper);
    p.drawRect(QRectF(18, 7, 9, 17));
    arrow(p, QPointF(2, 16), QPointF(14, 16), kGreen, 2.8);
}

void drawCanvasSetup(QPainter &p)
{
    p.setPen(inkPen(1.2));
    p.setBrush(kInk);
    p.drawRoundedRect(QRectF(3, 5, 26, 19), 2, 2);
    p.setBrush(kAccent.lighter(150));
    p.drawRect(QRectF(5, 7, 22, 15));
    p.setBrush(kShade);
    p.drawRect(QRectF(12, 24, 8, 3));
    p.drawRect(QRectF(8, 27, 16, 2));
}

void drawIpAddress(QPainter &p)
{
    p.setPen(inkPen(1.2));
    p.setBrush(kAccent);
    p.drawRoundedRect(QRectF(2, 7, 28, 18), 3, 3);
    QFont font;
    font.setBold(true);
    font.setPixelSize(13);
    p.setFont(font);
    p.setPen(kPaper);
    p.drawText(QRectF(2, 7, 28, 18), Qt::AlignCenter, QStringLiteral("IP"));
}

void drawPanelSetup(QPainter &p)
{
    p.setPen(inkPen(1.2));
    p.setBrush(kPaper);
    p.drawRoundedRect(QRectF(3, 4, 26, 24), 2, 2);
    p.setBrush(kShade);
    p.drawRect(QRectF(3, 4, 26, 5));
    p.setBrush(kAccent);
    p.drawRect(QRectF(6, 12, 9, 6));
    p.drawRect(QRectF(17, 12, 9, 6));
    p.drawRect(QRectF(6, 20, 20, 5));
}

void drawAbout(QPainter &p)
{
    p.setPen(inkPen(1.2));
    p.setBrush(kAccent);
    p.drawEllipse(QPointF(16, 16), 13, 13);
    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(16, 9.5), 2.2, 2.2);
    p.drawRoundedRect(QRectF(14, 13.5, 4, 11), 1.5, 1.5);
}

void drawHelp(QPainter &p)
{
    p.setPen(inkPen(1.2));
    p.setBrush(kGreen);
    p.drawEllipse(QPointF(16, 16), 13, 13);
    QFont font;
    font.setBold(true);
    font.setPixelSize(19);
    p.setFont(font);
    p.setPen(kPaper);
    p.drawText(QRectF(3, 3, 26, 26), Qt::AlignCenter, QStringLiteral("?"));
}

void drawExitPin(QPainter &p)
{
    QPainterPath key;
    key.moveTo(11, 7);
    key.lineTo(28, 7);
    key.lineTo(28, 25);
    key.lineTo(11, 25);
    key.lineTo(3, 16);
    key.closeSubpath();
    p.setPen(inkPen(1.2));
    p.setBrush(kPaper);
    p.drawPath(key);
    p.setPen(inkPen(2.2, kRed));
    p.drawLine(QPointF(15, 12), QPointF(23, 20));
    p.drawLine(QPointF(23, 12), QPointF(15, 20));
}

// ---------------------------------------------------------------- tabs and graphics items

void drawImage(QPainter &p)
{
    p.setPen(inkPen(1.2));
    p.setBrush(kAccent.lighter(160));
    p.drawRect(QRectF(3, 5, 26, 22));
    p.setPen(Qt::NoPen);
    p.setBrush(kYellow);
    p.drawEllipse(QPointF(22, 11), 3, 3);
    p.setBrush(kGreen);
    p.drawPolygon(QPolygonF({QPointF(4, 26), QPointF(13, 13), QPointF(20, 22), QPointF(23, 18),
                             QPointF(28, 26)}));
}

void drawFrame(QPainter &p)
{
    p.setPen(inkPen(2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(4, 6, 24, 20), 4, 4);
    p.setPen(QPen(kAccent, 1.2, Qt::DashLine));
    p.drawRoundedRect(QRectF(8, 10, 16, 12), 2, 2);
}

void drawProjectTree(QPainter &p)
{
    p.setPen(inkPen(1.2));
    p.drawLine(QPointF(8, 9), QPointF(8, 25));
    p.drawLine(QPointF(8, 17), QPointF(14, 17));
    p.drawLine(QPointF(8, 25), QPointF(14, 25));
    p.setBrush(kAccent);
    p.drawRect(QRectF(4, 3, 9, 6));
    p.setBrush(kPaper);
    p.drawRect(QRectF(15, 14, 13, 6));
    p.drawRect(QRectF(15, 22, 13, 6));
}

void drawPropertiesView(QPainter &p)
{
    p.setPen(inkPen(1.2));
    p.setBrush(kPaper);
    p.drawRoundedRect(QRectF(4, 3, 24, 26), 2, 2);
    for (int i = 0; i < 4; ++i) {
        const qreal y = 8 + 5.5 * i;
        p.setPen(inkPen(1.5));
        p.drawLine(QPointF(8, y), QPointF(13, y));
        p.setPen(inkPen(1.2));
        p.setBrush(i == 1 ? kAccent : kShade);
        p.drawRect(QRectF(15, y - 2, 10, 4));
    }
}

} // namespace

ImageList editorIcons()
{
    return {
        icon(QStringLiteral("OpenVMD.png"), drawOpenDesign),
        icon(QStringLiteral("NewVivizaAppFile.png"), drawNewProject),
        icon(QStringLiteral("OpenVivizaAppFile.png"), drawOpenProject),
        icon(QStringLiteral("SaveFile.png"), drawSave),
        icon(QStringLiteral("SaveVivizaFileApp.png"), drawSaveAs),
        icon(QStringLiteral("Undo.png"), drawUndo),
        icon(QStringLiteral("Redo.png"), drawRedo),
        icon(QStringLiteral("UndoList.png"), drawUndoList),
        icon(QStringLiteral("Cut.png"), drawCut),
        icon(QStringLiteral("Copy.png"), drawCopy),
        icon(QStringLiteral("Paste.png"), drawPaste),
        icon(QStringLiteral("Delete.png"), drawDelete),
        icon(QStringLiteral("EditMode.png"), drawEditMode),
        icon(QStringLiteral("movefront.png"), drawMoveFront),
        icon(QStringLiteral("moveforwards.png"), drawMoveForwards),
        icon(QStringLiteral("moveback.png"), drawMoveBack),
        icon(QStringLiteral("movebackwards.png"), drawMoveBackwards),
        icon(QStringLiteral("alignleft.png"), drawAlignLeft),
        icon(QStringLiteral("alignright.png"), drawAlignRight),
        icon(QStringLiteral("aligntop.png"), drawAlignTop),
        icon(QStringLiteral("alignbottom.png"), drawAlignBottom),
        icon(QStringLiteral("alignhcenter.png"), drawAlignHCenter),
        icon(QStringLiteral("alignvcenter.png"), drawAlignVCenter),
        icon(QStringLiteral("spaceacross.png"), drawSpaceAcross),
        icon(QStringLiteral("spacedown.png"), drawSpaceDown),
        icon(QStringLiteral("GoOnline.png"), drawGoOnline),
        icon(QStringLiteral("SendToDevice.png"), drawSendToDevice),
        icon(QStringLiteral("CanvasSetup.png"), drawCanvasSetup),
        icon(QStringLiteral("IP.png"), drawIpAddress),
        icon(QStringLiteral("PanelSetup.png"), drawPanelSetup),
        icon(QStringLiteral("about.png"), drawAbout),
        icon(QStringLiteral("help.png"), drawHelp),
        icon(QStringLiteral("ic_backspace.png"), drawExitPin),
        icon(QStringLiteral("AddImage.png"), drawImage),
        icon(QStringLiteral("AddFrame.png"), drawFrame),
        icon(QStringLiteral("ProjectTreeView.png"), drawProjectTree),
        icon(QStringLiteral("PropertiesView.png"), drawPropertiesView),
    };
}
