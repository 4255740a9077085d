#include "PreviewLayer.h"
