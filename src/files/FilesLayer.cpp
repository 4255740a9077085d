#include "FilesLayer.h"
