// A map header that reaches up into the view: the layer check must fail on it.
#include "view/CMapPainter.h"
