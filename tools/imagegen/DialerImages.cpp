// Keys of the telephone keypad: one set of key faces per colour scheme under
// "dialer/<scheme>/", each as _normal and _pressed, and the call keys that
// every scheme shares directly under "dialer/".

#include "ImageCatalog.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {

constexpr int kKeySize = 80;

struct Scheme
{
    const char *name;
    QColor face;
    QColor ink;
};

// The frame colours the keypad draws in, with an ink that reads on them.
const Scheme kSchemes[] = {
    {"black", QColor(0x00, 0x00, 0x00), QColor(0xff, 0xff, 0xff)},
    {"blue", QColor(0x1d, 0x98, 0xd5), QColor(0xff, 0xff, 0xff)},
    {"green", QColor(0x8b, 0xc3, 0x4a), QColor(0xff, 0xff, 0xff)},
    {"pink", QColor(0xe9, 0x1e, 0x63), QColor(0xff, 0xff, 0xff)},
    {"red", QColor(0xd3, 0x2f, 0x2f), QColor(0xff, 0xff, 0xff)},
    {"white", QColor(0xfa, 0xfa, 0xfa), QColor(0x23, 0x1f, 0x20)},
    {"yellow", QColor(0xff, 0xc1, 0x07), QColor(0x23, 0x1f, 0x20)},
};

using Glyph = std::function<void(QPainter &, const QColor &ink)>;

QPen glyphPen(const QColor &ink, qreal width = 5)
{
    return QPen(ink, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void drawText(QPainter &p, const QRectF &rect, const QString &text, qreal pixels, const QColor &ink)
{
    QFont font(QStringLiteral("Helvetica"));
    font.setPixelSize(int(pixels));
    font.setBold(true);
    p.setFont(font);
    p.setPen(ink);
    p.drawText(rect, Qt::AlignCenter, text);
}

// A digit with the letters of its key below it; a sign alone on its key.
Glyph digitGlyph(const QString &digit, const QString &letters, qreal pixels = 40)
{
    return [digit, letters, pixels](QPainter &p, const QColor &ink) {
        if (letters.isEmpty()) {
            drawText(p, QRectF(0, 8, 80, 64), digit, pixels, ink);
            return;
        }
        drawText(p, QRectF(0, 6, 80, 48), digit, 38, ink);
        drawText(p, QRectF(0, 50, 80, 20), letters, 13, ink);
    };
}

void drawBackspace(QPainter &p, const QColor &ink)
{
    QPainterPath outline;
    outline.moveTo(16, 40);
    outline.lineTo(30, 24);
    outline.lineTo(64, 24);
    outline.lineTo(64, 56);
    outline.lineTo(30, 56);
    outline.closeSubpath();
    p.setPen(glyphPen(ink, 4));
    p.setBrush(Qt::NoBrush);
    p.drawPath(outline);
    p.drawLine(QPointF(38, 32), QPointF(54, 48));
    p.drawLine(QPointF(54, 32), QPointF(38, 48));
}

void drawHold(QPainter &p, const QColor &ink)
{
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawRoundedRect(QRectF(26, 22, 10, 36), 3, 3);
    p.drawRoundedRect(QRectF(44, 22, 10, 36), 3, 3);
}

void drawResume(QPainter &p, const QColor &ink)
{
    QPainterPath play;
    play.moveTo(30, 20);
    play.lineTo(60, 40);
    play.lineTo(30, 60);
    play.closeSubpath();
    p.setPen(glyphPen(ink, 3));
    p.setBrush(ink);
    p.drawPath(play);
}

void drawFlash(QPainter &p, const QColor &ink)
{
    QPainterPath bolt;
    bolt.moveTo(46, 14);
    bolt.lineTo(26, 44);
    bolt.lineTo(40, 44);
    bolt.lineTo(34, 66);
    bolt.lineTo(56, 34);
    bolt.lineTo(42, 34);
    bolt.closeSubpath();
    p.setPen(glyphPen(ink, 2));
    p.setBrush(ink);
    p.drawPath(bolt);
}

void drawAdd(QPainter &p, const QColor &ink)
{
    p.setPen(glyphPen(ink, 7));
    p.drawLine(QPointF(40, 22), QPointF(40, 58));
    p.drawLine(QPointF(22, 40), QPointF(58, 40));
}

// Two lines meeting in one: the calls joined.
void drawJoin(QPainter &p, const QColor &ink)
{
    p.setPen(glyphPen(ink, 5));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(20, 24), QPointF(40, 40));
    p.drawLine(QPointF(20, 56), QPointF(40, 40));
    p.drawLine(QPointF(40, 40), QPointF(60, 40));
    p.drawLine(QPointF(52, 32), QPointF(60, 40));
    p.drawLine(QPointF(52, 48), QPointF(60, 40));
}

// One line parting in two: the calls split.
void drawSplit(QPainter &p, const QColor &ink)
{
    p.setPen(glyphPen(ink, 5));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(20, 40), QPointF(40, 40));
    p.drawLine(QPointF(40, 40), QPointF(60, 24));
    p.drawLine(QPointF(40, 40), QPointF(60, 56));
    p.drawLine(QPointF(50, 24), QPointF(60, 24));
    p.drawLine(QPointF(60, 24), QPointF(57, 34));
    p.drawLine(QPointF(50, 56), QPointF(60, 56));
    p.drawLine(QPointF(60, 56), QPointF(57, 46));
}

