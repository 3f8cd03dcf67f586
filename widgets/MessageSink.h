#pragma once

// The hook of the message box for the test suites and the benchmarks. The program itself never
// calls it, and no header that the program includes declares it.

#include "MessageBox.h"

#include <functional>

// Messages go to sink instead of a blocking box; an empty sink, or ResetGlobals(), brings the
// box back.
using MessageSink = std::function<void(const Message &)>;
void SetMessageSink(MessageSink sink);
