#pragma once
// Identifier: an item's identifier, kept inline (see CompactText).

#include "VantorelData/model/CompactText.h"
