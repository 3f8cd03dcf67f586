#pragma once

class QString;

// Writes "To-Do.htm" from the run's list, item table and page options where PagePath() says:
// beside the program, in the user's data folder for an installed program (which the first page
// makes), or in the folder handed to the page, with copies of the pictures beside it. The page
// and each copy are written whole or not at all: a failure leaves the old file as it was, and
// reason says why, in the system's words (naming the picture when a copy failed). Answers
// whether the page was written.
bool WritePage(QString &reason);
