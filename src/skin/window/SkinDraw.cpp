#include "skin/window/SkinDraw.h"
