#include "EggPicture.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

constexpr int Width = 640;
constexpr int Height = 480;

void DrawSky(QPainter &p)
{
    QLinearGradient sky(0, 0, 0, 350);
    sky.setColorAt(0.0, QColor(18, 26, 62));
    sky.setColorAt(0.42, QColor(58, 62, 122));
    sky.setColorAt(0.68, QColor(178, 92, 126));
    sky.setColorAt(0.86, QColor(242, 152, 92));
    sky.setColorAt(1.0, QColor(255, 214, 128));
    p.fillRect(0, 0, Width, Height, sky);

    // A fixed scatter of fading stars: a small linear congruential sequence with a fixed seed
    // keeps the picture identical from run to run.
    quint32 seed = 20240611u;
    const auto next = [&seed](quint32 range) {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) % range;
    };
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 70; ++i) {
        const int x = int(next(Width));
        const int y = int(next(170));
        const int alpha = 230 - y; // the stars fade as the dawn grows towards the horizon
        const qreal radius = next(4) == 0 ? 1.4 : 0.8;
        p.setBrush(QColor(255, 255, 240, qMax(alpha, 40)));
        p.drawEllipse(QPointF(x + 0.5, y + 0.5), radius, radius);
    }
}

void DrawSun(QPainter &p)
{
    const QPointF centre(150, 336);
    QRadialGradient glow(centre, 260);
    glow.setColorAt(0.0, QColor(255, 236, 170, 170));
    glow.setColorAt(0.35, QColor(255, 190, 120, 70));
    glow.setColorAt(1.0, QColor(255, 170, 110, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(centre, 260, 260);

    QRadialGradient disc(centre, 62);
    disc.setColorAt(0.0, QColor(255, 250, 228));
    disc.setColorAt(0.7, QColor(255, 226, 140));
    disc.setColorAt(1.0, QColor(255, 196, 96));
    p.setBrush(disc);
    p.drawEllipse(centre, 62, 62);
}

void DrawBirds(QPainter &p)
{
    p.setPen(QPen(QColor(40, 30, 60), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    for (const QPointF &at : {QPointF(262, 150), QPointF(292, 138), QPointF(470, 120)}) {
        QPainterPath bird;
        bird.moveTo(at + QPointF(-10, -3));
        bird.quadTo(at + QPointF(-5, -8), at);
        bird.quadTo(at + QPointF(5, -8), at + QPointF(10, -3));
        p.drawPath(bird);
    }
}

// One range of hills: a wave across the picture closed along its bottom edge.
void DrawHills(QPainter &p, const QList<QPointF> &crest, const QColor &top, const QColor &bottom)
{
    QPainterPath hills;
    hills.moveTo(0, Height);
    hills.lineTo(crest.first());
    for (qsizetype i = 1; i < crest.size(); ++i) {
        const QPointF from = crest.at(i - 1);
        const QPointF to = crest.at(i);
        const qreal midX = (from.x() + to.x()) / 2;
        hills.cubicTo(QPointF(midX, from.y()), QPointF(midX, to.y()), to);
    }
    hills.lineTo(Width, Height);
    hills.closeSubpath();

    QLinearGradient shade(0, hills.boundingRect().top(), 0, Height);
    shade.setColorAt(0.0, top);
    shade.setColorAt(1.0, bottom);
    p.setPen(Qt::NoPen);
    p.setBrush(shade);
    p.drawPath(hills);
}

void DrawTree(QPainter &p, QPointF foot, qreal size)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(86, 58, 34));
    p.drawRect(QRectF(foot.x() - size * 0.08, foot.y() - size * 0.7, size * 0.16, size * 0.7));
    p.setBrush(QColor(30, 84, 44));
    p.drawEllipse(QPointF(foot.x(), foot.y() - size * 0.95), size * 0.42, size * 0.42);
    p.setBrush(QColor(44, 108, 56));
    p.drawEllipse(QPointF(foot.x() - size * 0.12, foot.y() - size * 1.05), size * 0.26,
                  size * 0.26);
}

void DrawTick(QPainter &p, const QRectF &box)
{
    QPainterPath tick;
    tick.moveTo(box.left() + box.width() * 0.18, box.top() + box.height() * 0.52);
    tick.lineTo(box.left() + box.width() * 0.42, box.top() + box.height() * 0.78);
    tick.lineTo(box.left() + box.width() * 0.92, box.top() - box.height() * 0.05);
    p.setPen(QPen(QColor(34, 139, 34), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
}

// A signpost on the near hill holding a list with three of its four rows ticked off.
void DrawChecklist(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(110, 72, 38));
    p.drawRect(QRectF(258, 300, 10, 110));

    const QRectF board(196, 184, 134, 126);
    p.setBrush(QColor(139, 90, 43));
    p.drawRoundedRect(board, 6, 6);
    const QRectF paper = board.adjusted(7, 7, -7, -7);
    p.setBrush(QColor(253, 246, 227));
    p.drawRoundedRect(paper, 3, 3);

    // A heading bar, then the rows.
    p.setBrush(QColor(196, 84, 64));
    p.drawRoundedRect(QRectF(paper.left() + 10, paper.top() + 8, 64, 7), 3, 3);

    const QList<qreal> lineLengths{68, 52, 74, 46};
    for (qsizetype row = 0; row < lineLengths.size(); ++row) {
        const qreal y = paper.top() + 26 + row * 21;
        const QRectF box(paper.left() + 10, y, 13, 13);
        p.setPen(QPen(QColor(70, 70, 80), 1.4));
        p.setBrush(Qt::white);
        p.drawRect(box);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(150, 150, 160));
        p.drawRoundedRect(QRectF(box.right() + 8, y + 4, lineLengths.at(row), 5), 2, 2);
        if (row < 3)
            DrawTick(p, box);
    }
}

} // namespace

QImage EggPicture()
{
    QImage picture(Width, Height, QImage::Format_RGB888);
    picture.fill(Qt::black);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);

    DrawSky(p);
    DrawSun(p);
    DrawBirds(p);
    DrawHills(p, {{0, 318}, {120, 300}, {250, 330}, {400, 296}, {540, 322}, {640, 306}},
              QColor(92, 96, 146), QColor(62, 80, 112));
    DrawHills(p, {{0, 352}, {90, 338}, {230, 366}, {360, 340}, {500, 360}, {640, 342}},
              QColor(70, 128, 78), QColor(42, 92, 54));
    DrawTree(p, QPointF(470, 362), 70);
    DrawTree(p, QPointF(580, 358), 54);
    DrawHills(p, {{0, 392}, {140, 380}, {300, 400}, {460, 384}, {640, 398}}, QColor(52, 118, 58),
              QColor(26, 70, 34));
    DrawChecklist(p);
    return picture;
}
