#pragma once

#include <QString>

// True when an address typed for a new item is refused: the bare "http://" prefix, or any
// non-empty text that does not begin with it. An empty address is allowed.
bool InvalidURL(const QString &url);

// The priority box lists High, Medium, Low, which stand for 3, 2 and 1.
// A priority outside 1..3 has no position (-1); a position outside 0..2 has no priority (0).
int PriorityPosition(qint16 priority);
qint16 PriorityAt(int position);
