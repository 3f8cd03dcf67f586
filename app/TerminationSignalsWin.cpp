#include "TerminationSignals.h"

// Windows ends a program with windows through those windows: it closes them, after asking the
// session to save, and has no such signals for it to catch.
struct TerminationSignals::Pipe
{
};

TerminationSignals::TerminationSignals(QObject *parent) : QObject(parent) {}

TerminationSignals::~TerminationSignals() = default;
