#pragma once

// Hooks for the test suites and the benchmarks. The program itself never calls them, and no
// header that the program includes declares them.

#include <QString>

// Points the program's folder at dir; an empty text brings the real one back. Where the pictures
// and the page are is decided again from there, with the environment as it is then.
void SetProgramDirForTests(const QString &dir);

// Puts the user's settings folder, and with it the store's folder and the Firefox profiles
// found there on Windows, and the user's data folder below root (root/config, root/config/Tavrel
// and root/data/Tavrel), on every platform; an empty text brings the user's own back.
void UseUserFoldersForTests(const QString &root);

// The shared state as it was before start-up, the run's item list emptied: the program's own
// folder and message boxes back, nothing decided yet. Only the user's folders stay where
// UseUserFoldersForTests put them.
void ResetGlobals();
