#include "QuenzColorUtils/ColorSpace.h"
