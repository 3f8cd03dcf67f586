#include "EggWindow.h"
