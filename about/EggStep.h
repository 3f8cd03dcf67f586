#pragma once

#include <QtGlobal>

// The About box's hidden corners, numbered in the order that opens the Easter egg.
enum class EggCorner : qint16
{
    TopLeft = 1,
    TopRight = 2,
    BottomRight = 3
};

// How far the hidden sequence has got once all three corners were hit in order.
inline constexpr qint16 EggComplete = 3;

// The step after a click on corner: a corner counts only right after the one before it. Any
// other click, out of order or repeated, leaves the step as it was, so a stray click never
// spoils a sequence already begun.
constexpr qint16 NextEggStep(qint16 step, EggCorner corner)
{
    const auto target = static_cast<qint16>(corner);
    return step == target - 1 ? target : step;
}
