#include "WadArchive.h"
