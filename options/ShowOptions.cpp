#include "ShowOptions.h"

void ShowOptions(QWidget *) {}