// A key face of a scheme: a rounded square, darker while pressed.
ImageEntry keyImage(const Scheme &scheme, const QString &name, bool pressed, const Glyph &glyph)
{
    const QString path = QStringLiteral("dialer/%1/%2_%3.png")
                             .arg(QLatin1String(scheme.name), name,
                                  pressed ? QStringLiteral("pressed") : QStringLiteral("normal"));
    const QColor face = scheme.face;
    const QColor ink = scheme.ink;
    return {path, QSize(kKeySize, kKeySize), [face, ink, pressed, glyph](QPainter &p, const QSizeF &size) {
                p.scale(size.width() / 80.0, size.height() / 80.0);
                const QColor fill = pressed ? (face.lightness() > 200 ? face.darker(125) : face.lighter(140))
                                            : face;
                p.setPen(QPen(face.lightness() > 200 ? QColor(0xa8, 0xaa, 0xad) : face.darker(130), 2));
                p.setBrush(fill);
                p.drawRoundedRect(QRectF(2, 2, 76, 76), 10, 10);
                glyph(p, ink);
            }};
}

// A telephone handset, lifted (0 degrees) or put down (135 degrees).
void drawHandset(QPainter &p, qreal angle, const QColor &ink)
{
    p.save();
    p.translate(40, 40);
    p.rotate(angle);
    QPainterPath handset;
    handset.moveTo(-18, -16);
    handset.cubicTo(-26, -4, -26, 4, -18, 16);
    p.setPen(QPen(ink, 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(handset);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawRoundedRect(QRectF(-24, -24, 14, 11), 4, 4);
    p.drawRoundedRect(QRectF(-24, 13, 14, 11), 4, 4);
    p.restore();
}

using RoundGlyph = std::function<void(QPainter &)>;

// A round key shared by every scheme.
ImageEntry roundKey(const QString &name, const QColor &colour, const RoundGlyph &glyph)
{
    return {QStringLiteral("dialer/%1.png").arg(name), QSize(kKeySize, kKeySize),
            [colour, glyph](QPainter &p, const QSizeF &size) {
                p.scale(size.width() / 80.0, size.height() / 80.0);
                p.setPen(Qt::NoPen);
                p.setBrush(colour);
                p.drawEllipse(QRectF(3, 3, 74, 74));
                glyph(p);
            }};
}

const QColor kCallGreen(0x43, 0xa0, 0x47);
const QColor kEndRed(0xd3, 0x2f, 0x2f);
const QColor kHoldAmber(0xf5, 0x7c, 0x00);
const QColor kIgnoreGrey(0x80, 0x82, 0x85);
const QColor kWhite(0xff, 0xff, 0xff);

void drawCross(QPainter &p)
{
    p.setPen(glyphPen(kWhite, 7));
    p.drawLine(QPointF(28, 28), QPointF(52, 52));
    p.drawLine(QPointF(52, 28), QPointF(28, 52));
}

} // namespace

ImageList dialerImages()
{
    struct Key
    {
        const char *name;
        Glyph glyph;
    };
    const Key keys[] = {
        {"1", digitGlyph(QStringLiteral("1"), QString())},
        {"2", digitGlyph(QStringLiteral("2"), QStringLiteral("ABC"))},
        {"3", digitGlyph(QStringLiteral("3"), QStringLiteral("DEF"))},
        {"4", digitGlyph(QStringLiteral("4"), QStringLiteral("GHI"))},
        {"5", digitGlyph(QStringLiteral("5"), QStringLiteral("JKL"))},
        {"6", digitGlyph(QStringLiteral("6"), QStringLiteral("MNO"))},
        {"7", digitGlyph(QStringLiteral("7"), QStringLiteral("PQRS"))},
        {"8", digitGlyph(QStringLiteral("8"), QStringLiteral("TUV"))},
        {"9", digitGlyph(QStringLiteral("9"), QStringLiteral("WXYZ"))},
        {"0", digitGlyph(QStringLiteral("0"), QStringLiteral("+"))},
        {"asterisk", digitGlyph(QStringLiteral("*"), QString(), 60)},
        {"pound", digitGlyph(QStringLiteral("#"), QString())},
        {"backspace", drawBackspace},
        {"hold", drawHold},
        {"resume", drawResume},
        {"flash", drawFlash},
        {"add", drawAdd},
        {"join", drawJoin},
        {"split", drawSplit},
    };

    ImageList images;
    for (const Scheme &scheme : kSchemes) {
        for (const Key &key : keys) {
            images.append(keyImage(scheme, QLatin1String(key.name), false, key.glyph));
            images.append(keyImage(scheme, QLatin1String(key.name), true, key.glyph));
        }
    }
    images.append(roundKey(QStringLiteral("call"), kCallGreen, [](QPainter &p) { drawHandset(p, 0, kWhite); }));
    images.append(roundKey(QStringLiteral("end_call"), kEndRed, [](QPainter &p) { drawHandset(p, 135, kWhite); }));
    images.append(roundKey(QStringLiteral("accept"), kCallGreen, [](QPainter &p) { drawHandset(p, 0, kWhite); }));
    images.append(roundKey(QStringLiteral("decline"), kEndRed, drawCross));
    images.append(roundKey(QStringLiteral("hold_accept"), kHoldAmber, [](QPainter &p) {
        drawHold(p, kWhite);
    }));
    images.append(roundKey(QStringLiteral("ignore_normal"), kIgnoreGrey, drawCross));
    images.append(roundKey(QStringLiteral("ignore_pressed"), kIgnoreGrey.darker(130), drawCross));
    return images;
}
